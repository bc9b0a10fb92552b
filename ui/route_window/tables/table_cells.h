#pragma once
// What every editable table's cells share: the columns described as data
// (caption and how the text reads), the problem a cell can have, the rows
// read with their problems, and the one reading rule for numeric cells.
// Plain C++ (UTF-8 strings), so the rules are tested without a window.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// How a column's text is read: free text, a number (ReadFieldNumber), or a
// station in metres or K notation, optionally with its zone "K13+060(2区)"
// (ReadZonedStationField; StationCellZone gives the zone).
enum class CellKind { Text, Number, Station };

struct CellColumn {
    const char* caption;
    CellKind kind;
};

// The captions of columns, in order (the table models keep a pointer to
// them: give them static storage).
template <std::size_t N>
constexpr std::array<const char*, N> CaptionsOf(const std::array<CellColumn, N>& columns)
{
    std::array<const char*, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = columns[i].caption;
    return out;
}

// A cell whose text cannot go into the road.
struct CellProblem {
    int row = 0, column = 0;  // table row and column from 0
    std::string message;      // a Chinese sentence naming the row (from 1), the column and the text
};

// The rows read from a table: complete only when problems is empty (at most
// one per cell, in row, then column order).
template <class Row>
struct RowsRead {
    std::vector<Row> rows;
    std::vector<CellProblem> problems;
};

// Whether a cell takes a value and whether it must have one. A cell that
// takes none must be empty; `why` says why it takes none.
struct CellRule {
    bool used = true;
    bool required = true;
    const char* why = "";
};

// The text without the spaces, tabs and CR around it.
std::string TrimCell(std::string_view text);

// The zone a station cell names ("K13+060(2区)" -> 2), or nothing.
std::optional<int> StationCellZone(const std::string& text);

// "第 3 行 高程": the cell as messages name it (row from 0).
std::string CellPlace(int row, const char* caption);

// Reads the numeric cells of one row (Text columns are skipped and left
// empty): every cell is looked at, so each bad cell is marked, not only the
// first. A used cell's text must read by its column's kind; an empty one is
// a problem when required, otherwise no value. Values are finite.
template <std::size_t N, class Rule>
std::array<std::optional<double>, N> ReadNumberCells(const std::array<std::string, N>& texts, int row,
                                                     const std::array<CellColumn, N>& columns, Rule rule,
                                                     std::vector<CellProblem>& problems);

// The problem of one numeric cell's text, or nothing with the value set.
std::optional<std::string> ReadNumberCell(const std::string& text, CellKind kind, const CellRule& rule,
                                          std::optional<double>* value);

template <std::size_t N, class Rule>
std::array<std::optional<double>, N> ReadNumberCells(const std::array<std::string, N>& texts, int row,
                                                     const std::array<CellColumn, N>& columns, Rule rule,
                                                     std::vector<CellProblem>& problems)
{
    std::array<std::optional<double>, N> values;
    for (std::size_t column = 0; column < N; ++column) {
        if (columns[column].kind == CellKind::Text) continue;
        const CellRule r = rule(int(column));
        if (const auto why = ReadNumberCell(TrimCell(texts[column]), columns[column].kind, r, &values[column]))
            problems.push_back({row, int(column), CellPlace(row, columns[column].caption) + *why});
    }
    return values;
}

// Rows read through a file's own row reader (break and element tables):
// `read(fields, row)` gives a value with `row` (optional), `column` and
// `message`; its message becomes "第 N 行：" and the reason.
template <class Row, std::size_t N, class Reader>
RowsRead<Row> ReadRowsBy(const std::vector<std::array<std::string, N>>& texts, Reader read)
{
    RowsRead<Row> out;
    for (std::size_t row = 0; row < texts.size(); ++row) {
        std::vector<std::string> fields;
        for (const std::string& cell : texts[row]) fields.push_back(TrimCell(cell));
        auto r = read(fields, row);
        if (r.row)
            out.rows.push_back(std::move(*r.row));
        else
            out.problems.push_back({int(row), r.column, "第 " + std::to_string(row + 1) + " 行：" + r.message});
    }
    if (!out.problems.empty()) out.rows.clear();
    return out;
}

}  // namespace tarvelo
