#pragma once
// Reading a horizontal alignment from LandXML back into route rows, so that a
// design drawn in CAD can be computed, staked and checked here.
//
// Accepted: a LandXML 1.x document (namespace
// http://www.landxml.org/schema/LandXML-1.x) in metres; one Alignment of it
// (chosen by name when there are several). When its CoordGeom is a chain of
// the shape
//   Line – [Spiral] – Curve – [Spiral] – Line – ... – Line
// (a Line may be missing where two curves meet or a curve starts or ends the
// alignment; consecutive Lines must run on in the same direction; two
// Spirals may meet without a Curve, where the arc's length is 0). A Spiral
// before a Curve must run from radius INF to the Curve's radius, one after
// it from that radius to INF; spiral, curve and turn direction (rot) must
// agree; every element starts within 1 mm (plus 1 % of its own chord: the
// JD method's series spirals end a few centimetres off the arc on sharp
// curves) of where the one before it ends.
// Coordinates are "north east" (an optional third value, an elevation, is
// ignored).
//
// Such a chain is read as a JD route. The rows: QD = the start of the first
// element, with station staStart; one JD per Curve at the intersection of
// the tangent lines before and after it, named by the name attribute of its
// Curve (else of its spirals; else JD1, JD2, ...), with R = the Curve's radius (from
// Center and Start when the attribute is missing; the spirals' common radius
// without a Curve), Ls1 / Ls2 = the lengths of its spirals (0 without);
// ZD = the end of the last element. Tangent lines are taken from the Lines where there
// are (their two ends give the direction), otherwise from the tangent ends of
// the spirals (Start -> PI, PI -> End) or of the curve (at right angles to
// the radius).
//
// When the chain is not of that shape, or its joints are not exact enough
// for the JD method to rebuild it (a kink over 1″, a straight dropped between
// touching curves, rows the route engine refuses), the alignment is read by
// the element method instead: any sequence of Line, Curve and Spiral
// (clothoid, radiusStart / radiusEnd INF or finite: egg curves too), each
// element keeping its own Start point and start direction from the file:
//  - Line: direction Start -> End, length from the coordinates;
//  - Curve: the tangent at right angles to the radius (Center, or derived
//    from the PI and the radius); the turn from the geometry (the cross
//    product of the radii to Start and End when a length attribute tells
//    minor from major arc, or of the tangents at the PI), checked against
//    rot; rot alone decides a Curve with only its Center, and the Center's
//    minor arc stands in for a missing rot; length attribute, else angle
//    times radius;
//  - Spiral: direction Start -> PI, or the direction the element before it
//    ends in when there is no PI; length attribute; turn from rot (or the
//    PI's geometry when rot is missing), checked against the PI's geometry.
// The rows carry x, y and azimuth (decimal degrees, [0, 360)) on every
// element, the station (staStart) on the first only, the element's name
// attribute or its kind and position (直线1, 缓和曲线2, 圆曲线3).
// Each element's end, worked out from its start, direction, length and
// radii, must lie within 0.1 m of its End (over 1 mm: a warning); at each
// joint the gap (End to the next Start) over 1 mm and the kink over 1″ are
// warnings, a gap over 0.1 m or a kink over 80″ a refusal. A Line shorter
// than 0.1 m (or with a |length| attribute below it) between two curved
// elements is rounding where the curves touch: it is dropped with a warning.
//
// An element whose length attribute is 0 (a Curve of length 0 put first to
// give the starting curvature, as design software writes it) is skipped
// with a warning.
//
// Anything else is refused with a Chinese message that names the alignment
// and the element (线形“A”第 3 个元素（Spiral）：...): other elements in
// CoordGeom (IrregularLine, Chain, ...), station equations, imperial units,
// missing coordinates or attributes, a spiral that is not a clothoid, a gap,
// a turn against rot.
//
// A Profile/ProfAlign of PVI, ParaCurve and CircCurve becomes grade points as
// the profile file holds them (core/profile.h): station, elevation, and R on
// the points between the ends (CircCurve: its radius; ParaCurve: its length
// over the grade change, R = L / |omega|; a PVI between the ends without a
// curve gets R 0.001 m and a warning). A profile that cannot be read does not
// stop the alignment: profileError says why.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/plan/element_input.h"
#include "core/profile/profile.h"
#include "core/plan/chainage.h"
#include "core/plan/route.h"
#include "reports/report_status.h"

namespace tarvelo {

struct LandXmlAlignment {
    QString name;                          // the Alignment's name attribute
    std::vector<RoutePointInput> rows;     // QD, JD1 ... JDn, ZD; empty for an element route
    std::vector<ElementInput> elements;    // the element route; empty for a JD route
    std::vector<std::string> warnings;     // complete sentences naming alignment and element
    std::vector<BreakInput> breaks;        // its StaEquations (increasing), in document order
    // The ProfAlign's grade points; empty without one or when it could not
    // be read (profileError then says why).
    std::vector<GradePointInput> profile;
    std::string profileError;
};

struct LandXmlAlignmentInfo {
    QString name;
    std::optional<double> length;  // the length attribute, else the sum of the elements' lengths
    std::size_t elementCount = 0;  // elements in its CoordGeom
};

// The alignments in the document, in file order; the error without a file
// name when the document itself is not LandXML.
FileResult<std::vector<LandXmlAlignmentInfo>> ListLandXmlAlignments(const QByteArray& bytes);

// The alignment called `name` in the document's bytes; with an empty name the
// only one (a document with more is refused, listing their names). The error
// without a file name.
FileResult<LandXmlAlignment> ParseLandXmlAlignment(const QByteArray& bytes, const QString& name = QString());

// The alignment in the file at path (ReadFileBytes); errors name the path.
FileResult<LandXmlAlignment> ReadLandXmlFile(const QString& path, const QString& name = QString());

}  // namespace tarvelo
