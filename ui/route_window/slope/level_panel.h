#pragma once
// 高程检测 in the 横断面 tab (levelPanel): surveyed points typed, pasted or
// imported (PointInput, levelPointsTable), checked as `tarvelo-cli route
// level` checks them (levelResultsTable, the same texts): station, offset,
// side, the part (路基顶 lowered by the depth, or the slope the point's
// elevation selects), design elevation, Δh, 高/低 and 合格/超限 within the
// tolerance. levelDepthSpin: the layer's depth below the finished surface
// (0 as --depth); levelToleranceSpin: the tolerance (0.010 m as
// --tolerance-z); levelSummary: the counts and the largest |Δh|. Choosing a
// row draws that point's section with the point marked (pointChosen).

#include <QWidget>
#include <memory>
#include <vector>

#include "compute/slope_stake.h"
#include "core/files/point_file.h"
#include "ui/route_window/sections/section_view.h"

class QDoubleSpinBox;
class QLabel;
class QTableView;
class QUndoStack;

namespace tarvelo {

class PointInput;
class ResultTableModel;
class SlopeDesignInputs;
class UiServices;

class LevelPanel : public QWidget {
    Q_OBJECT
public:
    // The command line's --tolerance-z when it is not given (m).
    static constexpr double kDefaultTolerance = 0.010;

    LevelPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);

    void setDesign(std::shared_ptr<const SlopeDesignInputs> design);

    PointInput* points() const { return points_; }
    ResultTableModel* results() const { return results_; }
    QTableView* resultsTable() const { return resultsTable_; }
    QDoubleSpinBox* depth() const { return depth_; }
    QDoubleSpinBox* tolerance() const { return tolerance_; }

signals:
    void pointChosen(double station, const SectionMark& mark);

private:
    void compute();
    void choose(int row);

    PointInput* points_;
    ResultTableModel* results_;
    QTableView* resultsTable_;
    QDoubleSpinBox* depth_;
    QDoubleSpinBox* tolerance_;
    QLabel* summary_;
    QLabel* status_;
    std::shared_ptr<const SlopeDesignInputs> design_;
    std::vector<SurveyPoint> computed_;
    std::vector<LevelCheck> checks_;
};

}  // namespace tarvelo
