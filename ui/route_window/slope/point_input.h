#pragma once
// The surveyed points of slope staking or the level check: a table of
// 点名, X, Y, H typed or pasted from a spreadsheet (the shared text table,
// one undo stack with the window), an import button reading a point file
// through the one point reader (ParsePointFile: name,X,Y,H CSV or CASS
// .dat), insert/delete buttons and a status line saying what was read or
// which cell is at fault. objectNames: <prefix>PointsTable,
// <prefix>ImportPointsButton, <prefix>InsertRowButton,
// <prefix>DeleteRowsButton, <prefix>PointsStatus.

#include <QGroupBox>
#include <QString>
#include <vector>

#include "core/files/point_file.h"

class QLabel;
class QTableView;
class QUndoStack;

namespace tarvelo {

class PointTableModel;
class UiServices;

class PointInput : public QGroupBox {
    Q_OBJECT
public:
    // table: the table's name in undo texts; prefix: of the objectNames.
    PointInput(UiServices& services, QUndoStack* undo, QString& lastFolder, const QString& table,
               const char* prefix, QWidget* parent = nullptr);

    PointTableModel* model() const { return model_; }
    QTableView* table() const { return table_; }
    // The points of the table, each with its elevation; empty while a cell
    // does not read (the status line then names it).
    const std::vector<SurveyPoint>& points() const;

    void importPoints();

signals:
    void pointsChanged();

private:
    void reread();

    UiServices& services_;
    QString& lastFolder_;
    PointTableModel* model_;
    QTableView* table_;
    QLabel* status_;
    QString read_;  // what the last import read
};

}  // namespace tarvelo
