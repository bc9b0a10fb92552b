#pragma once
// The lines of a ruled table: a rectangle from the first to the last of the
// given x and y positions, with a line at every position between. The grid
// sits behind the table's labels and lets every mouse event through.

#include <QWidget>
#include <vector>

namespace tarvelo {

class RuledGrid : public QWidget {
public:
    RuledGrid(std::vector<int> columns, std::vector<int> rows, QWidget* parent);

    const std::vector<int>& columns() const { return columns_; }
    const std::vector<int>& rows() const { return rows_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<int> columns_, rows_;
};

}  // namespace tarvelo
