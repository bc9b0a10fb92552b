#pragma once
// The three small windows of the main window's menus (azimuth and distance,
// angle/radian converter, About) and the help page. Each window exists at
// most once: shown with its defaults when first asked for, brought to the
// front with its current contents while open, created afresh after closing.
// They are modeless top-level windows without a parent, share nothing with
// the main window and delete themselves when closed: a pointer returned by a
// show function is valid until its window is closed.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace tarvelo {

class UiServices;

class ToolWindows : public QObject {
    Q_OBJECT
public:
    explicit ToolWindows(UiServices& services, QObject* parent = nullptr);
    ~ToolWindows() override;

    // Show the window (creating it with its defaults if it is not open) and
    // bring it to the front; return it.
    QWidget* showAzimuthTool();    // form 方位角和距离
    QWidget* showAngleConverter(); // form 角度转弧度
    QWidget* showAbout();          // form AAbout

    // Opens the program's own help page in the desktop's browser; on failure
    // shows a message (parent: the window that asked) and returns false.
    bool openHelp(QWidget* parent);

    // Closes every open tool window (the main window's Exit).
    void closeAll();

    // Where openHelp looks for the page, first match wins; by default
    // HelpPageCandidates() (help_page.h).
    void setHelpPageCandidates(const QStringList& candidates);

private:
    UiServices& services_;
    QPointer<QWidget> azimuth_, converter_, about_;
    QStringList helpCandidates_;
};

}  // namespace tarvelo
