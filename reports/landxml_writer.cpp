#include "reports/landxml_writer.h"

#include <charconv>
#include <cmath>
#include <limits>

#include <QDateTime>
#include <QXmlStreamWriter>

#include "core/numbers/float_fault.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

constexpr double kFullPi = 3.14159265358979323846;
constexpr double kZeroStraight = 1e-6;  // metres, the route's own tolerance for t

QString Number(double v)
{
    Checked(v, "LandXML 数值");
    if (v == 0) v = 0;  // no "-0"
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, qsizetype(r.ptr - buf));
}

QString NorthEast(double x, double y) { return Number(x) + QLatin1Char(' ') + Number(y); }

void PointElement(QXmlStreamWriter& w, const char* name, double x, double y)
{
    w.writeTextElement(QString::fromLatin1(name), NorthEast(x, y));
}

}  // namespace

PlanPoint TangentIntersection(double x1, double y1, double a1, double x2, double y2, double a2)
{
    const double r1 = a1 * (kFullPi / 180), r2 = a2 * (kFullPi / 180);
    const double d1x = std::cos(r1), d1y = std::sin(r1);
    const double d2x = std::cos(r2), d2y = std::sin(r2);
    const double cross = d1x * d2y - d1y * d2x;
    if (!(std::fabs(cross) >= 1e-15)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    // (p2 - p1) = u·d1 - v·d2  ->  u = cross(p2 - p1, d2) / cross(d1, d2)
    const double u = ((x2 - x1) * d2y - (y2 - y1) * d2x) / cross;
    return {x1 + u * d1x, y1 + u * d1y};
}

QByteArray LandXmlText(const Route& route, const QString& alignmentName,
                       const std::vector<GradePointInput>* profile)
{
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument(QStringLiteral("1.0"));
    w.writeDefaultNamespace(QString::fromLatin1(kLandXmlNamespace));
    w.writeStartElement(QString::fromLatin1(kLandXmlNamespace), QStringLiteral("LandXML"));
    const QDateTime now = QDateTime::currentDateTime();
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    w.writeAttribute(QStringLiteral("date"), now.date().toString(Qt::ISODate));
    w.writeAttribute(QStringLiteral("time"), now.time().toString(QStringLiteral("HH:mm:ss")));

    w.writeStartElement(QStringLiteral("Units"));
    w.writeEmptyElement(QStringLiteral("Metric"));
    w.writeAttribute(QStringLiteral("areaUnit"), QStringLiteral("squareMeter"));
    w.writeAttribute(QStringLiteral("linearUnit"), QStringLiteral("meter"));
    w.writeAttribute(QStringLiteral("volumeUnit"), QStringLiteral("cubicMeter"));
    w.writeAttribute(QStringLiteral("temperatureUnit"), QStringLiteral("celsius"));
    w.writeAttribute(QStringLiteral("pressureUnit"), QStringLiteral("milliBars"));
    w.writeAttribute(QStringLiteral("angularUnit"), QStringLiteral("decimal degrees"));
    w.writeAttribute(QStringLiteral("directionUnit"), QStringLiteral("decimal degrees"));
    w.writeEndElement();  // Units

    w.writeStartElement(QStringLiteral("Alignments"));
    w.writeStartElement(QStringLiteral("Alignment"));
    w.writeAttribute(QStringLiteral("name"), alignmentName);
    w.writeAttribute(QStringLiteral("length"), Number(route.length()));
    w.writeAttribute(QStringLiteral("staStart"), Number(route.start().station));
    w.writeStartElement(QStringLiteral("CoordGeom"));

    for (const RouteElement& e : route.elements()) {
        const double length = e.endStation - e.startStation;
        // The element's name (element routes) or its JD's (a JD route's
        // curve and spirals), so that an import gives the same names back.
        const std::string& name = route.method() == RouteMethod::Elements ? e.name
                                  : e.kind == ElementKind::Line           ? e.name
                                                                          : route.curves()[e.curve].name;
        const auto writeName = [&w, &name]() {
            if (!name.empty()) w.writeAttribute(QStringLiteral("name"), QString::fromStdString(name));
        };
        if (e.kind == ElementKind::Line) {
            // A straight the route takes as 0 (curves that meet) is no element.
            if (!(length > kZeroStraight)) continue;
            w.writeStartElement(QStringLiteral("Line"));
            writeName();
            w.writeAttribute(QStringLiteral("staStart"), Number(e.startStation));
            w.writeAttribute(QStringLiteral("length"), Number(length));
            PointElement(w, "Start", e.start.x, e.start.y);
            PointElement(w, "End", e.end.x, e.end.y);
            w.writeEndElement();
            continue;
        }
        const QString rot = e.turn > 0 ? QStringLiteral("cw") : QStringLiteral("ccw");
        const PlanPoint pi = TangentIntersection(e.start.x, e.start.y, e.start.azimuth, e.end.x,
                                                 e.end.y, e.end.azimuth);
        Checked(pi.x, "切线交点");
        Checked(pi.y, "切线交点");
        if (e.kind == ElementKind::Spiral) {
            const auto radius = [](double r) { return r == kStraight ? QStringLiteral("INF") : Number(r); };
            w.writeStartElement(QStringLiteral("Spiral"));
            writeName();
            w.writeAttribute(QStringLiteral("length"), Number(length));
            w.writeAttribute(QStringLiteral("radiusStart"), radius(e.startRadius));
            w.writeAttribute(QStringLiteral("radiusEnd"), radius(e.endRadius));
            w.writeAttribute(QStringLiteral("rot"), rot);
            w.writeAttribute(QStringLiteral("spiType"), QStringLiteral("clothoid"));
            w.writeAttribute(QStringLiteral("staStart"), Number(e.startStation));
            PointElement(w, "Start", e.start.x, e.start.y);
            PointElement(w, "PI", pi.x, pi.y);
            PointElement(w, "End", e.end.x, e.end.y);
            w.writeEndElement();
        } else {
            w.writeStartElement(QStringLiteral("Curve"));
            writeName();
            w.writeAttribute(QStringLiteral("rot"), rot);
            w.writeAttribute(QStringLiteral("radius"), Number(e.radius));
            w.writeAttribute(QStringLiteral("length"), Number(length));
            w.writeAttribute(QStringLiteral("staStart"), Number(e.startStation));
            PointElement(w, "Start", e.start.x, e.start.y);
            PointElement(w, "Center", e.centreX, e.centreY);
            PointElement(w, "End", e.end.x, e.end.y);
            PointElement(w, "PI", pi.x, pi.y);
            w.writeEndElement();
        }
    }
    w.writeEndElement();  // CoordGeom
    if (profile && !profile->empty()) {
        // The grade points as the profile file has them: the ends as PVI,
        // every point between with its vertical curve's radius.
        w.writeStartElement(QStringLiteral("Profile"));
        w.writeAttribute(QStringLiteral("name"), alignmentName);
        w.writeStartElement(QStringLiteral("ProfAlign"));
        w.writeAttribute(QStringLiteral("name"), alignmentName);
        for (std::size_t i = 0; i < profile->size(); ++i) {
            const GradePointInput& g = (*profile)[i];
            const bool end = i == 0 || i + 1 == profile->size();
            if (end || !g.R) {
                w.writeTextElement(QStringLiteral("PVI"), Number(g.station) + QLatin1Char(' ') + Number(g.elevation));
                continue;
            }
            w.writeStartElement(QStringLiteral("CircCurve"));
            w.writeAttribute(QStringLiteral("radius"), Number(*g.R));
            w.writeCharacters(Number(g.station) + QLatin1Char(' ') + Number(g.elevation));
            w.writeEndElement();
        }
        w.writeEndElement();  // ProfAlign
        w.writeEndElement();  // Profile
    }
    // One station equation per chain break; staInternal is the station the
    // break would have without any break, i.e. start + distance.
    for (const ChainBreak& b : route.chainage().breaks()) {
        w.writeEmptyElement(QStringLiteral("StaEquation"));
        w.writeAttribute(QStringLiteral("staBack"), Number(b.back));
        w.writeAttribute(QStringLiteral("staAhead"), Number(b.ahead));
        w.writeAttribute(QStringLiteral("staInternal"), Number(route.start().station + b.distance));
        w.writeAttribute(QStringLiteral("staIncrement"), QStringLiteral("increasing"));
        if (!b.name.empty()) w.writeAttribute(QStringLiteral("desc"), QString::fromStdString(b.name));
    }
    w.writeEndElement();  // Alignment
    w.writeEndElement();  // Alignments
    w.writeEndElement();  // LandXML
    w.writeEndDocument();
    return bytes;
}

FileStatus WriteLandXml(const QString& path, const Route& route, const QString& alignmentName,
                        const std::vector<GradePointInput>* profile)
{
    QByteArray bytes;
    try {
        bytes = LandXmlText(route, alignmentName, profile);
    } catch (const FloatFault& f) {
        return FileStatus::Failure(QString::fromUtf8(f.what()));
    }
    return WriteFileBytes(path, bytes);
}

}  // namespace tarvelo
