#include "ui/route_window/slope/level_panel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QTableView>
#include <exception>

#include "compute/slope_texts.h"
#include "ui/route_window/slope/point_input.h"
#include "ui/route_window/slope/result_table_model.h"
#include "ui/route_window/slope/slope_design_inputs.h"
#include "ui/route_window/slope/table_views.h"

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
    : PointResultsPanel(services, undo, lastFolder, "level", QStringLiteral("检测点表"), LevelHeader(),
                        {kLevelName, kLevelStation, kLevelSide, kLevelPart, kLevelHighLow, kLevelVerdict,
                         kLevelReason},
                        kLevelReason, parent)
{
    resultsTable()->setToolTip(QStringLiteral("选中一行，横断面图画出该点所在桩号的设计断面并标出该点（×）"));
    depth_ = MetreSpin("levelDepthSpin", 0, 10,
                       QStringLiteral("检测层在路面以下的深度：0 为路面（设计高程），路床顶、基层顶等填其深度"), this);
    tolerance_ = MetreSpin("levelToleranceSpin", kDefaultTolerance, 1,
                           QStringLiteral("高差的限差：|高差| 不超过它为合格"), this);
    summary_ = MakeStatusLine(QStringLiteral("levelSummary"), this);
    // The depth and the tolerance under the points, so the panel stays narrow.
    auto* options = new QFormLayout;
    options->addRow(QStringLiteral("路面以下深度(&D)"), depth_);
    options->addRow(QStringLiteral("限差(&T) ±"), tolerance_);
    layOut(options, {summary_});
    connect(depth_, &QDoubleSpinBox::valueChanged, this, &LevelPanel::compute);
    connect(tolerance_, &QDoubleSpinBox::valueChanged, this, &LevelPanel::compute);
    compute();
}

void LevelPanel::compute()
{
    computed_.clear();
    checks_.clear();
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> names;
    const std::optional<SlopeDesign> d = design() ? design()->design() : std::nullopt;
    if (d) {
        for (const SurveyPoint& p : points()->points()) {
            LevelCheck c;
            try {
                c = ComputeLevelCheck(*d, p.x, p.y, *p.z, depth_->value(), tolerance_->value());
            } catch (const std::exception& e) {
                c = LevelCheck{};
                c.outcome = LevelOutcome::Outside;
                c.reason = e.what();
            }
            rows.push_back(LevelRowTexts(*design()->route(), p.name, *p.z, c));
            names.push_back(p.name);
            computed_.push_back(p);
            checks_.push_back(std::move(c));
        }
    }
    results()->setRows(std::move(rows));
    QStringList summary;
    if (!checks_.empty())
        for (const std::string& line : LevelSummaryLines(SummariseLevels(names, checks_)))
            summary << QString::fromStdString(line);
    summary_->setText(summary.join(QStringLiteral("  ")));
    status()->setText(d ? QString() : QStringLiteral("高程检测：") + missing());
}

std::optional<std::pair<double, SectionMark>> LevelPanel::markOf(int row) const
{
    if (row < 0 || row >= static_cast<int>(checks_.size())) return std::nullopt;
    const LevelCheck& c = checks_[std::size_t(row)];
    if (c.outcome == LevelOutcome::Outside) return std::nullopt;
    return std::make_pair(c.station, SectionMark{c.offset, *computed_[std::size_t(row)].z, std::nullopt, {}});
}

}  // namespace tarvelo
