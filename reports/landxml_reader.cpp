#include "reports/landxml_reader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include <QDir>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
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

// The element method's joints: silent up to 1 mm and 1", a warning up to
// 0.1 m and 80", refused beyond (elements out of order, a wrong length).
constexpr double kQuietGap = 1e-3;
constexpr double kMaxGap = 0.1;
constexpr double kQuietKinkSeconds = 1;
constexpr double kMaxKinkSeconds = 80;
// A Line shorter than this between two curved elements is rounding where the
// curves touch (design software writes -0.06 m there).
constexpr double kRoundingStraight = 0.1;

struct P {
    double x = 0, y = 0;  // north, east
};

enum class Kind { Line, Spiral, Curve };

// One CoordGeom element as read; checked (Check) only for the alignment that
// is imported, so that a listing or another alignment is not stopped by it.
struct Item {
    Kind kind = Kind::Line;
    bool known = true;  // Line, Spiral or Curve
    int index = 0;      // 1-based position in CoordGeom
    QString tag, alignment;
    QXmlStreamAttributes attributes;
    std::vector<std::pair<QString, QString>> points;  // child tag, text ("" and pntRef for a reference)
    std::optional<P> start, end, center, pi;
    // Spiral
    double length = 0;
    bool startInf = false, endInf = false;
    double radiusStart = 0, radiusEnd = 0;
    // Curve
    std::optional<double> radius;
    std::optional<double> lengthAttr;  // Line and Curve: the length attribute when given
    int rot = 0;  // +1 cw (right), -1 ccw (left); resolved against the geometry by ResolveTurn
};

struct Failure {
    QString message;
};

[[noreturn]] void Refuse(const QString& message) { throw Failure{message}; }

QString AlignmentWhere(const QString& name) { return QStringLiteral("线形“%1”").arg(name); }

QString Where(const Item& it)
{
    return AlignmentWhere(it.alignment) + QStringLiteral("第 %1 个元素（%2）").arg(it.index).arg(it.tag);
}

[[noreturn]] void Refuse(const Item& it, const QString& what) { Refuse(Where(it) + QStringLiteral("：") + what); }

std::string Warning(const Item& it, const QString& what) { return (Where(it) + QStringLiteral("：") + what).toStdString(); }

QString Metres(double v) { return QString::fromStdString(FormatFixed(v, 4)); }

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

double Attr(const Item& it, const char* name)
{
    const QString key = QString::fromLatin1(name);
    if (!it.attributes.hasAttribute(key)) Refuse(it, QStringLiteral("缺少 %1 属性。").arg(key));
    double v = 0;
    if (!ReadNumber(it.attributes.value(key).toString(), &v))
        Refuse(it, QStringLiteral("%1 属性“%2”不是数值。").arg(key, it.attributes.value(key).toString()));
    return v;
}

// rot: +1 cw, -1 ccw, 0 when not given (the geometry then decides).
int Rot(const Item& it)
{
    const QString rot = it.attributes.value(QStringLiteral("rot")).toString().trimmed();
    if (rot.isEmpty()) return 0;
    if (rot == QLatin1String("cw")) return 1;
    if (rot == QLatin1String("ccw")) return -1;
    Refuse(it, QStringLiteral("转向 rot 属性“%1”不是 cw 或 ccw。").arg(rot));
}

// A spiral end radius: INF (the tangent side) or a positive number.
void SpiralRadius(const Item& it, const char* name, bool* inf, double* r)
{
    const QString key = QString::fromLatin1(name);
    if (!it.attributes.hasAttribute(key)) Refuse(it, QStringLiteral("缺少 %1 属性。").arg(key));
    const QString v = it.attributes.value(key).toString().trimmed();
    if (v.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0 ||
        v.compare(QLatin1String("infinity"), Qt::CaseInsensitive) == 0) {
        *inf = true;
        return;
    }
    *inf = false;
    if (!ReadNumber(v, r) || !(*r > 0))
        Refuse(it, QStringLiteral("%1 属性“%2”不是 INF 或正数。").arg(key, v));
}

// Reads the element's attributes and points; never refuses (Check does).
Item ReadItem(QXmlStreamReader& xml, int index, const QString& alignment)
{
    Item it;
    it.index = index;
    it.alignment = alignment;
    it.tag = xml.name().toString();
    it.attributes = xml.attributes();
    it.known = true;
    if (it.tag == QLatin1String("Line")) it.kind = Kind::Line;
    else if (it.tag == QLatin1String("Spiral")) it.kind = Kind::Spiral;
    else if (it.tag == QLatin1String("Curve")) it.kind = Kind::Curve;
    else it.known = false;
    while (xml.readNextStartElement()) {
        const QString name = xml.name().toString();
        if (name != QLatin1String("Start") && name != QLatin1String("End") && name != QLatin1String("Center") &&
            name != QLatin1String("PI")) {
            xml.skipCurrentElement();
            continue;
        }
        it.points.emplace_back(name, xml.readElementText(QXmlStreamReader::SkipChildElements));
    }
    return it;
}

// The element's attributes and points checked and taken into their fields.
void Check(Item& it)
{
    if (!it.known)
        Refuse(it, QStringLiteral("只能导入由直线 Line、缓和曲线 Spiral 和圆曲线 Curve 组成的线形。"));
    if (it.kind == Kind::Spiral) {
        it.length = Attr(it, "length");
        if (!(it.length > 0)) Refuse(it, QStringLiteral("长度 length 必须大于 0。"));
        SpiralRadius(it, "radiusStart", &it.startInf, &it.radiusStart);
        SpiralRadius(it, "radiusEnd", &it.endInf, &it.radiusEnd);
        const QString type = it.attributes.value(QStringLiteral("spiType")).toString().trimmed();
        if (type != QLatin1String("clothoid"))
            Refuse(it, QStringLiteral("缓和曲线类型 spiType 为“%1”，只能导入回旋线（clothoid）。")
                           .arg(type.isEmpty() ? QStringLiteral("（未给出）") : type));
        if (it.startInf && it.endInf) Refuse(it, QStringLiteral("两端半径都是 INF，不是缓和曲线。"));
        it.rot = Rot(it);
    } else if (it.kind == Kind::Curve) {
        if (it.attributes.hasAttribute(QStringLiteral("radius"))) {
            it.radius = Attr(it, "radius");
            if (!(*it.radius > 0)) Refuse(it, QStringLiteral("半径 radius 必须大于 0。"));
        }
        it.rot = Rot(it);
    }
    if (it.kind != Kind::Spiral && it.attributes.hasAttribute(QStringLiteral("length")))
        it.lengthAttr = Attr(it, "length");
    for (const auto& [name, text] : it.points) {
        std::optional<P>* slot = name == QLatin1String("Start")    ? &it.start
                                 : name == QLatin1String("End")    ? &it.end
                                 : name == QLatin1String("Center") ? &it.center
                                                                   : &it.pi;
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
}

double Cross(P a, P b) { return a.x * b.y - a.y * b.x; }
P Minus(P a, P b) { return {a.x - b.x, a.y - b.y}; }

// The turn of a curved element from its coordinates (+1 right, -1 left), 0
// when they do not tell. *decisive: the coordinates settle it. A Curve's
// radii to Start and End settle it with a length attribute (the major arc
// when that is over half the circle); its or a Spiral's PI (the tangents at
// both ends) settles it too. A Curve with only its Center may be the minor
// arc one way or the major arc the other: a guess, for when rot is missing.
int GeometricTurn(const Item& it, bool* decisive)
{
    const P s = *it.start, e = *it.end;
    int weak = 0;
    *decisive = true;
    if (it.kind == Kind::Curve && it.center) {
        const P a = Minus(s, *it.center), b = Minus(e, *it.center);
        const double c = Cross(a, b), n = std::hypot(a.x, a.y) * std::hypot(b.x, b.y);
        if (std::fabs(c) > 1e-9 * n) {
            int turn = c > 0 ? 1 : -1;
            if (it.lengthAttr && *it.lengthAttr > kPi * *it.radius) turn = -turn;
            if (it.lengthAttr) return turn;
            weak = turn;
        }
    }
    if (it.pi) {
        const P a = Minus(*it.pi, s), b = Minus(e, *it.pi);
        const double c = Cross(a, b), n = std::hypot(a.x, a.y) * std::hypot(b.x, b.y);
        if (std::fabs(c) > 1e-9 * n && n > 0) return c > 0 ? 1 : -1;
    }
    *decisive = false;
    return weak;
}

// it.rot set to the element's turn: rot and the geometry must agree; one of
// them must be there.
void ResolveTurn(Item& it)
{
    if (it.kind == Kind::Line) return;
    bool decisive = false;
    const int geometric = GeometricTurn(it, &decisive);
    if (it.rot != 0 && decisive && it.rot != geometric)
        Refuse(it, QStringLiteral("转向 rot 为“%1”，但按坐标是%2转。")
                       .arg(it.rot > 0 ? QStringLiteral("cw") : QStringLiteral("ccw"),
                            geometric > 0 ? QStringLiteral("右") : QStringLiteral("左")));
    if (it.rot == 0) it.rot = geometric;
    if (it.rot == 0)
        Refuse(it, QStringLiteral("缺少转向 rot 属性（cw 或 ccw），也无法由圆心 <Center> 或切线交点 <PI> 定出转向。"));
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

LandXmlAlignment BuildJd(const std::vector<Item>& items, const QString& name, double staStart)
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
        // The JD's name as the writer puts it on the curve (or its spirals).
        for (const Item* named : {g.curve, g.entry, g.exit, g.anchor}) {
            if (!named || !jd.name.empty()) continue;
            jd.name = named->attributes.value(QStringLiteral("name")).toString().trimmed().toStdString();
        }
        if (jd.name.empty()) jd.name = "JD" + std::to_string(j + 1);
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


// ---- The element method ----------------------------------------------------

double Seconds(double radians) { return radians * (180 / kPi) * 3600; }

// Angle from direction a to direction b, both unit vectors, in (-pi, pi].
double AngleBetween(const Ray& a, const Ray& b)
{
    return std::atan2(a.dx * b.dy - a.dy * b.dx, a.dx * b.dx + a.dy * b.dy);
}

// One element as the element method sees it: its own start and direction,
// its length and signed curvatures (right +) at both ends.
struct Piece {
    const Item* item = nullptr;
    Ray start;           // the file's Start and the start direction
    double length = 0;
    double k0 = 0, k1 = 0;
    Ray end;             // worked out from the above
    Ray fileEnd;         // the file's End and the direction there from the coordinates
    double startRadius = kStraight, endRadius = kStraight;
};

// The point and direction at the end of a piece: heading theta(s) = theta0 +
// k0 s + (k1 - k0) s^2 / (2 L), integrated by 5-point Gauss-Legendre on panels
// of at most 0.05 rad of turn (exact to far below a micrometre).
Ray Integrate(const Ray& start, double L, double k0, double k1)
{
    const double theta0 = std::atan2(start.dy, start.dx);
    const auto heading = [&](double s) { return theta0 + k0 * s + (k1 - k0) * s * s / (2 * L); };
    if (k0 == 0 && k1 == 0) return Ray{{start.p.x + L * start.dx, start.p.y + L * start.dy}, start.dx, start.dy};
    const double turn = std::max(std::fabs(k0), std::fabs(k1)) * L;
    const double want = std::ceil(turn / 0.05);  // +inf for a radius near 0; never cast out of range
    const int panels = want > 100000 ? 100000 : want >= 1 ? static_cast<int>(want) : 1;
    static const double node[5] = {0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640, 0.9061798459386640};
    static const double weight[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665, 0.2369268850561891,
                                     0.2369268850561891};
    double x = 0, y = 0;
    const double h = L / panels;
    for (int i = 0; i < panels; ++i) {
        const double mid = (i + 0.5) * h;
        for (int j = 0; j < 5; ++j) {
            const double t = heading(mid + node[j] * h / 2);
            x += weight[j] * std::cos(t);
            y += weight[j] * std::sin(t);
        }
    }
    const double t1 = heading(L);
    return Ray{{start.p.x + x * h / 2, start.p.y + y * h / 2}, std::cos(t1), std::sin(t1)};
}

// The pieces in order, with short straights between touching curves left out
// and the warnings of every joint; refuses what cannot be an element route.
struct ElementChain {
    std::vector<Piece> pieces;
    std::vector<std::string> warnings;
    double maxKinkSeconds = 0;
    int dropped = 0;
};

double Distance(P a, P b) { return std::hypot(a.x - b.x, a.y - b.y); }

ElementChain ChainElements(const std::vector<Item>& items)
{
    ElementChain out;
    if (items.empty()) Refuse(QStringLiteral("CoordGeom 中没有任何元素。"));
    std::vector<double> allowance;  // extra gap allowed before each piece: a dropped straight
    double extra = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (it.kind == Kind::Line && i > 0 && i + 1 < items.size() && items[i - 1].kind != Kind::Line &&
            items[i + 1].kind != Kind::Line) {
            const double chord = Distance(*it.start, *it.end);
            const double length = it.lengthAttr ? *it.lengthAttr : chord;
            if (chord < kRoundingStraight && std::fabs(length) < kRoundingStraight) {
                out.warnings.push_back(Warning(
                    it, QStringLiteral("两曲线相接处的直线长 %1 m，是取整所致，已略去。").arg(Metres(length))));
                extra += chord;
                ++out.dropped;
                continue;
            }
        }
        Piece p;
        p.item = &it;
        p.start.p = *it.start;
        p.fileEnd.p = *it.end;
        if (it.kind == Kind::Line) {
            p.start = LineRay(it);
            p.length = Distance(*it.start, *it.end);
            p.fileEnd.dx = p.start.dx;
            p.fileEnd.dy = p.start.dy;
        } else if (it.kind == Kind::Curve) {
            const double R = *it.radius;
            P centre;
            if (it.center) {
                centre = *it.center;
            } else {
                const std::optional<Ray> t = it.pi ? RayOf(*it.start, *it.pi, *it.start) : std::nullopt;
                if (!t) Refuse(it, QStringLiteral("既没有圆心 <Center>，也没有切线交点 <PI>，无法确定起点的切线方向。"));
                centre = {it.start->x - it.rot * R * t->dy, it.start->y + it.rot * R * t->dx};
            }
            const std::optional<Ray> s = CircleRay(centre, *it.start, it.rot);
            const std::optional<Ray> e = CircleRay(centre, *it.end, it.rot);
            if (!s || !e) Refuse(it, QStringLiteral("圆心与起点或终点重合。"));
            p.start = *s;
            p.fileEnd = *e;
            if (it.lengthAttr) {
                p.length = *it.lengthAttr;
            } else {
                double sweep = it.rot * AngleBetween(Ray{{}, s->dx, s->dy}, Ray{{}, e->dx, e->dy});
                if (sweep <= 0) sweep += 2 * kPi;
                p.length = sweep * R;
            }
            if (!(p.length > 0) || !std::isfinite(p.length)) Refuse(it, QStringLiteral("长度必须大于 0。"));
            p.k0 = p.k1 = it.rot / R;
            p.startRadius = p.endRadius = R;
        } else {
            p.length = it.length;
            p.startRadius = it.startInf ? kStraight : it.radiusStart;
            p.endRadius = it.endInf ? kStraight : it.radiusEnd;
            p.k0 = it.startInf ? 0 : it.rot / it.radiusStart;
            p.k1 = it.endInf ? 0 : it.rot / it.radiusEnd;
            std::optional<Ray> s = it.pi ? RayOf(*it.start, *it.pi, *it.start) : std::nullopt;
            if (!s && !out.pieces.empty()) {
                s = out.pieces.back().fileEnd;
                s->p = *it.start;
            }
            if (!s) Refuse(it, QStringLiteral("缺少切线交点 <PI>，又是第一个元素，无法确定起点的切线方向。"));
            p.start = *s;
        }
        p.end = Integrate(p.start, p.length, p.k0, p.k1);
        if (!std::isfinite(p.end.p.x) || !std::isfinite(p.end.p.y))
            Refuse(it, QStringLiteral("坐标或长度太大，无法计算。"));
        if (it.kind == Kind::Spiral) {
            const std::optional<Ray> e = it.pi ? RayOf(*it.pi, *it.end, *it.end) : std::nullopt;
            p.fileEnd = e ? *e : Ray{*it.end, p.end.dx, p.end.dy};
        }
        const double off = Distance(p.end.p, *it.end);
        if (!(off <= kMaxGap))
            Refuse(it, QStringLiteral("按长度和半径推算的终点与文件中的终点 <End> 相距 %1 m，长度、半径与坐标不符。")
                           .arg(Metres(off)));
        if (off > kQuietGap)
            out.warnings.push_back(
                Warning(it, QStringLiteral("按长度和半径推算的终点与文件中的终点 <End> 相距 %1 m。").arg(Metres(off))));
        if (!out.pieces.empty()) {
            const Piece& before = out.pieces.back();
            const double gap = Distance(before.fileEnd.p, *it.start);
            if (!(gap <= kMaxGap + extra))
                Refuse(it, QStringLiteral("起点与前一元素的终点相距 %1 m，线形不连续。").arg(Metres(gap)));
            if (gap > kQuietGap + extra)
                out.warnings.push_back(
                    Warning(it, QStringLiteral("起点与前一元素的终点相距 %1 m。").arg(Metres(gap))));
            const double kink = std::fabs(Seconds(AngleBetween(before.fileEnd, p.start)));
            out.maxKinkSeconds = std::max(out.maxKinkSeconds, kink);
            if (!(kink <= kMaxKinkSeconds))
                Refuse(it, QStringLiteral("与前一元素之间有 %1″ 的转角，切线不连续。")
                               .arg(QString::fromStdString(FormatFixed(kink, 1))));
            if (kink > kQuietKinkSeconds)
                out.warnings.push_back(Warning(it, QStringLiteral("与前一元素之间有 %1″ 的转角（切线不完全连续）。")
                                                       .arg(QString::fromStdString(FormatFixed(kink, 1)))));
        }
        extra = 0;
        out.pieces.push_back(p);
    }
    return out;
}

QString KindName(Kind k)
{
    return k == Kind::Line ? QStringLiteral("直线") : k == Kind::Curve ? QStringLiteral("圆曲线") : QStringLiteral("缓和曲线");
}

std::vector<ElementInput> ElementRows(const ElementChain& chain, double staStart)
{
    std::vector<ElementInput> rows;
    for (const Piece& p : chain.pieces) {
        ElementInput e;
        const QString name = p.item->attributes.value(QStringLiteral("name")).toString().trimmed();
        e.name = (name.isEmpty() ? KindName(p.item->kind) + QString::number(p.item->index) : name).toStdString();
        if (rows.empty()) e.station = staStart;
        e.x = p.start.p.x;
        e.y = p.start.p.y;
        double az = std::atan2(p.start.dy, p.start.dx) * (180 / kPi);
        if (az < 0) az += 360;
        if (az >= 360) az -= 360;
        e.azimuth = az;
        e.length = p.length;
        e.startRadius = p.startRadius;
        e.endRadius = p.endRadius;
        e.turn = p.item->kind == Kind::Line ? 0 : p.item->rot;
        rows.push_back(std::move(e));
    }
    return rows;
}

// ---- The document ------------------------------------------------------------

struct ProfileNode {
    QString tag;
    QString text;
    QXmlStreamAttributes attributes;
};

struct AlignmentData {
    QString name;
    QXmlStreamAttributes attributes;
    std::vector<Item> items;
    int coordGeoms = 0;
    bool staEquation = false;                 // a decreasing one: refused by name
    std::vector<QXmlStreamAttributes> staEquations;
    bool profile = false;              // a ProfAlign was found
    std::vector<ProfileNode> profAlign;
};

bool IsLandXmlNamespace(const QString& ns)
{
    return ns.startsWith(QLatin1String("http://www.landxml.org/schema/LandXML-1."));
}

AlignmentData ReadAlignment(QXmlStreamReader& xml)
{
    AlignmentData a;
    a.attributes = xml.attributes();
    a.name = a.attributes.value(QStringLiteral("name")).toString();
    while (xml.readNextStartElement()) {
        const QStringView tag = xml.name();
        if (tag == QLatin1String("CoordGeom")) {
            ++a.coordGeoms;
            int index = 0;
            while (xml.readNextStartElement()) a.items.push_back(ReadItem(xml, ++index, a.name));
        } else if (tag == QLatin1String("StaEquation")) {
            a.staEquations.push_back(xml.attributes());
            xml.skipCurrentElement();
        } else if (tag == QLatin1String("Profile")) {
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("ProfAlign") || a.profile) {
                    xml.skipCurrentElement();
                    continue;
                }
                a.profile = true;
                while (xml.readNextStartElement()) {
                    ProfileNode n;
                    n.tag = xml.name().toString();
                    n.attributes = xml.attributes();
                    n.text = xml.readElementText(QXmlStreamReader::SkipChildElements);
                    a.profAlign.push_back(std::move(n));
                }
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return a;
}

std::vector<AlignmentData> ReadDocument(const QByteArray& bytes)
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
    std::vector<AlignmentData> alignments;
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
            alignments.push_back(ReadAlignment(xml));
        }
    }
    if (xml.hasError())
        Refuse(QStringLiteral("XML 格式错误：%1（第 %2 行第 %3 列）。")
                   .arg(xml.errorString())
                   .arg(xml.lineNumber())
                   .arg(xml.columnNumber()));
    if (alignments.empty()) Refuse(QStringLiteral("文件中没有线形 <Alignment>。"));
    return alignments;
}

// The grade points of the ProfAlign, or why they cannot be.
std::vector<GradePointInput> ProfilePoints(const AlignmentData& a, std::vector<std::string>* warnings)
{
    struct Node {
        double station = 0, elevation = 0;
        std::optional<double> radius, length;
        QString tag;
    };
    const QString where = AlignmentWhere(a.name) + QStringLiteral("的纵断面 <ProfAlign>");
    std::vector<Node> nodes;
    for (const ProfileNode& n : a.profAlign) {
        const QString at = where + QStringLiteral("第 %1 个变坡点（%2）：").arg(nodes.size() + 1).arg(n.tag);
        if (n.tag != QLatin1String("PVI") && n.tag != QLatin1String("ParaCurve") &&
            n.tag != QLatin1String("CircCurve"))
            Refuse(at + QStringLiteral("只能导入 PVI、ParaCurve 和 CircCurve。"));
        const std::optional<P> sz = ReadPoint(n.text);
        if (!sz) Refuse(at + QStringLiteral("“%1”不是“桩号 高程”两个数。").arg(n.text.trimmed()));
        Node node;
        node.tag = n.tag;
        node.station = sz->x;
        node.elevation = sz->y;
        for (const char* key : {"length", "radius"}) {
            const QString k = QString::fromLatin1(key);
            if (!n.attributes.hasAttribute(k) || n.tag == QLatin1String("PVI")) continue;
            double v = 0;
            if (!ReadNumber(n.attributes.value(k).toString(), &v) || v < 0)
                Refuse(at + QStringLiteral("%1 属性“%2”不是非负数。").arg(k, n.attributes.value(k).toString()));
            (k == QLatin1String("length") ? node.length : node.radius) = v;
        }
        nodes.push_back(node);
    }
    if (nodes.size() < 2) Refuse(where + QStringLiteral("少于两个变坡点。"));
    std::vector<GradePointInput> points;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& n = nodes[i];
        GradePointInput g;
        g.station = n.station;
        g.elevation = n.elevation;
        const QString at = where + QStringLiteral("第 %1 个变坡点（%2）：").arg(i + 1).arg(n.tag);
        if (i > 0 && i + 1 < nodes.size()) {
            const Node &b = nodes[i - 1], &c = nodes[i + 1];
            if (!(n.station > b.station) || !(c.station > n.station))
                Refuse(at + QStringLiteral("桩号没有按从小到大的顺序排列。"));
            const double omega = (c.elevation - n.elevation) / (c.station - n.station) -
                                 (n.elevation - b.elevation) / (n.station - b.station);
            if (n.radius && *n.radius > 0) {
                g.R = *n.radius;
            } else if (n.length && *n.length > 0) {
                // Any radius fits a point where the grade does not change.
                g.R = omega != 0 ? *n.length / std::fabs(omega) : *n.length;
            } else {
                // No vertical curve: the smallest radius the profile file takes
                // makes one a fraction of a millimetre long.
                g.R = 1e-3;
                warnings->push_back((at + QStringLiteral("没有竖曲线，按半径 0.001 m 写入。")).toStdString());
            }
        } else if ((n.length && *n.length > 0) || (n.radius && *n.radius > 0)) {
            Refuse(at + QStringLiteral("纵断面的起点和终点不能设竖曲线。"));
        }
        points.push_back(g);
    }
    return points;
}

double ElementLength(const Item& it)
{
    if (it.kind == Kind::Spiral) return it.length;
    if (it.lengthAttr) return *it.lengthAttr;
    if (it.kind == Kind::Line) return Distance(*it.start, *it.end);
    const std::optional<Ray> s = it.center ? CircleRay(*it.center, *it.start, it.rot) : std::nullopt;
    const std::optional<Ray> e = it.center ? CircleRay(*it.center, *it.end, it.rot) : std::nullopt;
    if (!s || !e) Refuse(it, QStringLiteral("无法求出长度。"));
    double sweep = it.rot * AngleBetween(*s, *e);
    if (sweep <= 0) sweep += 2 * kPi;
    return sweep * *it.radius;
}

QString NameList(const std::vector<AlignmentData>& all)
{
    QStringList names;
    for (const AlignmentData& a : all) names << QStringLiteral("“%1”").arg(a.name);
    return names.join(QStringLiteral("、"));
}

bool JdRowsBuild(const std::vector<RoutePointInput>& rows)
{
    try {
        return Route::Build(rows).route.has_value();
    } catch (const FloatFault&) {
        return false;
    }
}

LandXmlAlignment Import(AlignmentData& a)
{
    const QString where = AlignmentWhere(a.name);
    const QXmlStreamAttributes& at = a.attributes;
    if (!at.hasAttribute(QStringLiteral("staStart")))
        Refuse(where + QStringLiteral("缺少起点桩号 staStart 属性。"));
    double staStart = 0;
    if (!ReadNumber(at.value(QStringLiteral("staStart")).toString(), &staStart))
        Refuse(where + QStringLiteral("的起点桩号 staStart“%1”不是数值。").arg(at.value(QStringLiteral("staStart")).toString()));
    // Station equations are the route's chain breaks (断链), in route order.
    std::vector<BreakInput> breaks;
    for (const QXmlStreamAttributes& e : a.staEquations) {
        const QString increment = e.value(QStringLiteral("staIncrement")).toString();
        if (!increment.isEmpty() && increment != QLatin1String("increasing"))
            Refuse(where + QStringLiteral("的断链 <StaEquation> 桩号递减（staIncrement=\"%1\"），不能导入。").arg(increment));
        BreakInput b;
        if (!ReadNumber(e.value(QStringLiteral("staBack")).toString(), &b.back) ||
            !ReadNumber(e.value(QStringLiteral("staAhead")).toString(), &b.ahead))
            Refuse(where + QStringLiteral("的断链 <StaEquation> 缺少数值的 staBack 或 staAhead。"));
        b.name = e.value(QStringLiteral("desc")).toString().toStdString();
        breaks.push_back(b);
    }
    if (a.coordGeoms == 0) Refuse(where + QStringLiteral("中没有平面几何 <CoordGeom>。"));
    if (a.coordGeoms > 1) Refuse(where + QStringLiteral("中有不止一个 <CoordGeom>。"));
    if (a.items.empty()) Refuse(where + QStringLiteral("的 CoordGeom 中没有任何元素。"));
    // A zero-length element (design software puts a Curve of length 0 first
    // to give the starting curvature) is no piece of the road: skipped.
    std::vector<std::string> skipped;
    for (auto it = a.items.begin(); it != a.items.end();) {
        double length = 1;
        if (it->attributes.hasAttribute(QStringLiteral("length")) &&
            ReadNumber(it->attributes.value(QStringLiteral("length")).toString(), &length) && length == 0) {
            skipped.push_back(Warning(*it, QStringLiteral("长度为 0，已略去。")));
            it = a.items.erase(it);
        } else {
            ++it;
        }
    }
    if (a.items.empty()) Refuse(where + QStringLiteral("的 CoordGeom 中只有长度为 0 的元素。"));
    for (Item& it : a.items) Check(it);
    for (Item& it : a.items) ResolveTurn(it);

    std::optional<LandXmlAlignment> jd;
    std::optional<Failure> jdFailure;
    try {
        jd = BuildJd(a.items, a.name, staStart);
    } catch (const Failure& f) {
        jdFailure = f;
    }
    std::optional<ElementChain> chain;
    std::optional<Failure> chainFailure;
    try {
        chain = ChainElements(a.items);
    } catch (const Failure& f) {
        chainFailure = f;
    }
    // The JD method rebuilds the curves from the tangent lines: only a chain
    // whose joints are tangent and whose rows make a route comes back as one.
    const bool exactJd = jd && (!chain || (chain->dropped == 0 && chain->maxKinkSeconds <= kQuietKinkSeconds)) &&
                         JdRowsBuild(jd->rows);
    LandXmlAlignment out;
    if (exactJd) {
        out = std::move(*jd);
    } else if (chain) {
        out.name = a.name;
        out.elements = ElementRows(*chain, staStart);
        out.warnings = chain->warnings;
    } else {
        throw *chainFailure;
    }
    out.warnings.insert(out.warnings.begin(), skipped.begin(), skipped.end());
    out.breaks = std::move(breaks);
    if (a.profile) {
        try {
            out.profile = ProfilePoints(a, &out.warnings);
        } catch (const Failure& f) {
            out.profileError = f.message.toStdString();
        }
    }
    return out;
}

LandXmlAlignment Parse(const QByteArray& bytes, const QString& name)
{
    std::vector<AlignmentData> all = ReadDocument(bytes);
    if (name.isEmpty()) {
        if (all.size() > 1)
            Refuse(QStringLiteral("文件中有不止一条线形 <Alignment>：%1，请指定要导入哪一条。").arg(NameList(all)));
        return Import(all.front());
    }
    for (AlignmentData& a : all)
        if (a.name == name) return Import(a);
    Refuse(QStringLiteral("文件中没有名为“%1”的线形，只有 %2。").arg(name, NameList(all)));
}

}  // namespace

FileResult<std::vector<LandXmlAlignmentInfo>> ListLandXmlAlignments(const QByteArray& bytes)
{
    try {
        std::vector<AlignmentData> all = ReadDocument(bytes);
        std::vector<LandXmlAlignmentInfo> out;
        for (AlignmentData& a : all) {
            LandXmlAlignmentInfo info;
            info.name = a.name;
            info.elementCount = a.items.size();
            double v = 0;
            if (ReadNumber(a.attributes.value(QStringLiteral("length")).toString(), &v)) {
                info.length = v;
            } else {
                try {
                    double sum = 0;
                    for (Item& it : a.items) {
                        Check(it);
                        ResolveTurn(it);
                        sum += ElementLength(it);
                    }
                    if (std::isfinite(sum)) info.length = sum;
                } catch (const Failure&) {
                    // The listing still names it; importing it tells why not.
                }
            }
            out.push_back(std::move(info));
        }
        return FileResult<std::vector<LandXmlAlignmentInfo>>::Success(std::move(out));
    } catch (const Failure& f) {
        return FileResult<std::vector<LandXmlAlignmentInfo>>::Failure(f.message);
    }
}

FileResult<LandXmlAlignment> ParseLandXmlAlignment(const QByteArray& bytes, const QString& name)
{
    try {
        return FileResult<LandXmlAlignment>::Success(Parse(bytes, name));
    } catch (const Failure& f) {
        return FileResult<LandXmlAlignment>::Failure(f.message);
    }
}

FileResult<LandXmlAlignment> ReadLandXmlFile(const QString& path, const QString& name)
{
    const FileResult<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes.ok()) return FileResult<LandXmlAlignment>::Failure(*bytes.error);
    FileResult<LandXmlAlignment> r = ParseLandXmlAlignment(*bytes.value, name);
    if (!r.ok())
        r.error = QStringLiteral("无法导入 LandXML 文件“%1”：%2").arg(QDir::toNativeSeparators(path), *r.error);
    return r;
}

}  // namespace tarvelo
