// The route window's exports through the dialog seam, each read back by a
// reader of its own (the CASS file and the CSV by plain parsing and
// python's csv module, the DXF by ezdxf, LandXML by the reports layer's
// reader) against the window's stake table and JD table; failed writes; the
// LandXML import; and 从主窗口导入 against the main window's own elements.

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QMenu>
#include <QUndoStack>

#include <cmath>
#include <cstdio>

#include "compute/route_text.h"
#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"
#include "core/numbers/station_text.h"
#include "reports/landxml_reader.h"
#include "tests/reports/export_test_support.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/document/route_export_actions.h"
#include "ui/route_window/stakes/stake_elevation_model.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace tarvelo::uitest {
namespace {

using S = StakeTableModel;
using C = CurveTableModel;

// Metres: files carry coordinates to 4 decimals, so a read-back point lies
// within half a unit of the last digit of the engine's.
constexpr double kFourDecimals = 0.5e-4 + 1e-9;

// The main window's eight input boxes, Text1 ... Text8.
CurveTexts MainBoxes(QWidget* main)
{
    CurveTexts texts;
    for (int i = 0; i < kCurveInputCount; ++i)
        texts[i] = findChildByName<QLineEdit>(main, QStringLiteral("Text%1").arg(i + 1))->text().toStdString();
    return texts;
}

// The fields of every line of a CASS file whose lines all end in CR LF.
QList<QList<QByteArray>> CassRows(const QString& path)
{
    const QByteArray bytes = testing::ReadAll(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    QList<QList<QByteArray>> rows;
    for (const QByteArray& line : bytes.chopped(2).split('\n')) rows << QByteArray(line).replace('\r', "").split(',');
    return rows;
}

double KStation(QString text)  // "K10+021.359" -> 10021.359
{
    text.remove(u'K').remove(u'+');
    bool ok = false;
    const double v = text.toDouble(&ok);
    EXPECT_TRUE(ok) << text;
    return v;
}

class RouteExports : public RouteWindowTest {
protected:
    void run(const char* action, const QString& answer)
    {
        desktop.queueFileAnswer(answer);
        findChildByName<QAction>(route, QString::fromLatin1(action))->trigger();
    }
    const StakeTableModel& stakes() { return *qobject_cast<StakeTableModel*>(model("stakeTable")); }
    // The name a stake carries in the files: its main point, "-", its station.
    QString stakeName(int row)
    {
        const QString kind = cell("stakeTable", row, S::kKind);
        const QString station = cell("stakeTable", row, S::kStation);
        return kind.isEmpty() ? station : kind + u'-' + station;
    }
    // Every cell text of a table, row by row.
    QStringList texts(const char* table)
    {
        QAbstractItemModel* m = model(table);
        QStringList all;
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c) all << m->data(m->index(r, c)).toString();
        return all;
    }
    // The CSV text as openpyxl lays it in a workbook named name.xlsx: the
    // header on row 3 from column B, column D left blank; its path.
    QString workbook(const char* name, const QByteArray& csv, const QString& sheet)
    {
        const QString path = dir.filePath(QString::fromLatin1(name) + QStringLiteral(".xlsx"));
        const testing::PythonRun made = testing::RunPythonCheck(
            "xlsx_from_csv.py", {writeFile(QString::fromLatin1(name) + QStringLiteral(".csv"), csv), path, sheet,
                                 QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("4")});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        return path;
    }
    void fiveJdStakeTable(const char* interval, const char* offset)
    {
        importText(kFiveJdRoute);
        edit("intervalEdit")->setText(QString::fromLatin1(interval));
        edit("offsetEdit")->setText(QString::fromLatin1(offset));
        press("stakeButton");
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        ASSERT_GT(stakes().size(), 20u);
    }
};

TEST_F(RouteExports, FileMenuHoldsTheImportsAndExportsBeforeTheProfilesCommands)
{
    QStringList captions;
    for (QAction* a : child<QMenu>("fileMenu")->actions())
        if (!a->isSeparator()) captions << a->text();
    const QStringList ours = {QStringLiteral("导入LandXML…"), QStringLiteral("从主窗口导入"),
                              QStringLiteral("导出CASS坐标文件…"), QStringLiteral("导出CSV…"),
                              QStringLiteral("导出DXF…"), QStringLiteral("导出LandXML…")};
    const qsizetype at = captions.indexOf(ours[0]);
    ASSERT_GT(at, captions.indexOf(QStringLiteral("保存平面图…")));
    EXPECT_EQ(captions.mid(at, ours.size()), ours);
    EXPECT_LT(at + ours.size(), captions.indexOf(QStringLiteral("关闭")));
}

TEST_F(RouteExports, CassFileReadsBackToTheStakeTable)
{
    fiveJdStakeTable("50", "-3.5");
    const QString path = dir.filePath(QStringLiteral("stakes.dat"));
    run("exportCassAction", path);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(desktop.dialogs.size(), 2u);  // the import's, then the export's
    EXPECT_EQ(desktop.dialogs[1].kind, DialogKind::Save);
    EXPECT_EQ(desktop.dialogs[1].filters,
              QStringList({QStringLiteral("CASS坐标文件(*.dat)"), QStringLiteral("所有文件(*.*)")}));

    const QList<QList<QByteArray>> lines = CassRows(path);
    ASSERT_EQ(std::size_t(lines.size()), stakes().size());
    for (int r = 0; r < lines.size(); ++r) {
        SCOPED_TRACE(r);
        // 点名,编码,Y(东),X(北),高程: east before north, code and elevation empty.
        const QList<QByteArray>& f = lines[r];
        ASSERT_EQ(f.size(), 5);
        EXPECT_EQ(QString::fromLatin1(f[0]), stakeName(r));
        EXPECT_TRUE(f[1].isEmpty());
        EXPECT_TRUE(f[4].isEmpty());
        const RouteTableRow row = stakes().computedRow(r);
        EXPECT_NEAR(f[2].toDouble(), row.stake.point.y, kFourDecimals);
        EXPECT_NEAR(f[3].toDouble(), row.stake.point.x, kFourDecimals);
        EXPECT_EQ(f[3].split('.').value(1).size(), 4);
    }
}

TEST_F(RouteExports, WithAProfileLoadedTheCassFileCarriesItsDesignElevations)
{
    fiveJdStakeTable("100", "0");
    desktop.queueFileAnswer(QStringLiteral(TARVELO_SOURCE_DIR "/examples/profile-example.csv"));
    trigger("importProfileAction");
    const QString path = dir.filePath(QStringLiteral("stakes.dat"));
    run("exportCassAction", path);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const QList<QList<QByteArray>> lines = CassRows(path);
    ASSERT_EQ(std::size_t(lines.size()), stakes().size());
    int atK11 = -1;
    for (int r = 0; r < lines.size(); ++r) {
        ASSERT_EQ(lines[r].size(), 5) << r;
        if (lines[r][0] == "K11+000.000") atK11 = r;
        // The profile runs past the route's end: every stake has its elevation.
        EXPECT_EQ(QString::fromLatin1(lines[r][4]), cell("stakeTable", r, StakeElevationModel::kElevation)) << r;
        EXPECT_FALSE(lines[r][4].isEmpty()) << r;
    }
    // By hand: K11+000 on the −1.9 % grade from K10+620 (369.76 m).
    ASSERT_GE(atK11, 0);
    EXPECT_EQ(lines[atK11][4], "362.540");
}

TEST_F(RouteExports, CsvReadByPythonsCsvModuleGivesTheStakeTable)
{
    fiveJdStakeTable("40", "2.5");
    const QString path = dir.filePath(QStringLiteral("stakes.csv"));
    run("exportCsvAction", path);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.back().filters,
              QStringList({QStringLiteral("CSV文件(*.csv)"), QStringLiteral("Excel工作簿(*.xlsx)"),
                           QStringLiteral("所有文件(*.*)")}));
    const testing::PythonRun py = testing::RunPythonCheck("csv_check.py", {path});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();
    EXPECT_TRUE(py.json["bom"].toBool());
    EXPECT_EQ(py.json["lone_lf"].toInt(), 0);
    const QJsonArray rows = py.json["rows"].toArray();
    ASSERT_EQ(std::size_t(rows.size()), stakes().size() + 1);
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("点名"));
    for (int r = 0; r + 1 < rows.size(); ++r) {
        SCOPED_TRACE(r);
        const QJsonArray f = rows[r + 1].toArray();
        ASSERT_EQ(f.size(), 8);  // no elevation column without a profile
        const RouteTableRow row = stakes().computedRow(r);
        EXPECT_EQ(f[0].toString(), stakeName(r));
        EXPECT_NEAR(f[1].toString().toDouble(), row.entry.station, kFourDecimals);
        EXPECT_NEAR(f[2].toString().toDouble(), row.stake.point.x, kFourDecimals);
        EXPECT_NEAR(f[3].toString().toDouble(), row.stake.point.y, kFourDecimals);
        EXPECT_EQ(f[6].toString(), cell("stakeTable", r, S::kKind));
        EXPECT_EQ(f[7].toString().toDouble(), 2.5);
    }
}

TEST_F(RouteExports, DxfReadByEzdxfIsAuditCleanAndCarriesTheStakeTable)
{
    fiveJdStakeTable("100", "0");
    const QString path = dir.filePath(QStringLiteral("road.dxf"));
    run("exportDxfAction", path);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.back().filters,
              QStringList({QStringLiteral("DXF图形(*.dxf)"), QStringLiteral("所有文件(*.*)")}));

    const Route engine = RouteOfText(kFiveJdRoute);
    const QString centreline = dir.filePath(QStringLiteral("centreline.csv"));
    testing::WriteFile(centreline, testing::CentrelineCsv(engine, 5));
    std::string named;
    for (std::size_t r = 0; r < stakes().size(); ++r) {
        const RouteTableRow row = stakes().computedRow(r);
        char xy[64];
        std::snprintf(xy, sizeof xy, ",%.17g,%.17g\n", row.stake.point.x, row.stake.point.y);
        named += stakeName(int(r)).toStdString() + xy;
    }
    const QString stakesCsv = dir.filePath(QStringLiteral("stakes.csv"));
    testing::WriteFile(stakesCsv, QByteArray::fromStdString(named));

    const testing::PythonRun py = testing::RunPythonCheck("dxf_check.py", {path, centreline, stakesCsv});
    ASSERT_EQ(py.exitCode, 0) << py.err.toStdString();
    EXPECT_TRUE(py.json["audit_errors"].toArray().isEmpty()) << py.out.toStdString();
    // The drawn centreline within 1 mm of the engine everywhere sampled.
    const QJsonObject line = py.json["centreline"].toObject();
    EXPECT_LT(line["max"].toDouble(), 1e-3) << py.out.toStdString();
    EXPECT_EQ(line["far_from_every_piece"].toInt(), 0);
    const QJsonObject found = py.json["stakes"].toObject();
    EXPECT_EQ(std::size_t(found["given"].toInt()), stakes().size());
    EXPECT_EQ(found["missing_point"].toInt(), 0);
    EXPECT_EQ(found["missing_text"].toInt(), 0);
    EXPECT_EQ(std::size_t(py.json["counts"].toObject()["POINT@STAKE"].toInt()), stakes().size());
}

TEST_F(RouteExports, LandXmlReadsBackToTheJdTableAndImportsAsOneUndoStep)
{
    importText(kFiveJdRoute);
    const std::vector<RoutePointInput> typed = route->document()->table()->read().rows;
    const QString path = dir.filePath(QStringLiteral("第一标段.xml"));
    run("exportLandXmlAction", path);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.back().filters,
              QStringList({QStringLiteral("LandXML文件(*.xml)"), QStringLiteral("所有文件(*.*)")}));

    const FileResult<LandXmlAlignment> read = ReadLandXmlFile(path);
    ASSERT_TRUE(read.ok()) << read.error->toStdString();
    EXPECT_EQ(read.value->name, QStringLiteral("第一标段"));
    const std::vector<RoutePointInput>& back = read.value->rows;
    ASSERT_EQ(back.size(), typed.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        SCOPED_TRACE(i);
        // JDs come back as intersections of tangent lines: a micrometre.
        EXPECT_NEAR(back[i].x, typed[i].x, 1e-6);
        EXPECT_NEAR(back[i].y, typed[i].y, 1e-6);
        EXPECT_NEAR(back[i].R, typed[i].R, 1e-9);
        EXPECT_NEAR(back[i].Ls1, typed[i].Ls1, 1e-9);
        EXPECT_NEAR(back[i].Ls2, typed[i].Ls2, 1e-9);
    }

    // Into an empty table through the window, then one undo empties it again.
    QUndoStack* undo = route->document()->undoStack();
    undo->clear();
    route->document()->table()->replaceAll({}, QStringLiteral("清空"));
    const QString curvesBefore = cell("curveTable", 0, C::kZH);
    EXPECT_TRUE(curvesBefore.isEmpty());
    desktop.queueFileAnswer(path);
    trigger("importLandXmlAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    const Route engine = RouteOfText(kFiveJdRoute);
    ASSERT_EQ(model("curveTable")->rowCount(), 5);
    for (int r = 0; r < 5; ++r)
        for (int column : {C::kZH, C::kQZ, C::kHZ})
            EXPECT_EQ(cell("curveTable", r, column),
                      QString::fromStdString(FormatKStation(
                          column == C::kZH ? engine.curves()[r].curve.ZH
                          : column == C::kQZ ? engine.curves()[r].curve.QZ : engine.curves()[r].curve.HZ)));
    const int steps = undo->count();
    undo->undo();
    EXPECT_EQ(undo->count(), steps);
    EXPECT_EQ(undo->index(), steps - 1);
    EXPECT_FALSE(route->document()->route());
    EXPECT_EQ(model("jdTable")->rowCount(), 0);
}

TEST_F(RouteExports, AFailedWriteIsOneMessageNamingThePathAndLeavesNoFile)
{
    fiveJdStakeTable("20", "0");
    const QString target = dir.filePath(QStringLiteral("a folder"));
    ASSERT_TRUE(QDir().mkpath(target));
    for (const char* action : {"exportCassAction", "exportCsvAction", "exportDxfAction", "exportLandXmlAction"}) {
        SCOPED_TRACE(action);
        desktop.messages.clear();
        run(action, target);
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].parent, route);
        EXPECT_TRUE(desktop.messages[0].text.contains(QDir::toNativeSeparators(target)))
            << desktop.messages[0].text.toStdString();
        EXPECT_TRUE(QFileInfo(target).isDir());
        EXPECT_TRUE(QDir(target).isEmpty());
    }
    // Only the folder and the imported route file remain: no temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({QStringLiteral("a folder"), QStringLiteral("route.csv")}));
}

TEST_F(RouteExports, WhatCannotBeExportedIsOneMessageBeforeAnyDialog)
{
    const struct {
        const char* name;
        const char* interval;  // nullptr: the table stays empty
        const char* focus;     // the box that gets the focus, or nullptr
    } cases[] = {
        {"EmptyJdTable", nullptr, "jdTable"},
        {"IntervalNotANumber", "20m", "intervalEdit"},
        {"IntervalZero", "0", nullptr},
        {"IntervalNaN", "nan", "intervalEdit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.interval) {
            if (!route->document()->route()) importText(kFiveJdRoute);
            edit("intervalEdit")->setText(QString::fromLatin1(c.interval));
        }
        const std::size_t dialogs = desktop.dialogs.size();
        for (const char* action : {"exportCassAction", "exportCsvAction", "exportDxfAction"}) {
            desktop.messages.clear();
            findChildByName<QAction>(route, QString::fromLatin1(action))->trigger();
            ASSERT_EQ(desktop.messages.size(), 1u) << action;
            EXPECT_EQ(desktop.dialogs.size(), dialogs) << action;
            if (c.focus) {
                EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(c.focus)) << action;
            }
        }
    }
}

TEST_F(RouteExports, FromTheMainWindowTheCurveTableHoldsTheMainWindowsElements)
{
    // A left turn with unequal spirals, typed in the main window.
    const char* const typed[] = {"3378226.731", "456053.721", "10021.359", "1200",
                                 "150", "90", "-38.2145", "212.30155"};
    for (int i = 0; i < kCurveInputCount; ++i)
        findChildByName<QLineEdit>(main.get(), QStringLiteral("Text%1").arg(i + 1))->setText(QString::fromLatin1(typed[i]));
    findChildByName<QPushButton>(main.get(), "Command1")->click();
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto shown = [&](const char* name) { return findChildByName<QLabel>(main.get(), name)->text(); };

    showAndActivate(route);
    trigger("importFromMainAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_TRUE(route->document()->route()) << status().toStdString();
    ASSERT_EQ(model("jdTable")->rowCount(), 3);
    ASSERT_EQ(model("curveTable")->rowCount(), 1);
    const CurveState& c = route->document()->route()->curves()[0].curve;
    // The route's curve to the main window's last shown digit.
    EXPECT_EQ(QString::fromStdString(FormatStation(c.ZH, 4)), shown("Label45"));
    EXPECT_EQ(QString::fromStdString(FormatStation(c.HYStation, 4)), shown("Label49"));
    EXPECT_EQ(QString::fromStdString(FormatStation(c.QZ, 4)), shown("Label53"));
    EXPECT_EQ(QString::fromStdString(FormatStation(c.YHStation, 4)), shown("Label57"));
    EXPECT_EQ(QString::fromStdString(FormatStation(c.HZ, 4)), shown("Label61"));
    EXPECT_EQ(QString::fromStdString(FormatRounded4(c.T1)), shown("Label65"));
    EXPECT_EQ(QString::fromStdString(FormatRounded4(c.T2)), shown("Label66"));
    EXPECT_EQ(QString::fromStdString(FormatRounded4(c.L)), shown("Label72"));
    // And the curve table, in its own 3 decimals, within its rounding.
    const struct {
        int column;
        const char* label;
    } stations[] = {{C::kZH, "Label45"}, {C::kHY, "Label49"}, {C::kQZ, "Label53"},
                    {C::kYH, "Label57"}, {C::kHZ, "Label61"}};
    for (const auto& s : stations) {
        QString text = shown(s.label);
        text.remove(u'+');
        EXPECT_NEAR(KStation(cell("curveTable", 0, s.column)), text.toDouble(), 0.5e-3 + 0.5e-4) << s.label;
    }
    EXPECT_EQ(cell("curveTable", 0, C::kR), QStringLiteral("1200"));
    // QD 100 m before ZH; the main window changed nothing.
    EXPECT_NEAR(route->document()->route()->start().station, c.ZH - 100, 1e-6);
    EXPECT_EQ(MainBoxes(main.get())[3], "1200");

    // One undo step takes the whole import back.
    route->document()->undoStack()->undo();
    EXPECT_EQ(model("jdTable")->rowCount(), 0);
}

TEST_F(RouteExports, FromTheMainWindowRefusesWhatIsNotARouteWithOneMessage)
{
    importText(kRightAngleRoute);
    const std::vector<JdRowTexts> before = route->document()->table()->texts();
    const struct {
        const char* name;
        int box;  // Text<box + 1>
        const char* text;
        const char* says;
    } cases[] = {
        {"BlankRadius", 3, "", "曲线半径R"},
        {"ZeroDeflection", 6, "0", "曲线转角α"},
        {"DeflectionOf180", 6, "180", "180°"},
        {"SpiralsTooLong", 4, "9000", "JD1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CurveTexts defaults = DefaultCurveTexts();
        for (int i = 0; i < kCurveInputCount; ++i)
            findChildByName<QLineEdit>(main.get(), QStringLiteral("Text%1").arg(i + 1))
                ->setText(QString::fromStdString(i == c.box ? std::string(c.text) : defaults[i]));
        desktop.messages.clear();
        trigger("importFromMainAction");
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_TRUE(desktop.messages[0].text.contains(QString::fromUtf8(c.says)))
            << desktop.messages[0].text.toStdString();
        EXPECT_EQ(route->document()->table()->texts(), before);
    }
}

// The decimals a cell's number format shows: "0.0000" -> 4, "0" -> 0.
int FormatDecimals(const QString& format)
{
    const qsizetype dot = format.indexOf(u'.');
    return dot < 0 ? 0 : int(format.size() - dot - 1);
}

TEST_F(RouteExports, StakeTableSavedAsAWorkbookHoldsTheCsvsRowsWithEveryComputedDigit)
{
    fiveJdStakeTable("40", "2.5");
    const QString csv = dir.filePath(QStringLiteral("stakes.csv"));
    const QString book = dir.filePath(QStringLiteral("stakes.xlsx"));
    run("exportCsvAction", csv);
    run("exportCsvAction", book);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const testing::PythonRun a = testing::RunPythonCheck("csv_check.py", {csv});
    const testing::PythonRun b = testing::RunPythonCheck("xlsx_dump.py", {book});
    ASSERT_EQ(a.exitCode, 0) << a.err.toStdString();
    ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
    const QJsonArray lines = a.json["rows"].toArray();
    const QJsonObject sheet = b.json["sheets"].toArray()[0].toObject();
    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("逐桩坐标表"));
    const QJsonArray rows = sheet["rows"].toArray(), formats = sheet["formats"].toArray();
    ASSERT_EQ(rows.size(), lines.size() + 1);  // the title above the header

    // Each CSV column in the sheet's column of the same name.
    const QJsonArray names = lines[0].toArray(), sheetNames = rows[1].toArray();
    std::vector<int> at;
    for (const QJsonValue& n : names) {
        at.push_back(int(sheetNames.toVariantList().indexOf(n.toString())));
        ASSERT_GE(at.back(), 0) << n.toString().toStdString();
    }
    const int kStationK = int(sheetNames.toVariantList().indexOf(QStringLiteral("桩号(K)")));
    ASSERT_EQ(kStationK, at[1] + 1);
    int unrounded = 0;  // rows whose X holds more than the text's digits
    for (int r = 1; r < lines.size(); ++r) {
        SCOPED_TRACE(r);
        const QJsonArray f = lines[r].toArray(), cells = rows[r + 1].toArray(), shown = formats[r + 1].toArray();
        const RouteTableRow row = stakes().computedRow(r - 1);
        for (int c = 0; c < f.size(); ++c) {
            const QJsonValue cell = cells[at[std::size_t(c)]];
            if (!cell.isDouble()) {
                EXPECT_EQ(cell.toString(), f[c].toString()) << c;
                continue;
            }
            // The text is the stored value rounded to the decimals its format shows.
            const int decimals = FormatDecimals(shown[at[std::size_t(c)]].toString());
            EXPECT_EQ(QString::fromStdString(FormatFixed(cell.toDouble(), decimals)), f[c].toString()) << c;
            EXPECT_EQ(decimals, FormatDecimals(f[c].toString())) << c;
        }
        // Every digit the window computed, not the four the text shows
        // (those lie up to 5e-5 m away): within 1e-7 m, tighter than 1e-9
        // relative for coordinates of millions of metres.
        const auto full = [&](int c) { return cells[at[std::size_t(c)]].toDouble(); };
        EXPECT_NEAR(full(1), row.entry.displayed, 1e-7);
        EXPECT_NEAR(full(2), row.stake.point.x, 1e-7);
        EXPECT_NEAR(full(3), row.stake.point.y, 1e-7);
        if (full(2) != f[2].toString().toDouble()) ++unrounded;
        double k = 0;  // the K notation beside the metres, to the same decimals
        ASSERT_TRUE(ReadStationField(cells[kStationK].toString().toStdString(), &k));
        EXPECT_EQ(FormatFixed(k, 4), f[1].toString().toStdString());
    }
    EXPECT_GT(unrounded, lines.size() / 2);
}

TEST_F(RouteExports, JdTableImportedFromAWorkbookGivesTheRouteOfItsCsv)
{
    importText(kFiveJdRoute);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const QStringList fromCsv = texts("curveTable");
    ASSERT_EQ(model("curveTable")->rowCount(), 5);
    const QString book = workbook("jd", kFiveJdRoute, QStringLiteral("交点表"));
    importText(kRightAngleRoute);  // something else first
    desktop.reset();
    run("importAction", book);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs[0].filters,
              QStringList({QStringLiteral("线路文件(*.csv *.txt *.xlsx)"), QStringLiteral("Excel工作簿(*.xlsx)"),
                           QStringLiteral("所有文件(*.*)")}));
    EXPECT_EQ(texts("curveTable"), fromCsv);

    // A bad cell is named by the sheet's cell (JD1's Y: the table's third
    // column, the sheet's E5), not the table's column.
    run("importAction", workbook("bad", QByteArray(kFiveJdRoute).replace("455310.742", "4553l0.742"),
                                 QStringLiteral("交点表")));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 5 行（交点表!E5）：Y 不是数：“4553l0.742”。")))
        << desktop.messages[0].text.toStdString();
    EXPECT_EQ(texts("curveTable"), fromCsv) << "the table stays as it was";
}

TEST_F(RouteExports, BatchInverseReadsItsPointsFromAWorkbookAndNamesABadCell)
{
    importText(kFiveJdRoute);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    // Read by content, through the same layer as the CSV: the same answers.
    const QByteArray points = "点名,X,Y\nP1,3378500,455200\nP2,3379200,456500\n";
    for (const QString& file : {writeFile(QStringLiteral("points.csv"), points), workbook("points", points, QStringLiteral("测点"))}) {
        desktop.queueFileAnswer(file);
        desktop.queueFileAnswer(QString());  // no answers file
        press("batchInverseButton");
    }
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(model("inverseTable")->rowCount(), 2);
    EXPECT_EQ(desktop.dialogs[desktop.dialogs.size() - 2].filters,
              QStringList({QStringLiteral("点文件(*.csv *.txt *.dat *.xlsx)"), QStringLiteral("Excel工作簿(*.xlsx)"),
                           QStringLiteral("所有文件(*.*)")}));
    const QStringList fromBook = texts("inverseTable");
    desktop.queueFileAnswer(dir.filePath(QStringLiteral("points.csv")));
    desktop.queueFileAnswer(QString());
    press("batchInverseButton");
    EXPECT_EQ(texts("inverseTable"), fromBook);

    // Y of P2 (the table's third column, the sheet's E5) is no number.
    desktop.queueFileAnswer(workbook("bad", "点名,X,Y\nP1,3378500,455200\nP2,3379200,4565o0\n", QStringLiteral("测点")));
    press("batchInverseButton");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 5 行（测点!E5）：Y 不是数：“4565o0”。")))
        << desktop.messages[0].text.toStdString();
}

TEST_F(RouteExports, JdTableSavedAsAWorkbookImportsBackToTheSameRoute)
{
    importText(kFiveJdRoute);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const QStringList shown = texts("curveTable");
    const QString book = dir.filePath(QStringLiteral("线路.xlsx"));
    run("exportAction", book);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    // A workbook, read by openpyxl: the sheet of the JD table, every JD a row.
    const testing::PythonRun dump = testing::RunPythonCheck("xlsx_dump.py", {book});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const QJsonObject sheet = dump.json["sheets"].toArray()[0].toObject();
    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("交点表"));
    const QJsonArray rows = sheet["rows"].toArray();
    ASSERT_EQ(rows.size(), 2 + 7);
    EXPECT_EQ(rows[4].toArray()[1].toDouble(), 3379305.118);  // JD2's X, every digit

    importText(kRightAngleRoute);
    ASSERT_NE(texts("curveTable"), shown);
    run("importAction", book);
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(texts("curveTable"), shown);
}

}  // namespace
}  // namespace tarvelo::uitest
