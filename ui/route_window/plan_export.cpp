#include "ui/route_window/plan_export.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#ifdef TARVELO_HAVE_SVG
#include <QSvgGenerator>
#endif

#include "reports/text_file.h"
#include "ui/route_window/plan_view.h"

namespace tarvelo {

namespace {

// Renders the visible area of the view into a painter over `target`.
void RenderView(PlanView& view, QPainter& painter, const QRectF& target)
{
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    view.render(&painter, target, view.viewport()->rect(), Qt::KeepAspectRatio);
}

QByteArray PngBytes(PlanView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view.viewport()->grab().save(&buffer, "PNG");
    return bytes;
}

#ifdef TARVELO_HAVE_SVG
constexpr bool kHaveSvg = true;

QByteArray SvgBytes(PlanView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size = view.viewport()->size();
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("线路平面图"));
    QPainter painter(&svg);
    RenderView(view, painter, QRectF(QPointF(0, 0), size));
    painter.end();
    return bytes;
}
#else
constexpr bool kHaveSvg = false;

QByteArray SvgBytes(PlanView&) { return {}; }
#endif

QByteArray PdfBytes(PlanView& view)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QStringLiteral("线路平面图"));
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

QStringList PlanFileFilters()
{
    return {QStringLiteral("PNG 图片(*.png)"),
#ifdef TARVELO_HAVE_SVG
            QStringLiteral("SVG 矢量图(*.svg)"),
#endif
            QStringLiteral("PDF 文件(*.pdf)")};
}

std::optional<QString> SavePlan(PlanView& view, const QString& requested, QString* error)
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
        *error = QStringLiteral("无法生成平面图：%1").arg(path);
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
