#pragma once
// The total station's inputs beside the stake table (放样, stakeoutPanel):
// the instrument station X, Y and its mark's elevation H (instrumentX,
// instrumentY, instrumentH), the backsight as a point X, Y (backsightX,
// backsightY) or an azimuth in d.mmss (backsightAzimuth), the instrument
// and target heights (instrumentHeight, targetHeight) and the two names for
// the sheet (instrumentName, backsightName). The group is folded away until
// it is ticked (checkable, off at first). While ticked and the boxes read as a station,
// the stake table shows the stakeout columns (StakeSectionModel::
// setStakeout); what is missing or wrong is a line under the boxes
// (stakeoutStatus), never a box. "保存放样数据表…" (stakeoutReportAction)
// writes every stake (and its edge stakes) with WriteStakeoutReport.

#include <QGroupBox>
#include <QString>
#include <optional>

#include "ui/route_window/stakes/stake_section_model.h"

class QAction;
class QLabel;
class QLineEdit;

namespace tarvelo {

class UiServices;

// The boxes' texts, as typed.
struct StakeoutTexts {
    QString stationName, x, y, h, backsightName, backsightX, backsightY, backsightAzimuth, instrumentHeight,
        targetHeight;
};

// What the boxes say: a setup, or (when anything is typed) why there is none.
// Without any station coordinate typed: neither, an empty message. Each
// number by the lenient reader of the other boxes, finite; H and the two
// heights may be empty (no elevation differences; target height 0); the
// azimuth is d.mmss. The backsight's own rules (a point or an azimuth, not
// both, not on the station) are ComputeStakeout's, and its sentence is the
// message.
struct StakeoutTextsRead {
    std::optional<StakeoutSetup> setup;
    QString message;
};
StakeoutTextsRead ReadStakeoutTexts(const StakeoutTexts& texts);

class StakeoutPanel : public QGroupBox {
    Q_OBJECT
public:
    // stakes: the stake table's model, told of every change of the boxes.
    // lastFolder: the window's last used folder, read and updated by the
    // file dialog; it must outlive the panel.
    StakeoutPanel(UiServices& services, StakeSectionModel* stakes, QString& lastFolder,
                  QWidget* parent = nullptr);

    QAction* reportAction() const { return report_; }
    StakeoutTexts texts() const;
    void saveReport();

private:
    void inputsChanged();

    UiServices& services_;
    StakeSectionModel* stakes_;
    QString& lastFolder_;
    QLineEdit *name_, *x_, *y_, *h_, *backName_, *backX_, *backY_, *backAzimuth_, *instrumentHeight_,
        *targetHeight_;
    QLabel* status_;
    QAction* report_;
};

}  // namespace tarvelo
