#include "ui/tools/azimuth_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "compute/survey_tools.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "ui/tools/fixed_layout.h"
#include "ui/tools/tool_messages.h"
#include "ui/ui_services.h"

namespace tarvelo {

AzimuthWindow::AzimuthWindow(UiServices& services, QWidget* parent)
    : QWidget(parent), services_(services)
{
    SetUpToolWindow(this, "方位角和距离", QStringLiteral("计算方位角和距离"), 260, 170);

    PlaceLabel(this, "Label1", QStringLiteral("Xa="), 8, 11);
    txtXa_ = PlaceTextBox(this, "txtXa", QStringLiteral("3367011.241"), 32, 8, 89, 19);
    PlaceLabel(this, "Label3", QStringLiteral("Xb="), 128, 16);
    txtXb_ = PlaceTextBox(this, "txtXb", QStringLiteral("3366815.284"), 152, 8, 89, 19);
    PlaceLabel(this, "Label2", QStringLiteral("Ya="), 8, 40);
    txtYa_ = PlaceTextBox(this, "txtYa", QStringLiteral("463520.5531"), 32, 40, 89, 19);
    PlaceLabel(this, "Label4", QStringLiteral("Yb="), 128, 40);
    txtYb_ = PlaceTextBox(this, "txtYb", QStringLiteral("463819.0273"), 152, 40, 89, 19);
    PlaceLabel(this, "Label9", QStringLiteral("距    离："), 16, 72);
    txtS_ = PlaceTextBox(this, "txtS", QStringLiteral("0"), 80, 72, 161, 18);
    PlaceLabel(this, "Label5", QStringLiteral("方位角ab："), 16, 104);
    txtDu_ = PlaceTextBox(this, "txtDu", QStringLiteral("0"), 80, 101, 33, 19);
    PlaceLabel(this, "Label6", QStringLiteral("度"), 120, 104);
    txtFen_ = PlaceTextBox(this, "txtFen", QStringLiteral("0"), 136, 101, 33, 19);
    PlaceLabel(this, "Label7", QStringLiteral("分"), 176, 104);
    txtMiao_ = PlaceTextBox(this, "txtMiao", QStringLiteral("0"), 192, 101, 33, 19);
    PlaceLabel(this, "Label8", QStringLiteral("秒"), 232, 104);
    auto* command1 = PlaceButton(this, "Command1", QStringLiteral("计算"), 8, 128, 65, 25);
    auto* command2 = PlaceButton(this, "Command2", QStringLiteral("清零"), 88, 128, 65, 25);
    auto* command3 = PlaceButton(this, "Command3", QStringLiteral("退出"), 176, 128, 65, 25);

    QWidget* order[] = {txtXb_, txtYb_, txtXa_, txtYa_, txtDu_, txtFen_,
                        txtMiao_, command1, command2, command3, txtS_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    txtXb_->setFocus();

    connect(command1, &QPushButton::clicked, this, &AzimuthWindow::compute);
    connect(command2, &QPushButton::clicked, this, &AzimuthWindow::clearAll);
    connect(command3, &QPushButton::clicked, this, &QWidget::close);
}

void AzimuthWindow::compute()
{
    for (const QLineEdit* box : {txtXa_, txtYa_, txtXb_, txtYb_}) {
        if (IsBlank(BoxText(box))) {
            services_.showMessage(this, kMessageTitle, kIncompleteDataMessage,
                                  MessageIcon::Information);
            txtXa_->setFocus();
            return;
        }
    }
    const double xa = ReadLeadingNumber(BoxText(txtXa_));
    const double ya = ReadLeadingNumber(BoxText(txtYa_));
    const double xb = ReadLeadingNumber(BoxText(txtXb_));
    const double yb = ReadLeadingNumber(BoxText(txtYb_));

    AzimuthDistance result;
    WholeDms dms;
    try {
        result = AzimuthAndDistance(xa, ya, xb, yb);
        if (result.ok) dms = SplitDegreesTruncated(result.azimuth);
    } catch (const FloatFault&) {
        services_.showMessage(this, kMessageTitle, kCoordinatesTooLargeMessage,
                              MessageIcon::Information);
        txtXa_->setFocus();
        return;
    }
    if (!result.ok) {
        services_.showMessage(this, kApplicationTitle, kDivisorZeroMessage, MessageIcon::None);
        txtXa_->setFocus();
        return;
    }
    txtDu_->setText(QString::number(dms.degrees));
    txtFen_->setText(QString::number(dms.minutes));
    txtMiao_->setText(QString::number(dms.seconds));
    txtS_->setText(ToQString(FormatFixed(result.distance, 4)));
}

void AzimuthWindow::clearAll()
{
    for (QLineEdit* box : {txtXa_, txtYa_, txtXb_, txtYb_, txtDu_, txtFen_, txtMiao_, txtS_})
        box->clear();
    txtXa_->setFocus();
}

}  // namespace tarvelo
