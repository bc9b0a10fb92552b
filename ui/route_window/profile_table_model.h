#pragma once
// The grade-point table (变坡点表) as the surveyor types it: one row per
// grade point in station order, the three columns of profile_cells.h, texts
// kept exactly as typed.
//
// Every change is one splice (rows [first, first + count) replaced by new
// rows) pushed on the undo stack it is given, so cell edits, pastes, row
// inserts and deletes and imports all undo and redo alike. After each change
// the texts are read again (ReadProfileRows) and textsChanged() is emitted;
// cells that do not read are marked (background and tooltip), and the row a
// profile problem names is highlighted once setRowIssue() is told.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "ui/route_window/profile_cells.h"

class QUndoStack;

namespace tarvelo {

class ProfileTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // undo: the stack every edit goes on (the window's, shared with the JD
    // table, so one 撤销 undoes the last edit of either table).
    explicit ProfileTableModel(QUndoStack* undo, QObject* parent = nullptr);

    const std::vector<ProfileRowTexts>& texts() const { return rows_; }
    const ProfileRowsRead& read() const { return read_; }

    // Undoable edits; `what` names the step in the undo menu. A change that
    // changes nothing pushes nothing.
    void replaceRows(int first, int count, std::vector<ProfileRowTexts> rows, const QString& what);
    void replaceAll(std::vector<ProfileRowTexts> rows, const QString& what);
    // Writes the block over the cells from (row, column) on, right and down;
    // rows below the last are added, fields beyond the last column dropped.
    // One undo step. false (and nothing changed) for an empty block or a
    // column outside the table.
    bool paste(int row, int column, const std::vector<std::vector<std::string>>& block);
    void insertEmptyRows(int row, int count);
    // Removes the given rows (any order, duplicates and strays ignored); one undo step.
    void removeRowSet(std::vector<int> rows);
    // Empties the given cells; one undo step.
    void clearCells(const QModelIndexList& cells);

    // The row a profile problem names (-1: none) and its sentence.
    void setRowIssue(int row, const QString& message);

    // Applies a splice without the undo stack (the undo command's work).
    void applySplice(int first, int count, const std::vector<ProfileRowTexts>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void textsChanged();

private:
    const ProfileCellProblem* problemAt(int row, int column) const;

    QUndoStack* undo_;
    std::vector<ProfileRowTexts> rows_;
    ProfileRowsRead read_;
    int issueRow_ = -1;
    QString issueMessage_;
};

}  // namespace tarvelo
