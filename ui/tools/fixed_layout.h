#pragma once
// Placing controls at fixed 96-dpi pixel positions, as the tool windows are
// drawn: nothing is laid out at run time.

#include <QString>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarvelo {

// A label at (x, y); without a width it takes the size of its text.
QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& text, int x, int y,
                   int width = -1, int height = -1);
// A single-line text box at (x, y, width, height) holding `text`.
QLineEdit* PlaceTextBox(QWidget* parent, const char* name, const QString& text, int x, int y,
                        int width, int height);
QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int x,
                         int y, int width, int height);

// Makes `window` a fixed-size top-level window with the given client area
// and caption, in the 12-pixel font (9 pt at 96 dpi) its places were made
// for, so captions fit the same at every desktop font setting.
void SetUpToolWindow(QWidget* window, const char* formName, const QString& caption,
                     int clientWidth, int clientHeight);

// Box texts to engine strings and back (UTF-8 both ways).
std::string BoxText(const QLineEdit* box);
QString ToQString(const std::string& text);

}  // namespace tarvelo
