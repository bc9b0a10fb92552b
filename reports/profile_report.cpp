#include "reports/profile_report.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QStringList>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

constexpr int kColumns = 12;
const char* const kHeader[kColumns] = {
    "变坡点桩号", "高程", "半径R", "坡差ω(%)", "凸/凹", "切线长T", "外距E", "曲线长Lv",
    "起点桩号",  "终点桩号", "前坡i1(%)", "后坡i2(%)",
};
constexpr int kGap = 2;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F3(double v) { return Q(FormatFixed(v, 3)); }
QString Percent(double ratio) { return F3(Checked(ratio * 100, "坡度")); }

using Row = std::array<QString, kColumns>;

// A station of the profile as the report prints it.
struct StationWriter {
    const Route* route;
    QString operator()(double v) const { return Q(route ? RouteStationText(*route, v, 3) : FormatKStation(v, 3)); }
};

Row CurveRow(const VerticalCurve& c, const StationWriter& K)
{
    const QString kind = c.crest() ? QStringLiteral("凸") : c.sag() ? QStringLiteral("凹") : QStringLiteral("—");
    return {K(c.station), F3(c.elevation), F3(c.R),     Percent(c.omega), kind,
            F3(c.T),      F3(c.E),         F3(c.Lv),    K(c.start),       K(c.end),
            Percent(c.gradeIn), Percent(c.gradeOut)};
}

QString Line(const Row& row, const std::array<int, kColumns>& widths)
{
    QString line;
    for (int i = 0; i < kColumns; ++i) {
        if (i > 0) line += QString(kGap, QLatin1Char(' '));
        line += QString(widths[i] - DisplayWidth(row[i]), QLatin1Char(' ')) + row[i];
    }
    return line;
}

}  // namespace

QString ProfileCurveTableReport(const Profile& profile, const Route* route)
{
    const StationWriter K{route};
    Row header;
    for (int i = 0; i < kColumns; ++i) header[i] = QString::fromUtf8(kHeader[i]);
    std::vector<Row> rows;
    rows.reserve(profile.curves().size());
    for (const VerticalCurve& c : profile.curves()) rows.push_back(CurveRow(c, K));

    std::array<int, kColumns> widths{};
    for (int i = 0; i < kColumns; ++i) {
        widths[i] = DisplayWidth(header[i]);
        for (const Row& row : rows) widths[i] = std::max(widths[i], DisplayWidth(row[i]));
    }
    int total = kGap * (kColumns - 1);
    for (int w : widths) total += w;

    const QString title = QStringLiteral("竖曲线要素表");
    const QString rule(total, QLatin1Char('-'));
    QStringList lines;
    lines << QString() << QString();
    lines << QString(std::max(0, (total - DisplayWidth(title)) / 2), QLatin1Char(' ')) + title;
    lines << QString();
    lines << QStringLiteral("纵断面 %1 至 %2，变坡点 %3 个，竖曲线 %4 个")
                 .arg(K(profile.startStation()), K(profile.endStation()))
                 .arg(profile.points().size())
                 .arg(profile.curves().size());
    lines << rule << Line(header, widths) << rule;
    for (const Row& row : rows) lines << Line(row, widths);
    lines << rule << QString() << QString();
    lines << QStringLiteral("计算：") + QString(24, QLatin1Char(' ')) + QStringLiteral("复核：") +
                 QString(24, QLatin1Char(' ')) + QStringLiteral("监理：");
    return JoinLinesCrLf(lines);
}

FileStatus WriteProfileCurveTableReport(const QString& path, const Profile& profile, const Route* route)
{
    QString text;
    try {
        text = ProfileCurveTableReport(profile, route);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("竖曲线要素表未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteTextFile(path, text);
}

}  // namespace tarvelo
