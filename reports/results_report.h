#pragma once
// The stakeout results report: the text of the results box between a title
// and a signature line.
//
// Lines, each ending with CR LF, GBK: two empty lines, "曲线坐标计算成果表"
// after 16 spaces, 24 "-" after 13 spaces, an empty line, the table text
// followed by one CR LF, two empty lines and "计算：", 17 spaces, "复核：",
// 17 spaces, "监理：". The table text of the continuous computation ends
// every line with CR LF, so the report shows three empty lines between the
// last row and the signature; a 51-row table (52 lines with the header)
// gives 61 lines.
//
// The table text is written character for character, with one exception: a
// lone CR or a lone LF inside it (a text edited in a box whose lines end in
// LF) is written as CR LF, so that every line of the file ends with CR LF.

#include <QString>

#include "reports/report_status.h"

namespace tarvelo {

// The report text for a table text (UTF-16, as the box holds it).
QString ResultsReportText(const QString& tableText);

// Writes ResultsReportText(tableText) to path with WriteTextFile (GBK, atomic
// replacement, any existing file untouched on failure). Text GBK cannot
// encode is refused and nothing is written.
FileStatus WriteResultsReport(const QString& path, const QString& tableText);

}  // namespace tarvelo
