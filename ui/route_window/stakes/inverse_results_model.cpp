#include "ui/route_window/stakes/inverse_results_model.h"

namespace tarvelo {

void InverseResultsModel::setAnswers(const Route& route, const std::vector<InverseAnswer>& answers)
{
    beginResetModel();
    rows_.clear();
    rows_.reserve(answers.size());
    for (const InverseAnswer& a : answers) rows_.push_back(AnswerTextsOf(route, a));
    endResetModel();
}

int InverseResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int InverseResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kAnswerColumns;
}

QVariant InverseResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(rows_[index.row()][index.column()]);
    if (role == Qt::TextAlignmentRole)
        return index.column() == kAnswerName || index.column() == kAnswerSide
                   ? int(Qt::AlignLeft | Qt::AlignVCenter)
                   : int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant InverseResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < kAnswerColumns ? QString::fromUtf8(kAnswerCaptions[section])
                                                        : QVariant();
    return section + 1;
}

}  // namespace tarvelo
