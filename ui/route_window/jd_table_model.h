#pragma once
// The JD table as the surveyor types it: one row per point (QD, the JDs,
// ZD), the seven columns of jd_cells.h, texts kept exactly as typed.
//
// Every change is one splice (rows [first, first + count) replaced by new
// rows) pushed on the undo stack, so a cell edit, a paste, inserting and
// deleting rows and an import all undo and redo alike. After each change the
// texts are read again (ReadJdRows) and textsChanged() is emitted; cells that
// do not read are marked (background and tooltip), and the row a route
// problem names is highlighted once setRowIssue() is told.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "ui/route_window/jd_cells.h"

class QUndoStack;

namespace tarvelo {

class JdTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit JdTableModel(QUndoStack* undo, QObject* parent = nullptr);

    const std::vector<JdRowTexts>& texts() const { return rows_; }
    // The texts read as route rows, and the cells that did not read.
    const JdRowsRead& read() const { return read_; }

    // Undoable edits; `what` names the step in the undo menu.
    void replaceRows(int first, int count, std::vector<JdRowTexts> rows, const QString& what);
    void replaceAll(std::vector<JdRowTexts> rows, const QString& what);
    // Writes the block over the cells from (row, column) on, right and down;
    // rows below the last are added, fields beyond the last column dropped.
    // One undo step. Returns false (and changes nothing) for an empty block.
    bool paste(int row, int column, const std::vector<std::vector<std::string>>& block);
    // Empty rows before `row` (0..rowCount()); one undo step.
    void insertEmptyRows(int row, int count);
    // Removes the given rows (any order, duplicates ignored); one undo step.
    void removeRowSet(std::vector<int> rows);

    // The row a route problem or warning names (-1: none) and its sentence.
    void setRowIssue(int row, const QString& message, bool error);

    // Applies a splice without the undo stack (the undo command's work).
    void applySplice(int first, int count, const std::vector<JdRowTexts>& rows);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void textsChanged();

private:
    const JdCellProblem* problemAt(int row, int column) const;

    QUndoStack* undo_;
    std::vector<JdRowTexts> rows_;
    JdRowsRead read_;
    int issueRow_ = -1;
    QString issueMessage_;
    bool issueIsError_ = false;
};

}  // namespace tarvelo
