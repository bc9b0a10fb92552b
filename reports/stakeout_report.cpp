#include "reports/stakeout_report.h"

#include <algorithm>
#include <vector>

#include <QStringList>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

constexpr int kGap = 2;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F3(double v) { return Q(FormatFixed(v, 3)); }
QString F4(double v) { return Q(FormatFixed(v, 4)); }

// "+1.534" above the sight base, "-1.700" below, "0.000" on it.
QString SignedF3(double v)
{
    const std::string text = FormatFixed(v, 3);
    const bool zero = text.find_first_not_of("-0.") == std::string::npos;
    return Q(text.front() == '-' || zero ? text : "+" + text);
}

struct Column {
    QString head;
    bool right = true;  // numbers right-aligned, names and notes left
    std::vector<QString> cells;
    int width = 0;
};

QString Cell(const Column& c, const QString& text)
{
    const QString pad(c.width - DisplayWidth(text), QLatin1Char(' '));
    return c.right ? pad + text : text + pad;
}

QString StationLine(const InstrumentStation& s)
{
    QString line = QStringLiteral("测站 %1  X=%2  Y=%3").arg(Q(s.name), F4(s.x), F4(s.y));
    if (s.elevation) line += QStringLiteral("  高程 %1").arg(F3(*s.elevation));
    if (s.instrumentHeight) line += QStringLiteral("  仪器高 %1").arg(F3(*s.instrumentHeight));
    if (s.elevation && s.instrumentHeight) line += QStringLiteral("  棱镜高 %1").arg(F3(s.targetHeight));
    return line;
}

QString BacksightLine(const Backsight& b, const StakeoutData& d)
{
    const QString azimuth = Q(FormatAngleDms(d.backsightAzimuth));
    if (b.x && b.y) {
        QString line = QStringLiteral("后视 %1  X=%2  Y=%3  方位角 %4")
                           .arg(Q(b.name), F4(Checked(*b.x, "后视点X")), F4(Checked(*b.y, "后视点Y")), azimuth);
        if (d.backsightDistance) line += QStringLiteral("  距离 %1 m").arg(F3(*d.backsightDistance));
        return line;
    }
    return QStringLiteral("后视方位角 %1").arg(azimuth);
}

}  // namespace

QString StakeoutReport(const InstrumentStation& station, const Backsight& backsight, const StakeoutData& data)
{
    const bool heights = std::any_of(data.lines.begin(), data.lines.end(),
                                     [](const StakeoutLine& l) { return l.designAboveSight.has_value(); });
    const bool notes =
        std::any_of(data.lines.begin(), data.lines.end(), [](const StakeoutLine& l) { return !l.note.empty(); });

    std::vector<Column> columns;
    columns.push_back({QStringLiteral("点名"), false, {}, 0});
    columns.push_back({QStringLiteral("水平角"), true, {}, 0});
    columns.push_back({QStringLiteral("平距(m)"), true, {}, 0});
    if (heights) columns.push_back({QStringLiteral("高差dh(m)"), true, {}, 0});
    if (notes) columns.push_back({QStringLiteral("备注"), false, {}, 0});
    for (const StakeoutLine& l : data.lines) {
        std::size_t c = 0;
        columns[c++].cells.push_back(Q(l.name));
        columns[c++].cells.push_back(l.angle ? Q(FormatAngleDms(*l.angle)) : QStringLiteral("—"));
        columns[c++].cells.push_back(F3(l.distance));
        if (heights) columns[c++].cells.push_back(l.designAboveSight ? SignedF3(*l.designAboveSight) : QString());
        if (notes) columns[c++].cells.push_back(Q(l.note));
    }
    int total = kGap * (int(columns.size()) - 1);
    for (Column& c : columns) {
        c.width = DisplayWidth(c.head);
        for (const QString& cell : c.cells) c.width = std::max(c.width, DisplayWidth(cell));
        total += c.width;
    }
    const auto row = [&](const auto& text) {
        QString line;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) line += QString(kGap, QLatin1Char(' '));
            line += Cell(columns[c], text(c));
        }
        // A left-aligned last column leaves no trailing spaces.
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
        return line;
    };

    const QString title = QStringLiteral("放样数据表");
    const QString rule(total, QLatin1Char('-'));
    QStringList lines;
    lines << QString() << QString();
    lines << QString(std::max(0, (total - DisplayWidth(title)) / 2), QLatin1Char(' ')) + title;
    lines << QString();
    lines << StationLine(station) << BacksightLine(backsight, data);
    lines << rule << row([&](std::size_t c) { return columns[c].head; }) << rule;
    for (std::size_t r = 0; r < data.lines.size(); ++r)
        lines << row([&](std::size_t c) { return columns[c].cells[r]; });
    lines << rule;
    if (heights)
        lines << QStringLiteral("高差dh = 设计高程 - (测站高程 + 仪器高 - 棱镜高)：正值为设计高程高于平视时棱镜的底端，负值为低于。");
    lines << QString() << QString();
    lines << QStringLiteral("计算：") + QString(24, QLatin1Char(' ')) + QStringLiteral("复核：") +
                 QString(24, QLatin1Char(' ')) + QStringLiteral("监理：");
    return JoinLinesCrLf(lines);
}

FileStatus WriteStakeoutReport(const QString& path, const InstrumentStation& station, const Backsight& backsight,
                               const StakeoutData& data)
{
    QString text;
    try {
        text = StakeoutReport(station, backsight, data);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("放样数据表未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteTextFile(path, text);
}

}  // namespace tarvelo
