#include "cli/route_check_cli.h"

#include <QFileInfo>
#include <QString>

#include "compute/design_check.h"
#include "compute/design_check_json.h"
#include "compute/route_design_check.h"
#include "compute/route_inverse.h"
#include "core/files/design_table.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/design_check_csv.h"
#include "reports/design_check_report.h"
#include "reports/table_file.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::string Optional(const std::optional<double>& v, int decimals)
{
    return v ? FormatFixed(*v, decimals) : std::string("-");
}

// One line a row: what the surveyor reads first, the class and where it
// points.
void WritePlain(const DesignCheckResult& result, std::ostream& out)
{
    std::string s = "行\t点名\t桩号\tΔX\tΔY\t平距差\tΔ高程\t垂足桩号\t垂足偏距\t结论\t说明\n";
    for (const DesignCheckRow& r : result.rows) {
        s += std::to_string(r.line) + "\t" + r.name + "\t" + DesignRowStationText(r) + "\t" +
             Optional(r.dx, 4) + "\t" + Optional(r.dy, 4) + "\t" + Optional(r.distance, 4) + "\t" +
             Optional(r.dz, 4) + "\t" + DesignFootText(r) + "\t" +
             Optional(r.footOffset, 4) + "\t" + DesignClassChinese(r.kind) + "\t" + r.reason + "\n";
    }
    const DesignCheckSummary& m = result.summary;
    s += "\n共 " + std::to_string(m.rows) + " 行";
    for (std::size_t c = 0; c < kDesignClassCount; ++c)
        if (m.classes[c]) s += "，" + std::string(DesignClassChinese(DesignClass(c))) + " " + std::to_string(m.classes[c]);
    s += "\n";
    if (m.maxDistance)
        s += "最大平距差 " + FormatFixed(*m.maxDistance, 4) + " m（第 " + std::to_string(m.maxDistanceLine) + " 行）\n";
    if (m.maxDz) s += "最大高程差 " + FormatFixed(*m.maxDz, 4) + " m（第 " + std::to_string(m.maxDzLine) + " 行）\n";
    if (m.rms) s += "相符各行平距差中误差 " + FormatFixed(*m.rms * 1000, 1) + " mm\n";
    out << s;
}

}  // namespace

int RunRouteCheck(const Route& route, const std::optional<Profile>& profile, const RouteCheckRequest& request,
                  std::ostream& out, std::string* error)
{
    const DesignTolerances tolerances{request.tolerance, request.toleranceZ};
    if (const std::string problem = DesignToleranceProblem(tolerances); !problem.empty()) {
        *error = problem;
        return 1;
    }
    const FileResult<std::string> text = ReadTableFileText(FromUtf8(request.designPath));
    if (!text.ok()) {
        *error = text.error->toStdString();
        return 1;
    }
    const DesignTable table = ParseDesignTable(*text.value);
    if (table.rows.empty() && table.unreadable.empty()) {
        *error = "设计逐桩坐标表“" + request.designPath + "”中没有桩，无可复核。";
        return 1;
    }

    const RouteInverse inverse(route);
    // The same binding as the route window's 复核 tab.
    const DesignCheckRoute adapter = DesignCheckRouteOf(route, inverse, profile ? &*profile : nullptr);
    const DesignCheckResult result = CheckDesign(table, adapter, tolerances);

    if (request.report) {
        const FileStatus s = WriteDesignCheckReport(FromUtf8(*request.report), result,
                                                    QFileInfo(FromUtf8(request.routePath)).fileName(),
                                                    QFileInfo(FromUtf8(request.designPath)).fileName());
        if (!s.ok()) {
            *error = s.error->toStdString();
            return 1;
        }
    }
    if (request.csvOut) {
        const FileStatus s = WriteDesignCheckCsv(FromUtf8(*request.csvOut), result);
        if (!s.ok()) {
            *error = s.error->toStdString();
            return 1;
        }
    }
    if (request.json)
        out << DesignCheckJson(result) << "\n";
    else if (!request.csvOut)
        WritePlain(result, out);
    return result.summary.classes[static_cast<std::size_t>(DesignClass::Ok)] == result.summary.rows
               ? 0
               : kExitDesignDiffers;
}

}  // namespace tarvelo
