#pragma once
// Column arithmetic of the report layouts: a column is one character (one
// Unicode code point), whatever its width on screen or in bytes.

#include <QString>

namespace tarvelo {

// Number of characters in text (a surrogate pair counts once).
int CharacterCount(const QString& text);

// Appends spaces to line until the next character would be in column
// `column` (1-based). Precondition: the line uses at most column - 1 columns.
void PadToColumn(QString& line, int column);

}  // namespace tarvelo
