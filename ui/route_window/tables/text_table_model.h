#pragma once
// The editable text tables of the route window (the JD table, the element
// table, the grade-point table, ...) share this model: rows of cell texts
// kept exactly as typed, every change one splice (rows [first, first +
// count) replaced by new rows) pushed on an undo stack, so cell edits,
// pastes, inserted and deleted rows and imports all undo and redo alike.
// After each change the texts are read again by the table's reader and
// textsChanged() is emitted; cells the reader refused are marked (background
// and tooltip), and the row a route or profile problem names is highlighted
// once setRowIssue() is told.
//
// TextTableModel holds what does not depend on the row type (the marks, the
// Qt roles, the signal); TextRowsModel<Row, Read> the rows and their edits.
// A table says what is particular to it through a few hooks: which cells
// take a value, a grey placeholder for an empty cell, which columns are
// left aligned.

#include <QAbstractTableModel>
#include <QString>
#include <QUndoStack>
#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "ui/route_window/tables/row_edits.h"
#include "ui/route_window/tables/splice_rows_command.h"

namespace tarvelo {

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The row a problem or warning names (-1 or out of range: none), its
    // sentence (the row's tooltip) and whether it stops the computation
    // (the error colour) or only warns.
    void setRowIssue(int row, const QString& message, bool error = true);
    int issueRow() const { return issueRow_; }

    // The edits every table offers, each one undo step (TextRowsModel below
    // says how).
    virtual bool paste(int row, int column, const std::vector<std::vector<std::string>>& block) = 0;
    virtual void insertEmptyRows(int row, int count) = 0;
    virtual void removeRowSet(std::vector<int> rows) = 0;
    virtual void clearCells(const QModelIndexList& cells) = 0;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void textsChanged();

protected:
    // captions: the column captions (UTF-8), `columns` of them; table: the
    // table's name in an edit's undo text ("" for the window's main table:
    // "编辑第 3 行 X"; "变坡点表": "编辑变坡点表第 3 行 X").
    TextTableModel(QUndoStack* undo, int columns, const char* const* captions, QString table,
                   QObject* parent);

    // The rows' side, given by TextRowsModel.
    virtual int textRowCount() const = 0;
    virtual const std::string& cellText(int row, int column) const = 0;
    // The reader's message for a refused cell; null when the cell reads.
    virtual const std::string* cellProblem(int row, int column) const = 0;
    virtual void editCell(int row, int column, std::string text, const QString& what) = 0;

    // The table's particulars.
    // Whether a cell takes a value at all (others are shaded grey).
    virtual bool cellUsed(int /*row*/, int /*column*/) const { return true; }
    // The tooltip of a cell that takes no value.
    virtual QString unusedCellTip() const { return {}; }
    // What an empty cell shows in grey (the name the computation will use).
    virtual QString placeholder(int /*row*/, int /*column*/) const { return {}; }
    virtual bool leftAligned(int /*column*/) const { return false; }

    // After a splice: the marks are stale (rows moved), every cell and row
    // header may read differently; tells the views and textsChanged().
    void spliced();

    QUndoStack* undo_;

private:
    int columns_;
    const char* const* captions_;
    QString table_;
    int issueRow_ = -1;
    QString issueMessage_;
    bool issueIsError_ = true;
};

// Row: a std::array of std::string cells; Read: what the reader makes of the
// rows, with a `problems` list of {row, column, message}.
template <class Row, class Read>
class TextRowsModel : public TextTableModel {
public:
    static constexpr int kColumns = static_cast<int>(std::tuple_size<Row>::value);
    using Reader = Read (*)(const std::vector<Row>&);

    const std::vector<Row>& texts() const { return rows_; }
    const Read& read() const { return read_; }

    // Undoable edits; `what` names the step in the undo menu. A change that
    // changes nothing pushes nothing.
    void replaceRows(int first, int count, std::vector<Row> rows, const QString& what)
    {
        first = std::clamp(first, 0, rowCount());
        count = std::clamp(count, 0, rowCount() - first);
        std::vector<Row> before(rows_.begin() + first, rows_.begin() + first + count);
        if (before == rows) return;  // nothing would change: no undo step either
        undo_->push(new SpliceRowsCommand<TextRowsModel, Row>(this, first, std::move(before),
                                                              std::move(rows), what));
    }
    void replaceAll(std::vector<Row> rows, const QString& what) { replaceRows(0, rowCount(), std::move(rows), what); }

    // Writes the block over the cells from (row, column) on, right and down;
    // rows below the last are added, fields beyond the last column dropped.
    // One undo step. false (and nothing changed) for an empty block or a
    // column outside the table.
    bool paste(int row, int column, const std::vector<std::vector<std::string>>& block) override
    {
        if (block.empty() || row < 0 || column < 0 || column >= kColumns) return false;
        row = std::min(row, rowCount());
        std::vector<Row> rows = PastedRows(rows_, row, column, block);
        const int replaced = std::min(static_cast<int>(block.size()), rowCount() - row);
        replaceRows(row, replaced, std::move(rows), QStringLiteral("粘贴"));
        return true;
    }

    // Empty rows before `row` (0..rowCount()); one undo step.
    void insertEmptyRows(int row, int count) override
    {
        if (count <= 0) return;
        replaceRows(row, 0, std::vector<Row>(count), QStringLiteral("插入行"));
    }

    // Removes the given rows (any order, duplicates and strays ignored): one
    // splice of the span from the first removed row to the last, the rows
    // between kept, so the whole delete is one step.
    void removeRowSet(std::vector<int> rows) override
    {
        rows = ExistingRows(std::move(rows), rowCount());
        if (rows.empty()) return;
        const int first = rows.front(), last = rows.back();
        std::vector<Row> kept;
        for (int r = first, k = 0; r <= last; ++r) {
            if (rows[k] == r) ++k;
            else kept.push_back(rows_[r]);
        }
        replaceRows(first, last - first + 1, std::move(kept), QStringLiteral("删除行"));
    }

    // Empties the given cells of this model (others ignored); one undo step.
    void clearCells(const QModelIndexList& cells) override
    {
        int first = rowCount(), last = -1;
        for (const QModelIndex& i : cells) {
            if (!i.isValid() || i.model() != this) continue;
            first = std::min(first, i.row());
            last = std::max(last, i.row());
        }
        if (last < first) return;
        std::vector<Row> rows(rows_.begin() + first, rows_.begin() + last + 1);
        for (const QModelIndex& i : cells)
            if (i.isValid() && i.model() == this) rows[i.row() - first][i.column()].clear();
        replaceRows(first, last - first + 1, std::move(rows), QStringLiteral("清除单元格"));
    }

    // Applies a splice without the undo stack (the undo command's work).
    void applySplice(int first, int count, const std::vector<Row>& rows)
    {
        const int common = std::min(count, static_cast<int>(rows.size()));
        std::copy(rows.begin(), rows.begin() + common, rows_.begin() + first);
        if (static_cast<int>(rows.size()) > count) {
            beginInsertRows({}, first + common, first + static_cast<int>(rows.size()) - 1);
            rows_.insert(rows_.begin() + first + common, rows.begin() + common, rows.end());
            endInsertRows();
        } else if (static_cast<int>(rows.size()) < count) {
            beginRemoveRows({}, first + common, first + count - 1);
            rows_.erase(rows_.begin() + first + common, rows_.begin() + first + count);
            endRemoveRows();
        }
        read_ = reader_(rows_);
        spliced();
    }

protected:
    TextRowsModel(QUndoStack* undo, const std::array<const char*, kColumns>& captions, Reader reader,
                  const QString& table, QObject* parent)
        : TextTableModel(undo, kColumns, captions.data(), table, parent), reader_(reader)
    {
        read_ = reader_(rows_);
    }

    int textRowCount() const override { return static_cast<int>(rows_.size()); }
    const std::string& cellText(int row, int column) const override { return rows_[row][column]; }
    const std::string* cellProblem(int row, int column) const override
    {
        for (const auto& p : read_.problems)
            if (p.row == row && p.column == column) return &p.message;
        return nullptr;
    }
    void editCell(int row, int column, std::string text, const QString& what) override
    {
        Row r = rows_[row];
        r[column] = std::move(text);
        replaceRows(row, 1, {std::move(r)}, what);
    }

private:
    Reader reader_;
    std::vector<Row> rows_;
    Read read_;
};

}  // namespace tarvelo
