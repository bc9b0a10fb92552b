#include "ui/route_window/slope/level_panel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
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

namespace {

QDoubleSpinBox* MetreSpin(const char* name, double value, double maximum, const QString& tip, QWidget* parent)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setDecimals(3);
    spin->setRange(0, maximum);
    spin->setSingleStep(0.005);
    spin->setSuffix(QStringLiteral(" m"));
    spin->setValue(value);
    spin->setToolTip(tip);
    return spin;
}

}  // namespace

LevelPanel::LevelPanel(UiServices& services, QUndoStack* undo, QString& lastFolder, QWidget* parent)
    : QWidget(parent),
      points_(new PointInput(services, undo, lastFolder, QStringLiteral("检测点表"), "level", this)),
      results_(new ResultTableModel(LevelHeader(),
                                    {kLevelName, kLevelStation, kLevelSide, kLevelPart, kLevelHighLow,
                                     kLevelVerdict, kLevelReason},
                                    kLevelReason, this))
{
    setObjectName(QStringLiteral("levelPanel"));
    resultsTable_ = MakeResultView(results_, QStringLiteral("levelResultsTable"), this);
    resultsTable_->setToolTip(QStringLiteral("选中一行，横断面图画出该点所在桩号的设计断面并标出该点（×）"));
    depth_ = MetreSpin("levelDepthSpin", 0, 10,
                       QStringLiteral("检测层在路面以下的深度：0 为路面（设计高程），路床顶、基层顶等填其深度"), this);
    tolerance_ = MetreSpin("levelToleranceSpin", kDefaultTolerance, 1,
                           QStringLiteral("高差的限差：|高差| 不超过它为合格"), this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("levelSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("levelStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);

    // The depth and the tolerance under the points, so the panel stays narrow.
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("路面以下深度(&D)"), depth_);
    options->addRow(QStringLiteral("限差(&T) ±"), tolerance_);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(points_);
    leftLayout->addLayout(options);
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(resultsTable_);
    rightLayout->addWidget(summary_);
    rightLayout->addWidget(status_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 700});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);

    connect(points_, &PointInput::pointsChanged, this, &LevelPanel::compute);
    connect(depth_, &QDoubleSpinBox::valueChanged, this, &LevelPanel::compute);
    connect(tolerance_, &QDoubleSpinBox::valueChanged, this, &LevelPanel::compute);
    connect(resultsTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    connect(resultsTable_, &QTableView::clicked, this, [this](const QModelIndex& index) { choose(index.row()); });
    compute();
}

void LevelPanel::setDesign(std::shared_ptr<const SlopeDesignInputs> design)
{
    design_ = std::move(design);
    compute();
}

void LevelPanel::compute()
{
    computed_.clear();
    checks_.clear();
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> names;
    const std::optional<SlopeDesign> design = design_ ? design_->design() : std::nullopt;
    if (design) {
        for (const SurveyPoint& p : points_->points()) {
            LevelCheck c;
            try {
                c = ComputeLevelCheck(*design, p.x, p.y, *p.z, depth_->value(), tolerance_->value());
            } catch (const std::exception& e) {
                c = LevelCheck{};
                c.outcome = LevelOutcome::Outside;
                c.reason = e.what();
            }
            rows.push_back(LevelRowTexts(*design_->route(), p.name, *p.z, c));
            names.push_back(p.name);
            computed_.push_back(p);
            checks_.push_back(std::move(c));
        }
    }
    results_->setRows(std::move(rows));
    QStringList summary;
    if (!checks_.empty())
        for (const std::string& line : LevelSummaryLines(SummariseLevels(names, checks_)))
            summary << QString::fromStdString(line);
    summary_->setText(summary.join(QStringLiteral("  ")));
    status_->setText(design ? QString()
                            : QStringLiteral("高程检测：") +
                                  (design_ ? QString::fromStdString(design_->missing()) : QStringLiteral("没有线路。")));
}

void LevelPanel::choose(int row)
{
    if (row < 0 || row >= static_cast<int>(checks_.size())) return;
    const LevelCheck& c = checks_[std::size_t(row)];
    if (c.outcome == LevelOutcome::Outside) return;
    emit pointChosen(c.station, SectionMark{c.offset, *computed_[std::size_t(row)].z, std::nullopt, {}});
}

}  // namespace tarvelo
