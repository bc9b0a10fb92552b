// The fixture's own guarantees: a stray modal box fails the test instead of
// hanging it, expected boxes are answered by their real buttons, missing
// controls fail cleanly, and the fake desktop answers as configured.

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/ui/support/fake_ui_services.h"
#include "tests/ui/support/widget_test.h"

namespace tarvelo::uitest {
namespace {

class FixtureTest : public WidgetTest {};

TEST_F(FixtureTest, UnexpectedModalMessageBoxFailsTheTestAndIsClosedByItsButton)
{
    int result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            QMessageBox box(QMessageBox::Information, QStringLiteral("提示"),
                            QStringLiteral("意外的消息"), QMessageBox::Ok);
            result = box.exec();
        },
        "unexpected modal QMessageBox titled \"提示\": 意外的消息");
    EXPECT_EQ(result, QMessageBox::Ok);
    ASSERT_EQ(seenModals().size(), 1u);
    EXPECT_FALSE(seenModals()[0].expected);
}

TEST_F(FixtureTest, UnexpectedModalDialogIsRejected)
{
    int result = -1;
    EXPECT_NONFATAL_FAILURE(
        {
            QDialog dialog;
            dialog.setWindowTitle(QStringLiteral("对话框"));
            result = dialog.exec();
        },
        "unexpected modal QDialog");
    EXPECT_EQ(result, QDialog::Rejected);
}

TEST_F(FixtureTest, ExpectedModalBoxGoesToTheHandlerWhichPressesTheChosenButton)
{
    QString seenText;
    expectModal([&](QWidget* modal) {
        seenText = qobject_cast<QMessageBox*>(modal)->text();
        EXPECT_TRUE(pressMessageBoxButton(modal, QMessageBox::No));
    });
    const auto answer = QMessageBox::question(nullptr, QStringLiteral("问"), QStringLiteral("继续？"),
                                              QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(answer, QMessageBox::No);
    EXPECT_EQ(seenText, QStringLiteral("继续？"));
    EXPECT_FALSE(modalExpected());
}

TEST_F(FixtureTest, HandlerThatLeavesTheBoxOpenFailsAndTheBoxIsClosedAnyway)
{
    EXPECT_NONFATAL_FAILURE(
        {
            expectModal([](QWidget*) {});
            QMessageBox box(QMessageBox::NoIcon, QStringLiteral("T"), QStringLiteral("x"),
                            QMessageBox::Ok);
            box.exec();
        },
        "left \"T\" open");
}

TEST_F(FixtureTest, PressDialogButtonClicksTheButtonWithThatCaption)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* accept = new QPushButton(QStringLiteral("确定"), &dialog);
    layout->addWidget(accept);
    QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    expectModal([](QWidget* modal) { EXPECT_TRUE(pressDialogButton(modal, QStringLiteral("确定"))); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

TEST_F(FixtureTest, FindChildByNameFindsTheNamedControlAndFailsWhenItIsMissing)
{
    QWidget root;
    root.setObjectName(QStringLiteral("form"));
    auto* edit = new QLineEdit(&root);
    edit->setObjectName(QStringLiteral("Text1"));
    EXPECT_EQ(findChildByName<QLineEdit>(&root, QStringLiteral("Text1")), edit);
    EXPECT_EQ(findChildByName<QWidget>(&root, QStringLiteral("form")), &root);

    bool threw = false;
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                findChildByName<QLineEdit>(&root, QStringLiteral("Text2"));
            } catch (const MissingWidget&) {
                threw = true;
            }
        },
        "no QLineEdit named \"Text2\"");
    EXPECT_TRUE(threw);

    auto* twin = new QLineEdit(&root);
    twin->setObjectName(QStringLiteral("Text1"));
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                findChildByName<QLineEdit>(&root, QStringLiteral("Text1"));
            } catch (const MissingWidget&) {
            }
        },
        "more than one QLineEdit named \"Text1\"");
}

TEST_F(FixtureTest, FakeAnswersFileDialogsInQueueOrderAndAnEmptyAnswerIsACancel)
{
    FakeUiServices fake;
    fake.queueFileAnswer(QStringLiteral("/tmp/a.txt"));
    fake.queueFileAnswer(QString());
    EXPECT_EQ(fake.getSaveFileName(nullptr, QStringLiteral("x.txt"), {QStringLiteral("文本文件(*.txt)")}),
              QStringLiteral("/tmp/a.txt"));
    EXPECT_EQ(fake.getOpenFileName(nullptr, QStringLiteral("/tmp/a.txt"), {}), QString());
    ASSERT_EQ(fake.dialogs.size(), 2u);
    EXPECT_EQ(fake.dialogs[0].kind, DialogKind::Save);
    EXPECT_EQ(fake.dialogs[0].currentName, QStringLiteral("x.txt"));
    EXPECT_EQ(fake.dialogs[1].kind, DialogKind::Open);

    QString answer = QStringLiteral("unchanged");
    EXPECT_NONFATAL_FAILURE(answer = fake.getOpenFileName(nullptr, QString(), {}),
                            "unexpected open file dialog");
    EXPECT_EQ(answer, QString());
}

TEST_F(FixtureTest, FakeRecordsMessagesAndLaunchesAndFailsLaunchesWhenTold)
{
    FakeUiServices fake;
    QWidget parent;
    fake.showMessage(&parent, QStringLiteral("提示"), QStringLiteral("数据未输入完整！"),
                     MessageIcon::Information);
    EXPECT_EQ(fake.lastMessage().parent, &parent);
    EXPECT_EQ(fake.lastMessage().text, QStringLiteral("数据未输入完整！"));

    QString error;
    EXPECT_TRUE(fake.startProgram(QStringLiteral("calc"), {QStringLiteral("-x")}, &error));
    EXPECT_TRUE(error.isEmpty());
    fake.programsSucceed = false;
    EXPECT_FALSE(fake.startProgram(QStringLiteral("calc"), {}, &error));
    EXPECT_EQ(error, fake.programError);
    fake.locationsSucceed = false;
    EXPECT_FALSE(fake.openLocation(QStringLiteral("/x.html"), &error));
    EXPECT_EQ(error, fake.locationError);
    ASSERT_EQ(fake.launches.size(), 2u);
    EXPECT_EQ(fake.launches[0].arguments, QStringList{QStringLiteral("-x")});
    EXPECT_FALSE(fake.launches[1].succeeded);
    ASSERT_EQ(fake.locations.size(), 1u);

    EXPECT_NONFATAL_FAILURE(FakeUiServices().lastMessage(), "no message was shown");
}

TEST_F(FixtureTest, ShownWindowIsListedUntilItIsClosed)
{
    QWidget window;
    showAndActivate(&window);
    EXPECT_EQ(visibleTopLevelWindows(), std::vector<QWidget*>{&window});
    EXPECT_EQ(QApplication::activeWindow(), &window);
    window.close();
    EXPECT_TRUE(visibleTopLevelWindows().empty());
}

}  // namespace
}  // namespace tarvelo::uitest
