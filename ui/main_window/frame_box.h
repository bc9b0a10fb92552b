#pragma once
// A frame of the fixed layout: a captioned group whose caption sits on its
// top border line, with its contents placed from the frame's top edge.

#include <QGroupBox>

namespace tarvelo {

class FrameBox : public QGroupBox {
public:
    FrameBox(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tarvelo
