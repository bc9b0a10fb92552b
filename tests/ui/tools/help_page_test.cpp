// Finding the help page, and the page itself explaining what the windows say.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/ui/support/qt_printers.h"
#include "ui/tools/help_page.h"
#include "ui/tools/tool_messages.h"

namespace tarvelo {
namespace {

TEST(HelpPage, FirstExistingFileAmongTheCandidatesIsChosen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("nowhere/index.html"));
    const QString directory = dir.filePath(QStringLiteral("adir"));
    ASSERT_TRUE(QDir().mkpath(directory));
    const QString second = dir.filePath(QStringLiteral("b.html"));
    const QString third = dir.filePath(QStringLiteral("c.html"));
    for (const QString& path : {second, third}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(FindHelpPage({missing, directory, second, third}), second);
    EXPECT_EQ(FindHelpPage({missing, directory}), QString());
    EXPECT_EQ(FindHelpPage({}), QString());
}

TEST(HelpPage, ProgramRunFromTheBuildTreeFindsThePageAfterTheBesideAndInstalledPlaces)
{
    const QStringList candidates = HelpPageCandidates();
    ASSERT_EQ(candidates.size(), 4);
    EXPECT_TRUE(candidates[0].startsWith(QCoreApplication::applicationDirPath()));
    EXPECT_TRUE(candidates[3].endsWith(QStringLiteral("docs/help/index.html")));
    EXPECT_FALSE(FindHelpPage(candidates).isEmpty());
}

TEST(HelpPage, PageExplainsEveryToolMessageAndTheAngleNotation)
{
    QFile page(FindHelpPage(HelpPageCandidates()));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    for (const QString& text :
         {kIncompleteDataMessage, kDivisorZeroMessage, kCoordinatesTooLargeMessage,
          kAngleTooLargeMessage, kNotANumberMessage.arg(QStringLiteral("度"), QStringLiteral("1a")),
          QStringLiteral("请先点击“计算要素”按钮！"), QStringLiteral("请点击“点击计算”！"),
          QStringLiteral("请选择“单点计算”显示曲线要素！"),
          // d.mmss examples and the three modes
          QStringLiteral("152.094168"), QStringLiteral("-14.1810"),
          QStringLiteral("坐标正算 · 单点计算"), QStringLiteral("坐标反算（单点）"),
          QStringLiteral("坐标正算 · 连续计算")})
        EXPECT_TRUE(html.contains(text)) << text;
}

}  // namespace
}  // namespace tarvelo
