#include "ui/route_window/profile/profile_scene.h"

#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QPen>
#include <cmath>
#include <exception>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "ui/route_window/profile/profile_label.h"

namespace tarvelo {

namespace {

const QColor kGradeColour(30, 70, 160);
const QColor kCurveColour(200, 30, 30);
const QColor kPointColour(40, 40, 40);

// Pixels from a grade point to its label box, and from a grade line.
constexpr double kPointLeader = 36;
constexpr double kGradeLeader = 6;

QString U(const std::string& s) { return QString::fromStdString(s); }

QPen CosmeticPen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCosmetic(true);  // the same width on screen at every zoom
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QString Percent(double grade)
{
    const std::string text = FormatFixed(grade * 100, 3);
    return (grade > 0 ? QStringLiteral("+") : QString()) + U(text) + QStringLiteral("%");
}

}  // namespace

ProfileScene::ProfileScene(QObject* parent) : QGraphicsScene(parent)
{
    // Items are few (a handful per grade point): no index to keep up.
    setItemIndexMethod(NoIndex);
}

std::string ProfileScene::StationText(double station) const
{
    return stationText_ ? stationText_(station) : FormatKStation(station);
}

void ProfileScene::setProfile(std::shared_ptr<const Profile> profile)
{
    clear();
    gradeLines_.clear();
    curveItems_.clear();
    pointLabels_.clear();
    gradeLabels_.clear();
    profileRect_ = QRectF();
    profile_ = std::move(profile);
    if (!profile_) return;
    try {
        build();
    } catch (const std::exception&) {
        // A value too large to write (a grade in percent beyond a double):
        // no half drawing; the table and status still show the profile.
        QGraphicsScene::clear();
        profile_.reset();
        gradeLines_.clear();
        curveItems_.clear();
        pointLabels_.clear();
        gradeLabels_.clear();
        profileRect_ = QRectF();
    }
}

void ProfileScene::build()
{
    const Profile& p = *profile_;
    const auto& points = p.points();
    const auto& grades = p.grades();
    const auto& curves = p.curves();
    const std::size_t n = points.size();

    for (std::size_t k = 0; k + 1 < n; ++k) {
        const QLineF line(ToScene(points[k].station, points[k].elevation),
                          ToScene(points[k + 1].station, points[k + 1].elevation));
        auto* item = addLine(line, CosmeticPen(kGradeColour, 1.5));
        gradeLines_.push_back(item);
        profileRect_ = profileRect_.united(QRectF(line.p1(), line.p2()).normalized());
    }

    for (const VerticalCurve& c : curves) {
        if (!(c.Lv > 0)) continue;  // no change of grade: nothing to draw
        QPainterPath path;
        for (int i = 0; i <= kCurveSamples; ++i) {
            const double s = i == kCurveSamples ? c.end : c.start + c.Lv * i / kCurveSamples;
            const std::optional<double> z = p.ElevationAt(s);
            if (!z) continue;  // within the profile by construction
            const QPointF at = ToScene(s, *z);
            if (path.elementCount() == 0) path.moveTo(at);
            else path.lineTo(at);
        }
        auto* item = addPath(path, CosmeticPen(kCurveColour, 2.5));
        item->setZValue(1);
        curveItems_.push_back(item);
    }

    // Grade points: crests labelled above, sags below, the ends on the side
    // away from their grade line.
    for (std::size_t k = 0; k < n; ++k) {
        QStringList lines{U(StationText(points[k].station)),
                          QStringLiteral("H=") + U(FormatFixed(points[k].elevation, 3))};
        ProfileLabel::Side side;
        if (k == 0) {
            side = grades.front() > 0 ? ProfileLabel::Side::Below : ProfileLabel::Side::Above;
        } else if (k + 1 == n) {
            side = grades.back() > 0 ? ProfileLabel::Side::Above : ProfileLabel::Side::Below;
        } else {
            const VerticalCurve& c = curves[k - 1];
            lines << QStringLiteral("R=") + U(FormatGeneral(c.R))
                  << QStringLiteral("T=") + U(FormatFixed(c.T, 3))
                  << QStringLiteral("E=") + U(FormatFixed(c.E, 3));
            side = c.sag() ? ProfileLabel::Side::Below : ProfileLabel::Side::Above;
        }
        auto* label = new ProfileLabel(lines, side, kPointLeader, kPointColour);
        label->setPos(ToScene(points[k].station, points[k].elevation));
        label->setZValue(3);
        addItem(label);
        pointLabels_.push_back(label);
    }

    // Grades: at the middle of the straight part of each grade line (between
    // the curves), below it, except a first or last line whose end is
    // labelled below: that one's grade goes above.
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double from = k == 0 ? points[0].station : curves[k - 1].end;
        const double to = k + 2 == n ? points[n - 1].station : curves[k].start;
        const double s = (from + to) / 2;
        const double z = points[k].elevation + grades[k] * (s - points[k].station);
        const QStringList lines{Percent(grades[k]),
                                QStringLiteral("L=") +
                                    U(FormatFixed(points[k + 1].station - points[k].station, 3))};
        // (The same rule as the ends' labels above.)
        const bool endBelow = (k == 0 && grades.front() > 0) || (k + 2 == n && !(grades.back() > 0));
        const auto side = endBelow ? ProfileLabel::Side::Above : ProfileLabel::Side::Below;
        // The scale is the same across and up, so the line's slope on screen
        // is its grade times the exaggeration at every zoom: the box stands
        // off by as much as the line climbs under its half width.
        const double halfWidth = ProfileLabel::BoxSize(lines).width() / 2;
        const double leader = kGradeLeader + std::abs(grades[k]) * kExaggeration * halfWidth;
        auto* label = new ProfileLabel(lines, side, leader, kGradeColour, false);
        label->setPos(ToScene(s, z));
        label->setZValue(2);
        addItem(label);
        gradeLabels_.push_back(label);
    }
}

}  // namespace tarvelo
