#pragma once
// The roadbed template file (路基模板): one part of one side a line, as a
// surveyor writes it in a spreadsheet.
//
// Columns `起始桩号,侧,部位,参数1,参数2,参数3,参数4` (or `station,side,part,
// p1,p2,p3,p4`), separated by commas or tabs (core/files/text_table.h: blank
// lines and '#' comments skipped, fields trimmed). The text is UTF-8;
// reports/table_file.h turns a file's UTF-8 (BOM or not) or GBK bytes into
// it.
//  - The first row is a header only when it holds those header words
//    (core/files/header_row.h); any other first row is data.
//  - 起始桩号: metres or K notation, a displayed station. The rows keep it as
//    read; the caller maps it to the route's own station (across chain
//    breaks) before RoadbedTemplate::Build.
//  - 侧: 左, 右, 两侧 (or L, R, LR, any case).
//  - 部位: 路肩/shoulder, 边沟/ditch, 挖方/cut, 填方/fill; the parameters as
//    TemplateRow (core/section/roadbed_template.h) says; an empty cell is an
//    absent parameter.
//  - Cells after 参数4 must be empty (a spreadsheet may add trailing commas).
// Every row at fault gets its own message naming its line and cell: too few
// cells, a station that is not one, an unknown side or part, a parameter
// that is not a number, a value the template refuses (TemplateRowFault).
// Then, when every row reads, the rows are checked together as Build checks
// them (levels, berms, ditches), with the station as read.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/section/roadbed_template.h"

namespace tarvelo {

struct TemplateFileContent {
    // The rows in file order, stations as displayed; empty whenever errors
    // is not, so that nothing is built from a half-read file.
    std::vector<TemplateRow> rows;
    std::vector<TemplateIssue> errors;  // one per faulty row, in line order
    int headerLine = 0;                 // the header's line, 0 when there is none
    bool ok() const { return errors.empty(); }
};

TemplateFileContent ParseTemplateFile(std::string_view utf8);

// One row's fields (trimmed; as many as the line or table row has) read as
// the file reads a line: the row (its `line` set), or the row's fault with
// `line` in its message and the cell at fault in its column. The file's
// reader and the window's template table both read rows through it; the
// rows together are checked by RoadbedTemplate::Build.
struct TemplateFieldsRead {
    std::optional<TemplateRow> row;
    std::optional<TemplateIssue> fault;  // set exactly when row is not
};
TemplateFieldsRead ReadTemplateFields(const std::vector<std::string>& fields, int line);

// What was read: "读入 9 行路基模板，左侧 2 个、右侧 2 个起始桩号（第 3 行为表头）".
std::string DescribeTemplateFile(const TemplateFileContent& content);

// The rows as a template file: the header row
// "起始桩号,侧,部位,参数1,参数2,参数3,参数4", one row per part, commas, CR LF,
// stations in metres and numbers in their shortest round-trip form, so the
// file read back gives the same rows (their line numbers apart).
std::string FormatTemplateFile(const std::vector<TemplateRow>& rows);

// One row's seven cells as FormatTemplateFile writes them (side 左/右/两侧,
// part 路肩/边沟/挖方/填方, an absent parameter empty).
std::array<std::string, 7> TemplateRowFields(const TemplateRow& row);

}  // namespace tarvelo
