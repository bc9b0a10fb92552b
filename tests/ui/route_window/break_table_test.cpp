// Chain breaks (断链) in the route window: the break table typed, pasted,
// undone and marked; the break file in and out; and every station the
// window shows or takes being a displayed station, with its zone where the
// station occurs twice.
//
// The breaks are the shipped example's for the five-JD road (QD at 10000):
// a 短链 K11+200 = K11+260 (60 m of stations skipped) and a 长链 K13+100 =
// K13+050 (50 m of stations twice). Past both, a displayed station is the
// route's own + 60 − 50; the road of own length 5191.0702 ends at
// K15+201.070 (15201.0702 in the range box).

#include <QBrush>
#include <QClipboard>
#include <QFile>

#include "core/files/break_file.h"
#include "core/numbers/station_text.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/tables/break_cells.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/document/route_document.h"
#include "compute/route_station_text.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace tarvelo::uitest {
namespace {

const std::vector<BreakInput> kBreaks = {{"短链1", 11200, 11260, 0}, {"长链1", 13100, 13050, 0}};

// The five-JD road with the example's breaks, built by the engine alone.
Route EngineRoute()
{
    const RouteFileParse parsed = ParseRouteFile(kFiveJdRoute);
    Route::Built built = Route::Build(parsed.rows, SpiralMode::Exact, kBreaks);
    EXPECT_TRUE(built.route) << (built.error ? built.error->message : "");
    return std::move(*built.route);
}

class BreakTable : public RouteWindowTest {
protected:
    void typeBreak(int row, int column, const QString& text)
    {
        QAbstractItemModel* m = model("breakTable");
        while (m->rowCount() <= row) {
            table("breakTable")->setCurrentIndex({});
            press("breakInsertRowButton");
        }
        ASSERT_TRUE(m->setData(m->index(row, column), text, Qt::EditRole));
    }
    void typeExampleBreaks()
    {
        typeBreak(0, kBreakBack, QStringLiteral("K11+200"));
        typeBreak(0, kBreakAhead, QStringLiteral("11260"));
        typeBreak(1, kBreakBack, QStringLiteral("13100"));
        typeBreak(1, kBreakAhead, QStringLiteral("K13+050.000"));
    }
};

QColor Background(const QVariant& v) { return v.value<QBrush>().color(); }

TEST_F(BreakTable, TypedBreaksMakeEveryShownStationADisplayedOne)
{
    importText(kFiveJdRoute);
    ASSERT_TRUE(route->document()->route());
    EXPECT_TRUE(status().contains(QStringLiteral("K15+191.070"))) << status().toStdString();
    typeExampleBreaks();
    const auto built = route->document()->route();
    ASSERT_TRUE(built) << status().toStdString();
    EXPECT_TRUE(built->hasBreaks());
    // The status bar's ends, the curve table's stations and the range boxes are displayed stations.
    EXPECT_TRUE(status().contains(QStringLiteral("K10+000.000 — K15+201.070"))) << status().toStdString();
    EXPECT_TRUE(status().contains(QStringLiteral("5191.070"))) << status().toStdString();  // the length is a distance
    const Route plain = RouteOfText(kFiveJdRoute);
    // JD2 lies past the 短链: 60 m more. JD5 past both: 10 m more.
    EXPECT_EQ(cell("curveTable", 1, CurveTableModel::kStation),
              QString::fromStdString(FormatKStation(plain.curves()[1].curve.JD + 60)));
    EXPECT_EQ(cell("curveTable", 4, CurveTableModel::kHZ),
              QString::fromStdString(FormatKStation(plain.curves()[4].curve.HZ + 10)));
    EXPECT_EQ(edit("startEdit")->text(), QStringLiteral("10000"));
    EXPECT_EQ(edit("endEdit")->text(), QStringLiteral("15201.0702"));

    // The stake table lists displayed stations and the breaks' rows; a station
    // of the 长链's overlap carries its zone.
    edit("intervalEdit")->setText(QStringLiteral("50"));
    edit("startEdit")->setText(QStringLiteral("13000"));
    edit("endEdit")->setText(QStringLiteral("13100(2区)"));
    press("stakeButton");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    QStringList stations;
    for (int r = 0; r < model("stakeTable")->rowCount(); ++r) stations << cell("stakeTable", r, StakeTableModel::kStation);
    EXPECT_TRUE(stations.contains(QStringLiteral("K13+050.000(1区)"))) << stations.join(u' ').toStdString();
    EXPECT_TRUE(stations.contains(QStringLiteral("K13+050.000(2区)"))) << stations.join(u' ').toStdString();
    EXPECT_EQ(stations.front(), QStringLiteral("K13+000.000"));
    EXPECT_EQ(stations.back(), QStringLiteral("K13+100.000(2区)"));
}

TEST_F(BreakTable, StationsTypedInTheRangeBoxesAreReadThroughTheBreaks)
{
    importText(kFiveJdRoute);
    typeExampleBreaks();
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    const struct {
        const char* start;
        const char* says;  // "" when accepted
    } cases[] = {
        {"11230", "短链"},                 // in the gap: no such station
        {"13070", "1"},                    // in the overlap without its zone: ambiguous, the zones named
        {"13070(7区)", "7"},               // a zone that does not exist
        {"13070(x区)", "区段应写成"},
        {"13070（1区）", ""},
        {"K13+070(2区)", ""},
    };
    edit("intervalEdit")->setText(QStringLiteral("20"));
    edit("endEdit")->setText(QStringLiteral("14000"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        desktop.messages.clear();
        edit("startEdit")->setText(QString::fromUtf8(c.start));
        press("stakeButton");
        if (*c.says) {
            ASSERT_EQ(desktop.messages.size(), 1u);
            EXPECT_TRUE(desktop.messages[0].text.startsWith(QStringLiteral("起点桩号“"))) << messageTexts();
            EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromUtf8(c.says))) << messageTexts();
        } else {
            EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
            const bool zone2 = QString::fromUtf8(c.start).contains(u'2');
            EXPECT_EQ(cell("stakeTable", 0, StakeTableModel::kStation),
                      zone2 ? QStringLiteral("K13+070.000(2区)") : QStringLiteral("K13+070.000(1区)"));
        }
    }
}

TEST_F(BreakTable, InverseAnswersAreDisplayedStationsWithTheirZone)
{
    importText(kFiveJdRoute);
    typeExampleBreaks();
    ASSERT_TRUE(route->document()->route());
    const Route engine = EngineRoute();
    // K13+070 in the second zone, 2 m right of the centreline.
    const Route::StationLookup at = engine.StationOf(13070, 2);
    ASSERT_TRUE(at.station) << at.error;
    const auto p = engine.PointAt(*at.station, 2, 90);
    ASSERT_TRUE(p);
    edit("inverseXEdit")->setText(QString::number(p->point.x, 'f', 6));
    edit("inverseYEdit")->setText(QString::number(p->point.y, 'f', 6));
    press("inverseButton");
    const QString answer = child<QLabel>("inverseResult")->text();
    EXPECT_TRUE(answer.startsWith(QStringLiteral("K13+070.000(2区)  右 2.000 m"))) << answer.toStdString();
}

TEST_F(BreakTable, PastedBreaksUndoAndABreakBeyondTheRouteMarksItsRow)
{
    importText(kFiveJdRoute);
    table("breakTable")->setCurrentIndex({});
    QApplication::clipboard()->setText(QStringLiteral("K11+200.000,K11+260.000,短链1\nK13+100.000,K13+050.000,长链1\n"));
    trigger("breakPasteAction");
    ASSERT_EQ(model("breakTable")->rowCount(), 2);
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_TRUE(status().contains(QStringLiteral("K15+201.070"))) << status().toStdString();
    trigger("undoAction");
    EXPECT_EQ(model("breakTable")->rowCount(), 0);
    EXPECT_TRUE(status().contains(QStringLiteral("K15+191.070"))) << status().toStdString();
    trigger("redoAction");
    EXPECT_TRUE(status().contains(QStringLiteral("K15+201.070"))) << status().toStdString();

    // A cell that is no station: marked with its reason, no route.
    QAbstractItemModel* m = model("breakTable");
    ASSERT_TRUE(m->setData(m->index(0, kBreakBack), QStringLiteral("K11+2x0"), Qt::EditRole));
    EXPECT_EQ(Background(cellRole("breakTable", 0, kBreakBack, Qt::BackgroundRole)), QColor(255, 196, 196));
    EXPECT_TRUE(cellRole("breakTable", 0, kBreakBack, Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("第 1 行：断前桩号“K11+2x0”既不是数")));
    EXPECT_FALSE(route->document()->route());
    trigger("undoAction");

    // A break beyond the road's end refuses the route and marks its row.
    ASSERT_TRUE(m->setData(m->index(1, kBreakBack), QStringLiteral("K20+000"), Qt::EditRole));
    EXPECT_FALSE(route->document()->route());
    EXPECT_TRUE(status().startsWith(QStringLiteral("断链表"))) << status().toStdString();
    EXPECT_EQ(Background(cellRole("breakTable", 1, kBreakName, Qt::BackgroundRole)), QColor(255, 226, 150));
    EXPECT_EQ(cellRole("breakTable", 1, kBreakName, Qt::ToolTipRole).toString(), status());
    EXPECT_FALSE(cellRole("breakTable", 0, kBreakName, Qt::BackgroundRole).isValid());
}

TEST_F(BreakTable, TheBreakFileComesInAndGoesOutWithTheSameBreaks)
{
    importText(kFiveJdRoute);
    desktop.queueFileAnswer(QStringLiteral(TARVELO_SOURCE_DIR "/examples/breaks-example.csv"));
    trigger("importBreaksAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(model("breakTable")->rowCount(), 2);
    EXPECT_EQ(cell("breakTable", 1, kBreakName), QStringLiteral("长链1"));
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    EXPECT_DOUBLE_EQ(route->document()->route()->Displayed(route->document()->route()->end().station).station,
                     EngineRoute().Displayed(EngineRoute().end().station).station);

    const QString out = dir.filePath(QStringLiteral("breaks.csv"));
    desktop.queueFileAnswer(out);
    trigger("exportBreaksAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const BreakFileContent back = ParseBreakFile(f.readAll().toStdString());
    ASSERT_TRUE(back.ok());
    ASSERT_EQ(back.rows.size(), kBreaks.size());
    for (std::size_t i = 0; i < kBreaks.size(); ++i) {
        EXPECT_EQ(back.rows[i].back, kBreaks[i].back);
        EXPECT_EQ(back.rows[i].ahead, kBreaks[i].ahead);
        EXPECT_EQ(back.rows[i].name, kBreaks[i].name);
    }

    // A file with a bad row is refused whole, naming the line.
    desktop.queueFileAnswer(writeFile(QStringLiteral("bad.csv"), "K1+000,K1+010\nK2+000\n"));
    trigger("importBreaksAction");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 2 行：缺少断后桩号"))) << messageTexts();
    EXPECT_EQ(model("breakTable")->rowCount(), 2);
}

TEST(RouteStationText, TypedStationsWithAndWithoutTheirZone)
{
    const Route r = EngineRoute();
    const struct {
        const char* text;
        double displayed;  // NaN: refused
        int zone;
        const char* says;
    } cases[] = {
        {"10500", 10500, 0, ""},
        {" K10+500 ", 10500, 0, ""},
        {"13070(1区)", 13070, 1, ""},
        {"13070（2区）", 13070, 2, ""},
        {"15201.07", 15201.07, 2, ""},
        {"11230", std::nan(""), 0, "短链"},
        {"13070", std::nan(""), 0, "1"},
        {"13070(区)", std::nan(""), 0, "区段应写成"},
        {"abc", std::nan(""), 0, "不是桩号"},
        {"20000", std::nan(""), 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TypedStation t = ReadRouteStation(r, c.text);
        if (std::isnan(c.displayed)) {
            EXPECT_FALSE(t.station);
            EXPECT_FALSE(t.error.empty());
            EXPECT_NE(t.error.find(c.says), std::string::npos) << t.error;
            continue;
        }
        ASSERT_TRUE(t.station) << t.error;
        const DisplayedStation d = r.Displayed(*t.station);
        EXPECT_NEAR(d.station, c.displayed, 1e-9);
        EXPECT_EQ(d.zone, c.zone);
    }
    // Shown: the zone only where the station occurs twice.
    EXPECT_EQ(RouteStationText(r, *r.StationOf(13070, 1).station), "K13+070.000(1区)");
    EXPECT_EQ(RouteStationText(r, *r.StationOf(12000).station), "K12+000.000");
    EXPECT_EQ(RouteStationNumber(r, r.end().station), "15201.0702");
}

TEST(BreakCells, RowsReadWithTheirTableRowAndTextsReadBack)
{
    EXPECT_TRUE(ReadBreakRows({}).rows.empty());
    EXPECT_TRUE(ReadBreakRows({}).problems.empty());
    const BreakRowsRead bad = ReadBreakRows({{" 100 ", "110", ""}, {"200", "", "x"}, {"k", "1", ""}});
    EXPECT_TRUE(bad.rows.empty());
    ASSERT_EQ(bad.problems.size(), 2u);
    EXPECT_EQ(bad.problems[0].row, 1);
    EXPECT_EQ(bad.problems[0].column, kBreakAhead);
    EXPECT_EQ(bad.problems[0].message.rfind("第 2 行：缺少断后桩号", 0), 0u) << bad.problems[0].message;
    EXPECT_EQ(bad.problems[1].row, 2);
    EXPECT_EQ(bad.problems[1].column, kBreakBack);

    const std::vector<BreakInput> rows = {{"短链1", 11200.125, 11260, 0}, {"", 0.1, 1e7 + 0.3, 0}};
    const BreakRowsRead back = ReadBreakRows(BreakTextsOf(rows));
    ASSERT_TRUE(back.problems.empty());
    ASSERT_EQ(back.rows.size(), 2u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(back.rows[i].back, rows[i].back);
        EXPECT_EQ(back.rows[i].ahead, rows[i].ahead);
        EXPECT_EQ(back.rows[i].name, rows[i].name);
    }
}

}  // namespace
}  // namespace tarvelo::uitest
