#pragma once
// A drawing on screen that the surveyor zooms and pans: wheel zoom about the
// cursor (1.25 times a notch), drag to pan, fit() (Home in the windows) to
// show the whole drawing with a margin, a fit asked for before the view has
// its size done once it has, and saving what is shown as PNG, SVG or PDF
// (SaveViewPicture). The plan, the profile and the cross section derive
// from it and say what their drawing is (contentRect), what the margins of
// a fit are and what follows a change of scale (scaleChanged).
//
// The scale is pixels per scene unit, the same both ways (the drawings that
// exaggerate heights do so in their scene coordinates); scene units are
// metres in all three drawings.

#include <QGraphicsView>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

// A pen of this many pixels on screen at every zoom (a line of the drawing,
// not of the scene's metres).
QPen CosmeticPen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine);

class ZoomView : public QGraphicsView {
    Q_OBJECT
public:
    // The zoom range, pixels per metre (0 < min <= max), and the pixels kept
    // free round the drawing by fit(), left/right and top/bottom.
    struct Limits {
        double minPixelsPerMetre = 1e-5, maxPixelsPerMetre = 100;
        QSizeF fitMargin{56, 56};
    };

    explicit ZoomView(Limits limits, QWidget* parent = nullptr);

    // Shows the whole drawing (contentRect) within the margins; nothing
    // without content. A view not yet shown fits again once it is.
    void fit();
    // Zooms so that one metre covers `pixelsPerMetre` pixels, keeping the
    // centre; clamped to the range (NaN gives the smallest scale).
    void setPixelsPerMetre(double pixelsPerMetre);
    double pixelsPerMetre() const;
    // Multiplies the scale by factor about the viewport point `about` (the
    // scene point under it stays there); clamped to the range.
    void zoomBy(double factor, QPointF about);
    const Limits& limits() const { return limits_; }

    // The title a saved picture carries ("线路平面图"); empty: none.
    void setPictureTitle(const QString& title) { pictureTitle_ = title; }
    const QString& pictureTitle() const { return pictureTitle_; }

signals:
    void cursorLeft();

protected:
    // The drawing's extent in scene coordinates; an empty rectangle (width
    // and height 0, or null) while there is nothing to show.
    virtual QRectF contentRect() const = 0;
    virtual bool hasContent() const { return !contentRect().isNull(); }
    // After every change of scale (zoom, fit); the view repaints after it.
    virtual void scaleChanged() {}
    // Called with the scene point under the cursor while it moves over a
    // drawing with content.
    virtual void cursorAt(QPointF scene) { Q_UNUSED(scene); }

    // Call after the content changed: the scene keeps as much room again as
    // the drawing on every side to pan into, and the view fits when asked or
    // when it showed nothing before.
    void contentChanged(bool hadContent, bool fitToContent);

    // Runs paint in viewport pixels whatever the painter's target (the
    // screen, or a file the view is rendered into).
    template <class Paint>
    void paintInViewportPixels(QPainter* painter, Paint paint) const;

    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateSceneRect();
    void rescaled();

    Limits limits_;
    QString pictureTitle_;
    bool fitPending_ = false;  // a fit asked for before the view had its size
};

// The save dialog's filters of a picture of a view: PNG, SVG, PDF.
QStringList ViewPictureFilters();

// Saves the view's visible area as it is shown: PNG (the viewport's
// pixels), SVG and PDF (vectors, the same area and the same overlays; the
// PDF on an A4 landscape page). The format is the path's suffix (png, svg,
// pdf, any case); a path without one of them gets ".png". Written through
// WriteFileBytes, so a failed save leaves any old file as it was. Returns
// the path written, or nullopt with the error sentence in *error.
std::optional<QString> SaveViewPicture(ZoomView& view, const QString& path, QString* error);

template <class Paint>
void ZoomView::paintInViewportPixels(QPainter* painter, Paint paint) const
{
    painter->save();
    painter->setWorldTransform(viewportTransform().inverted() * painter->worldTransform());
    paint();
    painter->restore();
}

}  // namespace tarvelo
