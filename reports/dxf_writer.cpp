#include "reports/dxf_writer.h"

#include <cmath>
#include <cstdio>

#include <QString>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/cass_file.h"
#include "reports/gbk_text.h"
#include "reports/streamed_file.h"

namespace tarvelo {

namespace {

constexpr double kFullPi = 3.14159265358979323846;
constexpr double kRadToDeg = 180.0 / kFullPi;

struct Layer {
    const char* name;
    int colour;  // AutoCAD colour index
};
constexpr Layer kLayers[] = {
    {"0", 7},      {"CENTRELINE", 1}, {"TANGENT", 8},
    {"JD", 5},     {"STAKE", 3},      {"LABEL", 7},
};

void Tag(std::string& out, int code, std::string_view value)
{
    char buf[8];
    const int n = std::snprintf(buf, sizeof buf, "%3d", code);
    out.append(buf, std::size_t(n));
    out += "\r\n";
    out.append(value);
    out += "\r\n";
}

void Tag(std::string& out, int code, int value) { Tag(out, code, std::to_string(value)); }

// Coordinates to the micrometre, angles to 1e-10 degree: both far below the
// drawing's 0.1 mm budget.
void Num(std::string& out, int code, double value, int decimals = 6)
{
    Checked(value, "DXF 数值");
    std::string text;
    AppendFixed(text, value, decimals);
    Tag(out, code, text);
}

// Text value of a group: GBK (the header's code page); what GBK cannot hold
// as \U+XXXX; CR and LF (which would end the value) as spaces.
std::string DxfText(std::string_view utf8)
{
    std::string out;
    bool ascii = true;
    for (char c : utf8) {
        if (c == '\r' || c == '\n') out += ' ';
        else out += c;
        if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
    }
    if (ascii) return out;
    const QString text = QString::fromUtf8(out.data(), qsizetype(out.size()));
    std::string bytes;
    for (qsizetype i = 0; i < text.size();) {
        const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                : text.at(i).unicode();
        const qsizetype n = cp > 0xFFFF ? 2 : 1;
        const FileResult<QByteArray> gbk = EncodeGbk(text.mid(i, n));
        if (gbk.ok() && cp < 0x10000) {
            bytes.append(gbk.value->constData(), std::size_t(gbk.value->size()));
        } else {
            char buf[16];
            const int m = std::snprintf(buf, sizeof buf, "\\U+%04X", unsigned(cp > 0xFFFF ? 0xFFFD : cp));
            bytes.append(buf, std::size_t(m));
        }
        i += n;
    }
    return bytes;
}

// DXF angle (degrees counter-clockwise from east) of the direction from the
// centre to a point, in [0, 360).
double DxfAngle(double centreX, double centreY, double x, double y)
{
    double a = std::atan2(x - centreX, y - centreY) * kRadToDeg;  // north over east
    if (a < 0) a += 360;
    // Written with 10 decimals: a hair below 360 would print as 360.
    if (a >= 360 - 5e-11) a = 0;
    return a;
}

void Point(std::string& out, const char* layer, double x, double y)
{
    Tag(out, 0, "POINT");
    Tag(out, 8, layer);
    Num(out, 10, y);
    Num(out, 20, x);
    Num(out, 30, 0);
}

void Text(std::string& out, double x, double y, double height, double rotation, std::string_view utf8)
{
    Tag(out, 0, "TEXT");
    Tag(out, 8, "LABEL");
    Num(out, 10, y);
    Num(out, 20, x);
    Num(out, 30, 0);
    Num(out, 40, height);
    Tag(out, 1, DxfText(utf8));
    Num(out, 50, rotation, 10);
}

void LineEntity(std::string& out, const char* layer, double x1, double y1, double x2, double y2)
{
    Tag(out, 0, "LINE");
    Tag(out, 8, layer);
    Num(out, 10, y1);
    Num(out, 20, x1);
    Num(out, 30, 0);
    Num(out, 11, y2);
    Num(out, 21, x2);
    Num(out, 31, 0);
}

void Vertex(std::string& out, double x, double y)
{
    Tag(out, 0, "VERTEX");
    Tag(out, 8, "CENTRELINE");
    Num(out, 10, y);
    Num(out, 20, x);
    Num(out, 30, 0);
}

}  // namespace

std::size_t SpiralChordCount(double length, double radius, double chordError)
{
    if (!(length > 0) || !(radius > 0) || !(chordError > 0) || !std::isfinite(length) ||
        !std::isfinite(radius) || !std::isfinite(chordError))
        return 1;
    const double step = std::sqrt(8 * chordError * radius);
    const double n = std::ceil(length / step);
    if (!(n >= 1)) return 1;
    // A spiral longer than a million chords is not a road; cap the count.
    return n > 1e6 ? std::size_t(1000000) : std::size_t(n);
}

RouteDxfWriter::RouteDxfWriter(const Route& route, DxfStyle style) : route_(route), style_(style) {}

void RouteDxfWriter::AppendElement(std::string& out, const RouteElement& e) const
{
    switch (e.kind) {
    case ElementKind::Line:
        LineEntity(out, "CENTRELINE", e.start.x, e.start.y, e.end.x, e.end.y);
        return;
    case ElementKind::Arc: {
        const double a0 = DxfAngle(e.centreX, e.centreY, e.start.x, e.start.y);
        const double a1 = DxfAngle(e.centreX, e.centreY, e.end.x, e.end.y);
        Tag(out, 0, "ARC");
        Tag(out, 8, "CENTRELINE");
        Num(out, 10, e.centreY);
        Num(out, 20, e.centreX);
        Num(out, 30, 0);
        Num(out, 40, e.radius);
        // Right turn: clockwise in the plan, so counter-clockwise from the end.
        Num(out, 50, e.turn > 0 ? a1 : a0, 10);
        Num(out, 51, e.turn > 0 ? a0 : a1, 10);
        return;
    }
    case ElementKind::Spiral: {
        // The sagitta budget is halved: the polyline's vertices are exact,
        // but the chord's largest gap sits where the curvature is largest.
        const std::size_t n =
            SpiralChordCount(e.endStation - e.startStation, e.radius, style_.chordError / 2);
        Tag(out, 0, "POLYLINE");
        Tag(out, 8, "CENTRELINE");
        Tag(out, 66, 1);
        Num(out, 10, 0);
        Num(out, 20, 0);
        Num(out, 30, 0);
        Tag(out, 70, 0);
        Vertex(out, e.start.x, e.start.y);
        const double length = e.endStation - e.startStation;
        for (std::size_t i = 1; i < n; ++i) {
            const double k = e.startStation + length * (double(i) / double(n));
            const std::optional<RouteStake> p = route_.PointAt(k, 0, 90);
            if (!p) throw FloatFault("缓和曲线点");
            Vertex(out, p->point.x, p->point.y);
        }
        Vertex(out, e.end.x, e.end.y);
        Tag(out, 0, "SEQEND");
        Tag(out, 8, "CENTRELINE");
        return;
    }
    }
}

bool RouteDxfWriter::AppendBeginning(std::string& out, const std::function<bool(std::string&)>& drain) const
{
    const auto pass = [&]() { return !drain || out.size() < (1 << 16) || drain(out); };
    Tag(out, 0, "SECTION");
    Tag(out, 2, "HEADER");
    Tag(out, 9, "$ACADVER");
    Tag(out, 1, "AC1009");
    Tag(out, 9, "$DWGCODEPAGE");
    Tag(out, 3, "ANSI_936");
    // Points drawn as a small X (a quarter of the text height), so that a
    // stake shows without zooming in to a single pixel.
    Tag(out, 9, "$PDMODE");
    Tag(out, 70, 3);
    Tag(out, 9, "$PDSIZE");
    Num(out, 40, style_.textHeight / 4);
    Tag(out, 0, "ENDSEC");

    Tag(out, 0, "SECTION");
    Tag(out, 2, "TABLES");
    Tag(out, 0, "TABLE");
    Tag(out, 2, "LTYPE");
    Tag(out, 70, 1);
    Tag(out, 0, "LTYPE");
    Tag(out, 2, "CONTINUOUS");
    Tag(out, 70, 0);
    Tag(out, 3, "Solid line");
    Tag(out, 72, 65);
    Tag(out, 73, 0);
    Num(out, 40, 0);
    Tag(out, 0, "ENDTAB");
    Tag(out, 0, "TABLE");
    Tag(out, 2, "LAYER");
    Tag(out, 70, int(std::size(kLayers)));
    for (const Layer& l : kLayers) {
        Tag(out, 0, "LAYER");
        Tag(out, 2, l.name);
        Tag(out, 70, 0);
        Tag(out, 62, l.colour);
        Tag(out, 6, "CONTINUOUS");
    }
    Tag(out, 0, "ENDTAB");
    Tag(out, 0, "TABLE");
    Tag(out, 2, "STYLE");
    Tag(out, 70, 1);
    Tag(out, 0, "STYLE");
    Tag(out, 2, "STANDARD");
    Tag(out, 70, 0);
    Num(out, 40, 0);
    Num(out, 41, 1);
    Num(out, 50, 0);
    Tag(out, 71, 0);
    Num(out, 42, style_.textHeight);
    Tag(out, 3, "txt");
    Tag(out, 4, "");
    Tag(out, 0, "ENDTAB");
    Tag(out, 0, "ENDSEC");

    Tag(out, 0, "SECTION");
    Tag(out, 2, "ENTITIES");
    for (const RouteElement& e : route_.elements()) {
        AppendElement(out, e);
        if (!pass()) return false;
    }

    // Tangent lines through the JDs.
    double px = route_.start().x, py = route_.start().y;
    for (const RouteCurve& c : route_.curves()) {
        LineEntity(out, "TANGENT", px, py, c.curve.X, c.curve.Y);
        px = c.curve.X;
        py = c.curve.Y;
    }
    LineEntity(out, "TANGENT", px, py, route_.end().x, route_.end().y);

    const double h = style_.textHeight;
    for (const RouteCurve& c : route_.curves()) {
        Point(out, "JD", c.curve.X, c.curve.Y);
        Tag(out, 0, "CIRCLE");
        Tag(out, 8, "JD");
        Num(out, 10, c.curve.Y);
        Num(out, 20, c.curve.X);
        Num(out, 30, 0);
        Num(out, 40, h / 2);
        Text(out, c.curve.X + h / 2, c.curve.Y + h / 2, h, 0, c.name);
        if (!pass()) return false;
    }
    // The two ends are named too, on the route's own points.
    Point(out, "JD", route_.start().x, route_.start().y);
    Text(out, route_.start().x + h / 2, route_.start().y + h / 2, h, 0, route_.start().name);
    Point(out, "JD", route_.end().x, route_.end().y);
    Text(out, route_.end().x + h / 2, route_.end().y + h / 2, h, 0, route_.end().name);
    return true;
}

void RouteDxfWriter::AppendStake(std::string& out, std::string_view name, const CentrelinePoint& p) const
{
    Point(out, "STAKE", p.x, p.y);
    // Along the right-hand normal (azimuth A + 90°, DXF angle 90° − (A + 90°)),
    // starting half a text height from the point.
    const double gap = style_.textHeight / 2;
    const double normal = p.azimuth + 90;
    const double nx = std::cos(normal / kRadToDeg), ny = std::sin(normal / kRadToDeg);
    double rotation = std::fmod(-p.azimuth, 360.0);
    if (rotation < 0) rotation += 360;
    Text(out, p.x + gap * nx, p.y + gap * ny, style_.textHeight, rotation, name);
}

void RouteDxfWriter::AppendEnd(std::string& out) const
{
    Tag(out, 0, "ENDSEC");
    Tag(out, 0, "EOF");
}

FileStatus WriteRouteDxf(const QString& path, const Route& route,
                         const std::optional<RouteTableParams>& stakes, DxfStyle style)
{
    if (stakes) {
        std::size_t rows = 0;
        if (const auto refusal = CheckRouteTable(route, *stakes, &rows))
            return FileStatus::Failure(QString::fromStdString(*refusal));
    }
    StreamedFile file(path);
    if (FileStatus s = file.Open(); !s.ok()) return s;
    const RouteDxfWriter writer(route, style);
    std::string chunk;
    FileStatus failure;
    const auto drain = [&](std::string& bytes) {
        failure = file.Write(bytes);
        bytes.clear();
        return failure.ok();
    };
    try {
        if (!writer.AppendBeginning(chunk, drain)) return failure;
        if (stakes) {
            RouteTableCursor cursor(route, *stakes);
            RouteTableEntry entry;
            while (cursor.Next(&entry)) {
                const RouteTableRow row = ComputeRouteTableRow(route, entry, *stakes);
                writer.AppendStake(chunk, StakeName(entry), row.stake.point);
                if (chunk.size() >= (1 << 16) && !drain(chunk)) return failure;
            }
        }
        writer.AppendEnd(chunk);
    } catch (const FloatFault& f) {
        file.Cancel();
        return FileStatus::Failure(
            SaveFailureMessage(path, QString::fromUtf8(f.what()) + QStringLiteral("原文件未改动。")));
    }
    if (FileStatus s = file.Write(chunk); !s.ok()) return s;
    return file.Commit();
}

}  // namespace tarvelo
