// The eight curve-input checks that every computing command runs first: the
// message of the first failing box, titled 提示 with the information icon,
// the focus moved to that box, and no result changed.

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using M = MainWindowMode;

struct BadInput {
    const char* box;
    const char* text;
    const char* message;
};

const BadInput kBadInputs[] = {
    {"Text1", "", "请输入“本交点坐标X”！"},
    {"Text1", "   ", "请输入“本交点坐标X”！"},
    {"Text2", " ", "请输入“本交点坐标Y”！"},
    {"Text3", "", "请输入“交点桩号JD”！"},
    // The radius message opens with a closing quotation mark.
    {"Text4", "", "请输入”曲线半径R”！"},
    {"Text4", " 0 ", "请输入”曲线半径R”！"},
    {"Text4", "0.000", "请输入”曲线半径R”！"},
    {"Text4", "-0", "请输入”曲线半径R”！"},
    {"Text4", "abc", "请输入”曲线半径R”！"},
    {"Text4", "12abc", "请输入”曲线半径R”！"},
    {"Text5", "  ", "请输入“第一缓和曲线长Ls1”！"},
    {"Text6", "", "请输入“第二缓和曲线长Ls2”！"},
    {"Text7", "", "请输入“曲线转角α”左负-，右正+！"},
    {"Text7", "0", "请输入“曲线转角α”左负-，右正+！"},
    {"Text7", "0.0", "请输入“曲线转角α”左负-，右正+！"},
    {"Text7", "53.1x", "请输入“曲线转角α”左负-，右正+！"},
    {"Text8", "   ", "请输入“计算方位角F”d.ms格式！"},
};

// The four computing commands with the mode that offers each.
struct Command {
    const char* button;
    M mode;
};
const Command kCommands[] = {
    {"Command1", M::ForwardSingle},
    {"Command2", M::ForwardSingle},
    {"Command4", M::InverseSingle},
    {"Command6", M::ForwardContinuous},
};

class CurveChecks : public MainWindowTest {
protected:
    // Every result the window shows.
    QStringList outputs()
    {
        QStringList all;
        for (int n = 45; n <= 81; ++n) all << text(("Label" + QByteArray::number(n)).constData());
        all << results()->toPlainText();
        return all;
    }

    void enter(M mode)
    {
        if (mode == M::ForwardSingle && window->mode() != mode) choose("Option1");
        if (mode == M::ForwardSingle && window->mode() != mode) choose("Option3");
        if (mode == M::InverseSingle) choose("Option2");
        if (mode == M::ForwardContinuous) choose("Option4");
        ASSERT_EQ(window->mode(), mode);
    }
};

TEST_F(CurveChecks, EachComputingCommandRefusesABadCurveInputWithItsMessageAndFocusesTheBox)
{
    press("Command1");
    for (const Command& command : kCommands) {
        enter(command.mode);
        // A first run with good inputs, so that there are results to keep.
        desktop.reset();
        press(command.button);
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        for (const BadInput& bad : kBadInputs) {
            SCOPED_TRACE(::testing::Message() << command.button << ": " << bad.box << " = \""
                                              << bad.text << "\"");
            desktop.reset();
            const QStringList before = outputs();
            const QString kept = box(bad.box)->text();
            focusOn("Option1");
            type(bad.box, QString::fromUtf8(bad.text));
            press(command.button);
            expectOnlyMessage(QString::fromUtf8(bad.message));
            EXPECT_EQ(focused(), box(bad.box));
            EXPECT_EQ(outputs(), before);
            type(bad.box, kept);
        }
    }
}

TEST_F(CurveChecks, OnlyTheFirstOfSeveralBadInputsIsReported)
{
    type("Text7", QString());
    type("Text3", QStringLiteral("  "));
    type("Text8", QString());
    press("Command1");
    expectOnlyMessage(QStringLiteral("请输入“交点桩号JD”！"));
    EXPECT_EQ(focused(), box("Text3"));
}

TEST_F(CurveChecks, CurveInputsThatPassTheChecksAreReadLeniently)
{
    // Ls1 0 is a curve without entry spiral; abc in Ls2 reads as 0; a
    // left-hand deflection is accepted.
    type("Text5", QStringLiteral("0"));
    type("Text6", QStringLiteral("abc"));
    type("Text7", QStringLiteral("-14.1810"));
    press("Command1");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_FALSE(text("Label45").isEmpty());
    // No entry spiral: HY is ZH.
    EXPECT_EQ(text("Label49"), text("Label45"));
    // Ls2 read as 0: YH is HZ.
    EXPECT_EQ(text("Label57"), text("Label61"));
}

}  // namespace
}  // namespace tarvelo::uitest
