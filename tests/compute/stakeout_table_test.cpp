#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "compute/stakeout_table.h"
#include "core/numbers/angles.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "tests/support/test_curves.h"

namespace tarvelo {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    EXPECT_EQ(from, text.size()) << "text must end with CR LF";
    return lines;
}

TableResult Table(const char* start, const char* end, const char* interval, const char* m = "0",
                  const char* a = "90")
{
    CurveState s = testing::DefaultCurve();
    const TableParamsResult p = ReadTableParams(m, a, interval, start, end);
    EXPECT_TRUE(p.params.has_value()) << p.message;
    return BuildStakeoutTable(s, *p.params);
}

TEST(StakeoutTable, DefaultTableHasFiftyOneRowsOnTheArc)
{
    const TableResult t = Table("9000", "10000", "20");
    ASSERT_FALSE(t.refusal.has_value());
    ASSERT_FALSE(t.fault.has_value());
    const auto lines = Lines(t.text);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(t.rows, 51u);
    EXPECT_EQ(lines[0], "里程 偏距 偏角  坐标X       坐标Y         切线方位角F");
    EXPECT_EQ(lines[0], kTableHeader);
    EXPECT_EQ(lines[1].rfind("9000   0  90  ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("9020   0  90  ", 0), 0u);
    EXPECT_EQ(lines[51], "10000   0  90  3377706.6675  455858.5250   127°23ˊ2.26\"");
}

TEST(StakeoutTable, LoopShapesFollowTheInterval)
{
    const struct {
        const char *start, *end, *interval;
        std::size_t rows;
        const char* first;
        const char* last;
    } cases[] = {
        {"10000", "9000", "20", 0, nullptr, nullptr},
        {"10000", "9000", "-20", 51, "10000", "9000"},
        {"9000", "9000", "20", 1, "9000", "9000"},
        {"9000", "10010", "20", 51, "9000", "10000"},  // no partial last interval
        {"0", "0.3", "0.1", 3, "0", "0.2"},  // the third addition passes 0.3
        {"9000", "9001", "0.5", 3, "9000", "9001"},
        {"9000", "9000.5", "abc5", 0, nullptr, nullptr},  // refused below, not here
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + ".." + c.end + " by " + c.interval);
        const TableResult t = Table(c.start, c.end, c.interval);
        if (std::string(c.interval) == "abc5") {
            EXPECT_TRUE(t.refusal.has_value());
            EXPECT_TRUE(t.text.empty());
            continue;
        }
        const auto lines = Lines(t.text);
        ASSERT_EQ(lines.size(), c.rows + 1);
        if (c.rows == 0) {
            EXPECT_EQ(t.text, std::string(kTableHeader) + "\r\n");
            continue;
        }
        EXPECT_EQ(lines[1].substr(0, lines[1].find(' ')), c.first);
        EXPECT_EQ(lines.back().substr(0, lines.back().find(' ')), c.last);
    }
}

TEST(StakeoutTable, OffsetAndSkewColumnsKeepTheTypedText)
{
    const TableResult t = Table("10000", "10000", "20", " 5", "45.3");
    const auto lines = Lines(t.text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("10000    5  45.3  ", 0), 0u);
    // The stake itself is 5 m along azimuth FWJ + 45 deg 30 min.
    CurveState s = testing::DefaultCurve();
    const CentrelinePoint p = PointAtStation(s, 10000, 5, 45.5);
    EXPECT_NE(lines[1].find(FormatFixed(p.x, 4) + "  " + FormatFixed(p.y, 4)), std::string::npos);
}

TEST(StakeoutTable, ZeroIntervalAndHugeTablesAreRefusedBeforeComputing)
{
    for (const char* interval : {"0", "abc", "-0", "0.0000001", "1e-300"}) {
        SCOPED_TRACE(interval);
        const TableResult t = Table("9000", "10000", interval);
        ASSERT_TRUE(t.refusal.has_value());
        EXPECT_TRUE(t.text.empty());
        EXPECT_EQ(t.rows, 0u);
    }
    EXPECT_EQ(*Table("9000", "10000", "0").refusal, "计算间距J不能为0，请重新输入！");
    // An interval the start station cannot carry is named as such, not as
    // a table too large.
    CurveState s = testing::DefaultCurve();
    TableParams stuck;
    stuck.start = 1e308;
    stuck.end = 1e308;
    stuck.interval = 1;
    EXPECT_EQ(*BuildStakeoutTable(s, stuck).refusal,
              "计算间距J相对于起点桩号太小，桩号无法递增，请重新输入！");
    // A zero interval with an empty range is a harmless header-only table.
    EXPECT_FALSE(Table("10000", "9000", "0").refusal.has_value());
}

TEST(StakeoutTable, AMillionRowsIsTheLargestTable)
{
    EXPECT_EQ(CountTableRows(0, 999999, 1), std::optional<std::size_t>(1000000));
    EXPECT_EQ(CountTableRows(0, 1000000, 1), std::nullopt);
    EXPECT_EQ(CountTableRows(5, 4, 1), std::optional<std::size_t>(0));
    EXPECT_EQ(CountTableRows(0, 10, 0), std::nullopt);
    const TableResult t = Table("0", "999999", "1");
    ASSERT_FALSE(t.refusal.has_value());
    EXPECT_EQ(t.rows, 1000000u);
    EXPECT_EQ(Lines(t.text).size(), 1000001u);
}

TEST(StakeoutTable, AFaultKeepsTheHeaderAndTheRowsBeforeIt)
{
    CurveState s = testing::DefaultCurve();
    TableParams p;
    // The stake at 0 is finite; at 1.7e308 the distance along the second
    // tangent and the offset along the same direction overflow together.
    p.start = 0;
    p.end = 1.7e308;
    p.interval = 1.7e308;
    p.m = 1e308;
    p.a = 0;
    p.offsetText = "0";
    p.skewText = "90";
    const TableResult t = BuildStakeoutTable(s, p);
    ASSERT_TRUE(t.fault.has_value());
    EXPECT_EQ(t.text.rfind(kTableHeader, 0), 0u);
    EXPECT_EQ(t.text.find("inf"), std::string::npos);
    EXPECT_EQ(t.rows, 1u);
    EXPECT_EQ(Lines(t.text).size(), 2u);
}

// The streamed table (the command line's) is the whole table piece by piece:
// pieces end on whole lines, and joined with LF for CR LF they are the same
// text, across many pieces and on a fault.
TEST(StakeoutTable, StreamedPiecesJoinToTheWholeTableWithTheirOwnLineEnds)
{
    CurveState s = testing::DefaultCurve();
    const TableParamsResult p = ReadTableParams("-2.5", "90", "0.5", "9000", "10500");
    ASSERT_TRUE(p.params.has_value());
    const TableResult whole = BuildStakeoutTable(s, *p.params);
    ASSERT_FALSE(whole.fault.has_value());
    std::string plain;
    for (char c : whole.text)
        if (c != '\r') plain += c;

    std::string joined;
    int pieces = 0;
    const TableStreamResult r = StreamStakeoutTable(s, *p.params, "\n", [&](std::string_view piece) {
        ASSERT_FALSE(piece.empty());
        EXPECT_EQ(piece.back(), '\n') << "a piece ends on a whole line";
        joined.append(piece);
        ++pieces;
    });
    EXPECT_EQ(r.rows, whole.rows);
    EXPECT_EQ(r.rows, 3001u);
    EXPECT_GT(pieces, 1);
    EXPECT_EQ(joined, plain);

    TableParams faulty = *p.params;
    faulty.start = 0;
    faulty.end = 1.7e308;
    faulty.interval = 1.7e308;
    faulty.m = 1e308;
    faulty.a = 0;
    std::string beforeFault;
    const TableStreamResult f =
        StreamStakeoutTable(s, faulty, "\n", [&](std::string_view piece) { beforeFault.append(piece); });
    ASSERT_TRUE(f.fault.has_value());
    EXPECT_EQ(f.rows, 1u);
    EXPECT_EQ(std::count(beforeFault.begin(), beforeFault.end(), '\n'), 2);
    EXPECT_EQ(beforeFault.find("inf"), std::string::npos);

    const TableParamsResult zero = ReadTableParams("0", "90", "0", "9000", "9100");
    ASSERT_TRUE(zero.params.has_value());
    bool sunk = false;
    const TableStreamResult refused =
        StreamStakeoutTable(s, *zero.params, "\n", [&](std::string_view) { sunk = true; });
    EXPECT_TRUE(refused.refusal.has_value());
    EXPECT_FALSE(sunk);
}

TEST(TableParams, BlankBoxesFailInCheckOrder)
{
    const struct {
        const char *m, *a, *j, *start, *end;
        TableField field;
        const char* message;
    } cases[] = {
        {"", "", "", "", "", TableField::Offset, kOffsetMissingMessage},
        {"0", " ", "", "", "", TableField::Skew, kSkewMissingMessage},
        {"0", "90", "  ", "", "", TableField::Interval, kIntervalMissingMessage},
        {"0", "90", "20", "", "", TableField::Start, kStartMissingMessage},
        {"0", "90", "20", "9000", " ", TableField::End, kEndMissingMessage},
    };
    for (const auto& c : cases) {
        const TableParamsResult r = ReadTableParams(c.m, c.a, c.j, c.start, c.end);
        EXPECT_FALSE(r.params.has_value());
        EXPECT_EQ(r.failed, c.field);
        EXPECT_EQ(r.message, c.message);
    }
    EXPECT_THROW(ReadTableParams("0", "90", "1e999", "0", "1"), FloatFault);
    const TableParamsResult ok = ReadTableParams("5m", "45.3", "20", "9000", "10000");
    ASSERT_TRUE(ok.params.has_value());
    EXPECT_EQ(ok.params->m, 5);  // lenient, unlike the single point
    EXPECT_NEAR(ok.params->a, 45.5, 1e-12);
}

TEST(StakeRows, NumbersMatchTheTableText)
{
    CurveState s = testing::DefaultCurve();
    const TableParamsResult p = ReadTableParams("-3", "90", "250", "7000", "13000");
    const StakeRowsResult rows = ComputeStakeRows(s, *p.params);
    const TableResult table = BuildStakeoutTable(s, *p.params);
    ASSERT_EQ(rows.rows.size(), table.rows);
    const auto lines = Lines(table.text);
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const StakeRow& r = rows.rows[i];
        EXPECT_EQ(lines[i + 1], FormatGeneral(r.station) + "   -3  90  " + FormatFixed(r.x, 4) +
                                    "  " + FormatFixed(r.y, 4) + "   " + DegreesToDmsText(r.azimuth));
    }
}

}  // namespace
}  // namespace tarvelo
