#include "ui/route_window/plan/plan_items.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>
#include <exception>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "core/curve/centreline.h"

namespace tarvelo {

namespace {

// Largest distance between a chord of the full path and the curve (metres),
// and the most chords an element is cut into.
constexpr double kSagitta = 0.002;
constexpr double kMaxSegments = 4000;

constexpr double kMarkerRadius = 3.5;
constexpr double kGap = 6;  // marker to text, pixels

QFont LabelFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

// Measured once: thousands of labels share the font.
const QFontMetricsF& LabelMetrics()
{
    static const QFontMetricsF* metrics = new QFontMetricsF(LabelFont());
    return *metrics;
}

// Draws text on a pale box so it stays readable over lines of any colour.
void DrawBoxedText(QPainter* painter, const QRectF& rect, const QString& text, const QColor& colour)
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(255, 255, 255, 215));
    painter->drawRoundedRect(rect, 2, 2);
    painter->setPen(colour);
    painter->drawText(rect, Qt::AlignCenter, text);
}

}  // namespace

std::vector<double> SampleStations(const RouteElement& e)
{
    const double length = e.endStation - e.startStation;
    int segments = 1;
    if (e.kind != ElementKind::Line && e.radius > 0 && length > 0) {
        // A chord c on radius r lies c²/8r from its arc; spirals are flatter.
        const double chord = std::sqrt(8 * e.radius * kSagitta);
        const double n = std::ceil(length / chord);
        segments = std::isfinite(n) ? static_cast<int>(std::clamp(n, 1.0, double(kMaxSegments))) : 1;
    }
    std::vector<double> out;
    out.reserve(segments + 1);
    for (int i = 0; i < segments; ++i) out.push_back(e.startStation + length * i / segments);
    out.push_back(e.endStation);
    return out;
}

ElementItem::ElementItem(const Route* route, std::size_t index, const PlanFrame& frame, const QPen& pen)
    : element_(route->elements()[index]), route_(route), index_(index), frame_(frame), pen_(pen)
{
    const RouteElement& element = element_;
    const double length = element.endStation - element.startStation;
    const int chords = element.kind == ElementKind::Line ? 1 : kCoarseChords;
    coarse_.moveTo(at(element.startStation));
    for (int i = 1; i < chords; ++i) coarse_.lineTo(at(element.startStation + length * i / chords));
    coarse_.lineTo(at(element.endStation));
    if (element.kind != ElementKind::Line && element.radius > 0) {
        const double chord = length / chords;
        coarseSagitta_ = chord * chord / (8 * element.radius);
    }
    // The curve lies within the sagitta of its chords.
    const double s = coarseSagitta_ + 1e-3;
    bounds_ = coarse_.boundingRect().adjusted(-s, -s, s, s);
}

QPointF ElementItem::at(double station) const
{
    const CentrelinePoint p = route_->ElementPointAt(index_, station);
    return frame_.toScene(p.x, p.y);
}

const QPainterPath& ElementItem::finePath() const
{
    if (!fineDone_) {
        fineDone_ = true;
        try {
            bool first = true;
            for (double k : SampleStations(element_)) {
                if (first) fine_.moveTo(at(k)); else fine_.lineTo(at(k));
                first = false;
            }
        } catch (const std::exception&) {
            fine_ = QPainterPath();  // the coarse path stands in
        }
    }
    return fine_;
}

void ElementItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const QTransform& t = painter->worldTransform();
    const double pixelsPerMetre = std::hypot(t.m11(), t.m12());
    const bool fine = coarseSagitta_ * pixelsPerMetre >= 0.33 && !finePath().isEmpty();
    painter->setPen(pen_);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(fine ? fine_ : coarse_);
}

PlanLabel::PlanLabel(const QString& text, QPointF outward, MarkerShape shape, const QColor& colour)
    : text_(text), shape_(shape), colour_(colour)
{
    setFlag(ItemIgnoresTransformations);
    const double length = std::hypot(outward.x(), outward.y());
    const QPointF n = length > 0 ? outward / length : QPointF(0.7071, -0.7071);
    if (!text_.isEmpty()) {
        const QFontMetricsF& metrics = LabelMetrics();
        const QSizeF size(metrics.horizontalAdvance(text_) + 6, metrics.height() + 2);
        // The text's centre sits far enough along n that its nearest edge or
        // corner keeps the gap from the marker, whatever the direction.
        const double reach = kMarkerRadius + kGap + std::fabs(n.x()) * size.width() / 2 +
                             std::fabs(n.y()) * size.height() / 2;
        const QPointF centre = n * reach;
        textRect_ = QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
    }
}

QRectF PlanLabel::boundingRect() const
{
    const double r = kMarkerRadius + 2;
    return textRect_.united(QRectF(-r, -r, 2 * r, 2 * r));
}

void PlanLabel::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(colour_, 1.5));
    switch (shape_) {
    case MarkerShape::None: break;
    case MarkerShape::Dot:
        painter->setBrush(colour_);
        painter->drawEllipse(QPointF(0, 0), kMarkerRadius - 0.5, kMarkerRadius - 0.5);
        break;
    case MarkerShape::Triangle: {
        painter->setBrush(Qt::white);
        const double r = kMarkerRadius + 1;
        const QPointF tri[3] = {{0, -r}, {r * 0.87, r * 0.5}, {-r * 0.87, r * 0.5}};
        painter->drawPolygon(tri, 3);
        break;
    }
    case MarkerShape::Ring:
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(colour_, 2));
        painter->drawEllipse(QPointF(0, 0), kMarkerRadius + 3, kMarkerRadius + 3);
        break;
    }
    if (!text_.isEmpty()) {
        painter->setFont(LabelFont());
        DrawBoxedText(painter, textRect_, text_, colour_);
    }
}

StakesItem::StakesItem(std::vector<PlanStake> stakes, double interval)
    : stakes_(std::move(stakes)), interval_(interval)
{
    setFlag(ItemUsesExtendedStyleOption);
    if (!stakes_.empty()) {
        double left = stakes_[0].at.x(), right = left, top = stakes_[0].at.y(), bottom = top;
        for (const PlanStake& s : stakes_) {
            left = std::min(left, s.at.x());
            right = std::max(right, s.at.x());
            top = std::min(top, s.at.y());
            bottom = std::max(bottom, s.at.y());
        }
        bounds_ = QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    // Room for the crosses and texts drawn around the outermost stakes is
    // added on screen; a scene margin of a tenth keeps them from being cut.
    const double margin = std::max(bounds_.width(), bounds_.height()) * 0.1 + 1;
    bounds_.adjust(-margin, -margin, margin, margin);
}

void StakesItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const QTransform toDevice = painter->worldTransform();
    const double pixelsPerMetre = std::hypot(toDevice.m11(), toDevice.m12());
    const double spacing = interval_ * pixelsPerMetre;
    if (spacing < kMarkSpacing) return;
    const bool texts = spacing >= kTextSpacing;
    // The exposed area widened by what is drawn beside a stake (in metres).
    // A view rendered into a file exposes the whole item: the painter's own
    // device bounds it then.
    const double reach = 90 / pixelsPerMetre;
    QRectF area = option->exposedRect;
    if (const QPaintDevice* device = painter->device())
        area &= toDevice.inverted().mapRect(QRectF(0, 0, device->width(), device->height()));
    area.adjust(-reach, -reach, reach, reach);

    painter->save();
    // Device pixels from here on: marks and texts keep their size at any zoom.
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing);
    QFont font;
    font.setPixelSize(10);
    painter->setFont(font);
    const QColor colour(120, 40, 160);
    for (const PlanStake& s : stakes_) {
        if (!area.contains(s.at)) continue;
        const QPointF d = toDevice.map(s.at);
        painter->setPen(QPen(colour, 1.2));
        painter->drawLine(d + QPointF(-3, -3), d + QPointF(3, 3));
        painter->drawLine(d + QPointF(-3, 3), d + QPointF(3, -3));
        if (texts && !s.mainPoint) {
            painter->setPen(colour);
            // Formatted here, for the few on screen: the table may hold millions.
            const std::string text = FormatKStation(s.station) + (s.zone >= 0 ? ZoneMark(s.zone) : std::string());
            painter->drawText(d + QPointF(6, 4), QString::fromStdString(text));
        }
    }
    painter->restore();
}

}  // namespace tarvelo
