#pragma once
// The route's definition in the route window: the method (methodCombo: 交点法
// with the JD table, 线元法 with the element table elementTable), the spiral
// mode of a JD route (spiralCombo: the exact clothoid or the main window's
// series; disabled for 线元法), and a stack (methodStack) showing the table
// of the method chosen. Both tables keep their rows while the other is
// shown; the document builds the route from the one chosen.

#include <QWidget>

class QComboBox;
class QStackedWidget;
class QTableView;

namespace tarvelo {

class RouteDocument;

class RouteMethodPane : public QWidget {
    Q_OBJECT
public:
    // jdPane: the window's JD table with its buttons, shown for 交点法.
    RouteMethodPane(RouteDocument* document, QWidget* jdPane, QWidget* parent = nullptr);

    QTableView* elementTable() const { return elementTable_; }
    // The table of the method chosen (for the focus after a message).
    QWidget* currentTable() const;

private:
    QWidget* buildElementPane();
    void showMethod();

    RouteDocument* document_;
    QComboBox* method_;
    QComboBox* spiral_;
    QStackedWidget* stack_;
    QWidget* jdPane_;
    QTableView* elementTable_ = nullptr;
};

}  // namespace tarvelo
