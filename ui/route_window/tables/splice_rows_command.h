#pragma once
// The one undo step of the editable text tables: rows [first, first +
// before.size()) become `after`, and back. Model is a table model with
// applySplice(first, count, rows); Row its row of cell texts.

#include <QString>
#include <QUndoCommand>
#include <utility>
#include <vector>

namespace tarvelo {

template <class Model, class Row>
class SpliceRowsCommand : public QUndoCommand {
public:
    SpliceRowsCommand(Model* model, int first, std::vector<Row> before, std::vector<Row> after,
                      const QString& what)
        : QUndoCommand(what), model_(model), first_(first), before_(std::move(before)),
          after_(std::move(after))
    {
    }
    void redo() override { model_->applySplice(first_, static_cast<int>(before_.size()), after_); }
    void undo() override { model_->applySplice(first_, static_cast<int>(after_.size()), before_); }

private:
    Model* model_;
    int first_;
    std::vector<Row> before_, after_;
};

}  // namespace tarvelo
