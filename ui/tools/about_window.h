#pragma once
// Form AAbout: version, free-use notice and where to learn more. Clicking
// the picture (Image1) or the web-address line (Label5) opens the help page.

#include <QWidget>

#include <functional>

class QLabel;

namespace tarvelo {

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    // openPage is called with this window on each click of the picture or
    // the address line; it reports its own failures.
    explicit AboutWindow(std::function<void(QWidget*)> openPage, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(QWidget*)> openPage_;
    QLabel* image1_;
    QLabel* label5_;
};

}  // namespace tarvelo
