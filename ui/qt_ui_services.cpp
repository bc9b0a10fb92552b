#include "ui/qt_ui_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>
#ifdef Q_OS_WIN
#include <QDir>
#include <QStandardPaths>
#endif

namespace tarvelo {

namespace {

// Where a dialog opens. A name without a folder (the first dialog, or a
// suggested file name) opens in the working folder, which on Windows is the
// program's install folder or system32 when started from the Start menu:
// there such a name is placed in the user's Documents folder instead.
QString DialogStart(const QString& currentName)
{
#ifdef Q_OS_WIN
    if (QFileInfo(currentName).isRelative()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!documents.isEmpty()) return QDir(documents).filePath(currentName);
    }
#endif
    return currentName;
}

}  // namespace

void QtUiServices::showMessage(QWidget* parent, const QString& title, const QString& text,
                               MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtUiServices::getSaveFileName(QWidget* parent, const QString& currentName,
                                      const QStringList& filters) {
    return QFileDialog::getSaveFileName(parent, QString(), DialogStart(currentName), filters.join(";;"));
}

QString QtUiServices::getOpenFileName(QWidget* parent, const QString& currentName,
                                      const QStringList& filters) {
    return QFileDialog::getOpenFileName(parent, QString(), DialogStart(currentName), filters.join(";;"));
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
