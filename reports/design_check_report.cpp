#include "reports/design_check_report.h"

#include <algorithm>
#include <vector>

#include <QStringList>

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

enum Column { kLine, kName, kStation, kZone, kX, kY, kDx, kDy, kDistance, kDz, kFootStation, kFootOffset, kClass,
              kColumns };
const char* const kHeader[kColumns] = {"行号", "点名", "桩号", "分区", "X(北)", "Y(东)", "ΔX", "ΔY",
                                       "平面差", "高程差", "垂足桩号", "垂足偏距", "结论"};
constexpr int kGap = 2;

using Cells = std::vector<QString>;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F4(const std::optional<double>& v) { return v ? Q(FormatFixed(*v, 4)) : QString(); }
QString K(const std::optional<double>& v) { return v ? Q(FormatKStation(*v, 3)) : QString(); }
QString Metres(const std::optional<double>& v) { return v ? Q(FormatFixed(*v, 4)) + QStringLiteral(" m") : QStringLiteral("—"); }

Cells RowCells(const DesignCheckRow& r)
{
    Cells c(kColumns);
    c[kLine] = QString::number(r.line);
    c[kName] = Q(r.name);
    c[kStation] = K(r.station);
    if (r.zone) c[kZone] = QString::number(*r.zone);
    c[kX] = F4(r.x);
    c[kY] = F4(r.y);
    c[kDx] = F4(r.dx);
    c[kDy] = F4(r.dy);
    c[kDistance] = F4(r.distance);
    c[kDz] = F4(r.dz);
    if (r.footStation) c[kFootStation] = Q(DesignFootText(r));
    c[kFootOffset] = F4(r.footOffset);
    c[kClass] = QString::fromUtf8(DesignClassChinese(r.kind));
    return c;
}

struct Layout {
    std::vector<int> columns;  // shown columns
    std::vector<int> widths;   // per Column
    int total = 0;
};

QString Line(const Cells& cells, const Layout& layout)
{
    QString line;
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const int c = layout.columns[i];
        if (i > 0) line += QString(kGap, QLatin1Char(' '));
        const QString pad(layout.widths[std::size_t(c)] - DisplayWidth(cells[std::size_t(c)]), QLatin1Char(' '));
        const bool left = c == kName || c == kClass;
        line += left ? cells[std::size_t(c)] + pad : pad + cells[std::size_t(c)];
    }
    while (line.endsWith(QLatin1Char(' '))) line.chop(1);
    return line;
}

void AppendTable(QStringList& lines, const Cells& header, const std::vector<const Cells*>& rows, const Layout& layout)
{
    const QString rule(layout.total, QLatin1Char('-'));
    lines << rule << Line(header, layout) << rule;
    for (const Cells* row : rows) lines << Line(*row, layout);
    lines << rule;
}

QString Where(int line, const std::string& name)
{
    QString s = QStringLiteral("（第 %1 行").arg(line);
    if (!name.empty()) s += QLatin1Char(' ') + Q(name);
    return s + QStringLiteral("）");
}

}  // namespace

QStringList DesignCheckSummaryLines(const DesignCheckSummary& s)
{
    const auto count = [&](DesignClass c) { return s.classes[std::size_t(c)]; };
    QStringList lines;
    lines << QStringLiteral("复核 %1 行：相符 %2 行，桩号不符 %3 行，坐标不符 %4 行，高程不符 %5 行，超出线路 %6 行，无法读取 %7 行。")
                 .arg(s.rows)
                 .arg(count(DesignClass::Ok))
                 .arg(count(DesignClass::Station))
                 .arg(count(DesignClass::Offset))
                 .arg(count(DesignClass::Elevation))
                 .arg(count(DesignClass::Outside))
                 .arg(count(DesignClass::Unreadable));
    // Only a route with chain breaks has these; a table without them keeps its line.
    if (count(DesignClass::Ambiguous) || count(DesignClass::Gap)) {
        QString& counts = lines.back();
        counts.chop(1);  // the full stop
        counts += QStringLiteral("，需指明区段 %1 行，落在短链内 %2 行。")
                      .arg(count(DesignClass::Ambiguous))
                      .arg(count(DesignClass::Gap));
    }
    lines << QStringLiteral("最大平面差 ") + Metres(s.maxDistance) +
                 (s.maxDistance ? Where(s.maxDistanceLine, s.maxDistanceName) : QString());
    lines << QStringLiteral("最大高程差 ") + Metres(s.maxDz) + (s.maxDz ? Where(s.maxDzLine, s.maxDzName) : QString());
    lines << QStringLiteral("相符各行平面差的均方根 ") + Metres(s.rms);
    return lines;
}

QString DesignCheckReport(const DesignCheckResult& result, const QString& routeFile, const QString& designFile)
{
    Cells header(kColumns);
    for (int i = 0; i < kColumns; ++i) header[std::size_t(i)] = QString::fromUtf8(kHeader[i]);
    std::vector<Cells> cells;
    cells.reserve(result.rows.size());
    for (const DesignCheckRow& r : result.rows) cells.push_back(RowCells(r));

    Layout layout;
    for (int c = 0; c < kColumns; ++c)
        if (c != kZone || result.zoneColumn) layout.columns.push_back(c);
    layout.widths.assign(kColumns, 0);
    for (int c : layout.columns) {
        int& w = layout.widths[std::size_t(c)];
        w = DisplayWidth(header[std::size_t(c)]);
        for (const Cells& row : cells) w = std::max(w, DisplayWidth(row[std::size_t(c)]));
        layout.total += w;
    }
    layout.total += kGap * int(layout.columns.size() - 1);

    const QString title = QStringLiteral("设计逐桩坐标复核表");
    QStringList lines;
    lines << QString() << QString();
    lines << QString(std::max(0, (layout.total - DisplayWidth(title)) / 2), QLatin1Char(' ')) + title;
    lines << QString();
    lines << QStringLiteral("线路文件：") + routeFile;
    if (!designFile.isEmpty()) lines << QStringLiteral("设计文件：") + designFile;
    lines << QStringLiteral("限差：平面 %1 m，高程 %2 m")
                 .arg(Q(FormatGeneral(result.tolerances.plan)), Q(FormatGeneral(result.tolerances.z)));
    lines << QString();
    lines << DesignCheckSummaryLines(result.summary);
    lines << QString();

    std::vector<const Cells*> bad, all;
    QStringList reasons;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        all.push_back(&cells[i]);
        if (result.rows[i].kind == DesignClass::Ok) continue;
        bad.push_back(&cells[i]);
        reasons << Q(result.rows[i].reason);
    }
    lines << QStringLiteral("一、不相符的行（%1 行）").arg(bad.size());
    if (bad.empty()) {
        lines << QStringLiteral("全部相符。");
    } else {
        AppendTable(lines, header, bad, layout);
        lines << reasons;
    }
    lines << QString();
    lines << QStringLiteral("二、全部各行（%1 行）").arg(all.size());
    AppendTable(lines, header, all, layout);
    lines << QString() << QString();
    lines << QStringLiteral("计算：") + QString(24, QLatin1Char(' ')) + QStringLiteral("复核：") +
                 QString(24, QLatin1Char(' ')) + QStringLiteral("监理：");
    return JoinLinesCrLf(lines);
}

FileStatus WriteDesignCheckReport(const QString& path, const DesignCheckResult& result, const QString& routeFile,
                                  const QString& designFile)
{
    QString text;
    try {
        text = DesignCheckReport(result, routeFile, designFile);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("设计逐桩坐标复核表未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteTextFile(path, text);
}

}  // namespace tarvelo
