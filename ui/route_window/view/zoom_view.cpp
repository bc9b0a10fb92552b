#include "ui/route_window/view/zoom_view.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPageSize>
#include <QPdfWriter>
#ifdef TARVELO_HAVE_SVG
#include <QSvgGenerator>
#endif
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "reports/text_file.h"

namespace tarvelo {

QPen CosmeticPen(const QColor& colour, double width, Qt::PenStyle style)
{
    QPen pen(colour, width, style);
    pen.setCosmetic(true);
    return pen;
}

ZoomView::ZoomView(Limits limits, QWidget* parent) : QGraphicsView(parent), limits_(limits)
{
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    setDragMode(ScrollHandDrag);
    // Zooming keeps its own anchor (zoomBy); resizing keeps the centre.
    setTransformationAnchor(NoAnchor);
    setResizeAnchor(AnchorViewCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Overlays are drawn at fixed screen places: a scrolled copy would smear them.
    setViewportUpdateMode(FullViewportUpdate);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ZoomView::contentChanged(bool hadContent, bool fitToContent)
{
    updateSceneRect();
    if (hasContent() && (fitToContent || !hadContent)) fit();
    rescaled();
}

void ZoomView::updateSceneRect()
{
    // Room around the drawing to pan into: as much again on every side.
    const QRectF r = contentRect();
    const double margin = std::max({r.width(), r.height(), 100.0});
    setSceneRect(r.adjusted(-margin, -margin, margin, margin));
}

void ZoomView::fit()
{
    if (!hasContent()) return;
    fitPending_ = !isVisible();
    const QRectF r = contentRect();
    const QSizeF room = QSizeF(viewport()->size()) - 2 * limits_.fitMargin;
    const double scale = std::min(std::max(room.width(), 10.0) / std::max(r.width(), 1e-3),
                                  std::max(room.height(), 10.0) / std::max(r.height(), 1e-3));
    setPixelsPerMetre(scale);
    centerOn(r.center());
}

double ZoomView::pixelsPerMetre() const { return transform().m11(); }

void ZoomView::setPixelsPerMetre(double target)
{
    target = std::isnan(target) ? limits_.minPixelsPerMetre
                                : std::clamp(target, limits_.minPixelsPerMetre, limits_.maxPixelsPerMetre);
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(centre);
    rescaled();
}

void ZoomView::zoomBy(double factor, QPointF about)
{
    const double now = pixelsPerMetre();
    const double target = std::clamp(now * factor, limits_.minPixelsPerMetre, limits_.maxPixelsPerMetre);
    if (target == now) return;
    // The scene point under `about` stays there: the centre moves towards it
    // by as much as the scale grows.
    const QPointF fixed = mapToScene(about.toPoint());
    const QPointF centre = mapToScene(viewport()->rect().center());
    setTransform(QTransform::fromScale(target, target));
    centerOn(fixed + (centre - fixed) * (now / target));
    rescaled();
}

void ZoomView::rescaled()
{
    scaleChanged();
    viewport()->update();
}

void ZoomView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) zoomBy(std::pow(1.25, steps), event->position());
    event->accept();
}

void ZoomView::mouseMoveEvent(QMouseEvent* event)
{
    QGraphicsView::mouseMoveEvent(event);
    if (hasContent()) cursorAt(mapToScene(event->position().toPoint()));
}

void ZoomView::leaveEvent(QEvent* event)
{
    QGraphicsView::leaveEvent(event);
    emit cursorLeft();
}

void ZoomView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (fitPending_ && isVisible()) fit();
    viewport()->update();
}

void ZoomView::showEvent(QShowEvent* event)
{
    QGraphicsView::showEvent(event);
    if (fitPending_) fit();
}

// ---- pictures -------------------------------------------------------------

namespace {

// Renders the visible area of the view into a painter over `target`.
void RenderView(ZoomView& view, QPainter& painter, const QRectF& target)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    view.render(&painter, target, view.viewport()->rect(), Qt::KeepAspectRatio);
}

QByteArray PngBytes(ZoomView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view.viewport()->grab().save(&buffer, "PNG");
    return bytes;
}

#ifdef TARVELO_HAVE_SVG
constexpr bool kHaveSvg = true;

QByteArray SvgBytes(ZoomView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = view.viewport()->size();
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(view.pictureTitle());
    QPainter painter(&svg);
    RenderView(view, painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return bytes;
}
#else
// Built without Qt Svg (the Windows build): no SVG is offered.
constexpr bool kHaveSvg = false;

QByteArray SvgBytes(ZoomView&) { return {}; }
#endif

QByteArray PdfBytes(ZoomView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(view.pictureTitle());
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    // Screen-like units, so labels and line widths keep their on-screen size.
    pdf.setResolution(96);
    QPainter painter(&pdf);
    RenderView(view, painter, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())));
    painter.end();
    return bytes;
}

}  // namespace

QStringList ViewPictureFilters()
{
    return {QStringLiteral("PNG 图片(*.png)"),
#ifdef TARVELO_HAVE_SVG
            QStringLiteral("SVG 矢量图(*.svg)"),
#endif
            QStringLiteral("PDF 文件(*.pdf)")};
}

std::optional<QString> SaveViewPicture(ZoomView& view, const QString& requested, QString* error)
{
    QString path = requested;
    QString suffix = QFileInfo(path).suffix().toLower();
    // Built without Qt Svg, an .svg name is one without a known suffix.
    const bool svg = kHaveSvg && suffix == QLatin1String("svg");
    if (suffix != QLatin1String("png") && !svg && suffix != QLatin1String("pdf")) {
        path += QStringLiteral(".png");
        suffix = QStringLiteral("png");
    }
    const QByteArray bytes = svg                              ? SvgBytes(view)
                             : suffix == QLatin1String("pdf") ? PdfBytes(view)
                                                              : PngBytes(view);
    if (bytes.isEmpty()) {
        const QString what = view.pictureTitle().isEmpty() ? QStringLiteral("图形") : view.pictureTitle();
        *error = QStringLiteral("无法生成%1：%2").arg(what, path);
        return std::nullopt;
    }
    const FileStatus status = WriteFileBytes(path, bytes);
    if (!status.ok()) {
        *error = *status.error;
        return std::nullopt;
    }
    return path;
}

}  // namespace tarvelo
