#pragma once
// The vertical profile being edited: the grade-point table and the profile
// built from it after every change (Profile::Build is fast enough for every
// keystroke). What is wrong is a status sentence and a marked row, never a
// box: a half-typed table is the normal state of an editor.

#include <QObject>
#include <QString>
#include <memory>

#include "core/profile/profile.h"

class QUndoStack;

namespace tarvelo {

class ProfileTableModel;

class ProfileDocument : public QObject {
    Q_OBJECT
public:
    // undo: the stack the table's edits go on.
    explicit ProfileDocument(QUndoStack* undo, QObject* parent = nullptr);
    ~ProfileDocument() override;

    ProfileTableModel* table() const { return table_; }
    // The profile of the current table; null while the table is empty or
    // does not make one.
    const std::shared_ptr<const Profile>& profile() const { return profile_; }
    // One line for the status bar: what is wrong, the profile's extent, or
    // "" while the table is empty.
    const QString& status() const { return status_; }
    // The table holds something that is not a profile.
    bool hasError() const { return error_; }

signals:
    // After every change of the table, with profile() and status() updated.
    void profileChanged();

private:
    void rebuild();

    ProfileTableModel* table_;
    std::shared_ptr<const Profile> profile_;
    QString status_;
    bool error_ = false;
};

}  // namespace tarvelo
