#pragma once
// 高程检测 in the 横断面 tab (levelPanel): surveyed points typed, pasted or
// imported (levelPointsTable), checked as `tarvelo-cli route level` checks
// them (levelResultsTable, the same texts): station, offset, side, the part
// (路基顶 lowered by the depth, or the slope the point's elevation selects),
// design elevation, Δh, 高/低 and 合格/超限 within the tolerance.
// levelDepthSpin: the layer's depth below the finished surface (0 as
// --depth); levelToleranceSpin: the tolerance (0.010 m as --tolerance-z);
// levelSummary: the counts and the largest |Δh| as the command sums up.
// Choosing a row draws that point's section with the point marked.

#include <vector>

#include "compute/slope_stake.h"
#include "core/files/point_file.h"
#include "ui/route_window/slope/point_results_panel.h"

class QDoubleSpinBox;

namespace tarvelo {

class LevelPanel : public PointResultsPanel {
    Q_OBJECT
public:
    // The command line's --tolerance-z when it is not given (m).
    static constexpr double kDefaultTolerance = 0.010;

    LevelPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);

    QDoubleSpinBox* depth() const { return depth_; }
    QDoubleSpinBox* tolerance() const { return tolerance_; }

protected:
    void compute() override;
    std::optional<std::pair<double, SectionMark>> markOf(int row) const override;

private:
    QDoubleSpinBox* depth_;
    QDoubleSpinBox* tolerance_;
    QLabel* summary_;
    std::vector<SurveyPoint> computed_;
    std::vector<LevelCheck> checks_;
};

}  // namespace tarvelo
