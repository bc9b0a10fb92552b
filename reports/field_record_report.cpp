#include "reports/field_record_report.h"

#include <algorithm>

#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

constexpr int kGap = 2;

QString Line(const std::vector<QString>& cells, const std::vector<int>& widths, const std::vector<bool>& left)
{
    QString line;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const QString text = c < cells.size() ? cells[c] : QString();
        if (c > 0) line += QString(kGap, QLatin1Char(' '));
        const QString pad(std::max(0, widths[c] - DisplayWidth(text)), QLatin1Char(' '));
        line += c < left.size() && left[c] ? text + pad : pad + text;
    }
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    return line;
}

}  // namespace

QString FieldRecordText(const FieldRecord& r)
{
    std::vector<int> widths(r.header.size(), 0);
    int total = 0;
    for (std::size_t c = 0; c < r.header.size(); ++c) {
        widths[c] = DisplayWidth(r.header[c]);
        for (const auto& row : r.rows)
            if (c < row.size()) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        total += widths[c] + (c ? kGap : 0);
    }
    QStringList lines;
    lines << QString() << QString();
    lines << QString(std::max(0, (total - DisplayWidth(r.title)) / 2), QLatin1Char(' ')) + r.title;
    lines << QString();
    lines << r.heading;
    lines << QString();
    const QString rule(total, QLatin1Char('-'));
    lines << rule << Line(r.header, widths, r.left) << rule;
    for (const auto& row : r.rows) lines << Line(row, widths, r.left);
    lines << rule;
    if (!r.notes.isEmpty()) lines << QString() << r.notes;
    lines << QString() << QString();
    lines << QStringLiteral("计算：") + QString(24, QLatin1Char(' ')) + QStringLiteral("复核：") +
                 QString(24, QLatin1Char(' ')) + QStringLiteral("监理：");
    return JoinLinesCrLf(lines);
}

FileStatus WriteFieldRecord(const QString& path, const FieldRecord& record)
{
    return WriteTextFile(path, FieldRecordText(record));
}

}  // namespace tarvelo
