#pragma once
// The file types the route window's open and save dialogs offer for its
// tables, one place for every kind: each table read or written as CSV is
// offered as an Excel workbook (.xlsx) too. A table is read by content
// (reports/table_file.h: a workbook is told by its bytes, not its name);
// it is saved as a workbook when the chosen name ends in .xlsx.

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "reports/report_status.h"

namespace tarvelo {

enum class TableFile {
    Route,         // 交点表 or 线元表
    Breaks,        // 断链表
    Profile,       // 纵断面变坡点表
    Sections,      // 横断面表（路面宽度和横坡）
    Template,      // 路基模板
    Ground,        // 横断面地面线
    CentreGround,  // 中桩地面高程
    Points,        // 实测点（CSV, text or CASS .dat）
    DesignStakes,  // 设计逐桩坐标表（CSV, text or CASS .dat）
    StakeTable,    // 逐桩坐标表 (written only)
    SlopeTable,    // 边坡放样 (written only)
    LevelTable,    // 高程检测 (written only)
    EarthworkTable // 土石方数量表 (written only)
};

// For the open and save dialogs of a kind: its files (workbooks among those
// that are read), an Excel workbook, then all files.
QStringList TableFileFilters(TableFile kind);

// The sheet a workbook of the kind names its table: "交点表", "逐桩坐标表" ...
std::string TableSheetName(TableFile kind);

// The chosen name ends in .xlsx (any case): the table is saved as a workbook.
bool IsWorkbookPath(const QString& path);

// Saves a table the window writes as CSV: writeCsv(path) as it is, or, for a
// workbook path, writeCsv into a scratch file whose table becomes the
// workbook's sheet (reports/xlsx_tables.h: WriteCsvAsXlsx, the command
// line's code, every computed digit stored). A result table (stakes,
// slope, level, earthwork) gains the stations in metres or K notation and
// the angles in degrees beside its own columns; a file the program reads
// (route, breaks, profile ...) keeps its columns, so that it reads back.
FileStatus SaveTableFile(const QString& path, TableFile kind,
                         const std::function<FileStatus(const QString& csvPath)>& writeCsv);

}  // namespace tarvelo
