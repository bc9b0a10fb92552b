#pragma once
// Column arithmetic of the report layouts: a column is one character (one
// Unicode code point), whatever its width on screen or in bytes; or, for the
// GBK tables, the width a fixed-width font gives the text on a Chinese system.

#include <QString>

namespace tarvelo {

// Number of characters in text (a surrogate pair counts once).
int CharacterCount(const QString& text);

// Columns text takes in a fixed-width font on a Chinese system: one for an
// ASCII character, two for any other (a GBK double-byte character); a
// surrogate pair counts once, as two.
int DisplayWidth(const QString& text);

// Appends spaces to line until the next character would be in column
// `column` (1-based). Precondition: the line uses at most column - 1 columns.
void PadToColumn(QString& line, int column);

}  // namespace tarvelo
