#include "reports/route_report.h"

#include <cmath>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString F3(double v) { return Q(FormatFixed(v, 3)); }
QString F4(double v) { return Q(FormatFixed(v, 4)); }
// The displayed station of the route's own station k (across chain breaks),
// with its zone where a 长链 shows it twice.
QString KD(const Route& r, double k) { return Q(RouteStationText(r, k, 3)); }

QString Deflection(double alpha)
{
    return QString(alpha < 0 ? QStringLiteral("左") : QStringLiteral("右")) +
           Q(DegreesToDmsText(std::fabs(alpha)));
}

QString Accuracy(double mm)
{
    QString s = Q(FormatFixed(mm, 1)) + QStringLiteral(" mm");
    if (mm > kSeriesWarningMm) s += QStringLiteral("（超过 1 mm，注意）");
    return s;
}

QString Radius(double r) { return r == kStraight ? QStringLiteral("∞") : F3(r); }

// An element route has no JDs: its elements and the points where they meet.
void AppendElementRoute(const Route& route, QStringList& lines)
{
    lines << QStringLiteral("线路长 %1 m，线元 %2 个（线元法）").arg(F3(route.length())).arg(route.elements().size());
    lines << QString();
    for (const RouteElement& e : route.elements()) {
        const QString kind = e.kind == ElementKind::Line  ? QStringLiteral("直线")
                             : e.kind == ElementKind::Arc ? QStringLiteral("圆曲线")
                                                          : QStringLiteral("缓和曲线");
        const QString turn = e.turn > 0 ? QStringLiteral("右") : e.turn < 0 ? QStringLiteral("左") : QString();
        lines << QStringLiteral("%1  %2  %3 ~ %4  长 %5  R %6 → %7 %8")
                     .arg(Q(e.name), kind, KD(route, e.startStation), KD(route, e.endStation), F3(e.endStation - e.startStation),
                          Radius(e.startRadius), Radius(e.endRadius), turn);
        lines << QStringLiteral("    起点 X=%1  Y=%2  方位角 %3")
                     .arg(F4(e.start.x), F4(e.start.y), Q(DegreesToDmsText(e.start.azimuth)));
    }
    lines << QString() << QStringLiteral("主点");
    for (const RouteMainPoint& m : route.mainPoints())
        lines << QStringLiteral("    %1  %2  X=%3  Y=%4  方位角 %5")
                     .arg(Q(m.name), KD(route, m.station), F4(m.x), F4(m.y), Q(DegreesToDmsText(m.azimuth)));
}

}  // namespace

// The chain breaks: back = ahead, 长链 or 短链 and its amount.
void AppendBreaks(const Route& route, QStringList& lines)
{
    if (!route.hasBreaks()) return;
    lines << QString() << QStringLiteral("断链表");
    lines << QStringLiteral("    断前桩号 = 断后桩号              长短链        距起点");
    for (const ChainBreak& b : route.chainage().breaks())
        lines << QStringLiteral("    %1  %2 %3 m  %4 m  %5")
                     .arg(Q(FormatBreakText(b.back, b.ahead)), b.isLong() ? QStringLiteral("长链") : QStringLiteral("短链"),
                          F3(std::fabs(b.amount())), F3(b.distance), Q(b.name));
}

QString RouteCurveTableReport(const Route& route)
{
    QStringList lines;
    lines << QStringLiteral("                              直线、曲线及转角表") << QString();
    lines << QStringLiteral("起点 %1  桩号 %2  X=%3  Y=%4")
                 .arg(Q(route.start().name), KD(route, route.start().station), F4(route.start().x),
                      F4(route.start().y));
    lines << QStringLiteral("终点 %1  桩号 %2  X=%3  Y=%4")
                 .arg(Q(route.end().name), KD(route, route.end().station), F4(route.end().x), F4(route.end().y));
    if (route.method() == RouteMethod::Elements) {
        AppendElementRoute(route, lines);
        AppendBreaks(route, lines);
        lines << QString() << QString()
              << QStringLiteral("计算：                                复核：                                监理：");
        return JoinLinesCrLf(lines);
    }
    lines << QStringLiteral("线路长 %1 m，交点 %2 个").arg(F3(route.length())).arg(route.curves().size());
    const RouteLeg& first = route.legs().front();
    lines << QString()
          << QStringLiteral("%1 → %2  直线长 %3  方位角 %4  边长 %5")
                 .arg(Q(first.from), Q(first.to), F3(first.tangent), Q(DegreesToDmsText(first.azimuth)),
                      F3(first.length));
    for (std::size_t j = 0; j < route.curves().size(); ++j) {
        const RouteCurve& c = route.curves()[j];
        const CurveState& s = c.curve;
        const RouteLeg& next = route.legs()[j + 1];
        lines << QString();
        lines << QStringLiteral("%1  X=%2  Y=%3  交点桩号 %4  转角 %5")
                     .arg(Q(c.name), F4(s.X), F4(s.Y), KD(route, s.JD), Deflection(c.alpha));
        lines << QStringLiteral("    R=%1  Ls1=%2  Ls2=%3  T1=%4  T2=%5  L=%6  E=%7")
                     .arg(F3(s.R), F3(s.Ls1), F3(s.Ls2), F3(s.T1), F3(s.T2), F3(s.L), F3(s.E));
        lines << QStringLiteral("    ZH %1  HY %2  QZ %3  YH %4  HZ %5")
                     .arg(KD(route, c.points[0].station), KD(route, c.points[1].station), KD(route, c.points[2].station),
                          KD(route, c.points[3].station), KD(route, c.points[4].station));
        lines << QStringLiteral("    级数精度 缓和曲线1 %1  缓和曲线2 %2")
                     .arg(Accuracy(c.seriesErrorMm[0]), Accuracy(c.seriesErrorMm[1]));
        lines << QStringLiteral("%1 → %2  直线长 %3  方位角 %4  边长 %5")
                     .arg(Q(next.from), Q(next.to), F3(next.tangent), Q(DegreesToDmsText(next.azimuth)),
                          F3(next.length));
    }
    AppendBreaks(route, lines);
    lines << QString() << QString()
          << QStringLiteral("计算：                                复核：                                监理：");
    return JoinLinesCrLf(lines);
}

FileStatus WriteRouteCurveTableReport(const QString& path, const Route& route)
{
    QString text;
    try {
        text = RouteCurveTableReport(route);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QString::fromStdString(fault.what()));
    }
    return WriteTextFile(path, text);
}

}  // namespace tarvelo
