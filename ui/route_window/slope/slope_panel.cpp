#include "ui/route_window/slope/slope_panel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "compute/slope_texts.h"
#include "ui/route_window/slope/point_input.h"
#include "ui/route_window/slope/result_table_model.h"
#include "ui/route_window/slope/slope_design_inputs.h"

namespace tarvelo {

SlopePanel::SlopePanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent)
    : QWidget(parent),
      points_(new PointInput(services, undo, lastFolder, QStringLiteral("放样点表"), "slope", this)),
      results_(new ResultTableModel(SlopeHeader(),
                                    {kSlopeName, kSlopeStation, kSlopeSide, kSlopeBranch, kSlopeCatch, kSlopeMove,
                                     kSlopeReason},
                                    kSlopeReason, this))
{
    setObjectName(QStringLiteral("slopePanel"));
    resultsTable_ = MakeResultView(results_, QStringLiteral("slopeResultsTable"), this);
    resultsTable_->setToolTip(QStringLiteral("选中一行，横断面图画出该点所在桩号的设计断面，标出实测点（×）和坡脚/坡口（○）"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("slopeStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(resultsTable_);
    rightLayout->addWidget(status_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(points_);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 700});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(points_, &PointInput::pointsChanged, this, &SlopePanel::compute);
    connect(resultsTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    connect(resultsTable_, &QTableView::clicked, this, [this](const QModelIndex& index) { choose(index.row()); });
    compute();
}

void SlopePanel::setDesign(std::shared_ptr<const SlopeDesignInputs> design)
{
    design_ = std::move(design);
    compute();
}

void SlopePanel::compute()
{
    computed_.clear();
    stakes_.clear();
    std::vector<std::vector<std::string>> rows;
    QString why;
    const std::optional<SlopeDesign> design = design_ ? design_->design() : std::nullopt;
    if (!design) why = design_ ? QString::fromStdString(design_->missing()) : QStringLiteral("没有线路。");
    else if (!design->roadbed) why = QStringLiteral("没有路基模板：在“路基模板”表中输入或导入。");
    if (why.isEmpty()) {
        for (const SurveyPoint& p : points_->points()) {
            // Every point in the table has its elevation (the table requires H).
            SlopeStake s;
            try {
                s = ComputeSlopeStake(*design, p.x, p.y, *p.z);
            } catch (const std::exception& e) {
                s = SlopeStake{};
                s.outcome = SlopeOutcome::Outside;
                s.reason = e.what();
            }
            rows.push_back(SlopeRowTexts(*design_->route(), p.name, s));
            computed_.push_back(p);
            stakes_.push_back(std::move(s));
        }
    }
    results_->setRows(std::move(rows));
    status_->setText(why.isEmpty() ? QString() : QStringLiteral("边坡放样：") + why);
}

void SlopePanel::choose(int row)
{
    if (row < 0 || row >= static_cast<int>(stakes_.size())) return;
    const SlopeStake& s = stakes_[std::size_t(row)];
    if (s.outcome == SlopeOutcome::Outside) return;  // no station to draw
    SectionMark mark{s.offset, *computed_[std::size_t(row)].z, std::nullopt, {}};
    if (s.outcome == SlopeOutcome::Ok) {
        mark.grip = SectionVertex{s.catchPoint.offset, s.catchPoint.z};
        mark.gripLabel = s.branch == SlopeBranch::Fill ? QStringLiteral("坡脚") : QStringLiteral("坡口");
    }
    emit pointChosen(s.station, mark);
}

}  // namespace tarvelo
