// The route window's files through the dialog seam: the route file in and
// out (a round trip), bad files, the two GBK reports, and the plan as PNG,
// SVG (read back by Python's XML parser) and PDF.

#include <QProcess>

#include "reports/gbk_text.h"
#include "reports/text_file.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/definition/curve_table_model.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/plan/plan_view.h"

namespace tarvelo::uitest {
namespace {

using RouteFiles = RouteWindowTest;

QStringList CurveTableTexts(QAbstractItemModel* m)
{
    QStringList all;
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c) all << m->data(m->index(r, c)).toString();
    return all;
}

QString DecodedFile(const QString& path, TextEncoding* encoding = nullptr)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes.ok()) return QStringLiteral("<unreadable>");
    const auto text = DecodeTextBytes(*bytes.value);
    if (!text.ok()) return QStringLiteral("<not text>");
    if (encoding) *encoding = text.value->encoding;
    return text.value->text;
}

TEST_F(RouteFiles, ExportThenImportGivesTheSameRouteToTheLastBit)
{
    // GBK, as a Chinese spreadsheet saves it.
    const auto gbk = EncodeGbk(QString::fromUtf8(kFiveJdRoute));
    ASSERT_TRUE(gbk.ok());
    importText(*gbk.value, QStringLiteral("design.csv"));
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    ASSERT_EQ(model("jdTable")->rowCount(), 7);
    EXPECT_EQ(cell("jdTable", 3, kJdName), QStringLiteral("JD3"));
    EXPECT_EQ(cell("jdTable", 3, kJdLs2), QStringLiteral("0"));
    const QStringList shown = CurveTableTexts(model("curveTable"));
    ASSERT_EQ(model("curveTable")->rowCount(), 5);

    const QString out = dir.filePath(QStringLiteral("exported.csv"));
    desktop.queueFileAnswer(out);
    trigger("exportAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto bytes = ReadFileBytes(out);
    ASSERT_TRUE(bytes.ok());
    const RouteFileParse exported = ParseRouteFile(bytes.value->toStdString());
    const RouteFileParse original = ParseRouteFile(kFiveJdRoute);
    ASSERT_TRUE(exported.errors.empty());
    ASSERT_EQ(exported.rows.size(), original.rows.size());
    for (std::size_t i = 0; i < original.rows.size(); ++i) {
        SCOPED_TRACE(i);
        const RoutePointInput &a = original.rows[i], &b = exported.rows[i];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.x, a.x);
        EXPECT_EQ(b.y, a.y);
        EXPECT_EQ(b.station, a.station);
        EXPECT_EQ(b.R, a.R);
        EXPECT_EQ(b.Ls1, a.Ls1);
        EXPECT_EQ(b.Ls2, a.Ls2);
    }

    typeCell(1, kJdR, QStringLiteral("900"));  // changed, then the export read back
    EXPECT_NE(CurveTableTexts(model("curveTable")), shown);
    desktop.queueFileAnswer(out);
    trigger("importAction");
    EXPECT_EQ(CurveTableTexts(model("curveTable")), shown);

    // Both dialogs offered the route file types; the later ones started in
    // the folder used before.
    ASSERT_EQ(desktop.dialogs.size(), 3u);
    for (const RecordedDialog& d : desktop.dialogs) {
        EXPECT_EQ(d.filters, (QStringList{"线路文件(*.csv *.txt *.xlsx)", "Excel工作簿(*.xlsx)", "所有文件(*.*)"}));
        EXPECT_EQ(d.parent, route);
    }
    EXPECT_EQ(desktop.dialogs[0].kind, DialogKind::Open);
    EXPECT_EQ(desktop.dialogs[1].kind, DialogKind::Save);
    EXPECT_TRUE(desktop.dialogs[1].currentName.startsWith(dir.path()));
    EXPECT_EQ(desktop.dialogs[2].currentName, dir.path());
}

TEST_F(RouteFiles, BadRouteFileListsItsLinesAndLeavesTheTableAsItWas)
{
    importText(kRightAngleRoute);
    desktop.reset();
    importText("QD,0,0,0\nJD1,abc,0,,300\nJD2,5,5\nZD,1000,1000\n", QStringLiteral("bad.csv"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    const QString text = desktop.messages[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("第 2 行"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("第 3 行"))) << text.toStdString();
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    EXPECT_EQ(cell("curveTable", 0, CurveTableModel::kZH), QStringLiteral("K0+700.000"));

    desktop.reset();
    desktop.queueFileAnswer(dir.filePath(QStringLiteral("missing.csv")));
    trigger("importAction");
    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(model("jdTable")->rowCount(), 3);
    // A cancelled dialog does nothing at all.
    desktop.reset();
    desktop.queueFileAnswer(QString());
    trigger("exportAction");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RouteFiles, ExportOfATableWithABadCellSaysWhichAndAsksForNoFile)
{
    importText(kRightAngleRoute);
    desktop.reset();
    typeCell(2, kJdY, QStringLiteral("东"));
    trigger("exportAction");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.contains(QStringLiteral("第 3 行")));
    EXPECT_TRUE(desktop.dialogs.empty());
}

TEST_F(RouteFiles, CurveAndStakeReportsAreGbkTextsWithEveryJdAndRow)
{
    importText(kFiveJdRoute);
    const QString curves = dir.filePath(QStringLiteral("直曲表.txt"));
    desktop.queueFileAnswer(curves);
    trigger("curveReportAction");
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    TextEncoding encoding = TextEncoding::Utf8;
    const QString curveText = DecodedFile(curves, &encoding);
    EXPECT_EQ(encoding, TextEncoding::Gbk);
    EXPECT_TRUE(curveText.contains(QStringLiteral("直线、曲线及转角表")));
    for (const char* jd : {"JD1", "JD2", "JD3", "JD4", "JD5"})
        EXPECT_TRUE(curveText.contains(QString::fromLatin1(jd))) << jd;

    trigger("stakeReportAction");  // no table yet
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("请先点击“计算逐桩坐标”！"));

    press("stakeButton");
    const QString stakes = dir.filePath(QStringLiteral("逐桩.txt"));
    desktop.queueFileAnswer(stakes);
    trigger("stakeReportAction");
    ASSERT_EQ(desktop.messages.size(), 1u) << messageTexts();
    const QStringList lines = DecodedFile(stakes, &encoding).split(QStringLiteral("\r\n"));
    EXPECT_EQ(encoding, TextEncoding::Gbk);
    EXPECT_TRUE(lines.join(u'\n').contains(QStringLiteral("逐桩坐标表")));
    // One line per row of the table shown, in its order, with its texts.
    QStringList rowLines;
    for (const QString& line : lines)
        if (line.startsWith(u'K')) rowLines << line;
    const int rows = model("stakeTable")->rowCount();
    ASSERT_EQ(rowLines.size(), rows);
    for (int r : {0, 1, rows / 2, rows - 1}) {
        SCOPED_TRACE(r);
        for (int c = 0; c < 5; ++c) {
            const QString shown = cell("stakeTable", r, c);
            if (shown.isEmpty()) continue;
            EXPECT_TRUE(rowLines[r].contains(shown)) << rowLines[r].toStdString();
        }
    }
    EXPECT_TRUE(rowLines.front().startsWith(QStringLiteral("K10+000.000")));
    EXPECT_TRUE(rowLines.back().trimmed().endsWith(QStringLiteral("ZD")));
}

TEST_F(RouteFiles, PlanSavesAsPngSvgAndPdfThatTheirReadersAccept)
{
    importText(kFiveJdRoute);
    press("stakeButton");
    const QString png = dir.filePath(QStringLiteral("plan"));  // no suffix: PNG
    const QString svg = dir.filePath(QStringLiteral("plan.SVG"));
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    for (const QString& path : {png, svg, pdf}) {
        desktop.queueFileAnswer(path);
        trigger("savePlanAction");
    }
    ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
    const auto pngBytes = ReadFileBytes(png + QStringLiteral(".png"));
    ASSERT_TRUE(pngBytes.ok());
    EXPECT_TRUE(pngBytes.value->startsWith("\x89PNG\r\n\x1a\n"));
    QImage image;
    ASSERT_TRUE(image.loadFromData(*pngBytes.value, "PNG"));
    EXPECT_EQ(image.size(), route->planView()->viewport()->size() * image.devicePixelRatio());

    const auto pdfBytes = ReadFileBytes(pdf);
    ASSERT_TRUE(pdfBytes.ok());
    EXPECT_TRUE(pdfBytes.value->startsWith("%PDF-"));
    EXPECT_TRUE(pdfBytes.value->trimmed().endsWith("%%EOF"));

    // The SVG read by an independent XML parser: well formed, with paths.
    QProcess python;
    python.start(QStringLiteral(PYTHON3),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, xml.etree.ElementTree as E\n"
                                 "root = E.parse(sys.argv[1]).getroot()\n"
                                 "print(root.tag.split('}')[-1], sum(1 for e in root.iter() if e.tag.endswith('path')))"),
                  svg});
    ASSERT_TRUE(python.waitForFinished(30000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QStringList answer = QString::fromUtf8(python.readAllStandardOutput()).split(u' ');
    ASSERT_EQ(answer.size(), 2);
    EXPECT_EQ(answer[0], QStringLiteral("svg"));
    EXPECT_GT(answer[1].trimmed().toInt(), 10);  // the elements, tangent lines, arrow ...
}

}  // namespace
}  // namespace tarvelo::uitest
