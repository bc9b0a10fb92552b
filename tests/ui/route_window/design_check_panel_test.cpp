// The 复核 tab: the design's stake table of the shipped example route read
// from a file and checked against the window's route and profile, the
// flagged rows first, tinted and marked on the plan, choosing a row centres
// the plan, tolerances refused in the status bar, reruns on every change,
// and the GBK report.

#include <QFile>
#include <QGraphicsLineItem>
#include <QStatusBar>
#include <QTabWidget>
#include <cmath>

#include "compute/route_text.h"
#include "core/numbers/number_text.h"
#include "core/profile/profile.h"
#include "core/numbers/station_text.h"
#include "reports/design_check_report.h"
#include "reports/gbk_text.h"
#include "reports/text_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/check/check_panel.h"
#include "ui/route_window/check/check_table_model.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/document/route_document.h"

namespace tarvelo::uitest {
namespace {

using M = CheckTableModel;

QByteArray SourceFile(const char* relative)
{
    QFile f(QStringLiteral(TARVELO_SOURCE_DIR "/") + QString::fromLatin1(relative));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << relative;
    return f.readAll();
}

// The design's table of a route every 20 m, as design documents print it:
// a header on line 1, stake k (station start + 20 k) on line k + 2,
// coordinates and the profile's elevation (when given) to the millimetre.
std::vector<std::string> DesignLines(const Route& route, const Profile* profile)
{
    std::vector<std::string> lines{"点名,桩号,X,Y,高程"};
    for (int k = 0;; ++k) {
        const double s = route.start().station + 20.0 * k;
        if (s > route.end().station) break;
        const auto at = route.PointAt(s, 0, 90);
        EXPECT_TRUE(at.has_value());
        std::string line = "P" + std::to_string(k) + "," + FormatKStation(s, 3) + "," +
                           FormatFixed(at->point.x, 3) + "," + FormatFixed(at->point.y, 3) + ",";
        if (profile) line += FormatFixed(*profile->ElevationNear(s), 3);
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

// Field f (0-based) of a comma-separated line, and the line with it replaced.
std::string Field(const std::string& line, int f)
{
    QStringList fields = QString::fromStdString(line).split(u',');
    return fields.value(f).toStdString();
}
std::string WithField(const std::string& line, int f, const std::string& value)
{
    QStringList fields = QString::fromStdString(line).split(u',');
    fields[f] = QString::fromStdString(value);
    return fields.join(u',').toStdString();
}

class DesignCheckPanel : public RouteWindowTest {
protected:
    void importExample(bool withProfile)
    {
        importText(SourceFile("examples/route-example.csv"), QStringLiteral("route-example.csv"));
        ASSERT_NE(route->document()->route(), nullptr) << status().toStdString();
        if (!withProfile) return;
        desktop.queueFileAnswer(writeFile(QStringLiteral("profile.csv"), SourceFile("examples/profile-example.csv")));
        trigger("importProfileAction");
        ASSERT_NE(route->profilePanel()->profile(), nullptr);
    }
    // Reads this design table through the tab's button.
    void loadDesign(const std::string& text, const QString& name = QStringLiteral("design.csv"))
    {
        desktop.queueFileAnswer(writeFile(name, QByteArray::fromStdString(text)));
        press("loadDesignButton");
    }
    CheckPanel* panel() { return child<CheckPanel>("checkPanel"); }
    M* checks() { return qobject_cast<M*>(model("checkTable")); }
    QString summary() { return child<QLabel>("checkSummary")->text(); }
    std::size_t count(DesignClass c) { return panel()->result()->summary.classes[std::size_t(c)]; }
    const std::vector<PlanCheckMark>& marks() { return route->planView()->planScene()->checkMarks(); }
    // Enter in a tolerance box.
    void typeTolerance(const char* name, const QString& text)
    {
        QLineEdit* box = edit(name);
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

TEST_F(DesignCheckPanel, TheTabSitsBesideTheStakeAndInverseTabsAndSaysWhenThereIsNoRoute)
{
    auto* tabs = child<QTabWidget>("toolTabs");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->widget(2), panel());
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("复核(&H)"));
    EXPECT_TRUE(summary().startsWith(QStringLiteral("还没有线路"))) << summary().toStdString();
    EXPECT_EQ(checks()->rowCount(), 0);
    EXPECT_EQ(edit("toleranceEdit")->text(), QStringLiteral("0.005"));
    EXPECT_EQ(edit("toleranceZEdit")->text(), QStringLiteral("0.005"));
    // Saving without a check says why, in one box.
    press("saveCheckReportButton");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("还没有线路，不能复核。"));
}

TEST_F(DesignCheckPanel, TheExampleRoutesOwnStakesAreAllOkWithTheProfilesElevations)
{
    importExample(true);
    const std::vector<std::string> lines =
        DesignLines(*route->document()->route(), route->profilePanel()->profile().get());
    const int rows = int(lines.size()) - 1;
    ASSERT_GT(rows, 250);  // K10+000 to K15+191.070 every 20 m
    loadDesign(Join(lines));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_NE(panel()->result(), nullptr);
    ASSERT_EQ(checks()->rowCount(), rows);
    EXPECT_EQ(count(DesignClass::Ok), std::size_t(rows));
    EXPECT_TRUE(panel()->result()->elevations);
    for (int r = 0; r < rows; ++r) {
        ASSERT_EQ(cell("checkTable", r, M::kClass), QStringLiteral("相符")) << r;
        ASSERT_EQ(cell("checkTable", r, M::kLine), QString::number(r + 2)) << r;  // line order
        ASSERT_FALSE(cellRole("checkTable", r, 0, Qt::BackgroundRole).isValid()) << r;
        // Millimetre coordinates: within half a millimetre of the route.
        ASSERT_LE(checks()->row(std::size_t(r)).distance.value(), 0.0005 * std::sqrt(2.0) + 1e-9) << r;
        ASSERT_LE(std::fabs(checks()->row(std::size_t(r)).dz.value()), 0.0005 + 1e-9) << r;
    }
    EXPECT_EQ(cell("checkTable", 0, M::kName), QStringLiteral("P0"));
    EXPECT_EQ(cell("checkTable", 0, M::kStation), QStringLiteral("K10+000.000"));
    EXPECT_EQ(cell("checkTable", 1, M::kFootStation), QStringLiteral("K10+020.000"));
    EXPECT_TRUE(summary().startsWith(QStringLiteral("复核 %1 行：相符 %1 行，桩号不符 0 行，坐标不符 0 行，高程不符 0 行，"
                                                    "超出线路 0 行，无法读取 0 行。")
                                         .arg(rows)))
        << summary().toStdString();
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(child<QLabel>("designFileLabel")->text(), QStringLiteral("design.csv"));
}

// The example's table with three planted errors: stake 12's X with its
// tens and units swapped, stake 5's station 10 m ahead of its point (on the
// first straight), stake 40's Y not a number.
struct Planted {
    std::vector<std::string> lines;
    double dx = 0;  // the swapped X minus the true one
};

Planted PlantErrors(std::vector<std::string> lines)
{
    Planted p;
    std::string x = Field(lines[12 + 1], 2);
    const std::size_t point = x.find('.');
    const std::string original = x;
    std::swap(x[point - 2], x[point - 1]);
    EXPECT_NE(x, original) << "the digits are the same";
    p.dx = std::stod(x) - std::stod(original);
    lines[12 + 1] = WithField(lines[12 + 1], 2, x);
    double s = 0;
    EXPECT_TRUE(ReadStationField(Field(lines[5 + 1], 1), &s));
    lines[5 + 1] = WithField(lines[5 + 1], 1, FormatKStation(s + 10, 3));
    lines[40 + 1] = WithField(lines[40 + 1], 3, "455x12.3");
    p.lines = std::move(lines);
    return p;
}

TEST_F(DesignCheckPanel, PlantedErrorsComeFirstTintedAndMarkedOnThePlan)
{
    importExample(false);
    const Planted planted = PlantErrors(DesignLines(*route->document()->route(), nullptr));
    loadDesign(Join(planted.lines));
    ASSERT_NE(panel()->result(), nullptr);
    const int rows = int(planted.lines.size()) - 1;
    ASSERT_EQ(checks()->rowCount(), rows);
    EXPECT_EQ(count(DesignClass::Station), 1u);
    EXPECT_EQ(count(DesignClass::Offset), 1u);
    EXPECT_EQ(count(DesignClass::Unreadable), 1u);
    EXPECT_EQ(count(DesignClass::Ok), std::size_t(rows - 3));

    // The flagged rows first, in line order: stake 5 (line 7), 12 (line 14), 40 (line 42).
    const struct {
        int line;
        const char* name;
        const char* verdict;
    } first[] = {{7, "P5", "桩号不符"}, {14, "P12", "坐标不符"}, {42, "P40", "无法读取"}};
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(cell("checkTable", r, M::kLine), QString::number(first[r].line));
        EXPECT_EQ(cell("checkTable", r, M::kName), QString::fromUtf8(first[r].name));
        EXPECT_EQ(cell("checkTable", r, M::kClass), QString::fromUtf8(first[r].verdict));
        EXPECT_EQ(cellRole("checkTable", r, M::kName, Qt::BackgroundRole).value<QColor>(),
                  M::flaggedBackground());
        EXPECT_TRUE(cellRole("checkTable", r, M::kClass, Qt::ToolTipRole)
                        .toString()
                        .startsWith(QStringLiteral("第 %1 行：").arg(first[r].line)));
    }
    // Then the rest from line 2 on, untinted.
    EXPECT_EQ(cell("checkTable", 3, M::kLine), QStringLiteral("2"));
    EXPECT_FALSE(cellRole("checkTable", 3, M::kName, Qt::BackgroundRole).isValid());

    // Stake 5 lies on the centreline 10 m back: its foot is its true station.
    const DesignCheckRow& station = checks()->row(0);
    EXPECT_NEAR(*station.distance, 10, 0.001);
    EXPECT_NEAR(*station.footStation, route->document()->route()->start().station + 100, 0.001);
    EXPECT_EQ(cell("checkTable", 0, M::kFootStation), QStringLiteral("K10+100.000"));
    // Stake 12 moved by the swap along X.
    const DesignCheckRow& offset = checks()->row(1);
    EXPECT_NEAR(*offset.dx, planted.dx, 0.0006);
    EXPECT_NEAR(*offset.dy, 0, 0.0006);
    EXPECT_NEAR(*offset.distance, std::fabs(planted.dx), 0.0006);
    EXPECT_GT(std::fabs(*offset.footOffset), 0.005);
    // The unreadable line shows no numbers.
    EXPECT_EQ(cell("checkTable", 2, M::kStation), QString());
    EXPECT_EQ(cell("checkTable", 2, M::kDistance), QString());

    // Two marks on the plan, each with the line from the route's point.
    ASSERT_EQ(marks().size(), 2u);
    EXPECT_EQ(marks()[0].label, QStringLiteral("P5 桩号不符"));
    ASSERT_TRUE(marks()[0].computed.has_value());
    EXPECT_DOUBLE_EQ(marks()[0].design.x, *station.x);
    EXPECT_NEAR(std::hypot(marks()[0].design.x - marks()[0].computed->x, marks()[0].design.y - marks()[0].computed->y),
                10, 0.001);
    EXPECT_EQ(marks()[1].label, QStringLiteral("P12 坐标不符"));
    // In the scene: a labelled ring and a line for each.
    const auto drawn = [&] {
        int lines = 0;
        QStringList labels;
        for (QGraphicsItem* item : route->planView()->planScene()->items()) {
            lines += item->type() == QGraphicsLineItem::Type;
            if (auto* label = dynamic_cast<PlanLabel*>(item); label && label->text().contains(QStringLiteral("不符")))
                labels << label->text();
        }
        labels.sort();
        return std::make_pair(lines, labels);
    };
    const QStringList both{QStringLiteral("P12 坐标不符"), QStringLiteral("P5 桩号不符")};
    EXPECT_EQ(drawn(), std::make_pair(2, both));
    // A route rebuilt by an edit that moves nothing (JD1 renamed): the
    // plan is drawn anew, the marks with it.
    const Route* before = route->document()->route().get();
    typeCell(1, kJdName, QStringLiteral("J1"));
    ASSERT_NE(route->document()->route().get(), before);
    EXPECT_EQ(drawn(), std::make_pair(2, both));
    EXPECT_TRUE(summary().contains(QStringLiteral("最大平面差 %1 m（第 14 行 P12）")
                                       .arg(QString::fromStdString(FormatFixed(*offset.distance, 4)))))
        << summary().toStdString();
}

// The survey point at the centre of the plan.
QPointF CentreSurvey(PlanView* view)
{
    const QPointF at = view->mapToScene(view->viewport()->rect().center());
    return {view->planScene()->frame().surveyX(at), view->planScene()->frame().surveyY(at)};
}

TEST_F(DesignCheckPanel, ChoosingARowCentresThePlanOnItsDesignPointAndBringsTheRouteIntoView)
{
    importExample(false);
    loadDesign(Join(PlantErrors(DesignLines(*route->document()->route(), nullptr)).lines));
    PlanView* plan = route->planView();
    plan->fit();
    const double whole = plan->pixelsPerMetre();
    table("checkTable")->setCurrentIndex(model("checkTable")->index(0, 0));  // P5, 10 m off
    const DesignCheckRow& row = checks()->row(0);
    QPointF centre = CentreSurvey(plan);
    // centerOn places the point on a whole pixel near the viewport's middle.
    const double pixel = 3 / plan->pixelsPerMetre();
    EXPECT_NEAR(centre.x(), *row.x, pixel);
    EXPECT_NEAR(centre.y(), *row.y, pixel);
    // Zoomed in until the 10 m between the two points show.
    EXPECT_GT(plan->pixelsPerMetre(), whole);
    EXPECT_GE(10 * plan->pixelsPerMetre(), 49.9);

    // An ok row further on: centred, the zoom kept.
    const double zoom = plan->pixelsPerMetre();
    table("checkTable")->setCurrentIndex(model("checkTable")->index(100, 0));
    centre = CentreSurvey(plan);
    EXPECT_NEAR(centre.x(), *checks()->row(100).x, pixel);
    EXPECT_NEAR(centre.y(), *checks()->row(100).y, pixel);
    EXPECT_DOUBLE_EQ(plan->pixelsPerMetre(), zoom);
    // The unreadable row has no point: the plan stays.
    table("checkTable")->setCurrentIndex(model("checkTable")->index(2, 0));
    EXPECT_NEAR(CentreSurvey(plan).x(), centre.x(), pixel);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();

    // A rerun keeps the row chosen, found by its line, and leaves the plan
    // where it is: P12 (line 14), flagged at 5 mm, is ok at 20 m and moves
    // down among the ok rows.
    table("checkTable")->setCurrentIndex(model("checkTable")->index(1, 0));
    ASSERT_EQ(checks()->row(1).line, 14);
    // The surveyor pans elsewhere.
    plan->centreOnSurvey(*checks()->row(100).x + 30, *checks()->row(100).y, false);
    const QPointF panned = CentreSurvey(plan);
    typeTolerance("toleranceEdit", QStringLiteral("20"));
    const QModelIndex chosen = table("checkTable")->currentIndex();
    ASSERT_TRUE(chosen.isValid());
    EXPECT_EQ(checks()->row(std::size_t(chosen.row())).line, 14);
    EXPECT_EQ(cell("checkTable", chosen.row(), M::kClass), QStringLiteral("相符"));
    EXPECT_GT(chosen.row(), 1);
    EXPECT_NEAR(CentreSurvey(plan).x(), panned.x(), pixel);
    EXPECT_NEAR(CentreSurvey(plan).y(), panned.y(), pixel);
}

TEST_F(DesignCheckPanel, ABadToleranceIsOneStatusBarMessageAndAGoodOneRerunsTheCheck)
{
    importExample(false);
    std::vector<std::string> lines = DesignLines(*route->document()->route(), nullptr);
    // Stake 3 one centimetre east: flagged at 5 mm, within 2 cm.
    const double y = std::stod(Field(lines[4], 3)) + 0.01;
    lines[4] = WithField(lines[4], 3, FormatFixed(y, 3));
    loadDesign(Join(lines));
    EXPECT_EQ(count(DesignClass::Offset), 1u);

    QStatusBar* bar = route->statusBar();
    const struct {
        const char* box;
        const char* text;
        const char* message;
    } bad[] = {
        {"toleranceEdit", "-1", "平面限差应当是不小于零的数。复核仍按平面 0.005 m、高程 0.005 m 的限差。"},
        {"toleranceEdit", "abc", "平面限差应当是不小于零的数。复核仍按平面 0.005 m、高程 0.005 m 的限差。"},
        {"toleranceEdit", "", "平面限差应当是不小于零的数。复核仍按平面 0.005 m、高程 0.005 m 的限差。"},
        {"toleranceZEdit", "1e999", "高程限差应当是不小于零的数。复核仍按平面 0.005 m、高程 0.005 m 的限差。"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.text);
        typeTolerance(b.box, QString::fromUtf8(b.text));
        EXPECT_EQ(bar->currentMessage(), QString::fromUtf8(b.message));
        EXPECT_TRUE(desktop.messages.empty()) << messageTexts();  // no box
        EXPECT_EQ(panel()->tolerances().plan, 0.005);
        EXPECT_EQ(panel()->tolerances().z, 0.005);
        EXPECT_EQ(count(DesignClass::Offset), 1u);
        typeTolerance(b.box, QStringLiteral("0.005"));
        EXPECT_EQ(bar->currentMessage(), QString());
    }

    typeTolerance("toleranceEdit", QStringLiteral("0.02"));
    EXPECT_EQ(panel()->tolerances().plan, 0.02);
    EXPECT_EQ(count(DesignClass::Offset), 0u);
    EXPECT_EQ(panel()->result()->tolerances.plan, 0.02);
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(DesignCheckPanel, TheCheckFollowsTheRouteAndTheProfile)
{
    importExample(false);
    const Route original = *route->document()->route();
    std::vector<std::string> lines;
    {
        Profile::Built built = Profile::Build({{10000, 352.4, std::nullopt, 0}, {15200, 376.28, std::nullopt, 0}});
        ASSERT_TRUE(built.profile);
        lines = DesignLines(original, &*built.profile);  // elevations of a straight grade
    }
    loadDesign(Join(lines));
    const std::size_t rows = lines.size() - 1;
    EXPECT_EQ(count(DesignClass::Ok), rows);
    EXPECT_TRUE(summary().contains(QStringLiteral("未读入纵断面，高程未复核。"))) << summary().toStdString();
    EXPECT_FALSE(panel()->result()->elevations);

    // The example profile has vertical curves the straight grade lacks.
    desktop.queueFileAnswer(writeFile(QStringLiteral("profile.csv"), SourceFile("examples/profile-example.csv")));
    trigger("importProfileAction");
    EXPECT_TRUE(panel()->result()->elevations);
    EXPECT_GT(count(DesignClass::Elevation), 10u);
    EXPECT_FALSE(summary().contains(QStringLiteral("未读入纵断面")));

    // Another radius at JD1: the stakes along its curve no longer agree.
    typeCell(1, kJdR, QStringLiteral("900"));
    const std::size_t moved = count(DesignClass::Offset) + count(DesignClass::Station);
    EXPECT_GT(moved, 5u);
    EXPECT_FALSE(marks().empty());
    // A table that makes no route: the tab says so and shows nothing.
    typeCell(1, kJdR, QStringLiteral("abc"));
    EXPECT_EQ(panel()->result(), nullptr);
    EXPECT_EQ(checks()->rowCount(), 0);
    EXPECT_TRUE(summary().startsWith(QStringLiteral("交点表有误，不能复核："))) << summary().toStdString();
    EXPECT_TRUE(marks().empty());
    // Undone twice: the route as read, the same check as before.
    trigger("undoAction");
    trigger("undoAction");
    ASSERT_NE(panel()->result(), nullptr);
    EXPECT_EQ(count(DesignClass::Offset) + count(DesignClass::Station), 0u);
}

TEST_F(DesignCheckPanel, TheReportIsGbkWithTheSummaryShownAndEveryFlaggedReason)
{
    importExample(false);
    loadDesign(Join(PlantErrors(DesignLines(*route->document()->route(), nullptr)).lines),
               QStringLiteral("设计逐桩.csv"));
    const QString out = dir.filePath(QStringLiteral("复核.txt"));
    desktop.queueFileAnswer(out);
    press("saveCheckReportButton");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(desktop.dialogs.back().kind, DialogKind::Save);
    EXPECT_TRUE(desktop.dialogs.back().currentName.endsWith(QStringLiteral("设计逐桩_复核.txt")));

    const auto bytes = ReadFileBytes(out);
    ASSERT_TRUE(bytes.ok());
    const auto text = DecodeTextBytes(*bytes.value);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.value->encoding, TextEncoding::Gbk);
    const QString report = text.value->text;
    EXPECT_TRUE(report.contains(QStringLiteral("设计逐桩坐标复核表")));
    EXPECT_TRUE(report.contains(QStringLiteral("设计文件：设计逐桩.csv\r\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("线路文件：线路计算窗口中的线路（K10+000.000 至 K15+191.070）\r\n")));
    // The first summary line shown is the report's, word for word.
    const QString shown = summary().section(u'\n', 0, 0);
    EXPECT_TRUE(report.contains(shown + QStringLiteral("\r\n"))) << shown.toStdString();
    for (const QString& line : DesignCheckSummaryLines(panel()->result()->summary))
        EXPECT_TRUE(report.contains(line + QStringLiteral("\r\n"))) << line.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("一、不相符的行（3 行）")));
    for (const DesignCheckRow& r : panel()->result()->rows)
        if (r.kind != DesignClass::Ok) {
            EXPECT_TRUE(report.contains(QString::fromStdString(r.reason))) << r.reason;
        }
}

TEST_F(DesignCheckPanel, TheShippedExampleHasItsThreePlantedErrors)
{
    importExample(true);
    desktop.queueFileAnswer(QStringLiteral(TARVELO_SOURCE_DIR "/examples/design-check-example.csv"));
    press("loadDesignButton");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_NE(panel()->result(), nullptr);
    EXPECT_EQ(count(DesignClass::Station), 1u);
    EXPECT_EQ(count(DesignClass::Offset), 1u);
    EXPECT_EQ(count(DesignClass::Unreadable), 1u);
    EXPECT_EQ(count(DesignClass::Elevation) + count(DesignClass::Outside), 0u);
    EXPECT_GT(count(DesignClass::Ok), 250u);
    EXPECT_TRUE(panel()->result()->elevations);
}

TEST_F(DesignCheckPanel, AFileWithoutStakesIsRefusedAndTheCheckShownStays)
{
    importExample(false);
    loadDesign(Join(DesignLines(*route->document()->route(), nullptr)));
    const std::size_t rows = panel()->result()->rows.size();
    loadDesign("# 只有注释\n\n", QStringLiteral("empty.csv"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.startsWith(QStringLiteral("设计逐桩坐标表“")));
    EXPECT_TRUE(desktop.messages[0].text.endsWith(QStringLiteral("empty.csv”中没有桩，未读入。")));
    EXPECT_EQ(panel()->result()->rows.size(), rows);
    EXPECT_EQ(child<QLabel>("designFileLabel")->text(), QStringLiteral("design.csv"));
}

}  // namespace
}  // namespace tarvelo::uitest
