// The file commands through the dialog seam: the curve data file (Open,
// Export and their shortcuts), the elements report (Command5), its hint in
// continuous mode (Command8) and the results report (Command7); the shared
// dialog CDg1 and the path field txtFileName; cancelling and files that
// cannot be written or read.

#include <QFile>
#include <QMenuBar>
#include <QTest>

#include "reports/gbk_text.h"
#include "tests/ui/main_window/main_window_fixture.h"

namespace tarvelo::uitest {
namespace {

const QString kInitialPath =
    QStringLiteral("C:\\Documents and Settings\\Administrator\\桌面\\曲线要素.txt");
const QStringList kDataFilters = {QStringLiteral("文本文件(*.txt)")};
const QStringList kReportFilters = {QStringLiteral("文本文件(*.txt)"),
                                    QStringLiteral("所有文件(*.*)")};

class FileCommands : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) return {};
        return f.readAll();
    }

    // The file's lines, decoded; every line must end with CR LF.
    static QStringList linesOf(const QString& file)
    {
        const QByteArray bytes = bytesOf(file);
        const auto decoded = DecodeTextBytes(bytes);
        EXPECT_TRUE(decoded.ok()) << file;
        if (!decoded.ok()) return {};
        const QString text = decoded.value->text;
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << file;
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.pop_back();
        for (const QString& line : lines) EXPECT_FALSE(line.contains(u'\r') || line.contains(u'\n'));
        return lines;
    }

    QStringList curveInputs()
    {
        QStringList texts;
        for (int i = 1; i <= 8; ++i) texts << box(("Text" + QByteArray::number(i)).constData())->text();
        return texts;
    }

    void trigger(const char* actionName) { action(actionName)->trigger(); }

    QTemporaryDir dir;
};

TEST_F(FileCommands, ExportWritesTheEightInputsInColumnsAndRecordsThePath)
{
    const QString file = path("curve.txt");
    desktop.queueFileAnswer(file);
    trigger("Export");
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].kind, DialogKind::Save);
    EXPECT_EQ(desktop.dialogs[0].filters, kDataFilters);
    EXPECT_EQ(desktop.dialogs[0].currentName, QString()) << "the first dialog starts empty";
    EXPECT_EQ(desktop.dialogs[0].parent, window.get());
    EXPECT_EQ(box("txtFileName")->text(), file);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();

    // Line 1 byte for byte: the value, spaces to column 20, the label in GBK
    // (交 BDBB, 点 B5E3, 坐 D7F8, 标 B1EA), CR LF.
    const QByteArray bytes = bytesOf(file);
    EXPECT_TRUE(bytes.startsWith(QByteArray("3378226.731        \xBD\xBB\xB5\xE3\xD7\xF8\xB1\xEA"
                                            "X(N)\r\n")))
        << bytes.left(40).toHex().constData();
    const QStringList lines = linesOf(file);
    const QStringList expected = {
        QStringLiteral("3378226.731        交点坐标X(N)"),
        QStringLiteral("456053.721         交点坐标Y(E)"),
        QStringLiteral("10021.359          交点桩号JD(K)"),
        QStringLiteral("4500               曲线半径R(m)"),
        QStringLiteral("360                缓和曲线Ls1(m)"),
        QStringLiteral("360                缓和曲线Ls2(m)"),
        QStringLiteral("53.12461           曲线转角a(左负右正,格式:d.ms、14°18ˊ10″为14.1810)"),
        QStringLiteral("98.565562          计算方位角F(格式:d.ms、152°09ˊ41.68″为152.094168)"),
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(FileCommands, ImportGivesBackTheExportedInputsAsGeneralNumbers)
{
    type("Text5", QString());
    type("Text6", QStringLiteral("abc"));
    type("Text7", QStringLiteral("-14.1810"));
    type("Text4", QStringLiteral("  +4500.00"));
    const QString file = path("curve.txt");
    desktop.queueFileAnswer(file);
    trigger("Export");
    for (int i = 1; i <= 8; ++i) type(("Text" + QByteArray::number(i)).constData(), QStringLiteral("1"));

    desktop.queueFileAnswer(file);
    trigger("Open");
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    EXPECT_EQ(desktop.dialogs[1].kind, DialogKind::Open);
    EXPECT_EQ(desktop.dialogs[1].filters, kDataFilters);
    EXPECT_EQ(desktop.dialogs[1].currentName, file) << "CDg1 remembers the last name";
    EXPECT_EQ(curveInputs(), (QStringList{"3378226.731", "456053.721", "10021.359", "4500", "0",
                                          "0", "-14.181", "98.565562"}));
    EXPECT_EQ(box("txtFileName")->text(), file);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(FileCommands, ImportChangesOnlyTheInputsAndComputesNothing)
{
    const QString file = path("curve.txt");
    desktop.queueFileAnswer(file);
    trigger("Export");
    choose("Option4");
    desktop.queueFileAnswer(file);
    trigger("Open");
    EXPECT_EQ(window->mode(), MainWindowMode::ForwardContinuous);
    EXPECT_TRUE(text("Label45").isEmpty());
    EXPECT_TRUE(results()->toPlainText().isEmpty());
}

TEST_F(FileCommands, CancellingEitherDialogChangesNothingThoughItOfferedTheLastName)
{
    const QString file = path("curve.txt");
    desktop.queueFileAnswer(file);
    trigger("Export");
    type("Text1", QStringLiteral("123"));
    const QStringList inputs = curveInputs();

    desktop.queueFileAnswer(QString());
    trigger("Open");
    desktop.queueFileAnswer(QString());
    trigger("Export");
    ASSERT_EQ(desktop.dialogs.size(), 3u);
    EXPECT_EQ(desktop.dialogs[1].currentName, file);
    EXPECT_EQ(desktop.dialogs[2].currentName, file);
    EXPECT_EQ(curveInputs(), inputs);
    EXPECT_EQ(box("txtFileName")->text(), file);
    EXPECT_TRUE(linesOf(file).front().startsWith(QStringLiteral("3378226.731 ")));
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
}

TEST_F(FileCommands, CancellingTheFirstExportWritesNothingAndKeepsTheInitialPath)
{
    desktop.queueFileAnswer(QString());
    trigger("Export");
    EXPECT_EQ(box("txtFileName")->text(), kInitialPath);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommands, UnreadableOrShortCurveFileIsReportedAndTheInputsStay)
{
    QFile shortFile(path("short.txt"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("1\r\n2\r\n3\r\n");
    shortFile.close();
    const QStringList inputs = curveInputs();
    for (const char* name : {"missing.txt", "short.txt"}) {
        SCOPED_TRACE(name);
        desktop.reset();
        desktop.queueFileAnswer(path(name));
        trigger("Open");
        const RecordedMessage& m = onlyMessage();
        EXPECT_EQ(m.title, QStringLiteral("提示"));
        EXPECT_EQ(m.icon, MessageIcon::Information);
        EXPECT_FALSE(m.text.isEmpty());
        EXPECT_EQ(curveInputs(), inputs);
    }
}

TEST_F(FileCommands, ExportIntoAMissingFolderIsReported)
{
    const QString file = path("no-such-folder/curve.txt");
    desktop.queueFileAnswer(file);
    trigger("Export");
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(FileCommands, ShortcutsOpenTheImportAndExportDialogs)
{
    desktop.queueFileAnswer(QString());
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    desktop.queueFileAnswer(QString());
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(desktop.dialogs.size(), 2u);
    EXPECT_EQ(desktop.dialogs[0].kind, DialogKind::Save);
    EXPECT_EQ(desktop.dialogs[1].kind, DialogKind::Open);
}

TEST_F(FileCommands, ElementsReportIsRefusedBeforeComputeElementsWithoutADialog)
{
    press("Command5");
    expectOnlyMessage(QStringLiteral("请先点击“计算要素”按钮！"));
    EXPECT_TRUE(desktop.dialogs.empty());
}

TEST_F(FileCommands, ElementsReportWritesTheTablesAsShownWithThreeDecimalStations)
{
    press("Command1");
    const QString file = path("elements.txt");
    desktop.queueFileAnswer(file);
    press("Command5");
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].kind, DialogKind::Save);
    EXPECT_EQ(desktop.dialogs[0].filters, kReportFilters);
    EXPECT_EQ(box("txtFileName")->text(), file);
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    const QStringList lines = linesOf(file);
    ASSERT_EQ(lines.size(), 32);
    EXPECT_EQ(lines[3], QStringLiteral("                             曲线五大桩坐标及切线方位角"));
    EXPECT_EQ(lines[6], QStringLiteral(" 直缓桩号ZH=07+586.706 , 坐标X=3378605.4449 , 坐标Y=453648.7035 ,"
                                       " 切线方位角FWJ=98°56ˊ55.62\""));
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral(" 缓圆桩号HY=07+946.706 , 坐标X=") + text("Label50")));
    EXPECT_TRUE(lines[14].startsWith(QStringLiteral(" 缓直桩号HZ=12+126.030 , 坐标X=3376073.8453")));
    EXPECT_TRUE(lines[20].startsWith(QStringLiteral(" 切线长T1=2434.6526")));
    EXPECT_EQ(lines[20].indexOf(QStringLiteral("切线长T2 =2434.6526")), 21);
    EXPECT_EQ(lines[31], QStringLiteral("计算：                                复核：                                监理："));
}

TEST_F(FileCommands, ElementsReportShowsTheLastComputedTablesNotLaterEditedInputs)
{
    press("Command1");
    type("Text3", QStringLiteral("20000"));
    press("Command2");  // recomputes the curve from the edited inputs
    const QString file = path("elements.txt");
    desktop.queueFileAnswer(file);
    press("Command5");
    EXPECT_TRUE(linesOf(file).value(6).startsWith(QStringLiteral(" 直缓桩号ZH=07+586.706 ,")));
}

TEST_F(FileCommands, SavingAReportTwiceReplacesTheFirst)
{
    press("Command1");
    const QString file = path("elements.txt");
    desktop.queueFileAnswer(file);
    press("Command5");
    desktop.queueFileAnswer(file);
    press("Command5");
    EXPECT_EQ(desktop.dialogs[1].currentName, file);
    EXPECT_EQ(linesOf(file).size(), 32);
}

TEST_F(FileCommands, CancellingTheElementsReportWritesNothing)
{
    press("Command1");
    desktop.queueFileAnswer(QString());
    press("Command5");
    EXPECT_EQ(box("txtFileName")->text(), kInitialPath);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommands, ElementsHintInContinuousModeTellsToChooseSinglePoint)
{
    choose("Option4");
    press("Command8");
    expectOnlyMessage(QStringLiteral("请选择“单点计算”显示曲线要素！"));
    EXPECT_TRUE(desktop.dialogs.empty());
    EXPECT_EQ(window->mode(), MainWindowMode::ForwardContinuous);
}

TEST_F(FileCommands, ResultsReportIsRefusedForAnEmptyBoxOnly)
{
    choose("Option4");
    press("Command7");
    expectOnlyMessage(QStringLiteral("请点击“点击计算”！"));
    EXPECT_TRUE(desktop.dialogs.empty());

    // A box holding a line end only counts as filled.
    desktop.reset();
    results()->setPlainText(QStringLiteral("\n"));
    desktop.queueFileAnswer(QString());
    press("Command7");
    EXPECT_TRUE(desktop.messages.empty()) << messageTexts();
    EXPECT_EQ(desktop.dialogs.size(), 1u);
}

TEST_F(FileCommands, ResultsReportOfTheDefaultTableHas61Lines)
{
    choose("Option4");
    press("Command6");
    const QString file = path("table.txt");
    desktop.queueFileAnswer(file);
    press("Command7");
    ASSERT_EQ(desktop.dialogs.size(), 1u);
    EXPECT_EQ(desktop.dialogs[0].filters, kReportFilters);
    EXPECT_EQ(box("txtFileName")->text(), file);
    const QStringList lines = linesOf(file);
    ASSERT_EQ(lines.size(), 61);
    EXPECT_EQ(lines[2], QStringLiteral("                曲线坐标计算成果表"));
    EXPECT_EQ(lines[3], QStringLiteral("             ------------------------"));
    const QStringList table = ResultLines(results());
    EXPECT_EQ(lines.mid(5, 52), table);
    EXPECT_EQ(lines.mid(57, 3), (QStringList{"", "", ""}));
    EXPECT_EQ(lines[60], QStringLiteral("计算：                 复核：                 监理："));
}

TEST_F(FileCommands, CancellingTheResultsReportWritesNothing)
{
    choose("Option4");
    press("Command6");
    desktop.queueFileAnswer(QString());
    press("Command7");
    EXPECT_EQ(box("txtFileName")->text(), kInitialPath);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(FileCommands, ReportThatCannotBeWrittenIsReported)
{
    choose("Option4");
    press("Command6");
    desktop.queueFileAnswer(dir.path());  // a folder, not a file
    press("Command7");
    const RecordedMessage& m = onlyMessage();
    EXPECT_EQ(m.title, QStringLiteral("提示"));
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_FALSE(m.text.isEmpty());
}

TEST_F(FileCommands, OneSharedDialogOffersTheNameLastChosenInAnyFileCommand)
{
    const QString data = path("curve.txt"), table = path("table.txt");
    desktop.queueFileAnswer(data);
    trigger("Export");
    choose("Option4");
    press("Command6");
    desktop.queueFileAnswer(table);
    press("Command7");
    choose("Option3");
    press("Command1");
    desktop.queueFileAnswer(QString());
    press("Command5");
    ASSERT_EQ(desktop.dialogs.size(), 3u);
    EXPECT_EQ(desktop.dialogs[1].currentName, data);
    EXPECT_EQ(desktop.dialogs[2].currentName, table);
}

}  // namespace
}  // namespace tarvelo::uitest
