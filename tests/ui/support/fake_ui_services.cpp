#include "tests/ui/support/fake_ui_services.h"

#include <QApplication>

#include <gtest/gtest.h>

#include "tests/ui/support/qt_printers.h"

namespace tarvelo::uitest {

const RecordedMessage& FakeUiServices::lastMessage() const
{
    static const RecordedMessage none;
    if (messages.empty()) {
        ADD_FAILURE() << "no message was shown";
        return none;
    }
    return messages.back();
}

void FakeUiServices::reset()
{
    messages.clear();
    dialogs.clear();
    launches.clear();
    locations.clear();
    fileAnswers_.clear();
    programsSucceed = true;
    locationsSucceed = true;
}

void FakeUiServices::showMessage(QWidget* parent, const QString& title, const QString& text,
                                 MessageIcon icon)
{
    RecordedMessage m;
    m.parent = parent;
    m.liveParent = parent;
    m.title = title;
    m.text = text;
    m.icon = icon;
    m.focusAtMessage = QApplication::focusWidget();
    messages.push_back(m);
    if (onMessage) onMessage(messages.back());
}

QString FakeUiServices::nextFileAnswer(DialogKind kind, QWidget* parent,
                                       const QString& currentName, const QStringList& filters)
{
    RecordedDialog d;
    d.kind = kind;
    d.parent = parent;
    d.currentName = currentName;
    d.filters = filters;
    if (fileAnswers_.empty()) {
        ADD_FAILURE() << "unexpected " << (kind == DialogKind::Save ? "save" : "open")
                      << " file dialog starting at " << currentName
                      << "; treated as cancelled";
    } else {
        d.answer = fileAnswers_.front();
        fileAnswers_.pop_front();
    }
    dialogs.push_back(d);
    return d.answer;
}

QString FakeUiServices::getSaveFileName(QWidget* parent, const QString& currentName,
                                        const QStringList& filters)
{
    return nextFileAnswer(DialogKind::Save, parent, currentName, filters);
}

QString FakeUiServices::getOpenFileName(QWidget* parent, const QString& currentName,
                                        const QStringList& filters)
{
    return nextFileAnswer(DialogKind::Open, parent, currentName, filters);
}

bool FakeUiServices::startProgram(const QString& program, const QStringList& arguments,
                                  QString* error)
{
    launches.push_back({program, arguments, programsSucceed});
    if (!programsSucceed && error) *error = programError;
    return programsSucceed;
}

bool FakeUiServices::openLocation(const QString& location, QString* error)
{
    locations.push_back({location, locationsSucceed});
    if (!locationsSucceed && error) *error = locationError;
    return locationsSucceed;
}

}  // namespace tarvelo::uitest
