#include "ui/main_window/results_box_text.h"

namespace tarvelo {

QString ResultsBoxText(const std::string& table, std::size_t lines)
{
    QString text = QString::fromStdString(table);
    const bool grouped = lines > kLinesPerParagraphFrom;
    // Compacting in place: each CR LF becomes one character, so the write
    // position never passes the read position.
    QChar* data = text.data();
    const qsizetype n = text.size();
    qsizetype out = 0;
    std::size_t ended = 0;
    for (qsizetype in = 0; in < n; ++in) {
        if (data[in] == u'\r' && in + 1 < n && data[in + 1] == u'\n') {
            ++in;
            ++ended;
            data[out++] = grouped && ended % kLinesPerParagraph != 0 ? QChar(QChar::LineSeparator)
                                                                     : QChar(u'\n');
        } else {
            data[out++] = data[in];
        }
    }
    text.truncate(out);
    return text;
}

}  // namespace tarvelo
