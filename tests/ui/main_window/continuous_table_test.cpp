// The continuous table (Command6): its checks in order, the default table,
// the row layout, the loop's edges, refusals and faults that keep the last
// table, and a million-row table.

#include <QApplication>

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

const QString kHeader = QStringLiteral("里程 偏距 偏角  坐标X       坐标Y         切线方位角F");

class ContinuousTable : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        choose("Option4");
    }

    // Station column of every row.
    QStringList stations()
    {
        QStringList out;
        const QStringList lines = ResultLines(results());
        for (int i = 1; i < lines.size(); ++i) out << lines[i].section(u' ', 0, 0);
        return out;
    }
};

TEST_F(ContinuousTable, RunsWithoutComputeElementsAndGives51RowsFrom9000To10000)
{
    press("Command6");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    const QStringList lines = ResultLines(results());
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], kHeader);
    QStringList expected;
    for (int k = 9000; k <= 10000; k += 20) expected << QString::number(k);
    EXPECT_EQ(stations(), expected);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("9000   0  90  "))) << lines[1];
    // The last row is the default inverse point, in the pattern 0.0000.
    EXPECT_TRUE(lines[51].startsWith(QStringLiteral("10000   0  90  3377706.6675  455858.5250   ")))
        << lines[51];
    // The main stakes table is not touched.
    EXPECT_TRUE(text("Label45").isEmpty());
}

TEST_F(ContinuousTable, LastRowShowsTheSameAzimuthAsTheSinglePointAtThatStation)
{
    press("Command6");
    const QString last = ResultLines(results()).back();
    choose("Option3");
    press("Command1");
    press("Command2");
    EXPECT_TRUE(last.endsWith(QStringLiteral("   ") + text("Label79"))) << last;
}

TEST_F(ContinuousTable, OffsetAndSkewArePrintedAsTypedAndComputedAsRead)
{
    type("Text42", QStringLiteral(" 5"));
    type("Text43", QStringLiteral("45.3"));
    type("Text10", QStringLiteral("10000"));
    press("Command6");
    const QStringList lines = ResultLines(results());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("10000    5  45.3  "))) << lines[1];
    // 45.3 is 45°30ˊ: the stake lies 5 m from the centre stake at 98.9... +
    // 45.5 degrees, so it differs from the centreline point.
    EXPECT_FALSE(lines[1].contains(QStringLiteral("3377706.6675")));
}

TEST_F(ContinuousTable, DirectionOfTheIntervalDecidesBetweenDescendingAndEmptyTables)
{
    const struct {
        const char* start;
        const char* end;
        const char* interval;
        int rows;
        const char* first;
        const char* last;
    } cases[] = {
        {"10000", "9000", "20", 0, "", ""},
        {"10000", "9000", "-20", 51, "10000", "9000"},
        {"9000", "10010", "20", 51, "9000", "10000"},
        {"9500", "9500", "20", 1, "9500", "9500"},
        {"0", "0.3", "0.1", 3, "0", "0.2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " to " << c.end << " by " << c.interval);
        type("Text10", QString::fromLatin1(c.start));
        type("Text11", QString::fromLatin1(c.end));
        type("Text9", QString::fromLatin1(c.interval));
        press("Command6");
        const QStringList rows = stations();
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_EQ(ResultLines(results()).front(), kHeader);
        if (c.rows == 0) continue;
        EXPECT_EQ(rows.front(), QString::fromLatin1(c.first));
        EXPECT_EQ(rows.back(), QString::fromLatin1(c.last));
    }
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(ContinuousTable, SecondRunReplacesTheFirstTable)
{
    press("Command6");
    type("Text9", QStringLiteral("100"));
    press("Command6");
    const QStringList lines = ResultLines(results());
    EXPECT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.count(kHeader), 1);
}

TEST_F(ContinuousTable, ChecksItsBoxesInOrderAndFocusesTheBlankOne)
{
    press("Command6");
    const QString table = results()->toPlainText();
    const struct {
        const char* box;
        const char* message;
    } checks[] = {
        {"Text42", "请输入“计算偏距m”！"}, {"Text43", "请输入“计算偏角a”！"},
        {"Text9", "请输入“计算间距J”！"},  {"Text10", "请输入“起点桩号K”！"},
        {"Text11", "请输入“止点桩号K”！"},
    };
    // All five blank: each message in turn, as the boxes are filled again.
    QStringList kept;
    for (const auto& c : checks) {
        kept << box(c.box)->text();
        type(c.box, QStringLiteral(" "));
    }
    for (std::size_t i = 0; i < std::size(checks); ++i) {
        SCOPED_TRACE(checks[i].box);
        desktop.reset();
        press("Command6");
        expectOnlyMessage(QString::fromUtf8(checks[i].message));
        EXPECT_EQ(focused(), box(checks[i].box));
        EXPECT_EQ(results()->toPlainText(), table);
        type(checks[i].box, kept[static_cast<int>(i)]);
    }
}

TEST_F(ContinuousTable, BlankStationOfTheSinglePointModeIsReportedWithoutFocusMove)
{
    choose("Option3");
    type("Text41", QStringLiteral("  "));
    choose("Option4");
    focusOn("Text9");
    press("Command6");
    expectOnlyMessage(QStringLiteral("请输入“计算桩号K”！"));
    EXPECT_EQ(focused(), box("Text9"));
    EXPECT_TRUE(results()->toPlainText().isEmpty());
}

TEST_F(ContinuousTable, RefusedOrFaultingTableKeepsThePreviousTable)
{
    press("Command6");
    const QString table = results()->toPlainText();
    const struct {
        const char* start;
        const char* end;
        const char* interval;
        const char* messageStart;
    } cases[] = {
        // An interval of 0 would never end.
        {"9000", "10000", "0", "计算间距J不能为0"},
        {"9000", "10000", "abc", "计算间距J不能为0"},
        // 1 000 001 stakes: more than the table holds.
        {"-1000000", "0", "1", "计算点数超过1000000个"},
        // A start station beyond the range of a double.
        {"1e999", "10000", "20", "计算出错"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " to " << c.end << " by " << c.interval);
        desktop.reset();
        type("Text10", QString::fromLatin1(c.start));
        type("Text11", QString::fromLatin1(c.end));
        type("Text9", QString::fromLatin1(c.interval));
        press("Command6");
        const RecordedMessage& m = onlyMessage();
        EXPECT_TRUE(m.text.startsWith(QString::fromUtf8(c.messageStart))) << m.text;
        EXPECT_EQ(m.title, QStringLiteral("提示"));
        EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_EQ(results()->toPlainText(), table);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor stayed";
}

TEST_F(ContinuousTable, MillionRowTableArrivesWholeInTheResultsBox)
{
    type("Text10", QStringLiteral("1"));
    type("Text11", QStringLiteral("1000000"));
    type("Text9", QStringLiteral("1"));
    press("Command6");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    const QStringList lines = ResultLines(results());
    ASSERT_EQ(lines.size(), 1000001);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1   0  90  "))) << lines[1];
    EXPECT_TRUE(lines[500000].startsWith(QStringLiteral("500000   0  90  "))) << lines[500000];
    EXPECT_TRUE(lines[1000000].startsWith(QStringLiteral("1000000   0  90  "))) << lines[1000000];
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the wait cursor stayed";
}

}  // namespace
}  // namespace tarvelo::uitest
