// The roadbed template table of the 横断面 tab: typed and pasted rows,
// undo, bad cells and rows marked and said, the file's import and export,
// and its displayed stations placed across the route's chain breaks.

#include <QApplication>
#include <QClipboard>
#include <QFile>

#include "core/files/template_file.h"
#include "reports/table_file.h"
#include "tests/ui/route_window/slope_window_fixture.h"

namespace tarvelo::uitest {
namespace {

TEST_F(SlopeWindowTest, TemplateEditsAndPastesChangeTheTemplateAndUndo)
{
    loadExample();
    TemplateTableModel* m = templates();
    ASSERT_EQ(m->rowCount(), 14);
    const auto leftShoulder = [this] { return panel()->roadbed()->sides(RoadSide::Left)[0].side.shoulders[0].width; };
    EXPECT_EQ(leftShoulder(), 0.75);
    ASSERT_TRUE(m->setData(m->index(0, kTemplateP1), QStringLiteral("1.25"), Qt::EditRole));
    EXPECT_EQ(leftShoulder(), 1.25);
    trigger("undoAction");
    EXPECT_EQ(leftShoulder(), 0.75);
    EXPECT_EQ(cell("templateTable", 0, kTemplateP1), QStringLiteral("0.75"));
    trigger("redoAction");
    EXPECT_EQ(leftShoulder(), 1.25);

    // Rows pasted from a spreadsheet below the last: a left template from K14+000 on.
    QApplication::clipboard()->setText(QStringLiteral("K14+000\t左\t路肩\t0.5\t-3\n"
                                                      "K14+000\t左\t填方\t1.5\t\t\t\n"));
    QTableView* view = table("templateTable");
    view->setFocus();
    view->selectionModel()->clearCurrentIndex();
    trigger("templatePasteAction");
    ASSERT_EQ(m->rowCount(), 16);
    const std::vector<SideTemplateAt>& left = panel()->roadbed()->sides(RoadSide::Left);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[1].station, 14000);
    EXPECT_EQ(left[1].side.shoulders.size(), 1u);
    EXPECT_TRUE(left[1].side.cut.empty());
    EXPECT_EQ(panel()->roadbed()->At(14500, RoadSide::Left)->side.fill[0].ratio, 1.5);
    trigger("undoAction");
    EXPECT_EQ(m->rowCount(), 14);
    EXPECT_EQ(panel()->roadbed()->sides(RoadSide::Left).size(), 1u);
    // A shoulder takes no third and fourth parameter: those cells are shaded.
    EXPECT_TRUE(m->data(m->index(0, kTemplateP3), Qt::BackgroundRole).isValid());
    EXPECT_FALSE(m->data(m->index(2, kTemplateP3), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(SlopeWindowTest, ABadTemplateRowIsMarkedAndSaidNeverDropped)
{
    loadExample();
    TemplateTableModel* m = templates();
    // What the panel announces after each change.
    std::vector<std::shared_ptr<const RoadbedTemplate>> told;
    QObject listening;  // gone before `told`, and the connection with it
    QObject::connect(panel(), &SectionPanel::templateChanged, &listening,
                     [&told](std::shared_ptr<const RoadbedTemplate> t) { told.push_back(std::move(t)); });
    const struct {
        int row, column;
        const char* text;
        const char* said;  // in the status line
        int markedColumn;  // -1: the row is marked
    } cases[] = {
        {2, kTemplatePart, "沟渠", "第 3 行“部位”：“沟渠”不是部位", kTemplatePart},
        {0, kTemplateStation, "K1O+000", "第 1 行“起始桩号”", kTemplateStation},
        {3, kTemplateP1, "x", "第 4 行“参数1”：“x”不是数。", kTemplateP1},
        {0, kTemplateP1, "-1", "第 1 行“参数1”", kTemplateP1},
        // The last fill level takes no height: the rows together refuse it.
        {6, kTemplateP2, "5", "第 7 行", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        told.clear();
        ASSERT_TRUE(m->setData(m->index(c.row, c.column), QString::fromUtf8(c.text), Qt::EditRole));
        EXPECT_FALSE(panel()->roadbed());
        ASSERT_EQ(told.size(), 1u);
        EXPECT_EQ(told[0], nullptr);
        EXPECT_EQ(m->rowCount(), 14);
        EXPECT_TRUE(templateStatus().contains(QString::fromUtf8(c.said))) << templateStatus().toStdString();
        const int column = c.markedColumn < 0 ? 0 : c.markedColumn;
        EXPECT_TRUE(m->data(m->index(c.row, column), Qt::BackgroundRole).isValid());
        EXPECT_FALSE(m->data(m->index(c.row, column), Qt::ToolTipRole).toString().isEmpty());
        EXPECT_TRUE(child<QLabel>("slopeStatus")->text().contains(QStringLiteral("没有路基模板")));
        trigger("undoAction");
        ASSERT_TRUE(panel()->roadbed()) << templateStatus().toStdString();
        ASSERT_EQ(told.size(), 2u);
        EXPECT_EQ(told[1], panel()->roadbed());
    }
    // An empty row is a row at fault too.
    m->insertEmptyRows(14, 1);
    EXPECT_FALSE(panel()->roadbed());
    EXPECT_TRUE(templateStatus().contains(QStringLiteral("第 15 行“起始桩号”：缺少起始桩号。")));
}

TEST_F(SlopeWindowTest, AnExportedTemplateImportsBackToTheSameTemplate)
{
    loadExample();
    // As CSV and as an Excel workbook (told by its name when saved, by its
    // bytes when read).
    QString exported;
    for (const char* name : {"exported.csv", "exported.xlsx"}) {
        SCOPED_TRACE(name);
        exported = dir.filePath(QString::fromLatin1(name));
        importWith("exportTemplateAction", exported);
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        const FileResult<std::string> mine = ReadTableFileText(exported);
        const FileResult<std::string> example = ReadTableFileText(Example("template-example.csv"));
        ASSERT_TRUE(mine.ok() && example.ok());
        const TemplateFileContent back = ParseTemplateFile(*mine.value), original = ParseTemplateFile(*example.value);
        ASSERT_TRUE(back.ok());
        ASSERT_EQ(back.rows.size(), original.rows.size());
        for (std::size_t i = 0; i < back.rows.size(); ++i) {
            EXPECT_EQ(back.rows[i].station, original.rows[i].station) << i;
            EXPECT_EQ(back.rows[i].sides, original.rows[i].sides) << i;
            EXPECT_EQ(back.rows[i].part, original.rows[i].part) << i;
            EXPECT_EQ(back.rows[i].p, original.rows[i].p) << i;
        }
    }
    QFile workbook(exported);
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_EQ(workbook.read(2), QByteArray("PK"));  // a workbook, not CSV under its name
    // Imported again over an edited table: the table and the template are the exported ones.
    const std::vector<TemplateRowTexts> before = templates()->texts();
    ASSERT_TRUE(templates()->setData(templates()->index(4, kTemplateP1), QStringLiteral("1.2"), Qt::EditRole));
    importWith("importTemplateAction", exported);
    EXPECT_EQ(templates()->texts(), before);
    EXPECT_EQ(panel()->roadbed()->sides(RoadSide::Left)[0].side.cut[1].ratio, 1);

    // A file with a bad line is refused whole, naming the line; the table stays.
    importWith("importTemplateAction",
               writeFile(QStringLiteral("bad.csv"), "起始桩号,侧,部位,参数1,参数2,参数3,参数4\nK10+000,中,路肩,0.75,-2\n"));
    EXPECT_TRUE(QString::fromStdString(messageTexts()).contains(QStringLiteral("第 2 行“侧”")));
    EXPECT_EQ(templates()->texts(), before);
}

TEST_F(SlopeWindowTest, TemplateStationsAreDisplayedStationsAcrossChainBreaks)
{
    loadExample(true);
    // K13+000 lies past the 60 m 短链 at K11+200 and before the 长链: the route's own 12940.
    const std::vector<SideTemplateAt>& right = panel()->roadbed()->sides(RoadSide::Right);
    ASSERT_EQ(right.size(), 2u);
    EXPECT_NEAR(right[1].station, 12940, 1e-9);
    EXPECT_NEAR(right[0].station, 10000, 1e-9);
    // A station in the 短链's gap is no place on the road: said with its row.
    ASSERT_TRUE(templates()->setData(templates()->index(7, kTemplateStation), QStringLiteral("K11+230"), Qt::EditRole));
    EXPECT_FALSE(panel()->roadbed());
    EXPECT_TRUE(templateStatus().startsWith(QStringLiteral("第 8 行“起始桩号”："))) << templateStatus().toStdString();
    EXPECT_TRUE(templates()->data(templates()->index(7, 0), Qt::BackgroundRole).isValid());
    // Without the breaks the same text is the route's own station.
    trigger("undoAction");
    auto* breaks = qobject_cast<TextTableModel*>(model("breakTable"));
    ASSERT_NE(breaks, nullptr);
    breaks->removeRowSet({0, 1});
    ASSERT_TRUE(panel()->roadbed()) << templateStatus().toStdString();
    EXPECT_NEAR(panel()->roadbed()->sides(RoadSide::Right)[1].station, 13000, 1e-9);
}

}  // namespace
}  // namespace tarvelo::uitest
