#include "ui/route_window/sections/section_view.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

const QColor kPavement(40, 40, 40);
const QColor kCentreLine(200, 60, 60);
const QColor kText(30, 30, 30);
const QColor kSlopeText(20, 90, 170);
const QColor kDesign(90, 60, 30);
const QColor kPointMark(200, 0, 160);
const QColor kGripMark(0, 130, 60);
// The marks' size on screen, pixels.
constexpr double kMarkSize = 7;

// A millimetre round a point: a rect that united() does not take for none.
QRectF Around(QPointF p) { return {p - QPointF(0.001, 0.001), QSizeF(0.002, 0.002)}; }

// The line up to `reach` metres from the centre (|offset|), the last
// segment cut where it crosses it.
std::vector<SectionVertex> ClippedAt(const std::vector<SectionVertex>& line, double reach)
{
    std::vector<SectionVertex> out;
    for (const SectionVertex& v : line) {
        if (std::fabs(v.offset) <= reach) {
            out.push_back(v);
            continue;
        }
        if (!out.empty()) {
            const SectionVertex& a = out.back();
            const double t = (reach - std::fabs(a.offset)) / (std::fabs(v.offset) - std::fabs(a.offset));
            out.push_back({a.offset + t * (v.offset - a.offset), a.z + t * (v.z - a.z)});
        }
        break;
    }
    return out;
}

QString U(const std::string& s) { return QString::fromStdString(s); }

// A slope as the drawing states it: its sign always, 2 decimals, "%".
QString SlopeText(double percent)
{
    return (percent > 0 ? QStringLiteral("+") : QString()) + U(FormatFixed(percent, 2)) + QStringLiteral("%");
}

}  // namespace

SectionView::SectionView(QWidget* parent)
    : ZoomView({kMinPixelsPerMetre, kMaxPixelsPerMetre, QSizeF(kFitMarginX, kFitMarginY)}, parent)
{
    setScene(new QGraphicsScene(this));
    setPictureTitle(QStringLiteral("横断面图"));
    setBackgroundBrush(Qt::white);
    setMinimumSize(200, 120);
}

void SectionView::setDrawing(std::optional<SectionDrawing> drawing, bool fitToSection)
{
    const bool had = drawing_.has_value();
    drawing_ = std::move(drawing);
    rebuild();
    contentChanged(had, fitToSection);
}

void SectionView::setExaggerated(bool exaggerated)
{
    exaggeration_ = exaggerated ? kExaggeration : 1;
    rebuild();
    contentChanged(drawing_.has_value(), true);
}

void SectionView::rebuild()
{
    scene()->clear();
    pavement_ = nullptr;
    design_ = nullptr;
    pointMark_ = nullptr;
    gripMark_ = nullptr;
    contentRect_ = QRectF();
    if (!drawing_) return;
    const Section& s = drawing_->section;
    const QPointF left = toScene(-s.leftWidth, s.leftWidth * s.leftSlope / 100);
    const QPointF centre = toScene(0, 0);
    const QPointF right = toScene(s.rightWidth, s.rightWidth * s.rightSlope / 100);
    QPainterPath path(left);
    path.lineTo(centre);
    path.lineTo(right);
    pavement_ = scene()->addPath(path, CosmeticPen(kPavement, 2.5));
    // The edges as short upright ticks, the centreline a dashed upright line.
    const double reach = std::max({s.leftWidth, s.rightWidth, 1.0}) * 0.25;
    for (const QPointF& edge : {left, right})
        scene()->addLine(QLineF(edge - QPointF(0, reach * 0.3), edge + QPointF(0, reach * 0.3)),
                         CosmeticPen(kPavement, 1.5));
    scene()->addLine(QLineF(QPointF(0, -reach), QPointF(0, reach)), CosmeticPen(kCentreLine, 1, Qt::DashDotLine));
    centreReach_ = reach;
    contentRect_ = path.boundingRect().united(QRectF(0, -reach, 0, 2 * reach)).united(drawDesign());
}

QRectF SectionView::drawDesign()
{
    if (!drawing_->centreZ) return {};
    const double zc = *drawing_->centreZ;
    const std::optional<SectionMark>& mark = drawing_->mark;
    QPainterPath lines;
    for (const std::optional<SideSection>* side : {&drawing_->left, &drawing_->right}) {
        if (!*side) continue;
        const SideSection& s = **side;
        for (const SlopeBranch b : {SlopeBranch::Fill, SlopeBranch::Cut}) {
            if (!s.has(b)) continue;
            // A few metres past the roadbed edge, or past the marked catch
            // when it lies on this side: the levels far beyond say nothing.
            double reach = std::fabs(s.hinge().offset) + kBranchReach;
            if (mark && mark->grip && (mark->grip->offset < 0) == (s.side() == RoadSide::Left))
                reach = std::max(reach, std::fabs(mark->grip->offset) + kBranchReach);
            const std::vector<SectionVertex> outline = ClippedAt(s.Outline(b, reach), reach);
            for (std::size_t i = 0; i < outline.size(); ++i) {
                const QPointF p = toScene(outline[i].offset, outline[i].z - zc);
                if (i == 0) lines.moveTo(p);
                else lines.lineTo(p);
            }
        }
        if (!s.has(SlopeBranch::Fill) && !s.has(SlopeBranch::Cut)) {
            const std::vector<SectionVertex>& top = s.roadTop();
            for (std::size_t i = 0; i < top.size(); ++i) {
                const QPointF p = toScene(top[i].offset, top[i].z - zc);
                if (i == 0) lines.moveTo(p);
                else lines.lineTo(p);
            }
        }
    }
    QRectF bounds;
    if (!lines.isEmpty()) {
        design_ = scene()->addPath(lines, CosmeticPen(kDesign, 1.5));
        design_->setZValue(-1);  // under the pavement
        bounds = lines.boundingRect();
    }
    if (mark) {
        // Marks keep their size on screen: drawn in pixels round their scene point.
        QPainterPath cross;
        cross.moveTo(-kMarkSize, -kMarkSize);
        cross.lineTo(kMarkSize, kMarkSize);
        cross.moveTo(-kMarkSize, kMarkSize);
        cross.lineTo(kMarkSize, -kMarkSize);
        auto* point = scene()->addPath(cross, CosmeticPen(kPointMark, 2));
        point->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        point->setPos(toScene(mark->offset, mark->z - zc));
        pointMark_ = point;
        bounds = bounds.united(Around(point->pos()));
        if (mark->grip) {
            auto* grip = scene()->addEllipse(-kMarkSize, -kMarkSize, 2 * kMarkSize, 2 * kMarkSize,
                                             CosmeticPen(kGripMark, 2));
            grip->setFlag(QGraphicsItem::ItemIgnoresTransformations);
            grip->setPos(toScene(mark->grip->offset, mark->grip->z - zc));
            auto* label = new QGraphicsSimpleTextItem(mark->gripLabel, grip);
            label->setBrush(kGripMark);
            label->setPos(kMarkSize + 2, -kMarkSize - label->boundingRect().height());
            gripMark_ = grip;
            bounds = bounds.united(Around(grip->pos()));
        }
    }
    return bounds;
}

QString SectionView::elevationText(int side) const
{
    if (!drawing_) return {};
    const Section& s = drawing_->section;
    const double width = side < 0 ? s.leftWidth : side > 0 ? s.rightWidth : 0;
    const double slope = side < 0 ? s.leftSlope : side > 0 ? s.rightSlope : 0;
    try {
        if (drawing_->centreZ) return U(FormatFixed(EdgeElevation(*drawing_->centreZ, width, slope), 3));
        // Without a profile: the height above the centre.
        const double h = EdgeElevation(0, width, slope);
        return side == 0 ? QStringLiteral("±0.000") : (h > 0 ? QStringLiteral("+") : QString()) + U(FormatFixed(h, 3));
    } catch (const FloatFault&) {
        return {};
    }
}

void SectionView::cursorAt(QPointF at) { emit cursorMoved(at.x(), -at.y() / exaggeration_); }

void SectionView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!drawing_) return;
    paintInViewportPixels(painter, [&] { drawTexts(painter); });
}

void SectionView::drawTexts(QPainter* painter) const
{
    const Section& s = drawing_->section;
    const QRectF area(viewport()->rect());
    const QFontMetricsF fm(font());
    painter->setFont(font());
    const auto at = [&](double offset, double height) {
        return QPointF(mapFromScene(toScene(offset, height)));
    };
    // A text centred on x, its baseline dy pixels from y, on a white ground.
    const auto text = [&](const QPointF& p, double dy, const QString& t, const QColor& colour) {
        const double w = fm.horizontalAdvance(t) + 6;
        const QRectF box(p.x() - w / 2, p.y() + dy - fm.height() / 2, w, fm.height());
        painter->fillRect(box, QColor(255, 255, 255, 220));
        painter->setPen(colour);
        painter->drawText(box, Qt::AlignCenter, t);
    };
    const double line = fm.height() + 2;
    const QPointF left = at(-s.leftWidth, s.leftWidth * s.leftSlope / 100);
    const QPointF right = at(s.rightWidth, s.rightWidth * s.rightSlope / 100);
    const QPointF centre = at(0, 0);
    // The edges' elevations beside them, outside the pavement; the centre's
    // over the top of the centreline; each side's slope above its middle
    // and its width below.
    const auto beside = [&](const QPointF& p, bool onLeft, const QString& t) {
        const double w = fm.horizontalAdvance(t) + 6;
        const QRectF box(onLeft ? p.x() - w - 6 : p.x() + 6, p.y() - fm.height() / 2, w, fm.height());
        painter->fillRect(box, QColor(255, 255, 255, 220));
        painter->setPen(kText);
        painter->drawText(box, Qt::AlignCenter, t);
    };
    beside(left, true, elevationText(-1));
    beside(right, false, elevationText(1));
    const QString zWord = drawing_->centreZ ? QStringLiteral("设计高程 ") : QStringLiteral("高差 ");
    const QPointF top(centre.x(), std::min(centre.y(), at(0, centreReach_ / exaggeration_).y()));
    text(top, -0.7 * line, zWord + elevationText(0), kText);
    text((left + centre) / 2, -0.9 * line, SlopeText(s.leftSlope), kSlopeText);
    text((right + centre) / 2, -0.9 * line, SlopeText(s.rightSlope), kSlopeText);
    text((left + centre) / 2, 1.1 * line, QStringLiteral("左幅 %1 m").arg(U(FormatFixed(s.leftWidth, 3))), kText);
    text((right + centre) / 2, 1.1 * line, QStringLiteral("右幅 %1 m").arg(U(FormatFixed(s.rightWidth, 3))), kText);

    // The station and the scale, where the eye starts reading.
    painter->setPen(Qt::black);
    const QString title = QStringLiteral("横断面 %1").arg(drawing_->stationText);
    painter->drawText(QRectF(area.left() + 8, area.top() + 4, fm.horizontalAdvance(title) + 8, line),
                      Qt::AlignLeft | Qt::AlignVCenter, title);
    const QString scale = exaggeration_ == 1 ? QStringLiteral("竖向比例与横向相同")
                                             : QStringLiteral("竖向比例放大 %1 倍").arg(exaggeration_);
    painter->drawText(QRectF(area.right() - fm.horizontalAdvance(scale) - 12, area.bottom() - line - 4,
                             fm.horizontalAdvance(scale) + 8, line),
                      Qt::AlignCenter, scale);
}

}  // namespace tarvelo
