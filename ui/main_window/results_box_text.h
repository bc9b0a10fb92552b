#pragma once
// The stakeout table as the results box Text12 takes it.

#include <QString>
#include <cstddef>
#include <string>

namespace tarvelo {

// Tables longer than this many lines are grouped into paragraphs of
// kLinesPerParagraph lines (see ResultsBoxText).
inline constexpr std::size_t kLinesPerParagraphFrom = 65536;
inline constexpr std::size_t kLinesPerParagraph = 16;

// The table text (UTF-8, every line ending with CR LF) with each CR LF turned
// into a line break of the box. The box's document costs a few microseconds
// per paragraph, far too much for a table of a million rows, so a table of
// more than kLinesPerParagraphFrom lines gets a paragraph break after every
// kLinesPerParagraph lines and a line separator (U+2028) within a paragraph.
// Either way the box's plain text is the table with "\n" line ends. A lone CR
// or LF is kept as it is.
QString ResultsBoxText(const std::string& table, std::size_t lines);

}  // namespace tarvelo
