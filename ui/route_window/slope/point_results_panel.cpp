#include "ui/route_window/slope/point_results_panel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/route_window/slope/point_input.h"
#include "ui/route_window/slope/result_table_model.h"
#include "ui/route_window/slope/slope_design_inputs.h"
#include "ui/route_window/slope/table_views.h"

namespace tarvelo {

PointResultsPanel::PointResultsPanel(UiServices& services, QUndoStack* undo, QString& lastFolder,
                                     const char* prefix, const QString& table, std::vector<std::string> header,
                                     std::vector<int> left, int reason, QWidget* parent)
    : QWidget(parent), points_(new PointInput(services, undo, lastFolder, table, prefix, this)),
      results_(new ResultTableModel(std::move(header), std::move(left), reason, this))
{
    const QString p = QString::fromLatin1(prefix);
    setObjectName(p + QStringLiteral("Panel"));
    resultsTable_ = MakeResultView(results_, p + QStringLiteral("ResultsTable"), this);
    status_ = MakeStatusLine(p + QStringLiteral("Status"), this);
    connect(points_, &PointInput::pointsChanged, this, [this] { compute(); });
    const auto choose = [this](const QModelIndex& index) {
        if (const auto chosen = markOf(index.row())) emit pointChosen(chosen->first, chosen->second);
    };
    connect(resultsTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, choose);
    connect(resultsTable_, &QTableView::clicked, this, choose);
}

void PointResultsPanel::layOut(QLayout* underPoints, const QList<QWidget*>& underResults)
{
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(points_);
    if (underPoints) leftLayout->addLayout(underPoints);
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(resultsTable_);
    for (QWidget* w : underResults) rightLayout->addWidget(w);
    rightLayout->addWidget(status_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({380, 620});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
}

void PointResultsPanel::setDesign(std::shared_ptr<const SlopeDesignInputs> design)
{
    design_ = std::move(design);
    compute();
}

QString PointResultsPanel::missing() const
{
    return design_ ? QString::fromStdString(design_->missing()) : QStringLiteral("没有线路。");
}

}  // namespace tarvelo
