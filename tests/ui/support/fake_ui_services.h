#pragma once
// A UiServices for widget tests: shows nothing, records every call, answers
// file dialogs from a queue and launches nothing.

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

#include "ui/ui_services.h"

namespace tarvelo::uitest {

struct RecordedMessage {
    QWidget* parent = nullptr;   // address as passed (may be dangling later)
    QPointer<QWidget> liveParent;  // null once the parent is gone
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    QWidget* focusAtMessage = nullptr;  // QApplication::focusWidget() when shown
};

enum class DialogKind { Save, Open };

struct RecordedDialog {
    DialogKind kind = DialogKind::Open;
    QWidget* parent = nullptr;
    QString currentName;
    QStringList filters;
    QString answer;  // what the fake returned ("" = cancelled)
};

struct RecordedLaunch {
    QString program;
    QStringList arguments;
    bool succeeded = true;
};

struct RecordedLocation {
    QString location;
    bool succeeded = true;
};

class FakeUiServices : public UiServices {
public:
    // ---- what the code under test did, in order ----
    std::vector<RecordedMessage> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<RecordedLaunch> launches;
    std::vector<RecordedLocation> locations;

    // ---- how the fake answers ----
    // Answers for the next file dialogs (save and open alike), first in first
    // out; an empty string is a cancelled dialog. A dialog with no answer
    // queued fails the running test and is treated as cancelled.
    void queueFileAnswer(const QString& path) { fileAnswers_.push_back(path); }
    std::size_t pendingFileAnswers() const { return fileAnswers_.size(); }

    // startProgram / openLocation succeed unless set to fail; on failure the
    // caller receives the error sentence below.
    bool programsSucceed = true;
    QString programError = QStringLiteral("无法启动程序（测试）。");
    bool locationsSucceed = true;
    QString locationError = QStringLiteral("无法打开页面（测试）。");

    // Called for each message after it is recorded (e.g. to inspect the
    // window while the "box" is up).
    std::function<void(const RecordedMessage&)> onMessage;

    // The last message; fails the running test and returns an empty record
    // when there is none.
    const RecordedMessage& lastMessage() const;

    // Forgets every record and every queued answer; success flags reset.
    void reset();

    // UiServices
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageIcon icon) override;
    QString getSaveFileName(QWidget* parent, const QString& currentName,
                            const QStringList& filters) override;
    QString getOpenFileName(QWidget* parent, const QString& currentName,
                            const QStringList& filters) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      QString* error) override;
    bool openLocation(const QString& location, QString* error) override;

private:
    QString nextFileAnswer(DialogKind kind, QWidget* parent, const QString& currentName,
                           const QStringList& filters);

    std::deque<QString> fileAnswers_;
};

}  // namespace tarvelo::uitest
