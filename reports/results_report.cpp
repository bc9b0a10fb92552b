#include "reports/results_report.h"

#include <QStringList>

#include "reports/text_file.h"

namespace tarvelo {

namespace {

// text with every lone CR and lone LF written as CR LF.
QString WithCrLf(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += QLatin1String("\r\n");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

QString ResultsReportText(const QString& tableText)
{
    QString text = JoinLinesCrLf({
        QString(),
        QString(),
        QString(16, QLatin1Char(' ')) + QStringLiteral("曲线坐标计算成果表"),
        QString(13, QLatin1Char(' ')) + QString(24, QLatin1Char('-')),
        QString(),
    });
    text += WithCrLf(tableText);
    text += JoinLinesCrLf({
        QString(),
        QString(),
        QString(),
        QStringLiteral("计算：") + QString(17, QLatin1Char(' ')) + QStringLiteral("复核：") +
            QString(17, QLatin1Char(' ')) + QStringLiteral("监理："),
    });
    return text;
}

FileStatus WriteResultsReport(const QString& path, const QString& tableText)
{
    return WriteTextFile(path, ResultsReportText(tableText));
}

}  // namespace tarvelo
