#pragma once
// The desktop of the screenshot tools: every open dialog answers the one
// file given (or the files given, in turn), save dialogs are cancelled, and
// any message box is an error (printed; the tool ends with exit code 1).

#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "ui/ui_services.h"

namespace tarvelo {

class ScreenshotDesktop : public UiServices {
public:
    explicit ScreenshotDesktop(QString file) : file_(std::move(file)) {}
    // The open dialogs answer these in turn, then nothing (cancelled).
    explicit ScreenshotDesktop(QStringList files) : files_(std::move(files)), inTurn_(true) {}
    void showMessage(QWidget*, const QString& title, const QString& text, MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qUtf8Printable(title), qUtf8Printable(text));
        std::exit(1);
    }
    QString getSaveFileName(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString getOpenFileName(QWidget*, const QString&, const QStringList&) override
    {
        if (!inTurn_) return file_;
        return files_.isEmpty() ? QString() : files_.takeFirst();
    }
    bool startProgram(const QString&, const QStringList&, QString*) override { return false; }
    bool openLocation(const QString&, QString*) override { return false; }

private:
    QString file_;
    QStringList files_;
    bool inTurn_ = false;
};

}  // namespace tarvelo
