// The 土石方 tab of the route window against the command line: the example
// route, profile, pavement, template and ground loaded in the window give,
// cell for cell, the table `tarvelo-cli route earthwork --format csv` writes
// on the same files (and its totals line); the shaded regions of the
// drawing add up to the engine's areas; Up / Down step through the
// stations; a relative .hdm asks for its centre ground; stations in a
// 长链's overlap carry their zone and read back to their place; the CASS
// stake export ends with the catch stakes the command line's --format dat
// writes. The shading is also checked alone on sections worked by hand.

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGraphicsPathItem>
#include <QProcess>
#include <QTabWidget>
#include <cmath>

#include "compute/earthwork.h"
#include "compute/ground_points.h"
#include "compute/route_station_text.h"
#include "core/files/template_file.h"
#include "reports/table_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/earthwork/earthwork_panel.h"
#include "ui/route_window/earthwork/earthwork_shading.h"
#include "ui/route_window/earthwork/earthwork_table_model.h"
#include "ui/route_window/earthwork/earthwork_view.h"
#include "ui/route_window/profile/profile_panel.h"
#include "ui/route_window/sections/section_panel.h"
#include "ui/route_window/slope/template_pane.h"
#include "ui/route_window/tables/template_cells.h"
#include "ui/route_window/tables/template_table_model.h"

namespace tarvelo::uitest {
namespace {

QString Example(const char* name) { return QStringLiteral(TARVELO_SOURCE_DIR "/examples/") + QString::fromLatin1(name); }

constexpr double kAreaTol = 1e-6;  // m²: the shading against the engine's exact areas

// The fields of one CSV line as the command line writes them (a field in
// quotes may hold commas and doubled quotes).
std::vector<QString> CsvFields(const QString& line)
{
    std::vector<QString> fields(1);
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') fields.back() += c, ++i;
            else if (c == u'"') quoted = false;
            else fields.back() += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

struct CliRun {
    int status = -1;
    QString out, err;
};

CliRun RunCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TARVELO_CLI_PATH), args);
    CliRun r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Shoelace over every closed subpath of a path, in scene units.
double PathArea(const QPainterPath& path)
{
    double area = 0;
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        double twice = 0;
        for (int i = 0; i + 1 < polygon.size(); ++i)
            twice += polygon[i].x() * polygon[i + 1].y() - polygon[i + 1].x() * polygon[i].y();
        twice += polygon.back().x() * polygon.front().y() - polygon.front().x() * polygon.back().y();
        area += std::fabs(twice) / 2;
    }
    return area;
}

GroundSection Ground(std::vector<GroundPoint> points)
{
    GroundSection::Built built = GroundSection::Build({}, std::move(points));
    EXPECT_TRUE(built.section) << built.error;
    return *built.section;
}

TEST(EarthworkShading, RegionsWorkedByHandAddUpToTheirAreas)
{
    // Flat ground at 0 from -10 to 10 unless said otherwise.
    const GroundSection flat = Ground({{-10, 0, ""}, {10, 0, ""}});
    const struct {
        const char* what;
        GroundSection ground;
        std::vector<SectionVertex> design;
        std::size_t cutRegions, fillRegions;
        double cut, fill;
    } cases[] = {
        // A trough 2 deep, 4 wide at the bottom, slopes 1:1: (4 + 8)/2 · 2.
        {"level cut", flat, {{-4, 0}, {-2, -2}, {2, -2}, {4, 0}}, 1, 0, 12, 0},
        // A line rising 1 in 4 through the ground at the centre: two triangles of 4·1/2.
        {"crossing at the centre", flat, {{-4, -1}, {4, 1}}, 1, 1, 2, 2},
        // A vertical jump across the ground: 3·1 below it on the left, 3·1 above on the right.
        {"jump across the ground", flat, {{-3, -1}, {0, -1}, {0, 1}, {3, 1}}, 1, 1, 3, 3},
        // A jump that stays below the ground: one region of 3·1 + 3·2.
        {"jump below the ground", flat, {{-3, -1}, {0, -1}, {0, -2}, {3, -2}}, 1, 0, 9, 0},
        // The design on the ground: nothing to shade.
        {"on the ground", flat, {{-5, 0}, {5, 0}}, 0, 0, 0, 0},
        // A ridge of ground (0 at ±4, 2 at 0) over a level design at 1: cut
        // where the ridge is above 1 (a triangle 4 wide, 1 high), fill at
        // both feet (triangles 2 wide, 1 high).
        {"ridge over a level line", Ground({{-4, 0, ""}, {0, 2, ""}, {4, 0, ""}}), {{-4, 1}, {4, 1}}, 1, 2, 2, 2},
        // The design reaching beyond the ground: only the part over it counts.
        {"beyond the ground", Ground({{-2, 1, ""}, {2, 1, ""}}), {{-6, 0}, {6, 0}}, 1, 0, 4, 0},
        {"one design point", flat, {{0, -1}}, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CutFillRegions r = CutFillRegionsOf(c.ground, c.design);
        EXPECT_EQ(r.cut.size(), c.cutRegions);
        EXPECT_EQ(r.fill.size(), c.fillRegions);
        double cut = 0, fill = 0;
        for (const auto& p : r.cut) cut += PolygonArea(p);
        for (const auto& p : r.fill) fill += PolygonArea(p);
        EXPECT_NEAR(cut, c.cut, 1e-12);
        EXPECT_NEAR(fill, c.fill, 1e-12);
    }
}

class EarthworkPanelTest : public RouteWindowTest {
protected:
    EarthworkPanel* panel() { return child<EarthworkPanel>("earthworkPanel"); }
    EarthworkView* view() { return child<EarthworkView>("earthworkView"); }
    QString ewStatus() { return child<QLabel>("earthworkStatus")->text(); }

    void open(const char* action, const QString& path)
    {
        desktop.queueFileAnswer(path);
        trigger(action);
    }
    void openWith(const char* button, const QString& path)
    {
        desktop.queueFileAnswer(path);
        press(button);
    }
    // The template file read into the 横断面 tab's template table with the
    // earthwork tab's own button: one template for both tabs.
    void giveTemplate(const QString& path)
    {
        openWith("readTemplateButton", path);
        ASSERT_TRUE(panel()->statusLabel()->text().contains(QStringLiteral("路基模板取自横断面表")))
            << panel()->statusLabel()->text().toStdString();
    }
    // Route, breaks, profile and pavement through the window's own imports.
    void loadDesign(const QString& routeFile, const QString& breaks = {},
                    const QString& sections = Example("sections-example.csv"))
    {
        sections_ = sections;
        open("importAction", routeFile);
        if (!breaks.isEmpty()) open("importBreaksAction", breaks);
        open("importProfileAction", Example("profile-example.csv"));
        open("importSectionsAction", sections);
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        ASSERT_TRUE(child<QLabel>("sectionStatus")->styleSheet().isEmpty())
            << child<QLabel>("sectionStatus")->text().toStdString();
    }

    // The command line's table on the same files: header then rows; its
    // standard output in *out.
    std::vector<std::vector<QString>> cliTable(QStringList args, QString* out)
    {
        const QString csv = dir.filePath(QStringLiteral("earthwork-cli.csv"));
        args = QStringList{QStringLiteral("route"), QStringLiteral("earthwork"), QStringLiteral("--profile"),
                           Example("profile-example.csv"), QStringLiteral("--sections"), sections_,
                           QStringLiteral("--template"), Example("template-example.csv"), QStringLiteral("--format"),
                           QStringLiteral("csv"), QStringLiteral("--out"), csv} +
               args;
        const CliRun run = RunCli(args);
        EXPECT_TRUE(run.status == 0 || run.status == 3) << run.err.toStdString();
        *out = run.out;
        QFile f(csv);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        std::vector<std::vector<QString>> rows;
        for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) rows.push_back(CsvFields(line));
        return rows;
    }

    // Every cell of both tables against the command line's table and totals.
    void expectTablesEqualCli(const QStringList& args)
    {
        QString totals;
        const std::vector<std::vector<QString>> cli = cliTable(args, &totals);
        ASSERT_GE(cli.size(), 2u);
        QAbstractItemModel* sections = model("earthworkSectionsTable");
        ASSERT_EQ(sections->rowCount(), static_cast<int>(cli.size()) - 1);
        // The sections table's columns in the command line's table.
        const int columns[] = {0, 1, 2, 3, 4, 7, 8, 9, 12, 18};
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(sections->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), cli[0][columns[c]]);
        for (int r = 0; r < sections->rowCount(); ++r)
            for (int c = 0; c < 10; ++c)
                EXPECT_EQ(cell("earthworkSectionsTable", r, c), cli[r + 1][columns[c]]) << "row " << r << " column " << c;
        QAbstractItemModel* volumes = model("earthworkVolumesTable");
        ASSERT_EQ(volumes->rowCount(), static_cast<int>(cli.size()) - 1);  // intervals and 合计
        for (int r = 0; r + 1 < volumes->rowCount(); ++r) {
            const std::vector<QString> expected = {cli[r + 1][0], cli[r + 2][0], cli[r + 2][13], cli[r + 2][14],
                                                   cli[r + 2][15]};
            for (int c = 0; c < 5; ++c)
                EXPECT_EQ(cell("earthworkVolumesTable", r, c), expected[std::size_t(c)]) << "interval " << r;
        }
        const int last = volumes->rowCount() - 1;
        EXPECT_EQ(cell("earthworkVolumesTable", last, 0), QStringLiteral("合计"));
        const QString line = QStringLiteral("合计 挖方 %1 m³，填方 %2 m³")
                                 .arg(cell("earthworkVolumesTable", last, 3), cell("earthworkVolumesTable", last, 4));
        EXPECT_TRUE(totals.startsWith(line)) << totals.toStdString() << " vs " << line.toStdString();
        EXPECT_TRUE(ewStatus().contains(totals.trimmed())) << ewStatus().toStdString();
    }

    int currentRow() { return table("earthworkSectionsTable")->currentIndex().row(); }

    QString sections_;  // the pavement file loaded
};

TEST_F(EarthworkPanelTest, TablesEqualTheCommandLineAndTheShadingTheAreas)
{
    loadDesign(Example("route-example.csv"));
    openWith("readGroundButton", Example("ground-example.csv"));
    EXPECT_TRUE(ewStatus().contains(QStringLiteral("土石方还需要：路基模板。"))) << ewStatus().toStdString();
    EXPECT_EQ(model("earthworkSectionsTable")->rowCount(), 0);
    giveTemplate(Example("template-example.csv"));
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_TRUE(ewStatus().startsWith(QStringLiteral("读入 11 个断面（桩号,偏距,高程 格式）"))) << ewStatus().toStdString();
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"),
                          Example("ground-example.csv")});

    // Stepping down the stations with the keyboard in the drawing: each
    // drawing's station and areas are its row's, its shading its areas.
    const std::shared_ptr<const EarthworkResult> result = panel()->result();
    ASSERT_TRUE(result);
    const int n = static_cast<int>(result->sections.size());
    for (bool exaggerated : {false, true}) {
        child<QCheckBox>("earthworkExaggerationCheck")->setChecked(exaggerated);
        const double k = exaggerated ? EarthworkView::kExaggeration : 1;
        EXPECT_EQ(view()->exaggeration(), k);
        panel()->showSection(0);
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            ASSERT_EQ(currentRow(), i);
            const EarthworkSection& s = result->sections[std::size_t(i)];
            ASSERT_TRUE(view()->drawing());
            EXPECT_EQ(view()->drawing()->section.at.distance, s.at.distance);
            EXPECT_EQ(view()->captions(),
                      (QStringList{QStringLiteral("土石方 ") + cell("earthworkSectionsTable", i, 0),
                                   QStringLiteral("挖方面积 %1 m²").arg(cell("earthworkSectionsTable", i, 1)),
                                   QStringLiteral("填方面积 %1 m²").arg(cell("earthworkSectionsTable", i, 2))}));
            ASSERT_TRUE(s.areas);
            EXPECT_NEAR(PathArea(view()->cutShading()->path()) / k, s.areas->cut, kAreaTol);
            EXPECT_NEAR(PathArea(view()->fillShading()->path()) / k, s.areas->fill, kAreaTol);
            QTest::keyClick(view(), Qt::Key_Down);
        }
        EXPECT_EQ(currentRow(), n - 1);  // the last station stays
        QTest::keyClick(view(), Qt::Key_Up);
        EXPECT_EQ(currentRow(), n - 2);
        QTest::keyClick(view(), Qt::Key_PageUp);
        EXPECT_EQ(currentRow(), n - 3);
        QTest::keyClick(table("earthworkSectionsTable"), Qt::Key_Up);
        EXPECT_EQ(currentRow(), n - 4);
        EXPECT_EQ(view()->drawing()->section.at.distance, result->sections[std::size_t(n - 4)].at.distance);
    }

    // A trough 0.8 m deep makes K10+180 both cut and fill: both shadings.
    child<QDoubleSpinBox>("earthworkDepthSpin")->setValue(0.8);
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"),
                          Example("ground-example.csv"), QStringLiteral("--depth"), QStringLiteral("0.8")});
    panel()->showSection(4);
    const EarthworkSection& mixed = panel()->result()->sections[4];
    ASSERT_TRUE(mixed.areas);
    EXPECT_GT(mixed.areas->cut, 1);
    EXPECT_GT(mixed.areas->fill, 1);
    const double k = view()->exaggeration();
    EXPECT_NEAR(PathArea(view()->cutShading()->path()) / k, mixed.areas->cut, kAreaTol);
    EXPECT_NEAR(PathArea(view()->fillShading()->path()) / k, mixed.areas->fill, kAreaTol);
}

// One template for the slope stakes and the earthwork: an edit of the
// 横断面 tab's template table is computed again here, and its undo gives the
// command line's numbers back.
TEST_F(EarthworkPanelTest, AnEditOfTheTemplateTableIsComputedAgainAndItsUndoGivesTheCommandLineBack)
{
    loadDesign(Example("route-example.csv"));
    openWith("readGroundButton", Example("ground-example.csv"));
    giveTemplate(Example("template-example.csv"));
    ASSERT_TRUE(panel()->result());
    const double fill = panel()->result()->fill;
    ASSERT_GT(fill, 0);

    // The first fill level (row 6 of the example) flattened from 1:1.5 to 1:3:
    // every fill section grows, nothing in cut changes.
    const double cut = panel()->result()->cut;
    TemplateTableModel* templates = route->findChild<SectionPanel*>()->templatePane()->model();
    ASSERT_EQ(templates->data(templates->index(5, kTemplateP1), Qt::DisplayRole).toString(), QStringLiteral("1.5"));
    ASSERT_TRUE(templates->setData(templates->index(5, kTemplateP1), QStringLiteral("3"), Qt::EditRole));
    ASSERT_TRUE(panel()->result());
    EXPECT_GT(panel()->result()->fill, fill + 1);
    EXPECT_NEAR(panel()->result()->cut, cut, 1e-9);

    // A row at fault leaves no template: nothing computed, and said.
    ASSERT_TRUE(templates->setData(templates->index(5, kTemplateP1), QStringLiteral("x"), Qt::EditRole));
    EXPECT_FALSE(panel()->result());
    EXPECT_TRUE(ewStatus().contains(QStringLiteral("土石方还需要：路基模板。"))) << ewStatus().toStdString();

    route->document()->undoStack()->undo();
    route->document()->undoStack()->undo();
    ASSERT_TRUE(panel()->result());
    EXPECT_EQ(panel()->result()->fill, fill);
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"),
                          Example("ground-example.csv")});
}

TEST_F(EarthworkPanelTest, RelativeHdmAsksForItsCentreGroundThenReadsAsTheCommandLine)
{
    loadDesign(Example("route-example.csv"));
    giveTemplate(Example("template-example.csv"));
    openWith("readGroundButton", Example("ground-example-relative.hdm"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    const QString message = desktop.lastMessage().text;
    EXPECT_TRUE(message.contains(QStringLiteral("不能读入：相对格式（每桩三行：桩号；左侧点数及平距,高差；右侧同）的横断面文件"
                                                "需要中桩地面高程才能算出各点高程。请用“读入中桩地面高程…”给出。")))
        << message.toStdString();
    EXPECT_TRUE(ewStatus().startsWith(message)) << ewStatus().toStdString();
    EXPECT_EQ(model("earthworkSectionsTable")->rowCount(), 0);

    openWith("readCentreGroundButton", Example("ground-centre-example.csv"));
    EXPECT_EQ(desktop.messages.size(), 1u) << messageTexts();
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"),
                          Example("ground-example-relative.hdm"), QStringLiteral("--centre-ground"),
                          Example("ground-centre-example.csv")});
}

TEST_F(EarthworkPanelTest, RtkPointsAreSortedAsRouteGroundSortsThem)
{
    loadDesign(Example("route-example.csv"));
    giveTemplate(Example("template-example.csv"));
    openWith("readGroundPointsButton", Example("ground-points-example.csv"));
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const QString sorted = dir.filePath(QStringLiteral("ground.csv"));
    const CliRun ground = RunCli({QStringLiteral("route"), QStringLiteral("ground"), QStringLiteral("--route"),
                                  Example("route-example.csv"), QStringLiteral("--points"),
                                  Example("ground-points-example.csv"), QStringLiteral("--interval"),
                                  QStringLiteral("20"), QStringLiteral("--out"), sorted});
    ASSERT_EQ(ground.status, 0) << ground.err.toStdString();
    // What was read and every point left out, as the command line says it.
    EXPECT_TRUE(ewStatus().startsWith(ground.err.trimmed())) << ewStatus().toStdString();
    EXPECT_TRUE(ewStatus().contains(QStringLiteral("未归入：第 193 行 X2")));
    // The command line's sections written out (6 decimals) and read back
    // give the same table to its 3 decimals.
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"), sorted});

    // A wider band takes in the point 3 m off its section.
    child<QDoubleSpinBox>("groundBandSpin")->setValue(3.5);
    EXPECT_TRUE(ewStatus().contains(QStringLiteral("未归入断面 2 个"))) << ewStatus().toStdString();
    EXPECT_FALSE(ewStatus().contains(QStringLiteral("X1：")));
}

TEST_F(EarthworkPanelTest, StationsInTheLongChainsOverlapCarryTheirZoneAndMapBack)
{
    loadDesign(Example("route-example-breaks.csv"), Example("breaks-example.csv"),
               Example("sections-example-breaks.csv"));
    const std::shared_ptr<const Route> r = route->document()->route();
    ASSERT_TRUE(r && r->hasBreaks());
    const std::shared_ptr<const Profile> profile = route->profilePanel()->profile();
    ASSERT_TRUE(profile);
    // Ground sections either side of the 长链 and twice in its overlap
    // (K13+050 to K13+100): cut on the left, fill on the right, about the
    // design elevation.
    QByteArray csv = "桩号,偏距,高程\n";
    const char* const stations[] = {"K13+030", "K13+060(1区)", "K13+080(1区)", "K13+060(2区)", "K13+080(2区)",
                                    "K13+120"};
    std::vector<double> own;
    for (const char* typed : stations) {
        const TypedStation t = ReadRouteStation(*r, typed);
        ASSERT_TRUE(t.station) << typed << ": " << t.error;
        own.push_back(*t.station);
        const double z = *profile->ElevationNear(*t.station);
        for (const auto& [offset, dz] : {std::pair{-30.0, 6.0}, {-8.0, 1.2}, {0.0, 0.1}, {8.0, -1.0}, {30.0, -7.0}})
            csv += QByteArray(typed) + "," + QByteArray::number(offset) + "," + QByteArray::number(z + dz, 'f', 3) + "\n";
    }
    const QString file = writeFile(QStringLiteral("ground-breaks.csv"), csv);
    giveTemplate(Example("template-example.csv"));
    openWith("readGroundButton", file);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example-breaks.csv"), QStringLiteral("--breaks"),
                          Example("breaks-example.csv"), QStringLiteral("--ground"), file});
    // Route order: the overlap's first zone before its second.
    std::sort(own.begin(), own.end());
    ASSERT_EQ(model("earthworkSectionsTable")->rowCount(), 6);
    for (int i = 0; i < 6; ++i) {
        const QString text = cell("earthworkSectionsTable", i, 0);
        const TypedStation back = ReadRouteStation(*r, text.toStdString());
        ASSERT_TRUE(back.station) << text.toStdString() << ": " << back.error;
        EXPECT_NEAR(*back.station, own[std::size_t(i)], 5e-4) << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("区")), i >= 1 && i <= 4) << text.toStdString();
        // Each a section of both cut and fill, its catches found.
        EXPECT_EQ(cell("earthworkSectionsTable", i, EarthworkTableModel::kProblem), QString());
        EXPECT_GT(cell("earthworkSectionsTable", i, EarthworkTableModel::kCutArea).toDouble(), 0) << text.toStdString();
        EXPECT_GT(cell("earthworkSectionsTable", i, EarthworkTableModel::kFillArea).toDouble(), 0) << text.toStdString();
    }
}

TEST_F(EarthworkPanelTest, ASectionWhoseGroundEndsBeforeItsCatchIsShownWithItsProblemAndLeftOut)
{
    loadDesign(Example("route-example.csv"));
    giveTemplate(Example("template-example.csv"));
    // K10+100 to K10+140 of the example ground, K10+120's ground only 3 m either side of the centre.
    QFile example(Example("ground-example.csv"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray csv;
    for (const QByteArray& line : example.readAll().split('\n')) {
        const QList<QByteArray> f = line.split(',');
        if (f.size() != 3) continue;
        if (f[0] == "桩号" || f[0] == "K10+100.000" || f[0] == "K10+140.000" ||
            (f[0] == "K10+120.000" && std::fabs(f[1].toDouble()) < 3))
            csv += line + "\n";
    }
    const QString file = writeFile(QStringLiteral("ground-short.csv"), csv);
    openWith("readGroundButton", file);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    expectTablesEqualCli({QStringLiteral("--route"), Example("route-example.csv"), QStringLiteral("--ground"), file});

    ASSERT_EQ(model("earthworkSectionsTable")->rowCount(), 3);
    const QString problem = cell("earthworkSectionsTable", 1, EarthworkTableModel::kProblem);
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_EQ(cell("earthworkSectionsTable", 1, EarthworkTableModel::kCutArea), QStringLiteral("-"));
    EXPECT_EQ(cellRole("earthworkSectionsTable", 1, 0, Qt::ToolTipRole).toString(), problem);
    EXPECT_EQ(cellRole("earthworkSectionsTable", 1, 0, Qt::BackgroundRole).value<QColor>(),
              EarthworkTableModel::flaggedBackground());
    EXPECT_FALSE(cellRole("earthworkSectionsTable", 0, 0, Qt::BackgroundRole).isValid());
    // Both intervals touching it have no volumes; the totals say so.
    for (int r : {0, 1}) {
        EXPECT_EQ(cell("earthworkVolumesTable", r, EarthworkTableModel::kCut), QStringLiteral("-"));
        EXPECT_EQ(cellRole("earthworkVolumesTable", r, 0, Qt::BackgroundRole).value<QColor>(),
                  EarthworkTableModel::flaggedBackground());
    }
    EXPECT_TRUE(ewStatus().contains(QStringLiteral("3 个断面，1 个有问题；合计 挖方 0.000 m³，填方 0.000 m³；"
                                                   "2 个区间因断面有问题未计入")))
        << ewStatus().toStdString();
    // Its drawing: the ground and the problem, nothing shaded.
    panel()->showSection(1);
    EXPECT_EQ(view()->captions(),
              (QStringList{QStringLiteral("土石方 K10+120.000"), problem}));
    EXPECT_TRUE(view()->cutShading()->path().isEmpty());
    EXPECT_TRUE(view()->fillShading()->path().isEmpty());
    EXPECT_FALSE(view()->groundLine()->path().isEmpty());
}

TEST_F(EarthworkPanelTest, CassStakeExportEndsWithTheCommandLinesCatchStakes)
{
    loadDesign(Example("route-example.csv"));
    edit("startEdit")->setText(QStringLiteral("10100"));
    edit("endEdit")->setText(QStringLiteral("10300"));
    edit("intervalEdit")->setText(QStringLiteral("50"));
    press("stakeButton");
    const QString before = dir.filePath(QStringLiteral("before.dat"));
    const QString csvBefore = dir.filePath(QStringLiteral("before.csv"));
    open("exportCassAction", before);
    open("exportCsvAction", csvBefore);
    giveTemplate(Example("template-example.csv"));
    openWith("readGroundButton", Example("ground-example.hdm"));
    ASSERT_TRUE(panel()->result());
    const QString after = dir.filePath(QStringLiteral("after.dat"));
    const QString csvAfter = dir.filePath(QStringLiteral("after.csv"));
    open("exportCassAction", after);
    open("exportCsvAction", csvAfter);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();

    const QString dat = dir.filePath(QStringLiteral("cli.dat"));
    const CliRun run = RunCli({QStringLiteral("route"), QStringLiteral("earthwork"), QStringLiteral("--route"),
                               Example("route-example.csv"), QStringLiteral("--profile"), Example("profile-example.csv"),
                               QStringLiteral("--sections"), Example("sections-example.csv"), QStringLiteral("--template"),
                               Example("template-example.csv"), QStringLiteral("--ground"), Example("ground-example.hdm"),
                               QStringLiteral("--format"), QStringLiteral("dat"), QStringLiteral("--out"), dat});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("写出坡脚、坡口 22 个点")));
    const auto bytes = [](const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        return f.readAll();
    };
    const QByteArray stakes = bytes(before), withCatches = bytes(after), catches = bytes(dat);
    ASSERT_FALSE(stakes.isEmpty());
    ASSERT_EQ(catches.count("\r\n"), 22);
    // The stakes as before, then the command line's catch stakes byte for byte.
    EXPECT_EQ(withCatches, stakes + catches);
    // The CSV stake file has a column per value of a stake: it stays as it was.
    EXPECT_EQ(bytes(csvAfter), bytes(csvBefore));
}

}  // namespace
}  // namespace tarvelo::uitest
