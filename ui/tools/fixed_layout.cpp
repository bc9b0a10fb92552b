#include "ui/tools/fixed_layout.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace tarvelo {

QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                   int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    if (width < 0) {
        label->move(x, y);
        label->adjustSize();
    } else {
        label->setGeometry(x, y, width, height);
    }
    return label;
}

QLineEdit* PlaceTextBox(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int width, int height)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(x, y, width, height);
    // Small boxes: keep the text from being clipped by the style's margins.
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int x,
                         int y, int width, int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(x, y, width, height);
    button->setAutoDefault(false);
    return button;
}

void SetUpToolWindow(QWidget* window, const char* formName, const QString& caption,
                     int clientWidth, int clientHeight)
{
    window->setObjectName(QString::fromUtf8(formName));
    window->setWindowTitle(caption);
    window->setWindowFlag(Qt::Window);
    window->setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    QFont font = window->font();
    font.setPixelSize(12);
    window->setFont(font);
    window->setFixedSize(clientWidth, clientHeight);
}

std::string BoxText(const QLineEdit* box) { return box->text().toStdString(); }

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

}  // namespace tarvelo
