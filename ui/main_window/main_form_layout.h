#pragma once
// The main window 测量工程 as data: every frame, caption label, value cell,
// text box, option button, push button and ruled table with its place, and
// the builder that makes the widgets from those tables.
//
// Geometry is in pixels at 96 dpi as (x, y, width, height), relative to the
// client area or, for a control inside a frame, to that frame. Nothing is
// laid out at run time.

#include <QRect>
#include <QString>
#include <vector>

class QWidget;

namespace tarvelo {

// Client area of the main window (below the menu bar).
inline constexpr int kClientWidth = 635;
inline constexpr int kClientHeight = 521;

// The text of the hidden path field when the window opens.
inline const QString kInitialFileName =
    QStringLiteral("C:\\Documents and Settings\\Administrator\\桌面\\曲线要素.txt");

enum class ControlKind {
    Frame,       // captioned group (QGroupBox)
    Label,       // caption or value cell (QLabel)
    Box,         // single-line text box (QLineEdit)
    ResultsBox,  // multi-line text box with a vertical scroll bar (QPlainTextEdit)
    Option,      // option button (QRadioButton)
    Button,      // push button (QPushButton)
    Rules,       // the lines of a ruled table (RuledGrid)
    Hidden,      // hidden text field (QLineEdit, never shown)
};

struct ControlDef {
    ControlKind kind;
    QString name;     // objectName
    QString parent;   // objectName of the frame, empty for the client area
    QRect rect;
    QString text;     // caption or default text
    QString tooltip;  // empty: none
    // Rules only: x positions of the vertical and y positions of the
    // horizontal lines, in the frame's coordinates.
    std::vector<int> columns, rows;
    // A table heading in the smaller heading font.
    bool heading = false;
};

// Every control of the client area in creation order (frames before their
// contents, a table's rules before its labels).
const std::vector<ControlDef>& MainFormControls();

// objectNames in keyboard order; hidden and disabled ones are skipped by the
// toolkit.
const std::vector<QString>& MainFormTabOrder();

// Creates the controls of MainFormControls() on client, which must be empty,
// and sets the tab order. client gets the fixed client size.
void BuildMainForm(QWidget* client);

}  // namespace tarvelo
