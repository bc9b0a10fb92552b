// "送到主窗口": the current JD's eight inputs into the main window, which
// comes to the front unchanged otherwise; its "计算要素" then gives the
// route's curve to the last shown digit.

#include <QLabel>
#include <QLineEdit>

#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"
#include "tests/ui/route_window/route_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using SendToMain = RouteWindowTest;

// Every text of the main window's boxes and cells but the eight inputs.
QStringList OtherTexts(QWidget* main)
{
    QStringList texts;
    for (QLineEdit* box : main->findChildren<QLineEdit*>()) {
        const QString name = box->objectName();
        bool input = false;
        for (int i = 1; i <= 8; ++i) input = input || name == QStringLiteral("Text%1").arg(i);
        if (!input) texts << name + u'=' + box->text();
    }
    for (QLabel* label : main->findChildren<QLabel*>()) texts << label->objectName() + u'=' + label->text();
    return texts;
}

TEST_F(SendToMain, EachJdThenComputeElementsGivesTheRoutesMainStations)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    ASSERT_EQ(engine.curves().size(), 5u);
    // Unequal spirals, no entry spiral, no exit spiral, a left and a right turn.
    for (int row : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(row);
        const RouteCurve& c = engine.curves()[row];
        showAndActivate(route);
        const QStringList before = OtherTexts(main.get());
        table("curveTable")->setCurrentIndex(model("curveTable")->index(row, 0));
        press("sendToMainButton");
        EXPECT_TRUE(QTest::qWaitForWindowActive(main.get()));
        EXPECT_EQ(OtherTexts(main.get()), before);
        EXPECT_TRUE(desktop.messages.empty()) << messageTexts();

        findChildByName<QPushButton>(main.get(), "Command1")->click();
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        const auto text = [&](const char* name) {
            return findChildByName<QLabel>(main.get(), name)->text().toStdString();
        };
        EXPECT_EQ(text("Label45"), FormatStation(c.curve.ZH, 4));
        EXPECT_EQ(text("Label49"), FormatStation(c.curve.HYStation, 4));
        EXPECT_EQ(text("Label53"), FormatStation(c.curve.QZ, 4));
        EXPECT_EQ(text("Label57"), FormatStation(c.curve.YHStation, 4));
        EXPECT_EQ(text("Label61"), FormatStation(c.curve.HZ, 4));
        EXPECT_EQ(text("Label65"), FormatRounded4(c.curve.T1));  // T1
        EXPECT_EQ(text("Label72"), FormatRounded4(c.curve.L));   // L
        EXPECT_EQ(text("Label46"), FormatRounded4(c.points[0].x));  // ZH X
        EXPECT_EQ(text("Label63"), FormatRounded4(c.points[4].y));  // HZ Y
    }
}

TEST_F(SendToMain, WithoutACurrentJdItSaysSoAndTheMainWindowKeepsItsInputs)
{
    press("sendToMainButton");  // empty table
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].parent, route);
    EXPECT_EQ(findChildByName<QLineEdit>(main.get(), "Text4")->text(), QStringLiteral("4500"));
}

}  // namespace
}  // namespace tarvelo::uitest
