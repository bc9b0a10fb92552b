#include "ui/qt_ui_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace tarvelo {

void QtUiServices::showMessage(QWidget* parent, const QString& title, const QString& text,
                               MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtUiServices::getSaveFileName(QWidget* parent, const QString& currentName,
                                      const QStringList& filters) {
    return QFileDialog::getSaveFileName(parent, QString(), currentName, filters.join(";;"));
}

QString QtUiServices::getOpenFileName(QWidget* parent, const QString& currentName,
                                      const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), currentName, filters.join(";;"));
}

bool QtUiServices::startProgram(const QString& program, const QStringList& arguments,
                                QString* error) {
    // startDetached with an argument list: no shell ever sees the arguments.
    if (QProcess::startDetached(program, arguments)) return true;
    if (error) *error = QStringLiteral("无法启动程序“%1”。").arg(program);
    return false;
}

bool QtUiServices::openLocation(const QString& location, QString* error) {
    const QUrl url = QFileInfo::exists(location) ? QUrl::fromLocalFile(location)
                                                 : QUrl(location);
    if (QDesktopServices::openUrl(url)) return true;
    if (error) *error = QStringLiteral("无法打开“%1”。").arg(location);
    return false;
}

}  // namespace tarvelo
