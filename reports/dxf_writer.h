#pragma once
// The route as a DXF drawing (R12 ASCII, AC1009), which AutoCAD, CASS,
// LibreCAD, QGIS and ezdxf open.
//
// Axes: DXF x = east (Y), DXF y = north (X), z = 0; units metres. Layers:
//   CENTRELINE (red)  tangents as LINE, arcs as ARC, spirals as POLYLINE
//                     (R12 has no LWPOLYLINE; its 2D POLYLINE with VERTEX and
//                     SEQEND is the same open polyline);
//   TANGENT (grey)    the tangent lines QD - JD1 - ... - ZD, one LINE a leg;
//   JD (blue)         a POINT and a small CIRCLE at every JD;
//   STAKE (green)     a POINT at every stake;
//   LABEL (white)     a TEXT beside every stake and every JD with its name.
// Points show as a small X ($PDMODE 3, $PDSIZE a quarter of the text height).
// Text is GBK with $DWGCODEPAGE ANSI_936; a character GBK cannot hold is
// written as \U+XXXX, which DXF readers decode (one beyond U+FFFF, which
// \U+ cannot name, as U+FFFD).
//
// ARC runs counter-clockwise from its start angle to its end angle, angles
// from DXF +x (east) counter-clockwise; a right-hand arc of the route (turning
// clockwise, azimuths increasing) is therefore written from the angle of its
// end point to the angle of its start point, a left-hand arc the other way.
// Spirals are sampled through the route's own station lookup (the drawing is
// the engine's centreline) at equal station steps short enough that the chord
// error stays within the chord-error budget (sagitta ≈ κ·s²/8 with κ ≤ 1/R).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "compute/route_table.h"
#include "core/plan/route.h"
#include "reports/report_status.h"

namespace tarvelo {

struct DxfStyle {
    double textHeight = 2.0;  // metres in the drawing
    double chordError = 1e-4; // metres, largest gap between a spiral and its polyline
};

// The number of equal chords a spiral of the given length needs so that each
// chord's sagitta at the largest curvature 1/radius stays within chordError:
// ceil(length / sqrt(8·chordError·radius)), at least 1. Lengths, radius and
// chordError in metres, all > 0 and finite (otherwise 1).
std::size_t SpiralChordCount(double length, double radius, double chordError);

// DXF text of a route, written piece by piece so that stakes can stream in
// between the route's own entities and the end of the file.
class RouteDxfWriter {
public:
    explicit RouteDxfWriter(const Route& route, DxfStyle style = {});

    // Header, layer tables and the route's own entities: centreline, tangent
    // lines, JD markers and names. Throws FloatFault for a non-finite value.
    // drain, when given, is called whenever out holds 64 kB or more, to pass
    // the bytes on (and clear out) so that a long road never sits in memory
    // whole; when it returns false the writing stops and false is returned.
    bool AppendBeginning(std::string& out, const std::function<bool(std::string&)>& drain = {}) const;
    // One stake: a POINT and its name (UTF-8) beside it, to the right of the
    // centreline, written along the normal. point.azimuth is the centreline's
    // azimuth at the stake (decimal degrees).
    void AppendStake(std::string& out, std::string_view name, const CentrelinePoint& point) const;
    // The end of the entities and of the file.
    void AppendEnd(std::string& out) const;

private:
    void AppendElement(std::string& out, const RouteElement& e) const;
    const Route& route_;
    DxfStyle style_;
};

// Writes the route's drawing to path atomically; with stakes, the table of
// those parameters is streamed in as POINT and TEXT (names as StakeName). The
// table parameters are checked before the file is touched; a fault abandons
// the write (the existing file stays as it was).
FileStatus WriteRouteDxf(const QString& path, const Route& route,
                         const std::optional<RouteTableParams>& stakes, DxfStyle style = {});

}  // namespace tarvelo
