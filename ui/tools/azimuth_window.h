#pragma once
// Form 方位角和距离: grid azimuth and distance from point A to point B.

#include <QWidget>

class QLineEdit;

namespace tarvelo {

class UiServices;

class AzimuthWindow : public QWidget {
    Q_OBJECT
public:
    explicit AzimuthWindow(UiServices& services, QWidget* parent = nullptr);

private:
    void compute();   // "计算" (Command1)
    void clearAll();  // "清零" (Command2)

    UiServices& services_;
    QLineEdit* txtXa_;
    QLineEdit* txtYa_;
    QLineEdit* txtXb_;
    QLineEdit* txtYb_;
    QLineEdit* txtS_;
    QLineEdit* txtDu_;
    QLineEdit* txtFen_;
    QLineEdit* txtMiao_;
};

}  // namespace tarvelo
