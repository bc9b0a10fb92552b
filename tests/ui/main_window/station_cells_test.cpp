// The station cells of the main stakes (Label45, Label49, Label53, Label57,
// Label61) on roads up to 999 km: every station is read whole in its cell,
// measured with the font the cell draws it in; the layout stays as it was.

#include <QFontMetrics>

#include "tests/ui/main_window/main_window_fixture.h"
#include "ui/main_window/window_font.h"

namespace tarvelo::uitest {
namespace {

using StationCells = MainWindowTest;

const char* const kStationCells[] = {"Label45", "Label49", "Label53", "Label57", "Label61"};

TEST_F(StationCells, EveryStationOfARoadUpTo999KmIsReadWholeInItsCell)
{
    // The case that made the fix necessary: at the window's font this text
    // is wider than the cell.
    const QLabel* zh = label("Label45");
    const int width = zh->contentsRect().width();
    ASSERT_GT(QFontMetrics(MainWindowFont()).horizontalAdvance(QStringLiteral("107+570.8095")), width);

    const struct {
        const char* jd;          // Text3; the default curve otherwise
        const char* zh;          // what Label45 then shows
        int widestPixelSize;     // the largest font size any of the five cells may keep
    } cases[] = {
        {"10021.359", "07+586.7064", 12},     // the default: untouched
        {"110005.4621", "107+570.8095", 11},  // ZH = JD − 2434.6526
        {"500000", "497+565.3474", 11},
        {"997895.3285", "995+460.6759", 11},  // HZ = JD + 2104.6714: the top of 999 km
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.jd);
        type("Text3", QString::fromLatin1(c.jd));
        press("Command1");
        ASSERT_TRUE(desktop.messages.empty()) << messageTexts();
        EXPECT_EQ(text("Label45"), QString::fromLatin1(c.zh));
        for (const char* name : kStationCells) {
            SCOPED_TRACE(name);
            const QLabel* cell = label(name);
            const QString shown = cell->text();
            ASSERT_FALSE(shown.isEmpty());
            const QFontMetrics metrics(cell->font());
            // The advance is where the next character would start; the tight
            // box is the ink itself: both inside the cell.
            EXPECT_LE(metrics.horizontalAdvance(shown), cell->contentsRect().width()) << shown.toStdString();
            EXPECT_LT(metrics.tightBoundingRect(shown).right(), cell->contentsRect().width());
            EXPECT_GE(cell->font().pixelSize(), 8);
            EXPECT_LE(cell->font().pixelSize(), c.widestPixelSize);
            // The cell itself has not moved or grown.
            EXPECT_EQ(cell->width(), 77);
            EXPECT_EQ(cell->height(), 18);
        }
    }
    EXPECT_EQ(text("Label61"), QStringLiteral("999+999.9999"));
    // Back to a short station: the full font again.
    type("Text3", QStringLiteral("10021.359"));
    press("Command1");
    for (const char* name : kStationCells) EXPECT_EQ(label(name)->font().pixelSize(), 12) << name;
}

}  // namespace
}  // namespace tarvelo::uitest
