#pragma once
// The route being edited: the JD table and the element table (线元表), the
// method that chooses between them (交点法 / 线元法), the spiral mode of a JD
// route, their undo stack, and the route built after every change
// (Route::Build and Route::BuildElements are fast enough for every
// keystroke), with the chain breaks of the break table. What is wrong is reported as a status sentence and a marked
// row, never thrown: a half-typed table is the normal state of an editor.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>

#include "core/plan/route.h"
#include "ui/route_window/tables/element_cells.h"
#include "ui/route_window/tables/jd_cells.h"

namespace tarvelo {

class BreakTableModel;
class ElementTableModel;
class JdTableModel;
class TextTableModel;

class RouteDocument : public QObject {
    Q_OBJECT
public:
    explicit RouteDocument(QObject* parent = nullptr);
    ~RouteDocument() override;

    JdTableModel* table() const { return table_; }
    ElementTableModel* elementTable() const { return elements_; }
    // The chain breaks (断链表) of either method's route: the stations typed
    // on the rows, and every station the window shows or takes, are then
    // displayed stations.
    BreakTableModel* breakTable() const { return breaks_; }
    // The table of the current method.
    TextTableModel* activeTable() const;

    RouteMethod method() const { return method_; }
    // Builds the route from the other table from now on; one undo step
    // ("改用线元法" / "改用交点法"), none when the method is already this one.
    void setMethod(RouteMethod method);
    // How a JD route's spirals are computed (exact by default); a setting,
    // not an edit: no undo step. An element route is always exact.
    SpiralMode spiralMode() const { return spiralMode_; }
    void setSpiralMode(SpiralMode mode);
    // Fills the JD table (or the element table) with these rows and makes
    // its method the current one: one undo step named `what` (an import).
    void loadJdRows(std::vector<JdRowTexts> rows, const QString& what);
    void loadElementRows(std::vector<ElementRowTexts> rows, const QString& what);
    // The method's change without the undo stack (the undo command's work).
    void applyMethod(RouteMethod method);
    QUndoStack* undoStack() { return &undo_; }

    // The route of the current table; null while the table does not make one.
    const std::shared_ptr<const Route>& route() const { return route_; }
    // One line for the status bar: what is wrong, or the route's size and
    // any warnings.
    const QString& status() const { return status_; }
    // No route, and the table is not empty: something in it is wrong.
    bool hasError() const;

signals:
    // After every change of the table, with route() and status() updated.
    void routeChanged();
    // The method changed (by setMethod, an undo or an import); routeChanged follows.
    void methodChanged(RouteMethod method);

private:
    void rebuild();

    QUndoStack undo_;
    JdTableModel* table_;
    ElementTableModel* elements_;
    BreakTableModel* breaks_;
    RouteMethod method_ = RouteMethod::Jd;
    SpiralMode spiralMode_ = SpiralMode::Exact;
    std::shared_ptr<const Route> route_;
    QString status_;
};

}  // namespace tarvelo
