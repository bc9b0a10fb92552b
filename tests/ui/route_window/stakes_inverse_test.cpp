// The stake table against the route table of the engine for the same
// inputs, its refusals, a table near the million-row limit, and the inverse
// of one point and of a points file.

#include <QCheckBox>
#include <QLabel>

#include "compute/route_inverse.h"
#include "compute/route_table.h"
#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"
#include "reports/gbk_text.h"
#include "reports/text_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace tarvelo::uitest {
namespace {

using StakesInverse = RouteWindowTest;
using S = StakeTableModel;

// Every row of the stake table equals the engine's row for the same
// parameters: same count, station, kind, JD, and the point to the last bit.
void ExpectSameTable(const StakeTableModel& shown, const Route& route, const RouteTableParams& p)
{
    std::size_t rows = 0;
    ASSERT_FALSE(CheckRouteTable(route, p, &rows).has_value());
    ASSERT_EQ(shown.size(), rows);
    RouteTableCursor cursor(route, p);
    RouteTableEntry e;
    std::size_t r = 0;
    while (cursor.Next(&e)) {
        const RouteTableRow want = ComputeRouteTableRow(route, e, p);
        const RouteTableRow got = shown.computedRow(r);
        ASSERT_EQ(got.entry.station, want.entry.station) << r;
        ASSERT_EQ(got.entry.kind, want.entry.kind) << r;
        ASSERT_EQ(got.entry.jd, want.entry.jd) << r;
        ASSERT_EQ(got.stake.point.x, want.stake.point.x) << r;
        ASSERT_EQ(got.stake.point.y, want.stake.point.y) << r;
        ASSERT_EQ(got.stake.point.azimuth, want.stake.point.azimuth) << r;
        ++r;
    }
    EXPECT_EQ(r, rows);
}

const StakeTableModel& Shown(QTableView* view) { return *qobject_cast<StakeTableModel*>(view->model()); }

TEST_F(StakesInverse, DefaultStakeTableIsTheEnginesWholeRouteTableFromQdToZd)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    // The range boxes hold the route's ends.
    EXPECT_EQ(edit("startEdit")->text(), QStringLiteral("10000"));
    EXPECT_EQ(edit("endEdit")->text(), QString::fromStdString(FormatRounded4(engine.end().station)));
    press("stakeButton");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    ExpectSameTable(Shown(table("stakeTable")), engine, RouteTableParams{});

    const int last = model("stakeTable")->rowCount() - 1;
    EXPECT_EQ(cell("stakeTable", 0, S::kStation), QStringLiteral("K10+000.000"));
    EXPECT_EQ(cell("stakeTable", 0, S::kKind), QStringLiteral("QD"));
    EXPECT_EQ(cell("stakeTable", 0, S::kX), QStringLiteral("3378000.0000"));
    EXPECT_EQ(cell("stakeTable", 0, S::kY), QStringLiteral("455000.0000"));
    EXPECT_EQ(cell("stakeTable", last, S::kKind), QStringLiteral("ZD"));
    EXPECT_EQ(cell("stakeTable", last, S::kX), QStringLiteral("3380718.2250"));
    EXPECT_EQ(cell("stakeTable", 1, S::kStation), QStringLiteral("K10+020.000"));
    // The azimuth of the first leg, as the window writes azimuths.
    EXPECT_EQ(cell("stakeTable", 0, S::kAzimuth),
              QString::fromStdString(DegreesToDmsText(engine.legs()[0].azimuth)));
}

TEST_F(StakesInverse, OffsetSkewRangeAndNoMainPointsGiveTheEnginesTableForThoseInputs)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    edit("intervalEdit")->setText(QStringLiteral("25"));
    edit("startEdit")->setText(QStringLiteral("10512.5"));
    edit("endEdit")->setText(QStringLiteral(" 13333.3 "));
    edit("offsetEdit")->setText(QStringLiteral("-7.5"));
    edit("skewEdit")->setText(QStringLiteral("60.3"));  // 60°30′
    press("stakeButton");
    RouteTableParams p;
    p.interval = 25;
    p.start = 10512.5;
    p.end = 13333.3;
    p.m = -7.5;
    p.a = 60.5;
    ExpectSameTable(Shown(table("stakeTable")), engine, p);
    EXPECT_EQ(cell("stakeTable", 0, S::kKind), QString());  // not QD: the range starts later

    child<QCheckBox>("mainPointsCheck")->setChecked(false);
    press("stakeButton");
    p.mainPoints = false;
    ExpectSameTable(Shown(table("stakeTable")), engine, p);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(StakesInverse, BadInputsAndRefusedTablesAreToldAndKeepThePreviousTable)
{
    importText(kFiveJdRoute);
    press("stakeButton");
    const int rows = model("stakeTable")->rowCount();
    const struct {
        const char* box;
        const char* text;
        const char* says;
        const char* focus;
    } cases[] = {
        {"intervalEdit", "2O", "间距不是数", "intervalEdit"},
        {"intervalEdit", "0", "", nullptr},           // the table's own refusal
        {"intervalEdit", "0.001", "", nullptr},       // more than a million rows
        {"startEdit", "9000", "", nullptr},           // before QD
        {"skewEdit", "abc", "斜交角不是数", "skewEdit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        desktop.reset();
        QLineEdit* box = edit(c.box);
        const QString before = box->text();
        box->setText(QString::fromUtf8(c.text));
        press("stakeButton");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromUtf8(c.says)));
        EXPECT_EQ(desktop.messages[0].parent, route);
        if (c.focus) {
            EXPECT_EQ(QApplication::focusWidget(), edit(c.focus));
        }
        EXPECT_EQ(model("stakeTable")->rowCount(), rows);
        box->setText(before);
    }
}

TEST_F(StakesInverse, TableOfNearlyAMillionRowsFillsAndShowsItsLastRow)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    edit("intervalEdit")->setText(QStringLiteral("0.0052"));  // 5191 m / 0.0052 ≈ 998,000 rows
    press("stakeButton");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const int rows = model("stakeTable")->rowCount();
    EXPECT_GT(rows, 990000);
    EXPECT_LE(rows, 1000000);
    QTableView* view = table("stakeTable");
    view->scrollToBottom();
    QApplication::processEvents();
    EXPECT_EQ(cell("stakeTable", rows - 1, S::kKind), QStringLiteral("ZD"));
    const auto zd = engine.PointAt(engine.end().station, 0, 90);
    ASSERT_TRUE(zd.has_value());
    EXPECT_EQ(cell("stakeTable", rows - 1, S::kX), QString::fromStdString(FormatFixed(zd->point.x, 4)));
}

TEST_F(StakesInverse, InverseBoxGivesStationAndSideOrOutside)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    const struct {
        double k, m;
        const char* text;
    } cases[] = {
        {10500, 5, "K10+500.000  右 5.000 m"},     // first tangent
        {12000, -12.25, "K12+000.000  左 12.250 m"},  // inside the curves
        {engine.curves()[3].curve.QZ, 0, nullptr},   // on the centreline of an arc
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        const auto at = engine.PointAt(c.k, c.m, 90);
        ASSERT_TRUE(at.has_value());
        edit("inverseXEdit")->setText(QString::number(at->point.x, 'f', 6));
        edit("inverseYEdit")->setText(QString::number(at->point.y, 'f', 6));
        press("inverseButton");
        const QString want = c.text ? QString::fromUtf8(c.text)
                                    : QString::fromStdString(FormatKStation(c.k)) +
                                          QStringLiteral("  中 0.000 m");
        EXPECT_EQ(child<QLabel>("inverseResult")->text(), want);
    }
    // 100 m behind QD on the line of the first leg: beyond the start.
    const double a = engine.legs()[0].azimuth;
    edit("inverseXEdit")->setText(QString::number(3378000 - 100 * CosDeg(a), 'f', 4));
    edit("inverseYEdit")->setText(QString::number(455000 - 100 * SinDeg(a), 'f', 4));
    press("inverseButton");
    EXPECT_EQ(child<QLabel>("inverseResult")->text(), QStringLiteral("线路范围外"));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();

    edit("inverseYEdit")->setText(QStringLiteral("4558OO"));
    press("inverseButton");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), edit("inverseYEdit"));
}

TEST_F(StakesInverse, BatchInverseReadsNameXYShowsAndSavesEveryAnswer)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    const auto p1 = engine.PointAt(11000, 3, 90);
    const auto p2 = engine.PointAt(14000, -4, 90);
    ASSERT_TRUE(p1 && p2);
    const QString points = QStringLiteral("点名,X,Y,备注\n"
                                          "桩1,%1,%2,extra\n"
                                          "桩2,%3,%4\n"
                                          "远点,3370000,450000\n")
                               .arg(p1->point.x, 0, 'f', 6)
                               .arg(p1->point.y, 0, 'f', 6)
                               .arg(p2->point.x, 0, 'f', 6)
                               .arg(p2->point.y, 0, 'f', 6);
    desktop.queueFileAnswer(writeFile(QStringLiteral("points.csv"), points.toUtf8()));
    const QString out = dir.filePath(QStringLiteral("answers.txt"));
    desktop.queueFileAnswer(out);
    press("batchInverseButton");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();

    ASSERT_EQ(model("inverseTable")->rowCount(), 3);
    EXPECT_EQ(cell("inverseTable", 0, 0), QStringLiteral("桩1"));
    EXPECT_EQ(cell("inverseTable", 0, 3), QStringLiteral("K11+000.000"));
    EXPECT_EQ(cell("inverseTable", 0, 4), QStringLiteral("3.000"));
    EXPECT_EQ(cell("inverseTable", 0, 5), QStringLiteral("右"));
    EXPECT_EQ(cell("inverseTable", 1, 3), QStringLiteral("K14+000.000"));
    EXPECT_EQ(cell("inverseTable", 1, 5), QStringLiteral("左"));
    EXPECT_EQ(cell("inverseTable", 2, 3), QStringLiteral("线路范围外"));

    const auto bytes = ReadFileBytes(out);
    ASSERT_TRUE(bytes.ok()) << bytes.error->toStdString();
    const auto text = DecodeTextBytes(*bytes.value);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value->encoding, TextEncoding::Gbk);
    const QStringList lines = text.value->text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("点名,X,Y,桩号,偏距,左右"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("桩1,"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",K11+000.000,3.000,右"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(",线路范围外,,"))) << lines[3].toStdString();
    // The save dialog opened in the folder of the points file.
    ASSERT_EQ(desktop.dialogs.size(), 3u);  // route import, points, answers
    EXPECT_TRUE(desktop.dialogs[2].currentName.startsWith(dir.path()));
}

TEST_F(StakesInverse, BatchInverseKeepsTheFirstPointOfAHeaderlessXyFile)
{
    // Two columns X,Y without a header: the first point was taken as a
    // header and dropped.
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    const auto p1 = engine.PointAt(11000, 3, 90);
    const auto p2 = engine.PointAt(14000, -4, 90);
    ASSERT_TRUE(p1 && p2);
    const QString points = QStringLiteral("%1,%2\n%3,%4\n")
                               .arg(p1->point.x, 0, 'f', 6)
                               .arg(p1->point.y, 0, 'f', 6)
                               .arg(p2->point.x, 0, 'f', 6)
                               .arg(p2->point.y, 0, 'f', 6);
    desktop.queueFileAnswer(writeFile(QStringLiteral("xy.csv"), points.toUtf8()));
    desktop.queueFileAnswer(QString());  // no answers file
    press("batchInverseButton");
    ASSERT_EQ(model("inverseTable")->rowCount(), 2) << messageTexts();
    EXPECT_EQ(cell("inverseTable", 0, 3), QStringLiteral("K11+000.000"));
    EXPECT_EQ(cell("inverseTable", 1, 3), QStringLiteral("K14+000.000"));
}

TEST_F(StakesInverse, BadPointsFileIsReportedByLineAndChangesNothing)
{
    importText(kFiveJdRoute);
    desktop.queueFileAnswer(writeFile(QStringLiteral("bad.csv"), "A,1,2\nB,x,2\nC,3\n"));
    press("batchInverseButton");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 2 行")));
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 3 行")));
    EXPECT_EQ(model("inverseTable")->rowCount(), 0);
}

}  // namespace
}  // namespace tarvelo::uitest
