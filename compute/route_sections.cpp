#include "compute/route_sections.h"

namespace tarvelo {

bool MoveSectionRowsOntoRoute(std::vector<CrossSectionRow>* rows, const Route& route, std::string* error)
{
    for (std::size_t i = 0; i < rows->size(); ++i) {
        CrossSectionRow& row = (*rows)[i];
        if (!route.hasBreaks() && !row.zone) continue;  // the route's own stations are the displayed ones
        const Route::StationLookup at = route.StationOf(row.station, row.zone);
        if (!at.station) {
            *error = (row.line > 0 ? "第 " + std::to_string(row.line) + " 行：" : "第 " + std::to_string(i + 1) + " 个断面：") +
                     at.error;
            return false;
        }
        row.station = *at.station;
    }
    return true;
}

}  // namespace tarvelo
