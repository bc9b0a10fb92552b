#pragma once
// 复核, the design check in the route window: the design's stake table
// (逐桩坐标表) read from a file and checked, stake by stake, against the
// window's current route and, when one is loaded, its profile
// (compute/design_check.h). The panel holds the file button, the two
// tolerances, a summary and the table of every row, the rows that are not
// 相符 first and tinted; choosing a row centres the plan on its design point,
// and those rows are marked on the plan. The check is rerun whenever the
// route, the profile or a tolerance changes. Boxes and file dialogs go
// through UiServices; a bad tolerance is one message in the window's status
// bar, never a box.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "compute/design_check.h"
#include "core/files/design_table.h"
#include "core/profile/profile.h"
#include "core/plan/route.h"

class QLabel;
class QLineEdit;
class QModelIndex;
class QTableView;

namespace tarvelo {

class CheckTableModel;
class PlanView;
class ProfilePanel;
class RouteDocument;
class UiServices;

class CheckPanel : public QWidget {
    Q_OBJECT
public:
    // document, profile and plan belong to the window and outlive the panel.
    // lastFolder: the window's last used folder, read and updated by the
    // file dialogs.
    CheckPanel(UiServices& services, QString& lastFolder, RouteDocument* document, ProfilePanel* profile,
               PlanView* plan, QWidget* parent = nullptr);
    ~CheckPanel() override;

    // loadDesignButton: asks for a design stake table and checks it.
    void loadDesign();
    // saveCheckReportButton: writes the GBK report of the check shown.
    void saveReport();

    // The check shown; null without a route or a design table.
    const DesignCheckResult* result() const { return result_ ? &*result_ : nullptr; }
    const DesignTolerances& tolerances() const { return tolerances_; }
    CheckTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }

private:
    void recheck();
    void readTolerances();
    void centreOnRow(const QModelIndex& index);
    void tell(const QString& text);

    UiServices& services_;
    QString& lastFolder_;
    // The window's parts, which may go first when it is taken down.
    QPointer<RouteDocument> document_;
    QPointer<ProfilePanel> profilePanel_;
    QPointer<PlanView> plan_;
    CheckTableModel* model_;
    QTableView* table_;
    QLineEdit* tolerance_;
    QLineEdit* toleranceZ_;
    QLabel* designFile_;
    QLabel* summary_;

    std::optional<DesignTable> design_;
    QString designPath_;
    DesignTolerances tolerances_;
    std::optional<DesignCheckResult> result_;
    bool keepPlan_ = false;  // a rerun chooses the row again: the plan stays
};

}  // namespace tarvelo
