// The three modes: what each shows and enables, every option-button click
// from every mode, the result captions each click empties, and the clear
// command.

#include <QTest>

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using M = MainWindowMode;

class Modes : public MainWindowTest {
protected:
    // Reaches a mode the way a user does, from the start.
    void enter(M mode)
    {
        if (mode == M::InverseSingle) choose("Option2");
        if (mode == M::ForwardContinuous) choose("Option4");
        ASSERT_EQ(window->mode(), mode);
    }

    // Puts a caption into every result cell of both single-point results.
    void fillResultCaptions()
    {
        for (const char* name : {"Label77", "Label78", "Label79", "Label80", "Label81"})
            label(name)->setText(QStringLiteral("结果"));
    }
    bool forwardResultEmpty()
    {
        return text("Label77").isEmpty() && text("Label78").isEmpty() && text("Label79").isEmpty();
    }
    bool inverseResultEmpty() { return text("Label80").isEmpty() && text("Label81").isEmpty(); }
};

// Visible / enabled per mode: ForwardSingle, InverseSingle, ForwardContinuous.
struct ModeRow {
    const char* name;
    bool visible[3];
    bool enabled[3];
};

const ModeRow kModeTable[] = {
    {"Frame2", {1, 1, 0}, {1, 1, 1}},   {"Frame3", {1, 1, 0}, {1, 1, 1}},
    {"Frame5", {1, 1, 0}, {1, 1, 1}},   {"Frame6", {1, 1, 0}, {1, 1, 1}},
    {"Frame7", {1, 1, 0}, {1, 1, 1}},   {"Frame8", {0, 0, 1}, {1, 1, 1}},
    {"Frame9", {0, 0, 1}, {1, 1, 1}},   {"Text41", {1, 1, 1}, {1, 0, 0}},
    {"Text42", {1, 1, 1}, {1, 0, 1}},   {"Text43", {1, 1, 1}, {1, 0, 1}},
    {"Text47", {1, 1, 0}, {0, 1, 0}},   {"Text48", {1, 1, 0}, {0, 1, 0}},
    {"Text9", {0, 0, 1}, {0, 0, 1}},    {"Text10", {0, 0, 1}, {0, 0, 1}},
    {"Text11", {0, 0, 1}, {0, 0, 1}},   {"Command1", {1, 1, 0}, {1, 1, 1}},
    {"Command5", {1, 1, 0}, {1, 1, 1}}, {"Command2", {1, 0, 0}, {1, 1, 1}},
    {"Command4", {0, 1, 0}, {1, 1, 1}}, {"Command6", {0, 0, 1}, {1, 1, 1}},
    {"Command7", {0, 0, 1}, {1, 1, 1}}, {"Command8", {0, 0, 1}, {1, 1, 1}},
    {"Command3", {1, 1, 1}, {1, 1, 1}}, {"Frame1", {1, 1, 1}, {1, 1, 1}},
    {"Frame4", {1, 1, 1}, {1, 1, 1}},   {"Text1", {1, 1, 1}, {1, 1, 1}},
    {"Text8", {1, 1, 1}, {1, 1, 1}},    {"Option1", {1, 1, 1}, {1, 1, 1}},
    {"Option4", {1, 1, 1}, {1, 1, 1}},
};

TEST_F(Modes, EachModeShowsAndEnablesExactlyItsControls)
{
    const struct {
        const char* click;  // nullptr: the window as it opens
        M mode;
    } steps[] = {{nullptr, M::ForwardSingle},    {"Option2", M::InverseSingle},
                 {"Option4", M::ForwardContinuous}, {"Option3", M::ForwardSingle},
                 {"Option2", M::InverseSingle},    {"Option1", M::ForwardSingle}};
    for (const auto& step : steps) {
        if (step.click) choose(step.click);
        ASSERT_EQ(window->mode(), step.mode);
        const int m = static_cast<int>(step.mode);
        for (const ModeRow& row : kModeTable) {
            SCOPED_TRACE(::testing::Message() << row.name << " in mode " << m);
            EXPECT_EQ(control(row.name)->isVisible(), row.visible[m]);
            EXPECT_EQ(control(row.name)->isEnabled(), row.enabled[m]);
        }
        // Each of the four button places shows at most one button.
        int shown[4] = {};
        for (QPushButton* b : window->findChildren<QPushButton*>())
            if (b->isVisible()) ++shown[(b->x() == 104) + 2 * (b->y() == 488)];
        for (int place : shown) EXPECT_LE(place, 1);
    }
}

// One click: start mode, option clicked, mode after it, option buttons
// checked after it (1-4), whether the forward and the inverse result
// captions are emptied.
struct Click {
    M from;
    const char* option;
    M to;
    bool checked[4];
    bool clearsForward, clearsInverse;
};

const Click kClicks[] = {
    {M::ForwardSingle, "Option1", M::ForwardSingle, {1, 0, 1, 0}, false, false},
    {M::ForwardSingle, "Option2", M::InverseSingle, {0, 1, 1, 0}, true, false},
    {M::ForwardSingle, "Option3", M::ForwardSingle, {1, 0, 1, 0}, false, false},
    {M::ForwardSingle, "Option4", M::ForwardContinuous, {1, 0, 0, 1}, false, false},
    {M::InverseSingle, "Option1", M::ForwardSingle, {1, 0, 1, 0}, false, true},
    {M::InverseSingle, "Option2", M::InverseSingle, {0, 1, 1, 0}, false, false},
    {M::InverseSingle, "Option3", M::InverseSingle, {0, 1, 1, 0}, false, false},
    {M::InverseSingle, "Option4", M::ForwardContinuous, {1, 0, 0, 1}, false, true},
    {M::ForwardContinuous, "Option1", M::ForwardContinuous, {1, 0, 0, 1}, false, false},
    {M::ForwardContinuous, "Option2", M::InverseSingle, {0, 1, 1, 0}, true, false},
    {M::ForwardContinuous, "Option3", M::ForwardSingle, {1, 0, 1, 0}, false, false},
    {M::ForwardContinuous, "Option4", M::ForwardContinuous, {1, 0, 0, 1}, false, false},
};

TEST_F(Modes, EveryOptionClickFromEveryModeGivesItsModeAndEmptiesOnlyItsResults)
{
    for (const Click& c : kClicks) {
        SCOPED_TRACE(::testing::Message() << "mode " << static_cast<int>(c.from) << " then "
                                          << c.option);
        window.reset();
        window = std::make_unique<MainWindow>(desktop);
        showAndActivate(window.get());
        enter(c.from);
        fillResultCaptions();
        choose(c.option);
        EXPECT_EQ(window->mode(), c.to);
        const char* options[] = {"Option1", "Option2", "Option3", "Option4"};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(option(options[i])->isChecked(), c.checked[i]) << options[i];
        EXPECT_EQ(forwardResultEmpty(), c.clearsForward);
        EXPECT_EQ(inverseResultEmpty(), c.clearsInverse);
    }
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(Modes, InverseThenContinuousSelectsForwardAndShowsTheContinuousControls)
{
    enter(M::InverseSingle);
    fillResultCaptions();
    choose("Option4");
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_TRUE(option("Option4")->isChecked());
    EXPECT_TRUE(inverseResultEmpty());
    EXPECT_TRUE(control("Frame8")->isVisible());
    EXPECT_TRUE(control("Frame9")->isVisible());
    QStringList shownButtons;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->isVisible()) shownButtons << b->text();
    shownButtons.sort();
    QStringList expected = {"曲线要素", "点击计算", "保存数据", "清空要素"};
    expected.sort();
    EXPECT_EQ(shownButtons, expected);
    EXPECT_TRUE(button("Command6")->isVisible());
    EXPECT_TRUE(button("Command7")->isVisible());
}

TEST_F(Modes, ContinuousThenInverseSelectsSinglePointAndOffersOnlyTheInverseComputation)
{
    enter(M::ForwardContinuous);
    choose("Option2");
    EXPECT_TRUE(option("Option3")->isChecked());
    EXPECT_TRUE(box("Text47")->isEnabled());
    EXPECT_TRUE(box("Text48")->isEnabled());
    for (const char* name : {"Text41", "Text42", "Text43"}) EXPECT_FALSE(box(name)->isEnabled());
    EXPECT_TRUE(button("Command4")->isVisible());
    EXPECT_FALSE(button("Command2")->isVisible());
    EXPECT_FALSE(button("Command6")->isVisible());
}

TEST_F(Modes, ContinuousThenSinglePointKeepsTheOffsetAndSkewTypedInContinuousMode)
{
    enter(M::ForwardContinuous);
    type("Text42", QStringLiteral("-7.5"));
    type("Text43", QStringLiteral("45.3"));
    choose("Option3");
    EXPECT_EQ(window->mode(), M::ForwardSingle);
    EXPECT_TRUE(button("Command2")->isVisible());
    EXPECT_EQ(box("Text42")->text(), QStringLiteral("-7.5"));
    EXPECT_EQ(box("Text43")->text(), QStringLiteral("45.3"));
}

TEST_F(Modes, SwitchingModesKeepsInputsTablesAndTheResultsBox)
{
    press("Command1");
    const QString zh = text("Label45");
    ASSERT_FALSE(zh.isEmpty());
    choose("Option4");
    press("Command6");
    const QString table = results()->toPlainText();
    ASSERT_FALSE(table.isEmpty());
    type("Text9", QStringLiteral("50"));
    choose("Option2");
    choose("Option1");
    choose("Option4");
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_EQ(results()->toPlainText(), table);
    EXPECT_EQ(box("Text9")->text(), QStringLiteral("50"));
    EXPECT_EQ(box("Text1")->text(), QStringLiteral("3378226.731"));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(Modes, ClearCommandEmptiesTheEightCurveInputsOnlyAndFocusesTheFirst)
{
    press("Command1");
    press("Command2");
    choose("Option4");
    press("Command6");
    const QString zh = text("Label45"), t1 = text("Label65"), x = text("Label77");
    const QString table = results()->toPlainText();
    focusOn("Text42");
    press("Command3");
    for (int i = 1; i <= 8; ++i) {
        const QByteArray name = "Text" + QByteArray::number(i);
        EXPECT_EQ(box(name.constData())->text(), QString()) << name.constData();
    }
    EXPECT_EQ(focused(), box("Text1"));
    EXPECT_EQ(window->mode(), M::ForwardContinuous);
    EXPECT_EQ(text("Label45"), zh);
    EXPECT_EQ(text("Label65"), t1);
    EXPECT_EQ(text("Label77"), x);
    EXPECT_EQ(results()->toPlainText(), table);
    EXPECT_EQ(box("Text42")->text(), QStringLiteral("0"));
    EXPECT_EQ(box("Text10")->text(), QStringLiteral("9000"));
    EXPECT_EQ(box("Text47")->text(), QStringLiteral("3377706.6675"));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(Modes, ArrowKeyWithinAnOptionGroupSwitchesTheModeLikeAClick)
{
    focusOn("Option1");
    QTest::keyClick(focused(), Qt::Key_Right);
    EXPECT_EQ(focused(), option("Option2"));
    EXPECT_EQ(window->mode(), M::InverseSingle);
    EXPECT_TRUE(box("Text47")->isEnabled());
    focusOn("Option3");
    QTest::keyClick(focused(), Qt::Key_Right);
    EXPECT_EQ(window->mode(), M::ForwardContinuous);
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_TRUE(control("Frame9")->isVisible());
}

}  // namespace
}  // namespace tarvelo::uitest
