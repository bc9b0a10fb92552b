#include "ui/route_window/stakes/stakeout_panel.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cmath>
#include <exception>

#include "core/numbers/angles.h"
#include "core/numbers/number_text.h"
#include "reports/stakeout_report.h"
#include "ui/ui_services.h"

namespace tarvelo {

namespace {

// A finite number of a box, or nullopt for an empty box; *bad when the text
// is not one.
std::optional<double> Number(const QString& text, bool* bad)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    double v = 0;
    if (!ParseWholeNumber(t.toStdString(), &v) || !std::isfinite(v)) {
        *bad = true;
        return std::nullopt;
    }
    return v;
}

}  // namespace

StakeoutTextsRead ReadStakeoutTexts(const StakeoutTexts& t)
{
    StakeoutTextsRead out;
    if (t.x.trimmed().isEmpty() && t.y.trimmed().isEmpty()) return out;
    const struct {
        const QString* text;
        const char* what;
    } boxes[] = {{&t.x, "测站X"},          {&t.y, "测站Y"},          {&t.h, "测站高程H"},
                 {&t.backsightX, "后视点X"}, {&t.backsightY, "后视点Y"}, {&t.backsightAzimuth, "后视方位角"},
                 {&t.instrumentHeight, "仪器高"}, {&t.targetHeight, "棱镜高"}};
    std::optional<double> v[8];
    for (int i = 0; i < 8; ++i) {
        bool bad = false;
        v[i] = Number(*boxes[i].text, &bad);
        if (bad) {
            out.message = QStringLiteral("%1不是数：“%2”。").arg(QString::fromUtf8(boxes[i].what), boxes[i].text->trimmed());
            return out;
        }
    }
    if (!v[0] || !v[1]) {
        out.message = QStringLiteral("请输入测站的坐标%1。").arg(v[0] ? QStringLiteral("Y") : QStringLiteral("X"));
        return out;
    }
    StakeoutSetup setup;
    setup.station.name = t.stationName.trimmed().toStdString();
    setup.station.x = *v[0];
    setup.station.y = *v[1];
    setup.station.elevation = v[2];
    setup.station.instrumentHeight = v[6];
    setup.station.targetHeight = v[7].value_or(0);
    setup.backsight.name = t.backsightName.trimmed().toStdString();
    setup.backsight.x = v[3];
    setup.backsight.y = v[4];
    try {
        if (v[5]) setup.backsight.azimuth = DmsToDegrees(*v[5]);
    } catch (const std::exception& e) {
        out.message = QString::fromUtf8(e.what());
        return out;
    }
    // The backsight's rules are the engine's: asked with no stakes.
    const StakeoutResult check = ComputeStakeout(setup.station, setup.backsight, {});
    if (check.refusal) {
        out.message = QString::fromStdString(*check.refusal);
        return out;
    }
    out.setup = std::move(setup);
    return out;
}

StakeoutPanel::StakeoutPanel(UiServices& services, StakeSectionModel* stakes, QString& lastFolder,
                             QWidget* parent)
    : QGroupBox(QStringLiteral("全站仪放样"), parent), services_(services), stakes_(stakes),
      lastFolder_(lastFolder)
{
    setObjectName(QStringLiteral("stakeoutPanel"));
    // Folded away until ticked: the stake table keeps its room while no
    // total station is in use.
    setCheckable(true);
    setChecked(false);
    setFlat(true);
    const int folded = fontMetrics().height() + 4;  // the title's check box alone
    setMaximumHeight(folded);
    setToolTip(QStringLiteral("勾选后输入测站和后视，逐桩坐标表加上放样方位角、水平角、平距和高差"));
    auto* content = new QWidget(this);
    content->setVisible(false);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 2, 6, 2);
    outer->addWidget(content);
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto box = [&](QLineEdit*& edit, const char* name, const char* caption, const QString& tip,
                         int row, int column, const QString& text = {}) {
        edit = new QLineEdit(text, content);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(tip);
        auto* label = new QLabel(QString::fromUtf8(caption), content);
        label->setBuddy(edit);
        grid->addWidget(label, row, 2 * column);
        grid->addWidget(edit, row, 2 * column + 1);
        connect(edit, &QLineEdit::textChanged, this, &StakeoutPanel::inputsChanged);
    };
    box(name_, "instrumentName", "测站", QStringLiteral("测站点名（放样数据表用）"), 0, 0, QStringLiteral("J"));
    box(x_, "instrumentX", "X", QStringLiteral("测站坐标 X (m)"), 0, 1);
    box(y_, "instrumentY", "Y", QStringLiteral("测站坐标 Y (m)"), 0, 2);
    box(h_, "instrumentH", "H", QStringLiteral("测站高程 (m)，可空；有它和仪器高才算高差"), 0, 3);
    box(instrumentHeight_, "instrumentHeight", "仪器高", QStringLiteral("仪器高 (m)，可空"), 0, 4);
    box(backName_, "backsightName", "后视", QStringLiteral("后视点名（放样数据表用）"), 1, 0, QStringLiteral("K"));
    box(backX_, "backsightX", "X", QStringLiteral("后视点坐标 X (m)；或只填后视方位角"), 1, 1);
    box(backY_, "backsightY", "Y", QStringLiteral("后视点坐标 Y (m)；或只填后视方位角"), 1, 2);
    box(backAzimuth_, "backsightAzimuth", "方位角", QStringLiteral("后视方位角 (d.mmss)；有后视点时空着"), 1, 3);
    box(targetHeight_, "targetHeight", "棱镜高", QStringLiteral("棱镜高 (m)，空着为 0"), 1, 4);
    status_ = new QLabel(content);
    status_->setObjectName(QStringLiteral("stakeoutStatus"));
    status_->setTextFormat(Qt::PlainText);
    status_->setStyleSheet(QStringLiteral("color: #b00000;"));
    status_->setVisible(false);
    grid->addWidget(status_, 2, 0, 1, 10);
    connect(this, &QGroupBox::toggled, this, [this, content, folded](bool on) {
        content->setVisible(on);
        setFlat(!on);  // folded: the check box alone, no empty frame
        setMaximumHeight(on ? QWIDGETSIZE_MAX : folded);
        inputsChanged();
    });

    report_ = new QAction(QStringLiteral("保存放样数据表…"), this);
    report_->setObjectName(QStringLiteral("stakeoutReportAction"));
    connect(report_, &QAction::triggered, this, &StakeoutPanel::saveReport);
}

StakeoutTexts StakeoutPanel::texts() const
{
    return {name_->text(),   x_->text(),         y_->text(),           h_->text(),
            backName_->text(), backX_->text(), backY_->text(), backAzimuth_->text(),
            instrumentHeight_->text(), targetHeight_->text()};
}

void StakeoutPanel::inputsChanged()
{
    StakeoutTextsRead read = isChecked() ? ReadStakeoutTexts(texts()) : StakeoutTextsRead{};
    status_->setText(read.message);
    status_->setVisible(!read.message.isEmpty());
    stakes_->setStakeout(std::move(read.setup));
}

void StakeoutPanel::saveReport()
{
    const StakeoutTextsRead read = isChecked() ? ReadStakeoutTexts(texts()) : StakeoutTextsRead{};
    const auto tell = [this](const QString& text, QWidget* focus = nullptr) {
        services_.showMessage(window(), kMessageTitle, text, MessageIcon::Information);
        if (focus) focus->setFocus();
    };
    if (!read.setup)
        return tell(read.message.isEmpty() ? QStringLiteral("请先勾选“全站仪放样”，输入测站坐标和后视。")
                                           : read.message,
                    x_);
    if (stakes_->size() == 0) return tell(QStringLiteral("请先点击“计算逐桩坐标”！"));
    StakeoutResult result;
    try {
        result = ComputeStakeout(read.setup->station, read.setup->backsight, stakes_->stakeoutTargets());
    } catch (const std::exception& e) {
        return tell(QString::fromUtf8(e.what()));
    }
    if (result.refusal) return tell(QString::fromStdString(*result.refusal));
    const QString name = QStringLiteral("放样数据表.txt");
    const QString path = services_.getSaveFileName(
        window(), lastFolder_.isEmpty() ? name : QDir(lastFolder_).filePath(name),
        {QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件(*.*)")});
    if (path.isEmpty()) return;
    lastFolder_ = QFileInfo(path).absolutePath();
    const FileStatus written =
        WriteStakeoutReport(path, read.setup->station, read.setup->backsight, *result.data);
    if (!written.ok()) tell(*written.error);
}

}  // namespace tarvelo
