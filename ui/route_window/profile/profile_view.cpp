#include "ui/route_window/profile/profile_view.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "ui/route_window/profile/profile_label.h"

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

}  // namespace

ProfileView::ProfileView(QWidget* parent)
    : ZoomView({kMinPixelsPerMetre, kMaxPixelsPerMetre, QSizeF(kFitMarginX, kFitMarginY)}, parent),
      scene_(new ProfileScene(this))
{
    setScene(scene_);
    setPictureTitle(QStringLiteral("纵断面图"));
    setBackgroundBrush(Qt::white);
    setMinimumSize(200, 120);
}

void ProfileView::setProfile(std::shared_ptr<const Profile> profile, bool fitToProfile)
{
    const bool had = scene_->hasProfile();
    scene_->setProfile(std::move(profile));
    contentChanged(had, fitToProfile);
}

void ProfileView::setStationText(std::function<std::string(double)> text) { scene_->setStationText(std::move(text)); }

std::string ProfileView::StationText(double station) const { return scene_->StationText(station); }

QRectF ProfileView::contentRect() const { return scene_->profileRect(); }

bool ProfileView::hasContent() const { return scene_->hasProfile(); }

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

void ProfileView::cursorAt(QPointF at)
{
    emit cursorMoved(ProfileScene::StationOf(at), ProfileScene::ElevationOf(at));
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
    paintInViewportPixels(painter, [&] { drawAxisTexts(painter); });
}

void ProfileView::drawAxisTexts(QPainter* painter) const
{
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
        // Whole stations on the coarse steps; on a route with breaks the displayed ones.
        std::string shown = scene_->StationText(s);
        const std::size_t point = shown.find('.');
        if (ds >= 1 && point != std::string::npos && shown.compare(point, 4, ".000") == 0) shown.erase(point, 4);
        const QString text = QString::fromStdString(shown);
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

}  // namespace tarvelo
