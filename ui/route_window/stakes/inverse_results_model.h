#pragma once
// The answers of a batch inverse as a read-only table (name, X, Y, station,
// offset, side), texts made once when the answers arrive.

#include <QAbstractTableModel>
#include <vector>

#include "ui/route_window/stakes/batch_inverse.h"

namespace tarvelo {

class InverseResultsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // route: the route the answers were found on (their stations are shown as its displayed stations).
    void setAnswers(const Route& route, const std::vector<InverseAnswer>& answers);
    const std::vector<AnswerTexts>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<AnswerTexts> rows_;
};

}  // namespace tarvelo
