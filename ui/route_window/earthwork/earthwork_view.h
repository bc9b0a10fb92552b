#pragma once
// The earthwork section on screen (earthworkView), a ZoomView: the ground
// line, the design line from the left catch to the right catch as the
// engine found it, the cut shaded in one colour and the fill in another,
// the catches marked 坡脚 / 坡口 with their offsets, and as texts that keep
// their size: the station and the cut and fill areas (or the section's
// problem). Up / Down and Page Up / Page Down ask for the previous or next
// station (stepRequested); the panel owns the list.
//
// Scene coordinates as in the 横断面 drawing: x = offset from the
// centreline (m, right +), y = -exaggeration × (elevation − the drawing's
// reference elevation) (m), so that up is up; the exaggeration is 1 or
// kExaggeration. A scene area divided by the exaggeration is m².

#include <QString>
#include <optional>

#include "compute/earthwork.h"
#include "core/section/ground_section.h"
#include "ui/route_window/view/zoom_view.h"

class QGraphicsPathItem;

namespace tarvelo {

// What the view draws: one section of an earthwork result and its ground,
// with the texts the sections table shows for it.
struct EarthworkDrawing {
    EarthworkSection section;
    GroundSection ground;
    QString stationText;        // "K10+200.000"
    QString cutText, fillText;  // the areas as the table shows them ("6.120"; "-" with a problem)
};

class EarthworkView : public ZoomView {
    Q_OBJECT
public:
    static constexpr double kExaggeration = 5;
    static constexpr double kMinPixelsPerMetre = 0.5;
    static constexpr double kMaxPixelsPerMetre = 5000;

    explicit EarthworkView(QWidget* parent = nullptr);

    // Shows the section; fitted when `fitToSection` or when none was shown
    // before. nullopt clears the drawing.
    void setDrawing(std::optional<EarthworkDrawing> drawing, bool fitToSection);
    const std::optional<EarthworkDrawing>& drawing() const { return drawing_; }
    // Exaggerated (kExaggeration) or true scale (1); the view fits again.
    void setExaggerated(bool exaggerated);
    double exaggeration() const { return exaggeration_; }

    // The scene point of an offset (m, right +) and an elevation (m).
    QPointF toScene(double offset, double z) const { return {offset, -exaggeration_ * (z - referenceZ_)}; }

    // The drawn items (null without a drawing): the shaded cut and fill
    // regions (one closed subpath a region), the ground and design lines.
    QGraphicsPathItem* cutShading() const { return cut_; }
    QGraphicsPathItem* fillShading() const { return fill_; }
    QGraphicsPathItem* groundLine() const { return ground_; }
    QGraphicsPathItem* designLine() const { return design_; }
    // The texts written on the drawing, top to bottom (station, areas or problem).
    QStringList captions() const;

signals:
    void cursorMoved(double offset, double elevation);
    // -1: the previous station, +1: the next.
    void stepRequested(int step);

protected:
    QRectF contentRect() const override { return contentRect_; }
    bool hasContent() const override { return drawing_.has_value(); }
    void cursorAt(QPointF scene) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuild();
    void drawTexts(QPainter* painter) const;

    std::optional<EarthworkDrawing> drawing_;
    double exaggeration_ = 1;
    double referenceZ_ = 0;
    QRectF contentRect_;
    QGraphicsPathItem *cut_ = nullptr, *fill_ = nullptr, *ground_ = nullptr, *design_ = nullptr;
};

// The colours of the shading, for the drawing and its legend.
QColor CutColour();
QColor FillColour();

}  // namespace tarvelo
