#pragma once
// What the windows ask of the desktop: message boxes, file names, starting
// programs and opening pages. The program uses QtUiServices; tests put in a
// fake that answers without showing anything.

#include <QString>
#include <QStringList>

#include "tarvelo_version.h"

class QWidget;

namespace tarvelo {

enum class MessageIcon { Information, None };

class UiServices {
public:
    virtual ~UiServices() = default;

    // A modal box with one OK button; returns when it is closed.
    virtual void showMessage(QWidget* parent, const QString& title, const QString& text,
                             MessageIcon icon) = 0;

    // The standard save / open dialog, starting with `currentName`. filters are
    // Qt name filters such as "文本文件(*.txt)". Returns the chosen path, or an
    // empty string when the user cancelled.
    virtual QString getSaveFileName(QWidget* parent, const QString& currentName,
                                    const QStringList& filters) = 0;
    virtual QString getOpenFileName(QWidget* parent, const QString& currentName,
                                    const QStringList& filters) = 0;

    // Starts a program without waiting for it, with an argument list (never
    // through a shell). On failure returns false and sets *error to a
    // sentence for the user.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              QString* error) = 0;

    // Opens a local file or address in the desktop's browser or viewer.
    virtual bool openLocation(const QString& location, QString* error) = 0;
};

// The application title that messages without their own title carry.
inline const QString kApplicationTitle = QStringLiteral("Tarvelo V" TARVELO_VERSION);
// The title of every validation message.
inline const QString kMessageTitle = QStringLiteral("提示");

}  // namespace tarvelo
