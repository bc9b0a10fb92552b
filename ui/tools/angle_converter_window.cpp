#include "ui/tools/angle_converter_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "compute/survey_tools.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "ui/tools/fixed_layout.h"
#include "ui/tools/tool_messages.h"
#include "ui/ui_services.h"

namespace tarvelo {

AngleConverterWindow::AngleConverterWindow(UiServices& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    SetUpToolWindow(this, "角度转弧度", QStringLiteral("角度弧度换算"), 200, 121);

    PlaceLabel(this, "Label1", QStringLiteral("角度："), 16, 8);
    text1_ = PlaceTextBox(this, "Text1", QStringLiteral("10"), 48, 7, 33, 19);
    PlaceLabel(this, "Label3", QStringLiteral("度"), 80, 8);
    text2_ = PlaceTextBox(this, "Text2", QStringLiteral("20"), 96, 8, 33, 19);
    PlaceLabel(this, "Label4", QStringLiteral("分"), 128, 8);
    text3_ = PlaceTextBox(this, "Text3", QStringLiteral("30"), 144, 7, 33, 19);
    PlaceLabel(this, "Label5", QStringLiteral("秒"), 176, 8);
    PlaceLabel(this, "Label2", QStringLiteral("弧度："), 16, 48);
    text4_ = PlaceTextBox(this, "Text4", QStringLiteral("0"), 48, 48, 97, 19);
    auto* command3 = PlaceButton(this, "Command3", QStringLiteral("清零"), 152, 40, 33, 41);
    auto* command1 = PlaceButton(this, "Command1", QStringLiteral("角度->弧度"), 16, 88, 81, 25);
    auto* command2 = PlaceButton(this, "Command2", QStringLiteral("弧度->角度"), 104, 88, 81, 25);

    QWidget* order[] = {text1_, text2_, text3_, text4_, command3, command1, command2};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    text1_->setFocus();

    connect(command1, &QPushButton::clicked, this, &AngleConverterWindow::toRadians);
    connect(command2, &QPushButton::clicked, this, &AngleConverterWindow::toDegrees);
    connect(command3, &QPushButton::clicked, this, &AngleConverterWindow::clearAll);
}

bool AngleConverterWindow::readStrict(QLineEdit* box, const QString& boxName, double* value)
{
    if (ParseWholeNumber(BoxText(box), value)) return true;
    services_.showMessage(this, kMessageTitle,
                          kNotANumberMessage.arg(boxName, box->text().trimmed()),
                          MessageIcon::Information);
    box->setFocus();
    return false;
}

void AngleConverterWindow::toRadians()
{
    for (const QLineEdit* box : {text1_, text2_, text3_}) {
        if (IsBlank(BoxText(box))) {
            services_.showMessage(this, kMessageTitle, kIncompleteDataMessage,
                                  MessageIcon::Information);
            text1_->setFocus();
            return;
        }
    }
    double d = 0, m = 0, s = 0;
    if (!readStrict(text1_, QStringLiteral("度"), &d) ||
        !readStrict(text2_, QStringLiteral("分"), &m) ||
        !readStrict(text3_, QStringLiteral("秒"), &s))
        return;
    std::string radians;
    try {
        radians = FormatRadians(DegMinSecToRadians(d, m, s));
    } catch (const FloatFault&) {
        services_.showMessage(this, kMessageTitle, kAngleTooLargeMessage,
                              MessageIcon::Information);
        text1_->setFocus();
        return;
    }
    text4_->setText(ToQString(radians));
}

void AngleConverterWindow::toDegrees()
{
    if (IsBlank(BoxText(text4_))) {
        services_.showMessage(this, kMessageTitle, kIncompleteDataMessage,
                              MessageIcon::Information);
        text4_->setFocus();
        return;
    }
    double r = 0;
    if (!readStrict(text4_, QStringLiteral("弧度"), &r)) return;
    std::string d, m, s;
    try {
        const DegMinSec dms = RadiansToDegMinSec(r);
        d = FormatGeneral(dms.degrees);
        m = FormatGeneral(dms.minutes);
        s = FormatGeneral(dms.seconds);
    } catch (const FloatFault&) {
        services_.showMessage(this, kMessageTitle, kAngleTooLargeMessage,
                              MessageIcon::Information);
        text4_->setFocus();
        return;
    }
    text1_->setText(ToQString(d));
    text2_->setText(ToQString(m));
    text3_->setText(ToQString(s));
}

void AngleConverterWindow::clearAll()
{
    for (QLineEdit* box : {text1_, text2_, text3_, text4_}) box->clear();
}

}  // namespace tarvelo
