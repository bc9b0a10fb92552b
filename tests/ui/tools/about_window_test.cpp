// Form AAbout: contents, and the picture and address line that open the
// help page.

#include <QAbstractButton>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "tests/ui/tools/tool_window_test.h"
#include "ui/tools/tool_messages.h"

namespace tarvelo::uitest {
namespace {

class AboutWindowTest : public ToolWindowTest {
protected:
    void SetUp() override
    {
        ToolWindowTest::SetUp();
        window = open(&ToolWindows::showAbout);
    }
    QLabel* label(const char* name)
    {
        return findChildByName<QLabel>(window, QString::fromUtf8(name));
    }
    void clickOn(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    QWidget* window = nullptr;
};

TEST_F(AboutWindowTest, OpenedWindowShowsVersionNoticeAndContactLinesAtTheirPlaces)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("AAbout"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("关于本软件"));
    EXPECT_EQ(window->size(), QSize(367, 209));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->findChildren<QAbstractButton*>().isEmpty());  // closed by title bar

    EXPECT_EQ(label("Label1")->text(), QStringLiteral("版本：V 1.50.15"));
    EXPECT_EQ(label("Label1")->geometry(), QRect(136, 32, 100, 13));
    EXPECT_FALSE(label("Label2")->text().trimmed().isEmpty());
    EXPECT_EQ(label("Label2")->geometry(), QRect(136, 56, 167, 13));

    auto* frame = findChildByName<QGroupBox>(window, QStringLiteral("Frame1"));
    EXPECT_EQ(frame->title(), QStringLiteral("关于"));
    EXPECT_EQ(frame->geometry(), QRect(136, 72, 225, 65));
    QLabel* notice = label("Label3");
    EXPECT_EQ(notice->parentWidget(), frame);
    EXPECT_EQ(notice->geometry(), QRect(8, 16, 209, 40));
    EXPECT_TRUE(notice->wordWrap());
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("   ")));
    EXPECT_NE(notice->text().at(3), QLatin1Char(' '));
    EXPECT_TRUE(notice->text().contains(QStringLiteral("免费")));

    const struct {
        const char* name;
        const char* lead;
        QRect rect;
    } contacts[] = {
        {"Label6", "Q  Q：", {136, 144, 120, 13}},
        {"Label4", "邮箱：", {136, 160, 120, 13}},
        {"Label5", "网址：", {136, 175, 200, 13}},
    };
    for (const auto& c : contacts) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(label(c.name)->text().startsWith(QString::fromUtf8(c.lead)));
        EXPECT_GT(label(c.name)->text().size(), QString::fromUtf8(c.lead).size());
        EXPECT_EQ(label(c.name)->geometry(), c.rect);
        // Every line fits its label: nothing is cut off.
        EXPECT_LE(label(c.name)->fontMetrics().horizontalAdvance(label(c.name)->text()),
                  c.rect.width());
    }

    QLabel* picture = label("Image1");
    EXPECT_EQ(picture->geometry(), QRect(8, 25, 120, 160));
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(picture->hasScaledContents());
    EXPECT_EQ(findChildByName<QFrame>(window, QStringLiteral("Line2"))->geometry(),
              QRect(8, 16, 353, 1));
    EXPECT_EQ(findChildByName<QFrame>(window, QStringLiteral("Line1"))->geometry(),
              QRect(8, 200, 353, 1));
}

TEST_F(AboutWindowTest, ClickingThePictureTwiceOpensTheHelpPageTwice)
{
    clickOn(label("Image1"));
    clickOn(label("Image1"));
    ASSERT_EQ(services.locations.size(), 2u);
    EXPECT_EQ(services.locations[0].location, services.locations[1].location);
    const QFileInfo page(services.locations[0].location);
    EXPECT_TRUE(page.isFile()) << services.locations[0].location;
    EXPECT_TRUE(page.filePath().endsWith(QStringLiteral("help/index.html")));
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutWindowTest, ClickingTheAddressLineOpensTheSamePageAsThePicture)
{
    clickOn(label("Label5"));
    clickOn(label("Image1"));
    ASSERT_EQ(services.locations.size(), 2u);
    EXPECT_EQ(services.locations[0].location, services.locations[1].location);
}

TEST_F(AboutWindowTest, ClickingAnyOtherLabelOrTheFrameDoesNothing)
{
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label6"}) clickOn(label(name));
    clickOn(findChildByName<QGroupBox>(window, QStringLiteral("Frame1")));
    clickOn(window);
    EXPECT_TRUE(services.locations.empty());
    EXPECT_TRUE(services.messages.empty());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutWindowTest, RightClickOnThePictureOpensNothing)
{
    QWidget* picture = label("Image1");
    QTest::mouseClick(picture, Qt::RightButton, {}, picture->rect().center());
    EXPECT_TRUE(services.locations.empty());
}

TEST_F(AboutWindowTest, BrowserThatCannotOpenThePageGivesAClearMessageAndTheWindowStays)
{
    services.locationsSucceed = false;
    clickOn(label("Image1"));
    ASSERT_EQ(services.locations.size(), 1u);
    ASSERT_EQ(services.messages.size(), 1u);
    const RecordedMessage& m = services.messages[0];
    EXPECT_EQ(m.text, kHelpNotOpenedMessage.arg(services.locations[0].location));
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.parent, window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("版本：V 1.50.15"));
}

}  // namespace
}  // namespace tarvelo::uitest
