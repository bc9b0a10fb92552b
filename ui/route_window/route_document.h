#pragma once
// The route being edited: the JD table, its undo stack, and the route built
// from it after every change (Route::Build is fast enough for every
// keystroke). What is wrong is reported as a status sentence and a marked
// row, never thrown: a half-typed table is the normal state of an editor.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>

#include "core/route.h"

namespace tarvelo {

class JdTableModel;

class RouteDocument : public QObject {
    Q_OBJECT
public:
    explicit RouteDocument(QObject* parent = nullptr);
    ~RouteDocument() override;

    JdTableModel* table() const { return table_; }
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

private:
    void rebuild();

    QUndoStack undo_;
    JdTableModel* table_;
    std::shared_ptr<const Route> route_;
    QString status_;
};

}  // namespace tarvelo
