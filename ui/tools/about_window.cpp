#include "ui/tools/about_window.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

#include "tarvelo_version.h"
#include "ui/tools/about_picture.h"
#include "ui/tools/fixed_layout.h"

namespace tarvelo {

namespace {

// A thin line in the button-shadow colour from (x1, y) to (x2, y).
QFrame* PlaceLine(QWidget* parent, const char* name, int x1, int x2, int y)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromUtf8(name));
    line->setGeometry(x1, y, x2 - x1 + 1, 1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Dark));
    line->setPalette(palette);
    return line;
}

}  // namespace

AboutWindow::AboutWindow(std::function<void(QWidget*)> openPage, QWidget* parent)
    : QWidget(parent), openPage_(std::move(openPage))
{
    SetUpToolWindow(this, "AAbout", QStringLiteral("关于本软件"), 367, 209);

    PlaceLine(this, "Line2", 8, 360, 16);
    image1_ = new QLabel(this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(8, 25, 120, 160);
    image1_->setPixmap(AboutPicture(120, 160));
    image1_->setScaledContents(true);
    image1_->setCursor(Qt::PointingHandCursor);
    image1_->setToolTip(QStringLiteral("打开帮助页面"));

    PlaceLabel(this, "Label1", QStringLiteral("版本：V " TARVELO_VERSION), 136, 32, 100, 13);
    PlaceLabel(this, "Label2", QStringLiteral("道路平曲线测设计算"), 136, 56, 167, 13);

    auto* frame1 = new QGroupBox(QStringLiteral("关于"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(136, 72, 225, 65);
    auto* label3 = PlaceLabel(frame1, "Label3",
                              QStringLiteral("   本软件为免费软件，可自由使用、复制和传播。"),
                              8, 16, 209, 40);
    label3->setWordWrap(true);
    label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    PlaceLabel(this, "Label6", QStringLiteral("Q  Q：Tarvelo 项目"), 136, 144, 120, 13);
    PlaceLabel(this, "Label4", QStringLiteral("邮箱：Tarvelo 项目"), 136, 160, 120, 13);
    label5_ = PlaceLabel(this, "Label5", QStringLiteral("网址：Tarvelo 帮助页面（本机）"), 136,
                         175, 200, 13);
    label5_->setCursor(Qt::PointingHandCursor);
    PlaceLine(this, "Line1", 8, 360, 200);

    image1_->installEventFilter(this);
    label5_->installEventFilter(this);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A click is a left-button release over the control, as with buttons.
    if ((watched == image1_ || watched == label5_) &&
        event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton &&
            widget->rect().contains(mouse->position().toPoint())) {
            if (openPage_) openPage_(this);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tarvelo
