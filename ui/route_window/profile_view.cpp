#include "ui/route_window/profile_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "compute/route_text.h"
#include "core/number_text.h"
#include "ui/route_window/profile_label.h"

namespace tarvelo {

namespace {

const QColor kGridColour(225, 228, 235);
const QColor kAxisText(90, 90, 90);
constexpr double kStationGridPixels = 110;  // K texts are about 80 px wide
constexpr double kElevationGridPixels = 40;

// The smallest of 1, 2, 5 × 10^k that is at least `least`.
double NiceStep(double least)
{
    const double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * decade >= least) return m * decade;
    return 10 * decade;
}

// The multiples n·step within [low, high], each computed as n·step and
// counted by an int: adding step (or 1 to n) stalls once it is below the
// spacing of doubles near a far station. Nothing when the range holds more
// than a screen's worth.
std::vector<double> GridValues(double low, double high, double step)
{
    std::vector<double> out;
    if (!(step > 0) || !std::isfinite(low) || !std::isfinite(high)) return out;
    const double first = std::ceil(low / step), last = std::floor(high / step);
    if (!(last - first < 1000)) return out;
    const int count = static_cast<int>(last - first);
    for (int i = 0; i <= count; ++i) {
        const double v = (first + i) * step;  // repeats where first + i rounds to first
        if (out.empty() || v != out.back()) out.push_back(v);
    }
    return out;
}

// Paints in viewport pixels whatever the painter's target (screen or file).
class ViewportPainter {
public:
    ViewportPainter(QPainter* painter, const QTransform& viewportToScene) : painter_(painter)
    {
        painter_->save();
        painter_->setWorldTransform(viewportToScene * painter_->worldTransform());
    }
    ~ViewportPainter() { painter_->restore(); }

private:
    QPainter* painter_;
};

}  // namespace

ProfileView::ProfileView(QWidget* parent) : QGraphicsView(parent), scene_(new ProfileScene(this))
{
    setScene(scene_);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(ScrollHandDrag);
    setTransformationAnchor(NoAnchor);  // zoomBy keeps its own anchor
    setResizeAnchor(AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The grid texts sit at fixed screen places: a scrolled copy would smear them.
    setViewportUpdateMode(FullViewportUpdate);
    setBackgroundBrush(Qt::white);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 120);
}

void ProfileView::setProfile(std::shared_ptr<const Profile> profile, bool fitToProfile)
{
    const bool had = scene_->hasProfile();
    scene_->setProfile(std::move(profile));
    updateSceneRect();
    if (scene_->hasProfile() && (fitToProfile || !had)) fit();
    declutter();
    viewport()->update();
}

void ProfileView::updateSceneRect()
{
    // Room to pan into: as much again on every side.
    const QRectF r = scene_->profileRect();
    const double margin = std::max({r.width(), r.height(), 100.0});
    setSceneRect(r.adjusted(-margin, -margin, margin, margin));
}

void ProfileView::fit()
{
    if (!scene_->hasProfile()) return;
    fitPending_ = !isVisible();
    const QRectF r = scene_->profileRect();
    const QRectF room = QRectF(viewport()->rect()).adjusted(kFitMarginX, kFitMarginY, -kFitMarginX,
                                                            -kFitMarginY);
    const double sx = room.width() / std::max(r.width(), 1e-9);
    const double sy = room.height() / std::max(r.height(), 1e-9);
    setPixelsPerMetre(std::max(std::min(sx, sy), 0.0));
    centerOn(r.center());
}

double ProfileView::pixelsPerMetre() const { return transform().m11(); }

void ProfileView::setPixelsPerMetre(double target)
{
    target = std::clamp(target, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(centre);
    declutter();
    viewport()->update();
}

void ProfileView::zoomBy(double factor, QPointF about)
{
    const double now = pixelsPerMetre();
    const double target = std::clamp(now * factor, kMinPixelsPerMetre, kMaxPixelsPerMetre);
    if (target == now) return;
    // The scene point under `about` stays there.
    const QPointF fixed = mapToScene(about.toPoint());
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(fixed + (centre - fixed) * (now / target));
    declutter();
    viewport()->update();
}

void ProfileView::declutter()
{
    const auto& points = scene_->pointLabels();
    std::vector<ProfileLabel*> order;
    for (std::size_t k = 1; k + 1 < points.size(); ++k) order.push_back(points[k]);
    if (!points.empty()) order.push_back(points.front());
    if (points.size() > 1) order.push_back(points.back());
    for (ProfileLabel* label : scene_->gradeLabels()) order.push_back(label);
    // Overlaps depend on the scale only, not on where the view looks.
    std::vector<QRectF> shown;
    for (ProfileLabel* label : order) {
        const QRectF box = label->deviceTransform(viewportTransform()).mapRect(label->boxRect());
        const bool clear = std::none_of(shown.begin(), shown.end(),
                                        [&](const QRectF& r) { return r.intersects(box); });
        label->setVisible(clear);
        if (clear) shown.push_back(box);
    }
}

void ProfileView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void ProfileView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
    if (!scene_->hasProfile()) return;
    const QPointF at = mapToScene(event->position().toPoint());
    emit cursorMoved(ProfileScene::StationOf(at), ProfileScene::ElevationOf(at));
}

void ProfileView::leaveEvent(QEvent* event)
{
    QGraphicsView::leaveEvent(event);
    emit cursorLeft();
}

double ProfileView::stationStep() const
{
    return NiceStep(kStationGridPixels / pixelsPerMetre());
}

double ProfileView::elevationStep() const
{
    return NiceStep(kElevationGridPixels / (pixelsPerMetre() * ProfileScene::kExaggeration));
}

void ProfileView::drawBackground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawBackground(painter, rect);
    if (!scene_->hasProfile()) return;
    const QRectF seen = mapToScene(viewport()->rect()).boundingRect();
    QPen pen(kGridColour, 1);
    pen.setCosmetic(true);
    painter->save();
    painter->setPen(pen);
    const double ds = stationStep();
    for (double s : GridValues(seen.left(), seen.right(), ds))
        painter->drawLine(QPointF(s, seen.top()), QPointF(s, seen.bottom()));
    const double dz = elevationStep();
    const double zLow = ProfileScene::ElevationOf(seen.bottomLeft());
    const double zHigh = ProfileScene::ElevationOf(seen.topLeft());
    for (double z : GridValues(zLow, zHigh, dz)) {
        const double y = ProfileScene::ToScene(0, z).y();
        painter->drawLine(QPointF(seen.left(), y), QPointF(seen.right(), y));
    }
    painter->restore();
}

void ProfileView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    if (!scene_->hasProfile()) return;
    const ViewportPainter pixels(painter, viewportTransform().inverted());
    const QRectF area(viewport()->rect());
    const QFontMetricsF fm(font());
    painter->setFont(font());
    painter->setPen(kAxisText);

    // Station values along the bottom edge, elevations along the left edge,
    // each on a white band so the drawing behind does not blur them.
    const double ds = stationStep();
    const double left = mapToScene(QPoint(0, 0)).x(), right = mapToScene(area.toRect().topRight()).x();
    const QRectF bottomBand(area.left(), area.bottom() - fm.height() - 4, area.width(), fm.height() + 4);
    painter->fillRect(bottomBand, QColor(255, 255, 255, 220));
    for (double s : GridValues(left, right, ds)) {
        const double x = mapFromScene(QPointF(s, 0)).x();
        const QString text = QString::fromStdString(FormatKStation(s, ds < 1 ? 3 : 0));
        painter->drawText(QRectF(x - 60, bottomBand.top(), 120, bottomBand.height()), Qt::AlignCenter, text);
    }
    const double dz = elevationStep();
    const int decimals = dz >= 1 ? 0 : dz >= 0.1 ? 1 : dz >= 0.01 ? 2 : 3;
    const double zHigh = ProfileScene::ElevationOf(mapToScene(QPoint(0, 0)));
    const double zLow = ProfileScene::ElevationOf(mapToScene(area.toRect().bottomLeft()));
    for (double z : GridValues(zLow, zHigh, dz)) {
        const double y = mapFromScene(ProfileScene::ToScene(0, z)).y();
        if (y > bottomBand.top() - fm.height()) continue;  // would sit on the station values
        const QString text = QString::fromStdString(FormatFixed(z, decimals));
        const QRectF box(area.left() + 2, y - fm.height() / 2, fm.horizontalAdvance(text) + 6, fm.height());
        painter->fillRect(box, QColor(255, 255, 255, 220));
        painter->drawText(box, Qt::AlignCenter, text);
    }

    // The exaggeration, stated where the eye starts reading.
    const QString scale = QStringLiteral("竖向比例放大 %1 倍（高程 1 m 画作桩号 %1 m 长）")
                              .arg(ProfileScene::kExaggeration);
    const QRectF note(area.right() - fm.horizontalAdvance(scale) - 12, area.top() + 4,
                      fm.horizontalAdvance(scale) + 8, fm.height() + 4);
    painter->fillRect(note, QColor(255, 255, 255, 230));
    painter->setPen(Qt::black);
    painter->drawText(note, Qt::AlignCenter, scale);
}

void ProfileView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (fitPending_ && isVisible()) fit();
    viewport()->update();
}

void ProfileView::showEvent(QShowEvent* event)
{
    QGraphicsView::showEvent(event);
    if (fitPending_) fit();
}

}  // namespace tarvelo
