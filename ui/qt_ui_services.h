#pragma once
// The real desktop behind UiServices: QMessageBox, QFileDialog, QProcess and
// QDesktopServices.

#include "ui/ui_services.h"

namespace tarvelo {

class QtUiServices : public UiServices {
public:
    void showMessage(QWidget* parent, const QString& title, const QString& text,
                     MessageIcon icon) override;
    QString getSaveFileName(QWidget* parent, const QString& currentName,
                            const QStringList& filters) override;
    QString getOpenFileName(QWidget* parent, const QString& currentName,
                            const QStringList& filters) override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      QString* error) override;
    bool openLocation(const QString& location, QString* error) override;
};

}  // namespace tarvelo
