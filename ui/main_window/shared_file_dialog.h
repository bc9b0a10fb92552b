#pragma once
// CDg1: the main window's one file dialog, shared by its four file commands.
// It remembers the path last chosen in any of them and opens with it (empty
// the first time). The dialogs themselves come from UiServices.

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarvelo {

class UiServices;

class SharedFileDialog : public QObject {
    Q_OBJECT
public:
    // The dialog's parent window is `window`; the object is named CDg1.
    SharedFileDialog(UiServices& services, QWidget* window);

    // Shows the save / open dialog with the remembered name and these name
    // filters. Returns the chosen path, which is then remembered, or an empty
    // string when the user cancelled (the remembered name stays).
    QString chooseSaveFile(const QStringList& filters);
    QString chooseOpenFile(const QStringList& filters);

    const QString& fileName() const { return fileName_; }

private:
    QString remember(const QString& chosen);

    UiServices& services_;
    QWidget* window_;
    QString fileName_;
};

// The file types of the curve data file, and of the two reports.
QStringList CurveDataFilters();
QStringList ReportFilters();

}  // namespace tarvelo
