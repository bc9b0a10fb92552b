#include "reports/text_columns.h"

namespace tarvelo {

int CharacterCount(const QString& text)
{
    int count = 0;
    for (QChar c : text)
        if (!c.isLowSurrogate()) ++count;
    return count;
}

int DisplayWidth(const QString& text)
{
    int width = 0;
    for (QChar c : text) {
        if (c.isLowSurrogate()) continue;
        width += c.unicode() < 0x80 ? 1 : 2;
    }
    return width;
}

void PadToColumn(QString& line, int column)
{
    const int used = CharacterCount(line);
    if (used < column - 1) line.append(QString(column - 1 - used, QLatin1Char(' ')));
}

}  // namespace tarvelo
