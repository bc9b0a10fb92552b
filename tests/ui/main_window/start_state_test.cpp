// The window as it opens: caption, fixed client area, every control with its
// name, place, caption, default text and tooltip, the tab order, the start
// focus, the hidden path field, the shared dialog and the menu bar.

#include <QGroupBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

using StartState = MainWindowTest;

TEST_F(StartState, WindowOpensNamedWithItsCaptionAndAFixedClientAreaOf635By521)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("测量工程"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tarvelo V1.50.15"));
    ASSERT_NE(window->centralWidget(), nullptr);
    EXPECT_EQ(window->centralWidget()->size(), QSize(635, 521));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the window can be resized";
    EXPECT_EQ(window->height(), 521 + window->menuBar()->height());
}

// One control as the layout places it: class, frame, rectangle (x, y relative
// to the frame or the client area), caption or default text, tooltip.
struct Placed {
    const char* name;
    const char* className;
    const char* parent;  // frame, or "client"
    QRect rect;          // an empty size: only the position is fixed
    const char* text;
    const char* tooltip;
};

QString CaptionOf(QWidget* w)
{
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    return {};
}

TEST_F(StartState, EveryControlHasItsNameFramePlaceCaptionAndTooltip)
{
    const Placed controls[] = {
        {"Frame1", "QGroupBox", "client", {8, 8, 185, 225}, "输入要素", ""},
        {"Frame4", "QGroupBox", "client", {8, 240, 185, 113}, "正算数据", ""},
        {"Frame6", "QGroupBox", "client", {8, 360, 185, 89}, "反算数据", ""},
        {"Frame8", "QGroupBox", "client", {8, 360, 185, 89}, "连续计算", ""},
        {"Frame2", "QGroupBox", "client", {200, 8, 425, 225}, "曲线五大桩", ""},
        {"Frame3", "QGroupBox", "client", {200, 240, 425, 113}, "曲线参数", ""},
        {"Frame5", "QGroupBox", "client", {200, 360, 425, 89}, "坐标正算", ""},
        {"Frame7", "QGroupBox", "client", {200, 456, 425, 57}, "坐标反算", ""},
        {"Frame9", "QGroupBox", "client", {200, 8, 425, 505}, "坐标计算", ""},
        // The curve inputs.
        {"Label1", "QLabel", "Frame1", {8, 16, 0, 0}, "本交点坐标X=", "请输入本交点坐标X！"},
        {"Text1", "QLineEdit", "Frame1", {88, 16, 89, 18}, "3378226.731", "请输入本交点坐标X！"},
        {"Label2", "QLabel", "Frame1", {8, 40, 0, 0}, "本交点坐标Y=", "请输入本交点坐标Y！"},
        {"Text2", "QLineEdit", "Frame1", {88, 40, 89, 18}, "456053.721", "请输入本交点坐标Y！"},
        {"Label3", "QLabel", "Frame1", {8, 64, 0, 0}, "交点桩号JD =", "请输入交点桩号JD！"},
        {"Text3", "QLineEdit", "Frame1", {88, 64, 89, 18}, "10021.359", "请输入交点桩号JD！"},
        {"Label4", "QLabel", "Frame1", {8, 88, 0, 0}, "曲线半径R  =", "请输入曲线半径R！"},
        {"Text4", "QLineEdit", "Frame1", {88, 88, 89, 18}, "4500", "请输入曲线半径R！"},
        {"Label5", "QLabel", "Frame1", {8, 112, 0, 0}, "缓和曲线Ls1=", "请输入第一缓和曲线长Ls1！"},
        {"Text5", "QLineEdit", "Frame1", {88, 112, 89, 18}, "360", "请输入第一缓和曲线长Ls1！"},
        {"Label6", "QLabel", "Frame1", {8, 136, 0, 0}, "缓和曲线Ls2=", "请输入第二缓和曲线长Ls2！"},
        {"Text6", "QLineEdit", "Frame1", {88, 136, 89, 18}, "360", "请输入第二缓和曲线长Ls2！"},
        {"Label7", "QLabel", "Frame1", {8, 160, 0, 0}, "曲线转角α =",
         "请输入曲线转角α，左转为负值、右转为正值，按d.ms格式输入，如：-14°18ˊ10″为-14.1810！"},
        {"Text7", "QLineEdit", "Frame1", {88, 160, 89, 18}, "53.12461",
         "请输入曲线转角α，左转为负值、右转为正值，按d.ms格式输入，如：-14°18ˊ10″为-14.1810！"},
        {"Label8", "QLabel", "Frame1", {8, 184, 0, 0}, "计算方位角F=",
         "请输入计算方位角F，按d.ms格式输入，如：152°09ˊ41.68″为152.094168！"},
        {"Text8", "QLineEdit", "Frame1", {88, 184, 89, 18}, "98.565562",
         "请输入计算方位角F，按d.ms格式输入，如：152°09ˊ41.68″为152.094168！"},
        {"Option1", "QRadioButton", "Frame1", {16, 208, 73, 0}, "坐标正算", "正算选择"},
        {"Option2", "QRadioButton", "Frame1", {104, 208, 73, 0}, "坐标反算", "反算选择"},
        // The inputs of the three modes.
        {"Label31", "QLabel", "Frame4", {16, 16, 0, 0}, "计算桩号K=", "请输入计算里程桩号！"},
        {"Text41", "QLineEdit", "Frame4", {88, 16, 89, 18}, "10000", "请输入计算里程桩号！"},
        {"Label32", "QLabel", "Frame4", {16, 40, 0, 0}, "计算偏距m=",
         "请输入计算偏距，距中桩水平距离，左为负，右为正！"},
        {"Text42", "QLineEdit", "Frame4", {88, 40, 89, 18}, "0",
         "请输入计算偏距，距中桩水平距离，左为负，右为正！"},
        {"Label33", "QLabel", "Frame4", {16, 64, 0, 0}, "计算偏角a=", "请输入计算偏角a，正交为90°！"},
        {"Text43", "QLineEdit", "Frame4", {88, 64, 89, 18}, "90", "请输入计算偏角a，正交为90°！"},
        {"Option3", "QRadioButton", "Frame4", {16, 88, 73, 0}, "单点计算", ""},
        {"Option4", "QRadioButton", "Frame4", {104, 88, 73, 0}, "连续计算", ""},
        {"Label41", "QLabel", "Frame6", {16, 24, 0, 0}, "输入坐标X=", "请输入反算坐标X！"},
        {"Text47", "QLineEdit", "Frame6", {88, 24, 89, 18}, "3377706.6675", "请输入反算坐标X！"},
        {"Label42", "QLabel", "Frame6", {16, 56, 0, 0}, "输入坐标Y=", "请输入反算坐标Y！"},
        {"Text48", "QLineEdit", "Frame6", {88, 56, 89, 18}, "455858.525", "请输入反算坐标Y！"},
        {"Label37", "QLabel", "Frame8", {16, 16, 0, 0}, "计算间距J=", ""},
        {"Text9", "QLineEdit", "Frame8", {88, 16, 89, 18}, "20", ""},
        {"Label38", "QLabel", "Frame8", {16, 40, 0, 0}, "起点桩号K=", ""},
        {"Text10", "QLineEdit", "Frame8", {88, 40, 89, 18}, "9000", ""},
        {"Label39", "QLabel", "Frame8", {16, 64, 0, 0}, "止点桩号K=", ""},
        {"Text11", "QLineEdit", "Frame8", {88, 64, 89, 18}, "10000", ""},
        // The main-stakes table: row captions and the first and last cells.
        {"Label14", "QLabel", "Frame2", {24, 64, 0, 0}, "ZH", "直缓桩号"},
        {"Label15", "QLabel", "Frame2", {24, 96, 0, 0}, "HY", "缓圆桩号"},
        {"Label16", "QLabel", "Frame2", {24, 128, 0, 0}, "QZ", "曲中桩号"},
        {"Label17", "QLabel", "Frame2", {24, 160, 0, 0}, "YH", "圆缓桩号"},
        {"Label18", "QLabel", "Frame2", {24, 192, 0, 0}, "HZ", "缓直桩号"},
        {"Label45", "QLabel", "Frame2", {56, 64, 0, 0}, "", ""},
        {"Label46", "QLabel", "Frame2", {136, 64, 0, 0}, "", ""},
        {"Label47", "QLabel", "Frame2", {224, 64, 0, 0}, "", ""},
        {"Label48", "QLabel", "Frame2", {312, 64, 0, 0}, "", ""},
        {"Label53", "QLabel", "Frame2", {56, 128, 0, 0}, "", ""},
        {"Label64", "QLabel", "Frame2", {312, 192, 0, 0}, "", ""},
        // The elements table.
        {"Label19", "QLabel", "Frame3", {24, 32, 0, 0}, "T1", "第一切线长"},
        {"Label20", "QLabel", "Frame3", {120, 32, 0, 0}, "T2", "第二切线长"},
        {"Label21", "QLabel", "Frame3", {216, 32, 0, 0}, "βo1", "切线角"},
        {"Label28", "QLabel", "Frame3", {312, 32, 0, 0}, " E", "外失距"},
        {"Label22", "QLabel", "Frame3", {24, 56, 0, 0}, "p1", "内移值"},
        {"Label23", "QLabel", "Frame3", {120, 56, 0, 0}, "p2", "内移值"},
        {"Label24", "QLabel", "Frame3", {216, 56, 0, 0}, "βo2", "切线角"},
        {"Label29", "QLabel", "Frame3", {312, 56, 0, 0}, " L", "曲线长"},
        {"Label25", "QLabel", "Frame3", {24, 80, 0, 0}, "q1", "切线增值"},
        {"Label26", "QLabel", "Frame3", {120, 80, 0, 0}, "q2", "切线增值"},
        {"Label27", "QLabel", "Frame3", {224, 80, 0, 0}, "Dh", "切曲差"},
        {"Label30", "QLabel", "Frame3", {312, 80, 0, 0}, "Ly", "圆曲线长"},
        {"Label65", "QLabel", "Frame3", {56, 32, 0, 0}, "", ""},
        {"Label67", "QLabel", "Frame3", {256, 32, 0, 0}, "", ""},
        {"Label72", "QLabel", "Frame3", {352, 56, 0, 0}, "", ""},
        {"Label76", "QLabel", "Frame3", {352, 80, 0, 0}, "", ""},
        // The two single-point results.
        {"Label34", "QLabel", "Frame5", {40, 32, 0, 0}, "计算坐标N(X)", "正算结果坐标X"},
        {"Label35", "QLabel", "Frame5", {152, 32, 0, 0}, "计算坐标E(Y)", "正算结果坐标Y"},
        {"Label36", "QLabel", "Frame5", {280, 32, 0, 0}, "切线方位角F(°ˊ″)", "切线方位角"},
        {"Label77", "QLabel", "Frame5", {32, 56, 0, 0}, "", ""},
        {"Label78", "QLabel", "Frame5", {152, 56, 0, 0}, "", ""},
        {"Label79", "QLabel", "Frame5", {280, 56, 129, 0}, "", ""},
        {"Label43", "QLabel", "Frame7", {32, 24, 0, 0}, "桩号(K)", "反算结果里程桩号"},
        {"Label80", "QLabel", "Frame7", {112, 24, 0, 0}, "", ""},
        {"Label44", "QLabel", "Frame7", {232, 24, 0, 0}, "偏距(m)",
         "反算结果偏距，负数为偏左、正数为偏右。"},
        {"Label81", "QLabel", "Frame7", {320, 24, 0, 0}, "", ""},
        // The continuous results.
        {"Label40", "QLabel", "Frame9", {160, 16, 0, 0}, "曲线坐标计算表", ""},
        {"Text12", "QPlainTextEdit", "Frame9", {8, 40, 409, 433}, "", ""},
        {"Label82", "QLabel", "Frame9", {48, 480, 0, 0},
         "提示：计算完毕后点击“保存数据”可导出到文本文档中。", ""},
        // The buttons.
        {"Command1", "QPushButton", "client", {8, 456, 89, 25}, "计算要素", ""},
        {"Command8", "QPushButton", "client", {8, 456, 89, 25}, "曲线要素", ""},
        {"Command2", "QPushButton", "client", {104, 456, 89, 25}, "点击计算", ""},
        {"Command4", "QPushButton", "client", {104, 456, 89, 25}, "点击计算", ""},
        {"Command6", "QPushButton", "client", {104, 456, 89, 25}, "点击计算", ""},
        {"Command5", "QPushButton", "client", {8, 488, 89, 25}, "保存数据", ""},
        {"Command7", "QPushButton", "client", {8, 488, 89, 25}, "保存数据", ""},
        {"Command3", "QPushButton", "client", {104, 488, 89, 25}, "清空要素", ""},
    };
    for (const Placed& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = control(c.name);
        EXPECT_TRUE(w->inherits(c.className)) << w->metaObject()->className();
        const QWidget* parent = w->parentWidget();
        const QString parentName = parent == window->centralWidget() ? QStringLiteral("client")
                                                                     : parent->objectName();
        EXPECT_EQ(parentName, QString::fromUtf8(c.parent));
        EXPECT_EQ(w->pos(), c.rect.topLeft());
        if (c.rect.width() > 0) {
            EXPECT_EQ(w->width(), c.rect.width());
        }
        if (c.rect.height() > 0) {
            EXPECT_EQ(w->height(), c.rect.height());
        }
        EXPECT_EQ(CaptionOf(w), QString::fromUtf8(c.text));
        EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.tooltip));
    }
}

TEST_F(StartState, CaptionLabelsAreNotCutByTheirWidth)
{
    // With the window's fonts every fixed caption fits in its label.
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (l->text().isEmpty()) continue;
        SCOPED_TRACE(l->objectName());
        EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width());
        EXPECT_LE(l->x() + l->width(), l->parentWidget()->width());
    }
}

TEST_F(StartState, WindowStartsInForwardSingleWithEveryResultEmpty)
{
    EXPECT_EQ(window->mode(), MainWindowMode::ForwardSingle);
    EXPECT_TRUE(option("Option1")->isChecked());
    EXPECT_FALSE(option("Option2")->isChecked());
    EXPECT_TRUE(option("Option3")->isChecked());
    EXPECT_FALSE(option("Option4")->isChecked());
    for (int n = 45; n <= 81; ++n) {
        const QByteArray name = "Label" + QByteArray::number(n);
        EXPECT_EQ(text(name.constData()), QString()) << name.constData();
    }
    EXPECT_TRUE(results()->toPlainText().isEmpty());
    // The edge case as the user sees it.
    for (const char* name : {"Text41", "Text42", "Text43"}) EXPECT_TRUE(box(name)->isEnabled()) << name;
    for (const char* name : {"Text47", "Text48"}) {
        EXPECT_TRUE(box(name)->isVisible()) << name;
        EXPECT_FALSE(box(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(control("Frame8")->isVisible());
    EXPECT_FALSE(control("Frame9")->isVisible());
    for (const char* name : {"Command1", "Command2", "Command3", "Command5"})
        EXPECT_TRUE(button(name)->isVisible()) << name;
    for (const char* name : {"Command4", "Command6", "Command7", "Command8"})
        EXPECT_FALSE(button(name)->isVisible()) << name;
}

TEST_F(StartState, FocusStartsInTheFirstCurveInput)
{
    EXPECT_EQ(focused(), box("Text1"));
}

TEST_F(StartState, FocusChainFollowsTheInputsThenTheOptionsThenTheButtons)
{
    const char* order[] = {"Text1",    "Text2",    "Text3",    "Text4",    "Text5",   "Text6",
                           "Text7",    "Text8",    "Text41",   "Text42",   "Text43",  "Text47",
                           "Text48",   "Option1",  "Option2",  "Option3",  "Option4", "Text9",
                           "Text10",   "Text11",   "Text12",   "Command6", "Command2", "Command4",
                           "Command1", "Command8", "Command5", "Command7", "Command3"};
    QStringList expected;
    for (const char* name : order) expected << QString::fromLatin1(name);
    QStringList chain;
    QWidget* w = box("Text1");
    do {
        if (expected.contains(w->objectName())) chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != box("Text1"));
    EXPECT_EQ(chain, expected);
}

TEST_F(StartState, TabKeyVisitsOnlyTheControlsOfTheCurrentMode)
{
    QStringList visited;
    for (int i = 0; i < 20 && (visited.isEmpty() || focused() != box("Text1")); ++i) {
        visited << focused()->objectName();
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
    // The disabled inverse and continuous boxes, the hidden results box and
    // the hidden buttons are skipped.
    const QStringList expected = {"Text1",  "Text2",   "Text3",    "Text4",    "Text5",
                                  "Text6",  "Text7",   "Text8",    "Text41",   "Text42",
                                  "Text43", "Option1", "Option3",  "Command2", "Command1",
                                  "Command5", "Command3"};
    EXPECT_EQ(visited, expected);
}

TEST_F(StartState, HiddenPathFieldHoldsItsInitialTextAndTheSharedDialogExists)
{
    QLineEdit* path = box("txtFileName");
    EXPECT_FALSE(path->isVisible());
    EXPECT_EQ(path->text(), QStringLiteral("C:\\Documents and Settings\\Administrator\\桌面\\曲线要素.txt"));
    EXPECT_NE(window->findChild<QObject*>(QStringLiteral("CDg1")), nullptr);
}

TEST_F(StartState, MenuBarHasItsThreeMenusWithAccessKeysItemsAndShortcuts)
{
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::vector<Item> items;
    };
    const Menu menus[] = {
        {"File", "文件(&F)", {{"Open", "导入数据", "Ctrl+O"}, {"Export", "导出数据", "Ctrl+S"},
                             {"Exit", "退出", "Ctrl+E"}}},
        {"GongJu", "工具(&T)", {{"FWJ", "方位角和距离", ""}, {"Red", "角度弧度转换", ""},
                               {"Notepad", "记事本", ""}, {"Calc", "计算器", ""},
#ifdef TARVELO_HAVE_ROUTE_WINDOW
                               // The route window's item, added at the end.
                               {"XianLu", "线路计算", ""},
#endif
                              }},
        {"BangZhu", "帮助(&H)", {{"LianBang", "联机帮助", ""}, {"About", "关于", ""}}},
    };
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Menu& m = menus[i];
        SCOPED_TRACE(m.name);
        QMenu* menu = findChildByName<QMenu>(window.get(), m.name);
        EXPECT_EQ(bar[i], menu->menuAction());
        EXPECT_EQ(menu->title(), QString::fromUtf8(m.caption));
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<int>(m.items.size())) << "separators or extra items";
        for (std::size_t j = 0; j < m.items.size(); ++j) {
            EXPECT_EQ(items[j]->objectName(), QString::fromLatin1(m.items[j].name));
            EXPECT_EQ(items[j]->text(), QString::fromUtf8(m.items[j].caption));
            EXPECT_EQ(items[j]->shortcut(), QKeySequence(QString::fromLatin1(m.items[j].shortcut)));
        }
    }
}

}  // namespace
}  // namespace tarvelo::uitest
