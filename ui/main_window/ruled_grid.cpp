#include "ui/main_window/ruled_grid.h"

#include <QPainter>

namespace tarvelo {

RuledGrid::RuledGrid(std::vector<int> columns, std::vector<int> rows, QWidget* parent)
    : QWidget(parent), columns_(std::move(columns)), rows_(std::move(rows))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuledGrid::paintEvent(QPaintEvent*)
{
    if (columns_.size() < 2 || rows_.size() < 2) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int left = columns_.front(), right = columns_.back();
    const int top = rows_.front(), bottom = rows_.back();
    for (int y : rows_) painter.drawLine(left, y, right, y);
    for (int x : columns_) painter.drawLine(x, top, x, bottom);
}

}  // namespace tarvelo
