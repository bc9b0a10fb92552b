#pragma once
// The break table's cells as typed (断链表): reading the texts into chain
// breaks by the break file's own row reader, and the texts of breaks read
// from a file. Plain C++ (UTF-8 strings), so the rule is tested without a
// window.

#include <array>
#include <string>
#include <vector>

#include "core/files/break_file.h"

namespace tarvelo {

enum BreakColumn { kBreakBack, kBreakAhead, kBreakName, kBreakColumnCount };

// Column captions: 断前桩号, 断后桩号, 名称.
extern const std::array<const char*, kBreakColumnCount> kBreakColumnCaptions;

using BreakRowTexts = std::array<std::string, kBreakColumnCount>;

struct BreakCellProblem {
    int row = 0, column = 0;
    std::string message;  // "第 N 行：" (N the table row from 1) and the reason
};

struct BreakRowsRead {
    std::vector<BreakInput> rows;            // complete only when problems is empty
    std::vector<BreakCellProblem> problems;  // at most one per row, in row order
};

// Reads every row by ReadBreakFields (spaces around a text ignored). An
// empty table reads as no breaks and no problems. Whether the breaks fit the
// route is the route's check.
BreakRowsRead ReadBreakRows(const std::vector<BreakRowTexts>& texts);

// The texts of breaks: stations in metres in their shortest plain
// round-trip form, the name as it is.
std::vector<BreakRowTexts> BreakTextsOf(const std::vector<BreakInput>& rows);

}  // namespace tarvelo
