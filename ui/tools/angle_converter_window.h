#pragma once
// Form 角度转弧度: degrees, minutes and seconds to radians and back.

#include <QWidget>

class QLineEdit;

namespace tarvelo {

class UiServices;

class AngleConverterWindow : public QWidget {
    Q_OBJECT
public:
    explicit AngleConverterWindow(UiServices& services, QWidget* parent = nullptr);

private:
    void toRadians();  // "角度->弧度" (Command1)
    void toDegrees();  // "弧度->角度" (Command2)
    void clearAll();   // "清零" (Command3)

    // The strict value of `box`; on a text that is not a number shows the
    // message, moves the focus to the box and returns false.
    bool readStrict(QLineEdit* box, const QString& boxName, double* value);

    UiServices& services_;
    QLineEdit* text1_;  // degrees
    QLineEdit* text2_;  // minutes
    QLineEdit* text3_;  // seconds
    QLineEdit* text4_;  // radians
};

}  // namespace tarvelo
