#pragma once
// The answers of slope staking or of the level check as a read-only table:
// the command line's header and row texts (compute/slope_texts.h), made once
// when the answers arrive, so the window shows what tarvelo-cli prints. A
// row with a reason (the 说明 cell: the point could not be computed) is
// shaded.

#include <QAbstractTableModel>
#include <string>
#include <vector>

namespace tarvelo {

class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // header: the captions; left: the columns aligned left; reason: the
    // column whose text, when present, marks the row.
    ResultTableModel(std::vector<std::string> header, std::vector<int> left, int reason, QObject* parent = nullptr);

    void setRows(std::vector<std::vector<std::string>> rows);
    const std::vector<std::vector<std::string>>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<std::string> header_;
    std::vector<int> left_;
    int reason_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace tarvelo
