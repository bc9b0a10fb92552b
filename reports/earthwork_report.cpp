#include "reports/earthwork_report.h"

#include <QStringList>

#include <vector>

#include "compute/earthwork_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/cass_file.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F3(double v) { return Q(FormatFixed(v, 3)); }
QString F2(double v) { return Q(FormatFixed(v, 2)); }

}  // namespace

QString EarthworkReport(const Route& route, const std::string& routeName, const EarthworkResult& r)
{
    // Units as m2 and m3: GBK has no superscript digits. One row per section; the interval ending at a section is on its row,
    // as the design documents print the table.
    std::vector<QStringList> rows;
    rows.push_back({QStringLiteral("桩号"), QStringLiteral("挖方面积(m2)"), QStringLiteral("填方面积(m2)"),
                    QStringLiteral("距离(m)"), QStringLiteral("挖方数量(m3)"), QStringLiteral("填方数量(m3)"),
                    QStringLiteral("备注")});
    for (std::size_t i = 0; i < r.sections.size(); ++i) {
        const EarthworkSection& s = r.sections[i];
        QStringList row;
        row << Q(EarthworkStationText(route, s));
        row << (s.areas ? F2(s.areas->cut) : QStringLiteral("-")) << (s.areas ? F2(s.areas->fill) : QStringLiteral("-"));
        if (i > 0) {
            const EarthworkInterval& v = r.intervals[i - 1];
            row << F3(v.length) << (v.cut ? F2(*v.cut) : QStringLiteral("-")) << (v.fill ? F2(*v.fill) : QStringLiteral("-"));
        } else {
            row << QString() << QString() << QString();
        }
        row << Q(s.problem);
        rows.push_back(row);
    }
    std::vector<int> width(7, 0);
    for (const QStringList& row : rows)
        for (int c = 0; c < row.size(); ++c) width[std::size_t(c)] = std::max(width[std::size_t(c)], DisplayWidth(row[c]));
    QStringList lines;
    lines << QStringLiteral("土石方数量表") << QStringLiteral("路线：%1").arg(Q(routeName)) << QString();
    for (const QStringList& row : rows) {
        QString line;
        for (int c = 0; c < row.size(); ++c) {
            const int w = width[std::size_t(c)];
            const QString pad(w - DisplayWidth(row[c]), QLatin1Char(' '));
            line += (c == 0 || c == 6 ? row[c] + pad : pad + row[c]) + (c + 1 < row.size() ? QStringLiteral("  ") : QString());
        }
        lines << line.trimmed();
    }
    lines << QString();
    lines << QStringLiteral("合计  挖方 %1 m3  填方 %2 m3").arg(F2(Checked(r.cut, "挖方数量")), F2(Checked(r.fill, "填方数量")));
    if (r.leftOut)
        lines << QStringLiteral("有 %1 个区间因断面有问题未计入").arg(r.leftOut);
    return JoinLinesCrLf(lines);
}

FileStatus WriteEarthworkReport(const QString& path, const Route& route, const std::string& routeName,
                                const EarthworkResult& result)
{
    QString text;
    try {
        text = EarthworkReport(route, routeName, result);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("土石方数量表未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteTextFile(path, text);
}

std::size_t AppendCatchStakeRows(std::string& out, const Route& route, const EarthworkResult& result)
{
    std::size_t n = 0;
    for (const EarthworkSection& s : result.sections) {
        for (const auto& [c, side] : {std::pair{&s.left, RoadSide::Left}, std::pair{&s.right, RoadSide::Right}}) {
            if (!*c) continue;
            // The name holds no comma or line break and GBK holds every character of it.
            AppendCassRow(out, CatchStakeName(route, s, side), (*c)->x, (*c)->y, (*c)->z);
            ++n;
        }
    }
    return n;
}

}  // namespace tarvelo
