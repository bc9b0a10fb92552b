#pragma once
// The 逐桩坐标表 report of the stake table as shown: a title, the table's
// range and parameters, a heading and one line per row (station in K
// notation, X, Y to 4 decimals, azimuth as the window writes it, main point),
// columns aligned, lines ending in CR LF, for WriteTextFile (GBK).

#include <QString>

namespace tarvelo {

class StakeTableModel;

// Precondition: the model holds a table (size() > 0).
QString StakeReportText(const StakeTableModel& table);

}  // namespace tarvelo
