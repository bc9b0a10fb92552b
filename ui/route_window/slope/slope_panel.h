#pragma once
// 边坡放样 in the 横断面 tab (slopePanel): surveyed ground points typed,
// pasted or imported (PointInput, slopePointsTable), and per point what
// `tarvelo-cli route slope` gives (slopeResultsTable, the same texts):
// station, offset, side, 填/挖, the hinge, the 坡脚/坡口 with its offset,
// coordinates, elevation and level, the move 向外/向内, the design elevation
// under the rod and Δh, or the reason it cannot be computed. A status line
// (slopeStatus) says what is missing. Choosing a result row draws that
// point's section with the point and its catch marked (pointChosen).

#include <QWidget>
#include <memory>
#include <vector>

#include "compute/slope_stake.h"
#include "core/files/point_file.h"
#include "ui/route_window/sections/section_view.h"

class QLabel;
class QTableView;
class QUndoStack;

namespace tarvelo {

class PointInput;
class ResultTableModel;
class SlopeDesignInputs;
class UiServices;

class SlopePanel : public QWidget {
    Q_OBJECT
public:
    SlopePanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);

    // The design the points are staked on (null: none); computes again.
    void setDesign(std::shared_ptr<const SlopeDesignInputs> design);

    PointInput* points() const { return points_; }
    ResultTableModel* results() const { return results_; }
    QTableView* resultsTable() const { return resultsTable_; }

signals:
    // The route's own station of a chosen result row and the point with its catch.
    void pointChosen(double station, const SectionMark& mark);

private:
    void compute();
    void choose(int row);

    PointInput* points_;
    ResultTableModel* results_;
    QTableView* resultsTable_;
    QLabel* status_;
    std::shared_ptr<const SlopeDesignInputs> design_;
    std::vector<SurveyPoint> computed_;  // the points of the result rows
    std::vector<SlopeStake> stakes_;     // their stakes (empty when not computed)
};

}  // namespace tarvelo
