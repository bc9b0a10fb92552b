// The element table's cells without a window: rows read by the element
// file's reader with the table's row numbers, and the texts of read rows
// reading back to the same rows.

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>

#include "core/files/element_file.h"
#include "ui/route_window/tables/element_cells.h"

namespace tarvelo {
namespace {

ElementRowTexts Row(std::initializer_list<const char*> cells)
{
    ElementRowTexts t;
    std::size_t i = 0;
    for (const char* c : cells) t[i++] = c;
    return t;
}

TEST(ElementCells, EveryBadRowIsAProblemNamingItsTableRowAndNothingIsKept)
{
    EXPECT_TRUE(ReadElementRows({}).rows.empty());
    EXPECT_TRUE(ReadElementRows({}).problems.empty());

    const std::vector<ElementRowTexts> texts = {
        Row({"L1", " 100 ", "0", "0", "45", "100"}),  // spaces around a text are no fault
        Row({"", "", "", "", "", "50", "200", "200", "斜"}),
        Row({"", "", "", "", "", "20"}),
        Row({"", "", "", "", "", "x"}),
    };
    const ElementRowsRead read = ReadElementRows(texts);
    EXPECT_TRUE(read.rows.empty());
    ASSERT_EQ(read.problems.size(), 2u);
    EXPECT_EQ(read.problems[0].row, 1);
    EXPECT_EQ(read.problems[0].column, kElementTurn);
    EXPECT_EQ(read.problems[0].message.rfind("第 2 行：转向“斜”无法识别", 0), 0u) << read.problems[0].message;
    EXPECT_EQ(read.problems[1].row, 3);
    EXPECT_EQ(read.problems[1].column, kElementLength);
    EXPECT_EQ(read.problems[1].message, "第 4 行：长度 不是数：“x”。");

    const ElementRowsRead good = ReadElementRows({texts[0], texts[2]});
    ASSERT_TRUE(good.problems.empty());
    ASSERT_EQ(good.rows.size(), 2u);
    EXPECT_EQ(*good.rows[0].station, 100);
    EXPECT_EQ(good.rows[1].name, "E2");
    EXPECT_EQ(good.rows[1].line, 0);
}

TEST(ElementCells, TextsOfTheExampleRowsReadBackToTheSameRows)
{
    QFile f(QStringLiteral(TARVELO_SOURCE_DIR "/examples/ramp-elements.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const ElementFileParse parsed = ParseElementFile(f.readAll().toStdString());
    ASSERT_TRUE(parsed.errors.empty());
    std::vector<ElementInput> rows = parsed.rows;
    // Values no text of the file has: an azimuth near a whole turn, a long
    // decimal radius, an egg curve to the left.
    rows[6].x = 3380700.123456789;
    rows[6].y = 459000.5;
    rows[6].azimuth = 359.99999999;
    rows[7].endRadius = 150.123456789012;
    rows[7].turn = -1;
    const std::vector<ElementRowTexts> texts = ElementTextsOf(rows);
    EXPECT_EQ(texts[0][kElementAzimuth], "30");
    EXPECT_EQ(texts[1][kElementTurn], "右");
    EXPECT_EQ(texts[1][kElementRStart], "");  // a straight end
    EXPECT_EQ(texts[6][kElementTurn], "");    // a line has none
    const ElementRowsRead back = ReadElementRows(texts);
    ASSERT_TRUE(back.problems.empty()) << back.problems[0].message;
    ASSERT_EQ(back.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.rows[i].name, rows[i].name);
        EXPECT_EQ(back.rows[i].station, rows[i].station);
        EXPECT_EQ(back.rows[i].x, rows[i].x);
        EXPECT_EQ(back.rows[i].y, rows[i].y);
        ASSERT_EQ(back.rows[i].azimuth.has_value(), rows[i].azimuth.has_value());
        if (rows[i].azimuth) {
            // Modulo a turn: 359.99999999° may come back as itself or a hair below.
            const double d = std::remainder(*back.rows[i].azimuth - *rows[i].azimuth, 360.0);
            EXPECT_NEAR(d, 0, 1e-12);
        }
        EXPECT_EQ(back.rows[i].length, rows[i].length);
        EXPECT_EQ(back.rows[i].startRadius, rows[i].startRadius);
        EXPECT_EQ(back.rows[i].endRadius, rows[i].endRadius);
        EXPECT_EQ(back.rows[i].turn, rows[i].turn);
    }
}

}  // namespace
}  // namespace tarvelo
