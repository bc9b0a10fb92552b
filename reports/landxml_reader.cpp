#include "reports/landxml_reader.h"

#include <cmath>
#include <optional>
#include <string>

#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "core/number_text.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

// Largest gap between one element's end and the next one's start: 1 mm,
// plus 1 % of the next element's chord. The series spirals of the JD method
// end a little off the arc on sharp curves (55 mm at R 95.78, Ls 110), and an
// alignment written from such a route must come back; elements out of order
// leave gaps of their own length.
constexpr double kJoinTolerance = 1e-3;
constexpr double kJoinShare = 0.01;
constexpr double kCollinear = 1e-7;           // radians between two Lines that run on
constexpr double kParallel = 1e-12;           // sine below which two tangents do not meet

struct P {
    double x = 0, y = 0;  // north, east
};

enum class Kind { Line, Spiral, Curve };

struct Item {
    Kind kind = Kind::Line;
    int index = 0;  // 1-based position in CoordGeom
    QString tag;
    std::optional<P> start, end, center, pi;
    // Spiral
    double length = 0;
    bool startInf = false, endInf = false;
    double radiusStart = 0, radiusEnd = 0;
    // Curve
    std::optional<double> radius;
    int rot = 0;  // +1 cw (right), -1 ccw (left)
};

struct Failure {
    QString message;
};

[[noreturn]] void Refuse(const QString& message) { throw Failure{message}; }

QString Where(const Item& it)
{
    return QStringLiteral("CoordGeom 中第 %1 个元素 <%2>").arg(it.index).arg(it.tag);
}

[[noreturn]] void Refuse(const Item& it, const QString& what) { Refuse(Where(it) + QStringLiteral("：") + what); }

bool ReadNumber(const QString& text, double* v)
{
    const std::string s = text.trimmed().toStdString();
    return ParseWholeNumber(s, v) && std::isfinite(*v);
}

std::optional<P> ReadPoint(const QString& text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    const QStringList parts = text.trimmed().split(space, Qt::SkipEmptyParts);
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    P p;
    double z = 0;
    if (!ReadNumber(parts[0], &p.x) || !ReadNumber(parts[1], &p.y)) return std::nullopt;
    if (parts.size() == 3 && !ReadNumber(parts[2], &z)) return std::nullopt;
    return p;
}

double Attr(const Item& it, const QXmlStreamAttributes& a, const char* name)
{
    const QString key = QString::fromLatin1(name);
    if (!a.hasAttribute(key)) Refuse(it, QStringLiteral("缺少 %1 属性。").arg(key));
    double v = 0;
    if (!ReadNumber(a.value(key).toString(), &v))
        Refuse(it, QStringLiteral("%1 属性“%2”不是数值。").arg(key, a.value(key).toString()));
    return v;
}

int Rot(const Item& it, const QXmlStreamAttributes& a)
{
    const QString rot = a.value(QStringLiteral("rot")).toString().trimmed();
    if (rot == QLatin1String("cw")) return 1;
    if (rot == QLatin1String("ccw")) return -1;
    Refuse(it, rot.isEmpty() ? QStringLiteral("缺少转向 rot 属性（cw 或 ccw）。")
                             : QStringLiteral("转向 rot 属性“%1”不是 cw 或 ccw。").arg(rot));
}

// A spiral end radius: INF (the tangent side) or a positive number.
void SpiralRadius(const Item& it, const QXmlStreamAttributes& a, const char* name, bool* inf, double* r)
{
    const QString key = QString::fromLatin1(name);
    if (!a.hasAttribute(key)) Refuse(it, QStringLiteral("缺少 %1 属性。").arg(key));
    const QString v = a.value(key).toString().trimmed();
    if (v.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0 ||
        v.compare(QLatin1String("infinity"), Qt::CaseInsensitive) == 0) {
        *inf = true;
        return;
    }
    *inf = false;
    if (!ReadNumber(v, r) || !(*r > 0))
        Refuse(it, QStringLiteral("%1 属性“%2”不是 INF 或正数。").arg(key, v));
}

Item ReadItem(QXmlStreamReader& xml, int index)
{
    Item it;
    it.index = index;
    it.tag = xml.name().toString();
    const QXmlStreamAttributes a = xml.attributes();
    if (it.tag == QLatin1String("Line")) {
        it.kind = Kind::Line;
    } else if (it.tag == QLatin1String("Spiral")) {
        it.kind = Kind::Spiral;
        it.length = Attr(it, a, "length");
        if (!(it.length > 0)) Refuse(it, QStringLiteral("长度 length 必须大于 0。"));
        SpiralRadius(it, a, "radiusStart", &it.startInf, &it.radiusStart);
        SpiralRadius(it, a, "radiusEnd", &it.endInf, &it.radiusEnd);
        it.rot = Rot(it, a);
        const QString type = a.value(QStringLiteral("spiType")).toString().trimmed();
        if (type != QLatin1String("clothoid"))
            Refuse(it, QStringLiteral("缓和曲线类型 spiType 为“%1”，只能导入回旋线（clothoid）。")
                           .arg(type.isEmpty() ? QStringLiteral("（未给出）") : type));
    } else if (it.tag == QLatin1String("Curve")) {
        it.kind = Kind::Curve;
        if (a.hasAttribute(QStringLiteral("radius"))) {
            it.radius = Attr(it, a, "radius");
            if (!(*it.radius > 0)) Refuse(it, QStringLiteral("半径 radius 必须大于 0。"));
        }
        it.rot = Rot(it, a);
    } else {
        Refuse(it, QStringLiteral("只能导入由直线 Line、缓和曲线 Spiral 和圆曲线 Curve 组成的线形。"));
    }
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        std::optional<P>* slot = name == QLatin1String("Start")    ? &it.start
                                 : name == QLatin1String("End")    ? &it.end
                                 : name == QLatin1String("Center") ? &it.center
                                 : name == QLatin1String("PI")     ? &it.pi
                                                                   : nullptr;
        if (!slot) {
            xml.skipCurrentElement();
            continue;
        }
        const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
        *slot = ReadPoint(text);
        if (!*slot)
            Refuse(it, QStringLiteral("<%1> 的坐标“%2”不是“北 东”两个数（不支持 pntRef 点引用）。")
                           .arg(name, text.trimmed()));
    }
    if (!it.start) Refuse(it, QStringLiteral("缺少起点 <Start>。"));
    if (!it.end) Refuse(it, QStringLiteral("缺少终点 <End>。"));
    if (it.kind == Kind::Curve && !it.radius) {
        if (!it.center) Refuse(it, QStringLiteral("既没有半径 radius 属性，也没有圆心 <Center>。"));
        it.radius = std::hypot(it.start->x - it.center->x, it.start->y - it.center->y);
        if (!(*it.radius > 0)) Refuse(it, QStringLiteral("圆心与起点重合，半径为 0。"));
    }
    return it;
}

struct Ray {
    P p;
    double dx = 0, dy = 0;  // unit direction, north and east components
};

std::optional<Ray> RayOf(P from, P to, P through)
{
    const double dx = to.x - from.x, dy = to.y - from.y, n = std::hypot(dx, dy);
    if (!(n > 1e-9) || !std::isfinite(n)) return std::nullopt;
    return Ray{through, dx / n, dy / n};
}

// Direction of travel at point q of a circle about c turning rot.
std::optional<Ray> CircleRay(P c, P q, int rot)
{
    const double rx = q.x - c.x, ry = q.y - c.y, n = std::hypot(rx, ry);
    if (!(n > 1e-9) || !std::isfinite(n)) return std::nullopt;
    // Clockwise in the plan: the radius turned a quarter clockwise.
    return Ray{q, -rot * ry / n, rot * rx / n};
}

Ray LineRay(const Item& it)
{
    const std::optional<Ray> r = RayOf(*it.start, *it.end, *it.start);
    if (!r) Refuse(it, QStringLiteral("起点与终点重合，长度为 0。"));
    return *r;
}

// The tangent at the start (entry) or end (exit) of a curve group.
Ray GroupEndRay(const Item& first, const Item* spiral, bool entry)
{
    if (spiral) {
        if (!spiral->pi) Refuse(*spiral, QStringLiteral("缺少切线交点 <PI>，无法确定切线方向。"));
        const std::optional<Ray> r = entry ? RayOf(*spiral->start, *spiral->pi, *spiral->start)
                                           : RayOf(*spiral->pi, *spiral->end, *spiral->end);
        if (!r) Refuse(*spiral, QStringLiteral("切线交点 <PI> 与切点重合，无法确定切线方向。"));
        return *r;
    }
    const Item& c = first;
    std::optional<Ray> r;
    if (c.center) r = CircleRay(*c.center, entry ? *c.start : *c.end, c.rot);
    else if (c.pi) r = entry ? RayOf(*c.start, *c.pi, *c.start) : RayOf(*c.pi, *c.end, *c.end);
    if (!r) Refuse(c, QStringLiteral("无法由圆心 <Center> 或切线交点 <PI> 确定切线方向。"));
    return *r;
}

double Cross(const Ray& a, const Ray& b) { return a.dx * b.dy - a.dy * b.dx; }

bool SameRadius(double a, double b) { return std::fabs(a - b) <= 1e-6 + 1e-9 * std::fabs(b); }

struct Group {
    const Item* entry = nullptr;  // spiral
    const Item* curve = nullptr;  // none where two spirals meet (arc of length 0)
    const Item* exit = nullptr;   // spiral
    const Item* anchor = nullptr; // the element messages name: the curve, else the entry spiral
    double R = 0;
    int rot = 0;
    Ray before, after;            // tangent lines
};

LandXmlAlignment Build(const std::vector<Item>& items, const QString& name, double staStart)
{
    if (items.empty()) Refuse(QStringLiteral("CoordGeom 中没有任何元素。"));
    for (std::size_t i = 1; i < items.size(); ++i) {
        const P a = *items[i - 1].end, b = *items[i].start, c = *items[i].end;
        const double gap = std::hypot(a.x - b.x, a.y - b.y);
        if (!(gap <= kJoinTolerance + kJoinShare * std::hypot(c.x - b.x, c.y - b.y)))
            Refuse(items[i], QStringLiteral("起点与前一元素的终点相距 %1 m，线形不连续。")
                                 .arg(QString::fromStdString(FormatFixed(gap, 4))));
    }

    // The chain as runs of Lines and curve groups, in order.
    std::vector<Group> groups;
    std::size_t i = 0;
    int lastLine = -1;  // the Line just before items[i], if items[i - 1] is one
    while (i < items.size()) {
        const Item& it = items[i];
        if (it.kind == Kind::Line) {
            const Ray r = LineRay(it);
            if (lastLine >= 0) {
                const Ray prev = LineRay(items[std::size_t(lastLine)]);
                if (std::fabs(Cross(prev, r)) > kCollinear || prev.dx * r.dx + prev.dy * r.dy < 0)
                    Refuse(it, QStringLiteral("与前一条直线 Line 之间有转角却没有曲线。"));
            }
            lastLine = int(i);
            ++i;
            continue;
        }
        Group g;
        if (it.kind == Kind::Spiral) {
            if (!it.startInf || it.endInf)
                Refuse(it, QStringLiteral("曲线之前的缓和曲线应从半径 INF 变到圆曲线半径（radiusStart=\"INF\"）。"));
            g.entry = &it;
            ++i;
            // Two spirals may meet with no arc between them (its length 0).
            const bool exitFollows = i < items.size() && items[i].kind == Kind::Spiral && !items[i].startInf;
            if (!exitFollows && (i >= items.size() || items[i].kind != Kind::Curve))
                Refuse(it, QStringLiteral("其后不是圆曲线 Curve：只能导入 直线–[缓和曲线]–圆曲线–[缓和曲线]–直线 形式的线形。"));
        }
        if (i < items.size() && items[i].kind == Kind::Curve) {
            g.curve = &items[i];
            ++i;
        }
        g.anchor = g.curve ? g.curve : g.entry;
        g.R = g.curve ? *g.curve->radius : g.entry->radiusEnd;
        g.rot = g.anchor->rot;
        if (i < items.size() && items[i].kind == Kind::Spiral && !items[i].startInf) {
            g.exit = &items[i];
            if (!g.exit->endInf)
                Refuse(*g.exit, QStringLiteral("曲线之后的缓和曲线应从圆曲线半径变到 INF（radiusEnd=\"INF\"）。"));
            ++i;
        }
        const double R = g.R;
        for (const Item* sp : {g.entry, g.exit}) {
            if (!sp) continue;
            const double r = sp == g.entry ? sp->radiusEnd : sp->radiusStart;
            if (!SameRadius(r, R))
                Refuse(*sp, QStringLiteral("圆曲线一端的半径 %1 与相接圆曲线（或缓和曲线）的半径 %2 不同。")
                                .arg(QString::fromStdString(FormatGeneral(r)),
                                     QString::fromStdString(FormatGeneral(R))));
            if (sp->rot != g.rot)
                Refuse(*sp, QStringLiteral("转向 rot 与相接圆曲线（或缓和曲线）的转向不同。"));
        }
        // Tangent lines from the Lines where there are (a long baseline),
        // else from the curve group's own ends.
        // (Without a curve both spirals are there, and the curve is not needed.)
        g.before = lastLine >= 0 ? LineRay(items[std::size_t(lastLine)]) : GroupEndRay(*g.anchor, g.entry, true);
        g.after = i < items.size() && items[i].kind == Kind::Line ? LineRay(items[i])
                                                                   : GroupEndRay(*g.anchor, g.exit, false);
        groups.push_back(g);
        lastLine = -1;
    }
    if (groups.empty()) Refuse(QStringLiteral("CoordGeom 中没有圆曲线 Curve，无法得到交点 JD。"));

    LandXmlAlignment out;
    out.name = name;
    RoutePointInput qd;
    qd.name = "QD";
    qd.x = items.front().start->x;
    qd.y = items.front().start->y;
    qd.station = staStart;
    out.rows.push_back(qd);
    for (std::size_t j = 0; j < groups.size(); ++j) {
        const Group& g = groups[j];
        const double cross = Cross(g.before, g.after);
        if (std::fabs(cross) < kParallel && g.before.dx * g.after.dx + g.before.dy * g.after.dy > 0)
            Refuse(*g.anchor, QStringLiteral("曲线前后的切线方向相同，没有转角。"));
        if (std::fabs(cross) < kParallel)
            Refuse(*g.anchor, QStringLiteral("曲线前后的切线平行（转角 180°），求不出交点 JD。"));
        if ((cross > 0 ? 1 : -1) != g.rot)
            Refuse(*g.anchor, QStringLiteral("转向 rot 为“%1”，但前后切线的转向相反。")
                                 .arg(g.rot > 0 ? QStringLiteral("cw") : QStringLiteral("ccw")));
        // before.p + u·before.d = after.p + v·after.d
        const double u = ((g.after.p.x - g.before.p.x) * g.after.dy - (g.after.p.y - g.before.p.y) * g.after.dx) / cross;
        RoutePointInput jd;
        jd.name = "JD" + std::to_string(j + 1);
        jd.x = g.before.p.x + u * g.before.dx;
        jd.y = g.before.p.y + u * g.before.dy;
        if (!std::isfinite(jd.x) || !std::isfinite(jd.y))
            Refuse(*g.anchor, QStringLiteral("求不出交点 JD 的坐标。"));
        jd.R = g.R;
        jd.Ls1 = g.entry ? g.entry->length : 0;
        jd.Ls2 = g.exit ? g.exit->length : 0;
        out.rows.push_back(jd);
    }
    RoutePointInput zd;
    zd.name = "ZD";
    zd.x = items.back().end->x;
    zd.y = items.back().end->y;
    out.rows.push_back(zd);
    return out;
}

bool IsLandXmlNamespace(const QString& ns)
{
    return ns.startsWith(QLatin1String("http://www.landxml.org/schema/LandXML-1."));
}

LandXmlAlignment Parse(const QByteArray& bytes)
{
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement()) {
        Refuse(QStringLiteral("不是 XML 文件（%1，第 %2 行）。")
                   .arg(xml.errorString().isEmpty() ? QStringLiteral("没有元素") : xml.errorString())
                   .arg(xml.lineNumber()));
    }
    if (xml.name() != QLatin1String("LandXML") || !IsLandXmlNamespace(xml.namespaceUri().toString()))
        Refuse(QStringLiteral("根元素是 <%1>（命名空间“%2”），不是 LandXML 1.x 文件。")
                   .arg(xml.name().toString(), xml.namespaceUri().toString()));

    int alignments = 0;
    QString name;
    std::optional<double> staStart;
    std::vector<Item> items;
    bool coordGeomSeen = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const QStringView tag = xml.name();
        if (tag == QLatin1String("Imperial")) {
            Refuse(QStringLiteral("单位为英制（Imperial），只能导入米制（Metric，meter）的线形。"));
        } else if (tag == QLatin1String("Metric")) {
            const QString unit = xml.attributes().value(QStringLiteral("linearUnit")).toString();
            if (!unit.isEmpty() && unit != QLatin1String("meter"))
                Refuse(QStringLiteral("长度单位 linearUnit 为“%1”，只能导入以米（meter）为单位的线形。").arg(unit));
        } else if (tag == QLatin1String("Alignment")) {
            if (++alignments > 1)
                Refuse(QStringLiteral("文件中有不止一条线形 <Alignment>，只能导入只含一条线形的文件。"));
            const QXmlStreamAttributes a = xml.attributes();
            name = a.value(QStringLiteral("name")).toString();
            double s = 0;
            if (!a.hasAttribute(QStringLiteral("staStart")))
                Refuse(QStringLiteral("线形 <Alignment> 缺少起点桩号 staStart 属性。"));
            if (!ReadNumber(a.value(QStringLiteral("staStart")).toString(), &s))
                Refuse(QStringLiteral("线形 <Alignment> 的起点桩号 staStart“%1”不是数值。")
                           .arg(a.value(QStringLiteral("staStart")).toString()));
            staStart = s;
        } else if (tag == QLatin1String("StaEquation")) {
            Refuse(QStringLiteral("线形含有断链 <StaEquation>，无法按连续桩号导入。"));
        } else if (tag == QLatin1String("CoordGeom")) {
            if (alignments == 0) {
                xml.skipCurrentElement();
                continue;
            }
            if (coordGeomSeen) Refuse(QStringLiteral("线形 <Alignment> 中有不止一个 <CoordGeom>。"));
            coordGeomSeen = true;
            int index = 0;
            while (xml.readNextStartElement()) items.push_back(ReadItem(xml, ++index));
        }
    }
    if (xml.hasError())
        Refuse(QStringLiteral("XML 格式错误：%1（第 %2 行第 %3 列）。")
                   .arg(xml.errorString())
                   .arg(xml.lineNumber())
                   .arg(xml.columnNumber()));
    if (alignments == 0) Refuse(QStringLiteral("文件中没有线形 <Alignment>。"));
    if (!coordGeomSeen) Refuse(QStringLiteral("线形 <Alignment> 中没有平面几何 <CoordGeom>。"));
    return Build(items, name, *staStart);
}

}  // namespace

FileResult<LandXmlAlignment> ParseLandXmlAlignment(const QByteArray& bytes)
{
    try {
        return FileResult<LandXmlAlignment>::Success(Parse(bytes));
    } catch (const Failure& f) {
        return FileResult<LandXmlAlignment>::Failure(f.message);
    }
}

FileResult<LandXmlAlignment> ReadLandXmlFile(const QString& path)
{
    const FileResult<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes.ok()) return FileResult<LandXmlAlignment>::Failure(*bytes.error);
    FileResult<LandXmlAlignment> r = ParseLandXmlAlignment(*bytes.value);
    if (!r.ok())
        r.error = QStringLiteral("无法导入 LandXML 文件“%1”：%2").arg(QDir::toNativeSeparators(path), *r.error);
    return r;
}

}  // namespace tarvelo
