#pragma once
// Whether a table's first row is a header: the one rule every reader of a
// text table follows, so that a broken first data row is never mistaken for
// a header and skipped.
//
// A row is a header only when it holds header words: at least one field
// that, with a bracketed unit or direction after it removed ("X(北)",
// "高程（m）", "长度[m]") and ASCII letters folded to lower case, is one of
// the reader's words. Anything else is data and is read (and refused with
// its line when it does not parse). A row holding a number or a station is
// data, whatever its names say (IsHeaderRow).

#include <string>
#include <string_view>
#include <vector>

#include "core/files/text_table.h"

namespace tarvelo {

// The field as a header word: brackets and what follows them dropped,
// blanks trimmed, ASCII letters lower-cased. "X(北)" -> "x".
std::string HeaderKey(std::string_view field);

// True when some field's HeaderKey equals one of `words` (given in lower
// case).
bool HoldsHeaderWords(const TableLine& row, const std::vector<std::string_view>& words);

// The index of the first field whose HeaderKey is one of `words`, or -1.
int HeaderColumn(const TableLine& row, const std::vector<std::string_view>& words);

// The rule every reader applies to its first row: a header holds header
// words and no field that reads as a number or a station (metres or K
// notation, ReadStationField), so that a data row with a name like "name" or
// "N" stays data.
bool IsHeaderRow(const TableLine& row, const std::vector<std::string_view>& words);

// The column words of every table file the readers take (route, element,
// break, profile, cross-section, design, point and roadbed template files), as HeaderKey
// gives them: the words by which a table is found inside a larger sheet
// (a workbook with title rows above it).
const std::vector<std::string_view>& TableColumnWords();

}  // namespace tarvelo
