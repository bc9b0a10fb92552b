// Form 角度转弧度: layout, defaults, focus, both conversions, clearing and
// the messages.

#include <QLabel>

#include "tests/ui/tools/tool_window_test.h"
#include "ui/tools/tool_messages.h"

namespace tarvelo::uitest {
namespace {

class AngleConverterWindowTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = open(&ToolWindows::showAngleConverter);
    }
    void setDms(const char* d, const char* m, const char* s)
    {
        box(window, "Text1")->setText(QString::fromUtf8(d));
        box(window, "Text2")->setText(QString::fromUtf8(m));
        box(window, "Text3")->setText(QString::fromUtf8(s));
    }
    QStringList texts()
    {
        return {box(window, "Text1")->text(), box(window, "Text2")->text(),
                box(window, "Text3")->text(), box(window, "Text4")->text()};
    }
    void toRadians() { button(window, "Command1")->click(); }
    void toDegrees() { button(window, "Command2")->click(); }
    QWidget* window = nullptr;
};

TEST_F(AngleConverterWindowTest, OpenedWindowShowsEveryControlAtItsPlaceWithItsDefaultText)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("角度转弧度"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("角度弧度换算"));
    EXPECT_EQ(window->size(), QSize(200, 121));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const struct {
        const char* name;
        const char* text;
        QRect rect;
    } boxes[] = {
        {"Text1", "10", {48, 7, 33, 19}},
        {"Text2", "20", {96, 8, 33, 19}},
        {"Text3", "30", {144, 7, 33, 19}},
        {"Text4", "0", {48, 48, 97, 19}},
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(box(window, b.name)->text(), QString::fromUtf8(b.text));
        EXPECT_EQ(box(window, b.name)->geometry(), b.rect);
    }
    const struct {
        const char* name;
        const char* caption;
        QPoint pos;
    } labels[] = {
        {"Label1", "角度：", {16, 8}}, {"Label3", "度", {80, 8}},  {"Label4", "分", {128, 8}},
        {"Label5", "秒", {176, 8}},    {"Label2", "弧度：", {16, 48}},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.name);
        auto* label = findChildByName<QLabel>(window, QString::fromUtf8(l.name));
        EXPECT_EQ(label->text(), QString::fromUtf8(l.caption));
        EXPECT_EQ(label->pos(), l.pos);
    }
    const struct {
        const char* name;
        const char* caption;
        QRect rect;
    } buttons[] = {
        {"Command3", "清零", {152, 40, 33, 41}},
        {"Command1", "角度->弧度", {16, 88, 81, 25}},
        {"Command2", "弧度->角度", {104, 88, 81, 25}},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(button(window, b.name)->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button(window, b.name)->geometry(), b.rect);
    }
}

TEST_F(AngleConverterWindowTest, OpenedWindowHasFocusInText1AndTabFollowsTheKeyboardOrder)
{
    EXPECT_EQ(focusName(), QStringLiteral("Text1"));
    for (const char* next : {"Text2", "Text3", "Text4", "Command3", "Command1", "Command2", "Text1"})
        EXPECT_EQ(tabFromFocus(), QString::fromUtf8(next));
}

TEST_F(AngleConverterWindowTest, DefaultsToRadiansShow0_180496133AndBackGive10_20_29_9)
{
    toRadians();
    EXPECT_EQ(box(window, "Text4")->text(), QStringLiteral("0.180496133"));
    toDegrees();
    // The nine-decimal rounding and the cut-off tenths lose 0.1 second.
    EXPECT_EQ(texts(), (QStringList{"10", "20", "29.9", "0.180496133"}));
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(AngleConverterWindowTest, RadiansToDegreesShowsFlooredDegreesMinutesAndTenths)
{
    const struct {
        const char* radians;
        QStringList dms;
    } cases[] = {
        {"1", {"57", "17", "44.8"}},
        {"-1", {"-58", "42", "15.1"}},
        {"0", {"0", "0", "0"}},
        {"3.14159265358979", {"180", "0", "0"}},
        {"  0.785398163 ", {"44", "59", "59.9"}},
        {"+1e0", {"57", "17", "44.8"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radians);
        box(window, "Text4")->setText(QString::fromUtf8(c.radians));
        toDegrees();
        EXPECT_EQ(texts().mid(0, 3), c.dms);
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(AngleConverterWindowTest, DegreesToRadiansKeepsEachPartsOwnSignAndShowsNineDecimals)
{
    const struct {
        const char *d, *m, *s, *radians;
    } cases[] = {
        {"45", "0", "0", "0.785398163"},
        {"-58", "42", "15.1", "-1.000000455"},
        {"0", "0", "0", "0.000000000"},
        {"180", "0", "0", "3.141592654"},
        {" 0.5", "-30", ".0", "0.000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radians);
        setDms(c.d, c.m, c.s);
        toRadians();
        EXPECT_EQ(box(window, "Text4")->text(), QString::fromUtf8(c.radians));
    }
    setDms("45", "0", "0");
    toRadians();
    toDegrees();
    EXPECT_EQ(texts().mid(0, 3), (QStringList{"44", "59", "59.9"}));
}

TEST_F(AngleConverterWindowTest, BlankOrSpacesOnlyDegreeBoxShowsIncompleteDataAndFocusesText1)
{
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        SCOPED_TRACE(name);
        setDms("10", "20", "30");
        box(window, name)->setText(QStringLiteral("  "));
        box(window, "Text4")->setText(QStringLiteral("7"));
        box(window, "Text3")->setFocus();
        services.reset();
        toRadians();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, QStringLiteral("数据未输入完整！"));
        EXPECT_EQ(services.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(focusName(), QStringLiteral("Text1"));
        EXPECT_EQ(box(window, "Text4")->text(), QStringLiteral("7"));
    }
}

TEST_F(AngleConverterWindowTest, BlankRadianBoxShowsIncompleteDataAndFocusesText4)
{
    box(window, "Text4")->setText(QStringLiteral(" "));
    toDegrees();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, QStringLiteral("数据未输入完整！"));
    EXPECT_EQ(focusName(), QStringLiteral("Text4"));
    EXPECT_EQ(texts().mid(0, 3), (QStringList{"10", "20", "30"}));
}

TEST_F(AngleConverterWindowTest, ClearEmptiesTheFourBoxesWithoutMovingFocusThenEitherWayIsIncomplete)
{
    box(window, "Text2")->setFocus();
    button(window, "Command3")->click();
    EXPECT_EQ(texts(), (QStringList{"", "", "", ""}));
    EXPECT_EQ(focusName(), QStringLiteral("Text2"));
    toRadians();
    toDegrees();
    ASSERT_EQ(services.messages.size(), 2u);
    EXPECT_EQ(services.messages[0].text, QStringLiteral("数据未输入完整！"));
    EXPECT_EQ(services.messages[1].text, QStringLiteral("数据未输入完整！"));
}

TEST_F(AngleConverterWindowTest, TextThatIsNotANumberShowsWhichBoxAndKeepsEveryText)
{
    const struct {
        const char* box;
        const char* text;
        const char* message;
        bool toRadians;
    } cases[] = {
        {"Text1", "1a", "“度”框中的“1a”不是有效的数字，请重新输入！", true},
        {"Text2", "2 0", "“分”框中的“2 0”不是有效的数字，请重新输入！", true},
        {"Text3", "30″", "“秒”框中的“30″”不是有效的数字，请重新输入！", true},
        {"Text4", "abc", "“弧度”框中的“abc”不是有效的数字，请重新输入！", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        setDms("10", "20", "30");
        box(window, "Text4")->setText(QStringLiteral("1"));
        box(window, c.box)->setText(QString::fromUtf8(c.text));
        const QStringList before = texts();
        services.reset();
        c.toRadians ? toRadians() : toDegrees();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(services.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(texts(), before);
        EXPECT_EQ(focusName(), QString::fromUtf8(c.box));
    }
    // The window stays usable once the text is corrected.
    setDms("10", "20", "30");
    toRadians();
    EXPECT_EQ(box(window, "Text4")->text(), QStringLiteral("0.180496133"));
}

TEST_F(AngleConverterWindowTest, ValuesTooLargeToConvertShowAClearMessageAndKeepEveryText)
{
    const struct {
        const char *d, *radians;
        bool toRadians;
    } cases[] = {{"1e308", "1", true}, {"1e999", "1", true}, {"10", "1e307", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.d);
        setDms(c.d, "0", "0");
        box(window, "Text4")->setText(QString::fromUtf8(c.radians));
        const QStringList before = texts();
        services.reset();
        c.toRadians ? toRadians() : toDegrees();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, kAngleTooLargeMessage);
        EXPECT_EQ(texts(), before);
        for (const QString& t : texts()) {
            EXPECT_FALSE(t.contains(QStringLiteral("inf"))) << t;
            EXPECT_FALSE(t.contains(QStringLiteral("nan"))) << t;
        }
    }
}

TEST_F(AngleConverterWindowTest, ClosedByTitleBarTheNextOpeningShowsTheDefaults)
{
    setDms("1", "2", "3");
    box(window, "Text4")->setText(QStringLiteral("9"));
    window->close();
    QWidget* again = open(&ToolWindows::showAngleConverter);
    EXPECT_NE(again, nullptr);
    window = again;
    EXPECT_EQ(texts(), (QStringList{"10", "20", "30", "0"}));
    EXPECT_EQ(focusName(), QStringLiteral("Text1"));
}

}  // namespace
}  // namespace tarvelo::uitest
