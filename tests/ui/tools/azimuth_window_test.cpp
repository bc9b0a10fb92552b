// Form 方位角和距离: layout, defaults, focus, the three buttons and their
// messages.

#include <QLabel>

#include "tests/ui/tools/tool_window_test.h"
#include "ui/tools/tool_messages.h"

namespace tarvelo::uitest {
namespace {

class AzimuthWindowTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = open(&ToolWindows::showAzimuthTool);
    }
    void setPoints(const char* xa, const char* ya, const char* xb, const char* yb)
    {
        box(window, "txtXa")->setText(QString::fromUtf8(xa));
        box(window, "txtYa")->setText(QString::fromUtf8(ya));
        box(window, "txtXb")->setText(QString::fromUtf8(xb));
        box(window, "txtYb")->setText(QString::fromUtf8(yb));
    }
    QStringList outputs()
    {
        return {box(window, "txtDu")->text(), box(window, "txtFen")->text(),
                box(window, "txtMiao")->text(), box(window, "txtS")->text()};
    }
    QWidget* window = nullptr;
};

TEST_F(AzimuthWindowTest, OpenedWindowShowsEveryControlAtItsPlaceWithItsDefaultText)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("方位角和距离"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("计算方位角和距离"));
    EXPECT_EQ(window->size(), QSize(260, 170));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());

    const struct {
        const char* name;
        const char* text;
        QRect rect;
    } boxes[] = {
        {"txtXa", "3367011.241", {32, 8, 89, 19}},   {"txtXb", "3366815.284", {152, 8, 89, 19}},
        {"txtYa", "463520.5531", {32, 40, 89, 19}},  {"txtYb", "463819.0273", {152, 40, 89, 19}},
        {"txtS", "0", {80, 72, 161, 18}},            {"txtDu", "0", {80, 101, 33, 19}},
        {"txtFen", "0", {136, 101, 33, 19}},         {"txtMiao", "0", {192, 101, 33, 19}},
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
        {"Label1", "Xa=", {8, 11}},        {"Label3", "Xb=", {128, 16}},
        {"Label2", "Ya=", {8, 40}},        {"Label4", "Yb=", {128, 40}},
        {"Label9", "距    离：", {16, 72}}, {"Label5", "方位角ab：", {16, 104}},
        {"Label6", "度", {120, 104}},      {"Label7", "分", {176, 104}},
        {"Label8", "秒", {232, 104}},
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
        {"Command1", "计算", {8, 128, 65, 25}},
        {"Command2", "清零", {88, 128, 65, 25}},
        {"Command3", "退出", {176, 128, 65, 25}},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(button(window, b.name)->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button(window, b.name)->geometry(), b.rect);
    }
}

TEST_F(AzimuthWindowTest, OpenedWindowHasFocusInTxtXbAndTabFollowsTheKeyboardOrder)
{
    EXPECT_EQ(focusName(), QStringLiteral("txtXb"));
    const QStringList expected = {"txtYb",   "txtXa",    "txtYa",    "txtDu",
                                  "txtFen",  "txtMiao",  "Command1", "Command2",
                                  "Command3", "txtS",    "txtXb"};
    for (const QString& next : expected) EXPECT_EQ(tabFromFocus(), next);
}

TEST_F(AzimuthWindowTest, DefaultPointsComputeShowsTruncated123_17_9AndDistance357_0518)
{
    box(window, "txtYa")->setFocus();
    button(window, "Command1")->click();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(outputs(), (QStringList{"123", "17", "9", "357.0518"}));
    EXPECT_EQ(focusName(), QStringLiteral("txtYa"));  // a success moves no focus
}

TEST_F(AzimuthWindowTest, PointsInEachDirectionComputeTheTruncatedAzimuthAndDistance)
{
    const struct {
        const char *xb, *yb;
        QStringList shown;
    } cases[] = {
        {"10", "10", {"45", "0", "0", "14.1421"}},
        {"-10", "-10", {"225", "0", "0", "14.1421"}},
        // Just below 315 / 135 because of the 15-digit pi, and cut.
        {"10", "-10", {"314", "59", "59", "14.1421"}},
        {"-10", "10", {"134", "59", "59", "14.1421"}},
        {"-10", "0", {"180", "0", "0", "10.0000"}},
        {"10", "0", {"0", "0", "0", "10.0000"}},
        {"0.0000005", "10", {"90", "0", "0", "10.0000"}},
        {"0.0000005", "-10", {"270", "0", "0", "10.0000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.xb) + ", " + c.yb);
        setPoints("0", "0", c.xb, c.yb);
        button(window, "Command1")->click();
        EXPECT_EQ(outputs(), c.shown);
    }
    EXPECT_TRUE(services.messages.empty());
}

TEST_F(AzimuthWindowTest, TextsThatAreNotNumbersCountAsTheirLeadingNumber)
{
    // "abc" reads 0 and "10m" reads 10: (0, 0) to (10, 10).
    setPoints("abc", "0 east", "10m", " 1 0 ");
    button(window, "Command1")->click();
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(outputs(), (QStringList{"45", "0", "0", "14.1421"}));
}

TEST_F(AzimuthWindowTest, EqualXComputeShowsDivisorZeroWithoutIconUnderTheApplicationTitle)
{
    setPoints("0", "0", "0", "10");  // B due east of A, yet refused
    box(window, "txtYb")->setFocus();
    button(window, "Command1")->click();
    ASSERT_EQ(services.messages.size(), 1u);
    const RecordedMessage& m = services.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("除数为零，请检查坐标输入是否正确！"));
    EXPECT_EQ(m.title, QStringLiteral("Tarvelo V1.50.15"));
    EXPECT_EQ(m.icon, MessageIcon::None);
    EXPECT_EQ(m.parent, window);
    EXPECT_EQ(focusName(), QStringLiteral("txtXa"));
    EXPECT_EQ(outputs(), (QStringList{"0", "0", "0", "0"}));  // outputs untouched
}

TEST_F(AzimuthWindowTest, BlankOrSpacesOnlyInputComputeShowsIncompleteDataAndFocusesTxtXa)
{
    for (const char* name : {"txtXa", "txtYa", "txtXb", "txtYb"}) {
        for (const char* blank : {"", "   "}) {
            SCOPED_TRACE(std::string(name) + " = \"" + blank + "\"");
            setPoints("0", "0", "10", "10");
            box(window, name)->setText(QString::fromUtf8(blank));
            box(window, "txtYb")->setFocus();
            services.reset();
            button(window, "Command1")->click();
            ASSERT_EQ(services.messages.size(), 1u);
            EXPECT_EQ(services.messages[0].text, QStringLiteral("数据未输入完整！"));
            EXPECT_EQ(services.messages[0].title, QStringLiteral("提示"));
            EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
            EXPECT_EQ(focusName(), QStringLiteral("txtXa"));
            EXPECT_EQ(outputs(), (QStringList{"0", "0", "0", "0"}));
        }
    }
}

TEST_F(AzimuthWindowTest, ClearEmptiesEveryBoxAndFocusesTxtXaThenComputeShowsIncompleteData)
{
    button(window, "Command1")->click();
    button(window, "Command2")->click();
    for (const char* name :
         {"txtXa", "txtYa", "txtXb", "txtYb", "txtDu", "txtFen", "txtMiao", "txtS"})
        EXPECT_EQ(box(window, name)->text(), QString()) << name;
    EXPECT_EQ(focusName(), QStringLiteral("txtXa"));
    button(window, "Command1")->click();
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, QStringLiteral("数据未输入完整！"));
}

TEST_F(AzimuthWindowTest, CoordinatesWhoseSquareOverflowsShowAClearMessageAndKeepTheBoxes)
{
    const struct {
        const char *xb, *yb;
    } cases[] = {{"2e154", "0"}, {"1", "-3e200"}, {"1e999", "0"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xb);
        services.reset();
        setPoints("0", "0", c.xb, c.yb);
        button(window, "Command1")->click();
        ASSERT_EQ(services.messages.size(), 1u);
        EXPECT_EQ(services.messages[0].text, kCoordinatesTooLargeMessage);
        EXPECT_EQ(services.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(services.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(box(window, "txtXb")->text(), QString::fromUtf8(c.xb));
        EXPECT_EQ(box(window, "txtYb")->text(), QString::fromUtf8(c.yb));
        EXPECT_EQ(outputs(), (QStringList{"0", "0", "0", "0"}));
        EXPECT_EQ(focusName(), QStringLiteral("txtXa"));
    }
    // Still usable afterwards.
    setPoints("0", "0", "10", "10");
    button(window, "Command1")->click();
    EXPECT_EQ(outputs(), (QStringList{"45", "0", "0", "14.1421"}));
}

TEST_F(AzimuthWindowTest, ExitClosesTheWindowAndTheNextOpeningShowsTheDefaults)
{
    QPointer<QWidget> first = window;
    setPoints("1", "2", "3", "4");
    button(window, "Command3")->click();
    EXPECT_FALSE(first && first->isVisible());
    QWidget* again = open(&ToolWindows::showAzimuthTool);
    EXPECT_EQ(box(again, "txtXa")->text(), QStringLiteral("3367011.241"));
    EXPECT_EQ(box(again, "txtYb")->text(), QStringLiteral("463819.0273"));
    EXPECT_EQ(box(again, "txtS")->text(), QStringLiteral("0"));
    EXPECT_EQ(focusName(), QStringLiteral("txtXb"));
}

}  // namespace
}  // namespace tarvelo::uitest
