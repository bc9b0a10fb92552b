#pragma once
// 边坡放样 in the 横断面 tab (slopePanel): surveyed ground points typed,
// pasted or imported (slopePointsTable), and per point what `tarvelo-cli
// route slope` gives (slopeResultsTable, the same texts): station, offset,
// side, 填/挖, the hinge, the 坡脚/坡口 with its offset, coordinates,
// elevation and level, the move 向外/向内, the design elevation under the
// rod and Δh, or the reason it cannot be computed. The status line
// (slopeStatus) says what is missing. Choosing a result row draws that
// point's section with the point and its catch marked.

#include <vector>

#include "compute/slope_stake.h"
#include "core/files/point_file.h"
#include "ui/route_window/slope/point_results_panel.h"

namespace tarvelo {

class SlopePanel : public PointResultsPanel {
    Q_OBJECT
public:
    SlopePanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent = nullptr);

protected:
    void compute() override;
    std::optional<std::pair<double, SectionMark>> markOf(int row) const override;

private:
    std::vector<SurveyPoint> computed_;  // the points of the result rows
    std::vector<SlopeStake> stakes_;     // their stakes
};

}  // namespace tarvelo
