#pragma once
// The row arithmetic the editable text tables share (the JD table and the
// grade-point table): what a pasted block makes of the rows, and which rows
// a selection names. Rows are fixed arrays of cell texts.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace tarvelo {

// The rows a block pasted at (row, column) gives, from `row` on: each block
// row's fields overwrite the cells from `column` rightwards (fields past the
// last column are dropped); block rows past the end become new rows.
// Precondition: 0 <= row <= rows.size(), 0 <= column < columns.
template <class Row>
std::vector<Row> PastedRows(const std::vector<Row>& rows, int row, int column,
                            const std::vector<std::vector<std::string>>& block)
{
    constexpr std::size_t columns = std::tuple_size<Row>::value;
    std::vector<Row> out;
    for (std::size_t i = 0; i < block.size(); ++i) {
        const std::size_t target = static_cast<std::size_t>(row) + i;
        Row t = target < rows.size() ? rows[target] : Row{};
        for (std::size_t f = 0; f < block[i].size() && column + f < columns; ++f)
            t[column + f] = block[i][f];
        out.push_back(std::move(t));
    }
    return out;
}

// The row numbers of a selection that exist in a table of `count` rows,
// sorted, each once.
inline std::vector<int> ExistingRows(std::vector<int> rows, int count)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](int r) { return r < 0 || r >= count; }),
               rows.end());
    return rows;
}

}  // namespace tarvelo
