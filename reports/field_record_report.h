#pragma once
// The field records of the slope stakes and the level check as GBK text
// reports: 边坡放样记录 (tarvelo-cli route slope --report) and 高程检测表
// (route level --report).
//
// Layout, every line ended by CR LF:
//   two blank lines, the title centred over the table, a blank line;
//   the heading lines as given ("线路文件：…", "限差：…", the summary), a
//   blank line;
//   a rule of "-", the header row, a rule, one row per point in the given
//   order, a rule;
//   the notes as given (the templates used, the reasons of the points
//   without a result), each on its own line, after a blank line when any;
//   two blank lines and the signature line "计算：", 24 spaces, "复核：",
//   24 spaces, "监理：".
// Columns two spaces apart, each as wide as its widest cell counted as a
// fixed-width font on a Chinese system shows it (DisplayWidth); the columns
// marked left are left-aligned (names, words), the others right-aligned
// (numbers). The caller formats every cell; nothing here computes.

#include <QString>
#include <QStringList>
#include <vector>

#include "reports/report_status.h"

namespace tarvelo {

struct FieldRecord {
    QString title;                       // "边坡放样记录", "高程检测表"
    QStringList heading;                 // lines above the table
    std::vector<QString> header;         // one per column
    std::vector<bool> left;              // per column: left-aligned
    std::vector<std::vector<QString>> rows;  // each as many cells as header
    QStringList notes;                   // lines below the table
};

QString FieldRecordText(const FieldRecord& record);

// Writes FieldRecordText to path with WriteTextFile (GBK, atomic
// replacement; a text GBK cannot hold is refused and nothing is written).
// Never throws.
FileStatus WriteFieldRecord(const QString& path, const FieldRecord& record);

}  // namespace tarvelo
