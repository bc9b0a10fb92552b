#pragma once
// The cross-section table (横断面表) as the surveyor types it: one row per
// key station, the five columns of section_cells.h, texts kept exactly as
// typed. Built like ProfileTableModel: every change is one splice pushed on
// the undo stack it is given (cell edits, pastes, row inserts and deletes,
// imports), the texts are read again after each (ReadSectionRows) and
// textsChanged() is emitted; cells that do not read are marked (background
// and tooltip), and the row a table problem names once setRowIssue() is told.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "ui/route_window/tables/section_cells.h"

class QUndoStack;

namespace tarvelo {

class SectionTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // undo: the stack every edit goes on (the window's, shared with the other tables).
    explicit SectionTableModel(QUndoStack* undo, QObject* parent = nullptr);

    const std::vector<SectionRowTexts>& texts() const { return rows_; }
    const SectionRowsRead& read() const { return read_; }

    // Undoable edits as ProfileTableModel's: `what` names the step; a change
    // that changes nothing pushes nothing; paste writes the block right and
    // down from (row, column), adding rows below the last (false, nothing
    // changed, for an empty block or a column outside the table).
    void replaceRows(int first, int count, std::vector<SectionRowTexts> rows, const QString& what);
    void replaceAll(std::vector<SectionRowTexts> rows, const QString& what);
    bool paste(int row, int column, const std::vector<std::vector<std::string>>& block);
    void insertEmptyRows(int row, int count);
    void removeRowSet(std::vector<int> rows);
    void clearCells(const QModelIndexList& cells);

    // The row a table problem names (-1: none) and its sentence.
    void setRowIssue(int row, const QString& message);
    // Applies a splice without the undo stack (the undo command's work).
    void applySplice(int first, int count, const std::vector<SectionRowTexts>& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void textsChanged();

private:
    QUndoStack* undo_;
    std::vector<SectionRowTexts> rows_;
    SectionRowsRead read_;
    int issueRow_ = -1;
    QString issueMessage_;
};

}  // namespace tarvelo
