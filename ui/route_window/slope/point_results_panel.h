#pragma once
// What 边坡放样 and 高程检测 share: surveyed points on the left (PointInput),
// the answers on the right as a read-only table of the command line's texts
// with a status line under it, the design they are computed on, and the
// chosen row's point sent to the section drawing (pointChosen). A panel
// says how its points are computed (compute) and where a row's point lies
// (markOf).

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/route_window/sections/section_view.h"

class QLabel;
class QLayout;
class QTableView;
class QUndoStack;

namespace tarvelo {

class PointInput;
class ResultTableModel;
class SlopeDesignInputs;
class UiServices;

class PointResultsPanel : public QWidget {
    Q_OBJECT
public:
    // The design the points are computed on (null: none); computes again.
    void setDesign(std::shared_ptr<const SlopeDesignInputs> design);

    PointInput* points() const { return points_; }
    ResultTableModel* results() const { return results_; }
    QTableView* resultsTable() const { return resultsTable_; }

signals:
    // The route's own station of a chosen result row and its point (with its catch, when it has one).
    void pointChosen(double station, const SectionMark& mark);

protected:
    // prefix: of the objectNames (<prefix>Panel, <prefix>PointsTable,
    // <prefix>ResultsTable, <prefix>Status); table: the points table's name
    // in undo texts; header, left, reason: the result table's
    // (ResultTableModel).
    PointResultsPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, const char* prefix,
                      const QString& table, std::vector<std::string> header, std::vector<int> left, int reason,
                      QWidget* parent);

    // Places the widgets: `underPoints` (may be null) below the points,
    // `underResults` between the results and the status line. Call once
    // from the panel's constructor, then compute().
    void layOut(QLayout* underPoints, const QList<QWidget*>& underResults);

    // Fills the result table from the points and the design.
    virtual void compute() = 0;
    // The station and point of a result row; nullopt when it has none.
    virtual std::optional<std::pair<double, SectionMark>> markOf(int row) const = 0;

    const std::shared_ptr<const SlopeDesignInputs>& design() const { return design_; }
    // "没有线路。" and the like while the design cannot be computed.
    QString missing() const;
    QLabel* status() const { return status_; }

private:
    PointInput* points_;
    ResultTableModel* results_;
    QTableView* resultsTable_;
    QLabel* status_;
    std::shared_ptr<const SlopeDesignInputs> design_;
};

}  // namespace tarvelo
