#include "ui/route_window/slope/slope_panel.h"

#include <QLabel>
#include <QTableView>
#include <exception>

#include "compute/slope_texts.h"
#include "ui/route_window/slope/point_input.h"
#include "ui/route_window/slope/result_table_model.h"
#include "ui/route_window/slope/slope_design_inputs.h"

namespace tarvelo {

SlopePanel::SlopePanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent)
    : PointResultsPanel(services, undo, lastFolder, "slope", QStringLiteral("放样点表"), SlopeHeader(),
                        {kSlopeName, kSlopeStation, kSlopeSide, kSlopeBranch, kSlopeCatch, kSlopeMove, kSlopeReason},
                        kSlopeReason, parent)
{
    resultsTable()->setToolTip(
        QStringLiteral("选中一行，横断面图画出该点所在桩号的设计断面，标出实测点（×）和坡脚/坡口（○）"));
    layOut(nullptr, {});
    compute();
}

void SlopePanel::compute()
{
    computed_.clear();
    stakes_.clear();
    std::vector<std::vector<std::string>> rows;
    QString why;
    const std::optional<SlopeDesign> d = design() ? design()->design() : std::nullopt;
    if (!d) why = missing();
    else if (!d->roadbed) why = QStringLiteral("没有路基模板：在“路基模板”表中输入或导入。");
    if (why.isEmpty()) {
        for (const SurveyPoint& p : points()->points()) {
            // Every point in the table has its elevation (the table requires H).
            SlopeStake s;
            try {
                s = ComputeSlopeStake(*d, p.x, p.y, *p.z);
            } catch (const std::exception& e) {
                s = SlopeStake{};
                s.outcome = SlopeOutcome::Outside;
                s.reason = e.what();
            }
            rows.push_back(SlopeRowTexts(*design()->route(), p.name, s));
            computed_.push_back(p);
            stakes_.push_back(std::move(s));
        }
    }
    results()->setRows(std::move(rows));
    status()->setText(why.isEmpty() ? QString() : QStringLiteral("边坡放样：") + why);
}

std::optional<std::pair<double, SectionMark>> SlopePanel::markOf(int row) const
{
    if (row < 0 || row >= static_cast<int>(stakes_.size())) return std::nullopt;
    const SlopeStake& s = stakes_[std::size_t(row)];
    if (s.outcome == SlopeOutcome::Outside) return std::nullopt;  // no station to draw
    SectionMark mark{s.offset, *computed_[std::size_t(row)].z, std::nullopt, {}};
    if (s.outcome == SlopeOutcome::Ok) {
        mark.grip = SectionVertex{s.catchPoint.offset, s.catchPoint.z};
        mark.gripLabel = s.branch == SlopeBranch::Fill ? QStringLiteral("坡脚") : QStringLiteral("坡口");
    }
    return std::make_pair(s.station, mark);
}

}  // namespace tarvelo
