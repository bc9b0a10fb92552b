#pragma once
// Reading a horizontal alignment from LandXML back into route rows, so that a
// design drawn in CAD can be computed, staked and checked here.
//
// Accepted: a LandXML 1.x document (namespace
// http://www.landxml.org/schema/LandXML-1.x) in metres with exactly one
// Alignment, whose CoordGeom is a chain of the shape
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
// The rows: QD = the start of the first element, with station staStart; one
// JD per Curve at the intersection of the tangent lines before and after
// it, with R = the Curve's radius (from Center and Start when the attribute
// is missing; the spirals' common radius without a Curve), Ls1 / Ls2 = the lengths of its spirals (0 without); ZD = the
// end of the last element. Tangent lines are taken from the Lines where there
// are (their two ends give the direction), otherwise from the tangent ends of
// the spirals (Start -> PI, PI -> End) or of the curve (at right angles to
// the radius).
//
// Anything else is refused with a Chinese message that names the element:
// other elements in CoordGeom (IrregularLine, Chain, ...), station equations,
// imperial units, missing coordinates or attributes, a spiral that is not a
// clothoid between a tangent and the arc, a gap, a turn against rot.

#include <vector>

#include <QByteArray>
#include <QString>

#include "core/route.h"
#include "reports/report_status.h"

namespace tarvelo {

struct LandXmlAlignment {
    QString name;                          // the Alignment's name attribute
    std::vector<RoutePointInput> rows;     // QD, JD1 ... JDn, ZD
};

// The alignment in the document's bytes; the error without a file name.
FileResult<LandXmlAlignment> ParseLandXmlAlignment(const QByteArray& bytes);

// The alignment in the file at path (ReadFileBytes); errors name the path.
FileResult<LandXmlAlignment> ReadLandXmlFile(const QString& path);

}  // namespace tarvelo
