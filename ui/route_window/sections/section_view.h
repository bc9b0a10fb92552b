#pragma once
// The cross section at one station on screen (sectionView), a ZoomView: the
// pavement from the left edge through the centre to the right edge, the
// centreline, and as texts that keep their size: the station, each side's
// width and cross slope in percent, and the design elevations of the centre
// and both edges (the centre's from the profile, the edges' by
// EdgeElevation), or the edges' heights above the centre where no profile
// reaches the station.
//
// With a roadbed template the whole design section is drawn as well: each
// side's roadbed top (pavement and shoulders) from the core's SideSection,
// both its branches (the fill slope down, the ditch and the cut slope up)
// drawn to kBranchReach past the roadbed edge or past the marked catch; and a
// surveyed point as a cross with its catch point (坡脚 or 坡口) as a circle.
//
// Scene coordinates: x = offset from the centreline (m, right +), y =
// -exaggeration × (height above the centre) (m), so that up is up; the
// exaggeration is 1 or kExaggeration (the slopes of a few percent can then
// be seen).

#include <QString>
#include <optional>

#include "core/section/cross_section.h"
#include "core/section/roadbed_template.h"
#include "ui/route_window/view/zoom_view.h"

class QGraphicsItem;
class QGraphicsPathItem;

namespace tarvelo {

// A surveyed point on the section and where its slope stake lies.
struct SectionMark {
    double offset = 0, z = 0;          // the point: signed offset (m, right +), elevation
    std::optional<SectionVertex> grip;  // its catch point, when it has one
    QString gripLabel;                  // "坡脚" or "坡口"
};

// What the view draws: the section at one station.
struct SectionDrawing {
    double station = 0;
    QString stationText;  // "K10+700.000"
    Section section;
    std::optional<double> centreZ;  // the design elevation of the centre, when known
    // The design section of each side (needs centreZ: its elevations are
    // absolute); absent where there is no template or no profile.
    std::optional<SideSection> left, right;
    std::optional<SectionMark> mark;  // drawn only with centreZ
};

class SectionView : public ZoomView {
    Q_OBJECT
public:
    static constexpr double kExaggeration = 10;
    static constexpr double kMinPixelsPerMetre = 0.5;
    static constexpr double kMaxPixelsPerMetre = 5000;
    // Room kept round the section by fit(), pixels: the edges' elevations
    // stand beside them, the texts above and below.
    static constexpr double kFitMarginX = 75;
    static constexpr double kFitMarginY = 50;

    explicit SectionView(QWidget* parent = nullptr);

    // Shows the section; fitted when `fitToSection` or when none was shown
    // before. nullopt clears the drawing.
    void setDrawing(std::optional<SectionDrawing> drawing, bool fitToSection);
    const std::optional<SectionDrawing>& drawing() const { return drawing_; }
    // Exaggerated (kExaggeration) or true scale (1); the view fits again.
    void setExaggerated(bool exaggerated);
    double exaggeration() const { return exaggeration_; }

    // The scene point of an offset (m, right +) and a height above the centre (m).
    QPointF toScene(double offset, double height) const { return {offset, -exaggeration_ * height}; }
    // The pavement line: left edge, centre, right edge (empty without a drawing).
    QGraphicsPathItem* pavement() const { return pavement_; }
    // The texts as drawn at the current zoom, for tests and the status bar:
    // the elevation (or height) texts of the left edge, centre and right edge.
    QString elevationText(int side) const;  // side -1 left, 0 centre, +1 right
    // The design lines of both sides (null without a template), the point's
    // cross and its catch's circle (null without a mark or a catch); each
    // mark's pos() is its place in the scene.
    QGraphicsPathItem* designLines() const { return design_; }
    QGraphicsItem* pointMark() const { return pointMark_; }
    QGraphicsItem* gripMark() const { return gripMark_; }

    // How far past the roadbed edge, or past the marked catch, a branch is drawn (m).
    static constexpr double kBranchReach = 4;

signals:
    void cursorMoved(double offset, double height);

protected:
    QRectF contentRect() const override { return contentRect_; }
    bool hasContent() const override { return drawing_.has_value(); }
    void cursorAt(QPointF scene) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void rebuild();
    void drawTexts(QPainter* painter) const;
    QRectF drawDesign();

    std::optional<SectionDrawing> drawing_;
    double exaggeration_ = kExaggeration;
    QRectF contentRect_;
    double centreReach_ = 0;  // how far the centreline is drawn above and below the centre
    QGraphicsPathItem* pavement_ = nullptr;
    QGraphicsPathItem* design_ = nullptr;
    QGraphicsItem* pointMark_ = nullptr;
    QGraphicsItem* gripMark_ = nullptr;
};

}  // namespace tarvelo
