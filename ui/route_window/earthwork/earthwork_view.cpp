#include "ui/route_window/earthwork/earthwork_view.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "compute/earthwork_text.h"
#include "core/numbers/number_text.h"
#include "ui/route_window/earthwork/earthwork_shading.h"

namespace tarvelo {

namespace {

const QColor kGround(120, 80, 30);
const QColor kDesign(30, 30, 30);
const QColor kCentreLine(200, 60, 60);
const QColor kProblem(176, 0, 0);

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QColor CutColour() { return QColor(214, 96, 48); }
QColor FillColour() { return QColor(60, 130, 200); }

EarthworkView::EarthworkView(QWidget* parent)
    : ZoomView({kMinPixelsPerMetre, kMaxPixelsPerMetre, QSizeF(70, 60)}, parent)
{
    setScene(new QGraphicsScene(this));
    setPictureTitle(QStringLiteral("土石方断面图"));
    setBackgroundBrush(Qt::white);
    setMinimumSize(200, 120);
    setFocusPolicy(Qt::StrongFocus);
}

void EarthworkView::setDrawing(std::optional<EarthworkDrawing> drawing, bool fitToSection)
{
    const bool had = drawing_.has_value();
    drawing_ = std::move(drawing);
    rebuild();
    contentChanged(had, fitToSection);
}

void EarthworkView::setExaggerated(bool exaggerated)
{
    exaggeration_ = exaggerated ? kExaggeration : 1;
    rebuild();
    contentChanged(drawing_.has_value(), true);
}

void EarthworkView::rebuild()
{
    scene()->clear();
    cut_ = fill_ = ground_ = design_ = nullptr;
    contentRect_ = QRectF();
    if (!drawing_) return;
    const EarthworkSection& s = drawing_->section;
    const GroundSection& g = drawing_->ground;
    // The reference: the ground at the centre where it reaches, else its first point.
    referenceZ_ = g.ElevationAt(0).value_or(g.points().front().z);

    const auto line = [this](const std::vector<SectionVertex>& points) {
        QPainterPath path;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const QPointF p = toScene(points[i].offset, points[i].z);
            if (i == 0) path.moveTo(p);
            else path.lineTo(p);
        }
        return path;
    };
    const auto shading = [this](const std::vector<std::vector<SectionVertex>>& polygons) {
        QPainterPath path;
        for (const auto& polygon : polygons) {
            QPolygonF q;
            for (const SectionVertex& v : polygon) q << toScene(v.offset, v.z);
            path.addPolygon(q);
            path.closeSubpath();
        }
        return path;
    };
    const CutFillRegions regions = CutFillRegionsOf(g, s.design);
    QColor cut = CutColour(), fill = FillColour();
    cut.setAlpha(110);
    fill.setAlpha(110);
    cut_ = scene()->addPath(shading(regions.cut), Qt::NoPen, cut);
    fill_ = scene()->addPath(shading(regions.fill), Qt::NoPen, fill);
    ground_ = scene()->addPath(line(g.Line()), CosmeticPen(kGround, 1.8));
    design_ = scene()->addPath(line(s.design), CosmeticPen(kDesign, 2.2));
    // Fitted to the design and the ground half its width again either side
    // (the ground may run far out); the whole ground without a design.
    contentRect_ = ground_->path().boundingRect();
    if (s.design.size() >= 2) {
        const double from = s.design.front().offset, to = s.design.back().offset;
        const double reach = std::max(2.0, (to - from) / 2);
        contentRect_ = design_->path().boundingRect();
        for (const GroundPoint& p : g.points())
            if (p.offset >= from - reach && p.offset <= to + reach)
                contentRect_ = contentRect_.united(QRectF(toScene(p.offset, p.z), QSizeF(0, 0)));
        for (const double u : {from - reach, to + reach})
            if (const std::optional<double> z = g.ElevationAt(u))
                contentRect_ = contentRect_.united(QRectF(toScene(u, *z), QSizeF(0, 0)));
    }
    // The centreline across the drawing's height.
    const double top = contentRect_.top(), bottom = contentRect_.bottom();
    scene()->addLine(QLineF(QPointF(0, top), QPointF(0, bottom)), CosmeticPen(kCentreLine, 1, Qt::DashDotLine));
    // The catches: a small upright tick through each.
    const double tick = std::max(0.3, contentRect_.height() * 0.04);
    for (const std::optional<CatchStake>* c : {&s.left, &s.right}) {
        if (!*c) continue;
        const QPointF p = toScene((*c)->offset, (*c)->z);
        scene()->addLine(QLineF(p - QPointF(0, tick), p + QPointF(0, tick)),
                         CosmeticPen((*c)->branch == SlopeBranch::Cut ? CutColour() : FillColour(), 2.5));
    }
}

QStringList EarthworkView::captions() const
{
    if (!drawing_) return {};
    QStringList lines{QStringLiteral("土石方 %1").arg(drawing_->stationText)};
    if (!drawing_->section.problem.empty()) {
        lines << U(drawing_->section.problem);
    } else {
        lines << QStringLiteral("挖方面积 %1 m²").arg(drawing_->cutText)
              << QStringLiteral("填方面积 %1 m²").arg(drawing_->fillText);
    }
    return lines;
}

void EarthworkView::cursorAt(QPointF at) { emit cursorMoved(at.x(), referenceZ_ - at.y() / exaggeration_); }

void EarthworkView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        emit stepRequested(-1);
        return;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        emit stepRequested(1);
        return;
    default:
        ZoomView::keyPressEvent(event);
    }
}

void EarthworkView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!drawing_) return;
    paintInViewportPixels(painter, [&] { drawTexts(painter); });
}

void EarthworkView::drawTexts(QPainter* painter) const
{
    const EarthworkSection& s = drawing_->section;
    const QRectF area(viewport()->rect());
    const QFontMetricsF fm(font());
    painter->setFont(font());
    const double line = fm.height() + 2;
    // A text on a white ground, its box's top left at p.
    const auto text = [&](const QPointF& p, const QString& t, const QColor& colour) {
        const QRectF box(p.x(), p.y(), fm.horizontalAdvance(t) + 6, fm.height());
        painter->fillRect(box, QColor(255, 255, 255, 220));
        painter->setPen(colour);
        painter->drawText(box, Qt::AlignCenter, t);
        return box;
    };
    // The station and the areas where the eye starts reading, each area
    // after a swatch of its shading.
    const QStringList lines = captions();
    double y = area.top() + 4;
    text(QPointF(area.left() + 8, y), lines[0], Qt::black);
    y += line;
    if (!s.problem.empty()) {
        text(QPointF(area.left() + 8, y), lines[1], kProblem);
    } else {
        for (int i = 1; i <= 2; ++i) {
            const QColor colour = i == 1 ? CutColour() : FillColour();
            QColor swatch = colour;
            swatch.setAlpha(110);
            painter->fillRect(QRectF(area.left() + 8, y + 3, 14, fm.height() - 6), swatch);
            text(QPointF(area.left() + 26, y), lines[i], colour.darker(130));
            y += line;
        }
    }
    // Each catch named beside it, outside the roadbed, with its offset and elevation.
    for (const auto& [c, left] : {std::pair{&s.left, true}, std::pair{&s.right, false}}) {
        if (!*c) continue;
        const QPointF p = QPointF(mapFromScene(toScene((*c)->offset, (*c)->z)));
        const QString t = QStringLiteral("%1%2 %3 / %4")
                              .arg(left ? QStringLiteral("左") : QStringLiteral("右"),
                                   QString::fromUtf8(CatchStakeWord((*c)->branch)), U(FormatFixed((*c)->offset, 3)),
                                   U(FormatFixed((*c)->z, 3)));
        // Centred over the catch, kept inside the view.
        const double w = fm.horizontalAdvance(t) + 6;
        const double x = std::clamp(p.x() - w / 2, area.left() + 4, std::max(area.left() + 4, area.right() - w - 4));
        text(QPointF(x, p.y() - 1.6 * line), t, kDesign);
    }
    painter->setPen(Qt::black);
    const QString scale = exaggeration_ == 1 ? QStringLiteral("竖向比例与横向相同")
                                             : QStringLiteral("竖向比例放大 %1 倍").arg(exaggeration_);
    painter->drawText(QRectF(area.right() - fm.horizontalAdvance(scale) - 12, area.bottom() - line - 4,
                             fm.horizontalAdvance(scale) + 8, line),
                      Qt::AlignCenter, scale);
}

}  // namespace tarvelo
