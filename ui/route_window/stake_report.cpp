#include "ui/route_window/stake_report.h"

#include "compute/route_text.h"
#include "core/angles.h"
#include "core/number_text.h"
#include "reports/text_columns.h"
#include "ui/route_window/stake_table_model.h"

namespace tarvelo {

namespace {

// Where each column starts (1-based characters).
constexpr int kColumnStart[StakeTableModel::kColumnCount] = {1, 18, 34, 50, 66};

void AppendRow(QString& out, const QString (&cells)[StakeTableModel::kColumnCount])
{
    QString line;
    for (int c = 0; c < StakeTableModel::kColumnCount; ++c) {
        if (c > 0) {
            PadToColumn(line, kColumnStart[c]);
        }
        line += cells[c];
    }
    out += line;
    out += QStringLiteral("\r\n");
}

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QString StakeReportText(const StakeTableModel& table)
{
    const RouteTableParams& p = table.params();
    QString out;
    out.reserve(static_cast<qsizetype>(table.size()) * 80 + 400);
    out += QStringLiteral("逐桩坐标表\r\n");
    out += QStringLiteral("起止桩号：%1 — %2    间距：%3 m    偏距：%4 m    斜交角：%5\r\n")
               .arg(U(FormatKStation(table.entry(0).station)),
                    U(FormatKStation(table.entry(table.size() - 1).station)),
                    U(FormatGeneral(p.interval)), U(FormatGeneral(p.m)),
                    U(DegreesToDmsText(p.a)));
    out += QStringLiteral("\r\n");
    AppendRow(out, {QStringLiteral("桩号"), QStringLiteral("X (m)"), QStringLiteral("Y (m)"),
                    QStringLiteral("方位角"), QStringLiteral("主点")});
    for (std::size_t r = 0; r < table.size(); ++r) {
        const RouteTableRow row = table.computedRow(r);
        const CentrelinePoint& pt = row.stake.point;
        AppendRow(out, {U(FormatKStation(row.entry.station)), U(FormatFixed(pt.x, 4)),
                        U(FormatFixed(pt.y, 4)), U(DegreesToDmsText(pt.azimuth)),
                        U(row.entry.kind)});
    }
    return out;
}

}  // namespace tarvelo
