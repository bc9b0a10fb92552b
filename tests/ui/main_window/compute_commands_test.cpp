// The computing commands on the default curve and their own checks:
// 计算要素 (Command1), the single-point forward computation (Command2), the
// inverse computation (Command4), and the ElementsComputed marker they share.
//
// Reference values are worked out by hand from the default curve: R 4500,
// Ls1 = Ls2 = 360, α 53°12ˊ46.1", F 98°56ˊ55.62", JD at 10021.359 (3378226.731,
// 456053.721). p = Ls²/24R − Ls⁴/2688R³ = 1.19993, q = Ls/2 − Ls³/240R² =
// 179.9904, T = (R + p)·tan(α/2) + q = 2434.65260, βo = Ls/2R in degrees =
// 2.29183, L = R(α − 2βo)π/180 + 2Ls = 4539.32398, E = (R + p)/cos(α/2) − R =
// 534.31251; ZH = JD − T = 7586.70640, stations follow by Ls and L; ZH and HZ
// lie T from JD along F + 180 and F + α.

#include <QApplication>

#include <cmath>

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

const QString kElementsFirst = QStringLiteral("请先点击“计算要素”按钮！");

using ComputeElements = MainWindowTest;

TEST_F(ComputeElements, DefaultCurveFillsBothTablesWithItsElementsAndMainStakes)
{
    press("Command1");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    const struct {
        const char* cell;
        const char* text;
    } expected[] = {
        // Stations ZH, HY, QZ, YH, HZ.
        {"Label45", "07+586.7064"}, {"Label49", "07+946.7064"}, {"Label53", "09+856.3684"},
        {"Label57", "11+766.0304"}, {"Label61", "12+126.0304"},
        // ZH and HZ rows: coordinates, and the azimuths F and F + α.
        {"Label46", "3378605.4449"}, {"Label47", "453648.7035"}, {"Label48", "98°56ˊ55.62\""},
        {"Label62", "3376073.8453"}, {"Label63", "457190.654"}, {"Label64", "152°9ˊ41.72\""},
        // Elements; equal spirals give equal pairs.
        {"Label65", "2434.6526"}, {"Label66", "2434.6526"}, {"Label67", "2.2918"},
        {"Label71", "2.2918"}, {"Label69", "1.1999"}, {"Label70", "1.1999"},
        {"Label73", "179.9904"}, {"Label74", "179.9904"}, {"Label68", "534.3125"},
        {"Label72", "4539.324"}, {"Label76", "3819.324"}, {"Label75", "329.9812"},
    };
    for (const auto& e : expected) EXPECT_EQ(text(e.cell), QString::fromUtf8(e.text)) << e.cell;
    // The inner rows are filled too.
    for (int n = 50; n <= 60; ++n) {
        if (n == 53 || n == 57) continue;
        EXPECT_FALSE(text(("Label" + QByteArray::number(n)).constData()).isEmpty()) << n;
    }
}

TEST_F(ComputeElements, PressingTwiceWithTheSameInputsGivesTheSameTables)
{
    press("Command1");
    QStringList first;
    for (int n = 45; n <= 76; ++n) first << text(("Label" + QByteArray::number(n)).constData());
    press("Command1");
    QStringList second;
    for (int n = 45; n <= 76; ++n) second << text(("Label" + QByteArray::number(n)).constData());
    EXPECT_EQ(first, second);
}

TEST_F(ComputeElements, UnequalSpiralsShowDhAsTwiceT1LessL)
{
    type("Text6", QStringLiteral("200"));
    press("Command1");
    const double t1 = text("Label65").toDouble(), t2 = text("Label66").toDouble();
    const double l = text("Label72").toDouble(), dh = text("Label75").toDouble();
    // Each cell is rounded to 0.0001 m, so the sum of three carries at most
    // 0.00015 m of rounding.
    EXPECT_NEAR(dh, 2 * t1 - l, 0.00015);
    EXPECT_GT(std::abs(dh - (t1 + t2 - l)), 1.0);
}

TEST_F(ComputeElements, NoEntrySpiralRepeatsTheZhStakeInTheHyRow)
{
    type("Text5", QStringLiteral("0"));
    press("Command1");
    EXPECT_EQ(text("Label49"), text("Label45"));
    EXPECT_EQ(text("Label50"), text("Label46"));
    EXPECT_EQ(text("Label51"), text("Label47"));
    EXPECT_EQ(text("Label52"), QStringLiteral("98°56ˊ55.62\""));
}

TEST_F(ComputeElements, NumberTooLargeForADoubleIsReportedAndTheTablesKeepTheirContents)
{
    press("Command1");
    const QString zh = text("Label45"), t1 = text("Label65");
    type("Text1", QStringLiteral("1e999"));
    press("Command1");
    const RecordedMessage& m = onlyMessage();
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("计算出错"))) << m.text;
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_FALSE(m.text.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_EQ(text("Label65"), t1);
}

using ElementsComputed = MainWindowTest;

TEST_F(ElementsComputed, SinglePointCommandsRefuseBeforeComputeElementsWithoutMovingFocus)
{
    focusOn("Text42");
    press("Command2");
    expectOnlyMessage(kElementsFirst);
    EXPECT_EQ(focused(), box("Text42"));
    EXPECT_TRUE(text("Label77").isEmpty());

    desktop.reset();
    choose("Option2");
    focusOn("Text48");
    press("Command4");
    expectOnlyMessage(kElementsFirst);
    EXPECT_EQ(focused(), box("Text48"));
    EXPECT_TRUE(text("Label80").isEmpty());
}

TEST_F(ElementsComputed, AfterComputeElementsBothSinglePointCommandsRun)
{
    press("Command1");
    press("Command2");
    choose("Option2");
    press("Command4");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_FALSE(text("Label80").isEmpty());
}

TEST_F(ElementsComputed, ClearingTheInputsKeepsTheElementsComputed)
{
    press("Command1");
    press("Command3");
    // Typed again (or imported), the inputs compute without a new 计算要素.
    const char* defaults[] = {"3378226.731", "456053.721", "10021.359", "4500",
                              "360",         "360",        "53.12461",  "98.565562"};
    for (int i = 0; i < 8; ++i)
        type(("Text" + QByteArray::number(i + 1)).constData(), QString::fromLatin1(defaults[i]));
    press("Command2");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(text("Label77"), QStringLiteral("3377706.6675"));
}

TEST_F(ElementsComputed, SinglePointCommandsTrimTheZhCellWhileTheElementsReportDoesNot)
{
    // A ZH cell holding blanks only: blank after trimming, not empty.
    label("Label45")->setText(QStringLiteral("  "));
    press("Command2");
    expectOnlyMessage(kElementsFirst);
    desktop.reset();
    desktop.queueFileAnswer(QString());  // the report's dialog, cancelled
    press("Command5");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.size(), 1u);
}

using ForwardPoint = MainWindowTest;

TEST_F(ForwardPoint, DefaultStakeLiesOnTheArcAtTheDefaultInversePoint)
{
    press("Command1");
    press("Command2");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(text("Label77"), QStringLiteral("3377706.6675"));
    EXPECT_EQ(text("Label78"), QStringLiteral("455858.525"));
    EXPECT_FALSE(text("Label79").isEmpty());
}

TEST_F(ForwardPoint, StationIsCheckedAfterTheCurveInputsAndBeforeTheElements)
{
    type("Text41", QStringLiteral("   "));
    type("Text2", QString());
    press("Command2");
    expectOnlyMessage(QStringLiteral("请输入“本交点坐标Y”！"));
    EXPECT_EQ(focused(), box("Text2"));

    desktop.reset();
    type("Text2", QStringLiteral("456053.721"));
    press("Command2");  // elements not computed yet: the station comes first
    expectOnlyMessage(QStringLiteral("请输入“计算桩号K”！"));
    EXPECT_EQ(focused(), box("Text41"));
}

TEST_F(ForwardPoint, BlankOffsetOrSkewGivesTheCentrelinePoint)
{
    press("Command1");
    for (const auto& [offset, skew] : {std::pair{"", "45"}, std::pair{"25", " "}}) {
        SCOPED_TRACE(::testing::Message() << "offset \"" << offset << "\" skew \"" << skew << "\"");
        type("Text42", QString::fromLatin1(offset));
        type("Text43", QString::fromLatin1(skew));
        press("Command2");
        EXPECT_EQ(text("Label77"), QStringLiteral("3377706.6675"));
        EXPECT_EQ(text("Label78"), QStringLiteral("455858.525"));
    }
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ForwardPoint, SkewDoesNotMoveAStakeWithoutOffset)
{
    press("Command1");
    type("Text43", QStringLiteral("37.1512"));
    press("Command2");
    EXPECT_EQ(text("Label77"), QStringLiteral("3377706.6675"));
    EXPECT_EQ(text("Label78"), QStringLiteral("455858.525"));
}

TEST_F(ForwardPoint, OffsetThatIsNotANumberIsRefusedAndTheResultKept)
{
    press("Command1");
    press("Command2");
    const QString x = text("Label77");
    desktop.reset();
    type("Text42", QStringLiteral("5m"));
    press("Command2");
    const RecordedMessage& m = onlyMessage();
    EXPECT_TRUE(m.text.contains(QStringLiteral("计算偏距m"))) << m.text;
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(focused(), box("Text42"));
    EXPECT_EQ(text("Label77"), x);
}

TEST_F(ForwardPoint, FollowsInputsEditedAfterComputeElementsWhileTheTablesStayAsComputed)
{
    press("Command1");
    const QString zh = text("Label45");
    // Every station 100 m higher: station 10100 is the old station 10000.
    type("Text3", QStringLiteral("10121.359"));
    type("Text41", QStringLiteral("10100"));
    press("Command2");
    EXPECT_EQ(text("Label77"), QStringLiteral("3377706.6675"));
    EXPECT_EQ(text("Label78"), QStringLiteral("455858.525"));
    EXPECT_EQ(text("Label45"), zh);
}

TEST_F(ForwardPoint, StationInKNotationReadsOnlyItsLeadingNumber)
{
    press("Command1");
    type("Text41", QStringLiteral("10"));
    press("Command2");
    const QString x = text("Label77"), y = text("Label78");
    type("Text41", QStringLiteral("10+021.359"));
    press("Command2");
    EXPECT_EQ(text("Label77"), x);
    EXPECT_EQ(text("Label78"), y);
}

TEST_F(ForwardPoint, StakeTenMetresLeftComesBackFromTheInverseAsLeftTen)
{
    press("Command1");
    type("Text42", QStringLiteral("-10"));
    press("Command2");
    type("Text47", text("Label77"));
    type("Text48", text("Label78"));
    choose("Option2");
    press("Command4");
    EXPECT_EQ(text("Label80"), QStringLiteral("10+000.0000"));
    EXPECT_EQ(text("Label81"), QStringLiteral("左 10"));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

using Inverse = MainWindowTest;

TEST_F(Inverse, DefaultPointIsTheCentreStakeAtStationTenThousand)
{
    press("Command1");
    choose("Option2");
    press("Command4");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(text("Label80"), QStringLiteral("10+000.0000"));
    EXPECT_EQ(text("Label81"), QStringLiteral("中 0"));
}

TEST_F(Inverse, CoordinatesAreCheckedInOrderBeforeTheElements)
{
    choose("Option2");
    type("Text47", QStringLiteral(" "));
    type("Text48", QString());
    press("Command4");
    expectOnlyMessage(QStringLiteral("请输入“反算坐标X”！"));
    EXPECT_EQ(focused(), box("Text47"));

    desktop.reset();
    type("Text47", QStringLiteral("3377706.6675"));
    focusOn("Text47");
    press("Command4");
    expectOnlyMessage(QStringLiteral("请输入“反算坐标Y”！"));
    EXPECT_EQ(focused(), box("Text48"));
}

TEST_F(Inverse, PointMoreThan888MetresOffTheCentrelineIsOutOfRange)
{
    press("Command1");
    // The forward stake 1000 m square to the right of station 10000.
    type("Text42", QStringLiteral("1000"));
    press("Command2");
    type("Text47", text("Label77"));
    type("Text48", text("Label78"));
    choose("Option2");
    press("Command4");
    EXPECT_EQ(text("Label80"), QStringLiteral("坐标超限"));
    EXPECT_EQ(text("Label81"), QStringLiteral("坐标超限"));
}

TEST_F(Inverse, FailedCheckKeepsTheLastResult)
{
    press("Command1");
    choose("Option2");
    press("Command4");
    type("Text48", QString());
    press("Command4");
    EXPECT_EQ(text("Label80"), QStringLiteral("10+000.0000"));
    EXPECT_EQ(text("Label81"), QStringLiteral("中 0"));
}

}  // namespace
}  // namespace tarvelo::uitest
