#pragma once
// The route's horizontal alignment as LandXML 1.2, which Civil 3D and the
// field software of the big instrument makers import.
//
// One Alignment (name, length = end station - start station, staStart = the
// start station) whose CoordGeom holds the route's elements in order:
//   Line   Start, End    (left out where a straight is 0, i.e. up to 1e-6 m)
//   Spiral length (the JD's Ls1 or Ls2), radiusStart / radiusEnd ("INF" on the
//          tangent side, R on the arc side), rot ("cw" right turn, "ccw"
//          left), spiType "clothoid"; Start, PI, End
//   Curve  radius R, rot; Start, Center, End, PI
// Coordinates are written "north east" (X then Y), every number in its
// shortest text that reads back to the same double. A spiral's or curve's PI
// is the intersection of the tangents at its two ends. Each element carries
// its name (an element route's element names; on a JD route the curve and
// its spirals the JD's name). With grade points (a profile file's, its
// stations displayed ones), a Profile / ProfAlign follows the CoordGeom: PVI
// at the two ends, a CircCurve with the radius at every point between.
// Units: metric, metres,
// angles and directions in decimal degrees. The namespace is
// http://www.landxml.org/schema/LandXML-1.2.

#include <QByteArray>
#include <QString>

#include <vector>

#include "core/plan/route.h"
#include "core/profile/profile.h"
#include "reports/report_status.h"

namespace tarvelo {

inline constexpr char kLandXmlNamespace[] = "http://www.landxml.org/schema/LandXML-1.2";

// The document (UTF-8 bytes). alignmentName: the Alignment's name (a route
// has none of its own; the file's base name is a good choice). Throws
// FloatFault for a non-finite value, and where a PI does not exist: an arc
// whose two end tangents are parallel (it turns through 180°).
QByteArray LandXmlText(const Route& route, const QString& alignmentName,
                       const std::vector<GradePointInput>* profile = nullptr);

// Writes LandXmlText to path atomically (WriteFileBytes); a FloatFault
// becomes the error and nothing is written.
FileStatus WriteLandXml(const QString& path, const Route& route, const QString& alignmentName,
                        const std::vector<GradePointInput>* profile = nullptr);

// The intersection of the line through (x1, y1) with azimuth a1 and the line
// through (x2, y2) with azimuth a2 (decimal degrees clockwise from north; x
// north, y east); both coordinates NaN when the lines are parallel (the sine
// of the angle between them below 1e-15 in magnitude).
struct PlanPoint {
    double x, y;
};
PlanPoint TangentIntersection(double x1, double y1, double a1, double x2, double y2, double a2);

}  // namespace tarvelo
