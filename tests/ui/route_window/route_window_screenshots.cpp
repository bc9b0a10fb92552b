// Renders the route window offscreen with a route file (the shipped example)
// into DIR/route-window.png (JD table, curve table, plan with the 100 m
// stakes) and DIR/route-plan-curve.png (the plan zoomed into one curve, its
// main points and stakes labelled):
//
//   route_window_screenshots examples/route-example.csv docs [JD]
//
// JD is the curve of the second picture (default JD3). Any message box is an
// error: it is printed and the tool ends with exit code 1.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <algorithm>
#include <QPushButton>
#include <QSplitter>
#include <cstdio>

#include "core/plan/route.h"
#include "tests/ui/route_window/screenshot_desktop.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/route_window.h"

namespace {

bool Save(QWidget* widget, const QDir& dir, const char* file)
{
    QApplication::processEvents();
    const QString path = dir.filePath(QString::fromLatin1(file));
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qUtf8Printable(path));
        return false;
    }
    std::printf("%s\n", qUtf8Printable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: route_window_screenshots ROUTE_FILE DIR [JD]\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[2]));
    if (!dir.exists()) {
        std::fprintf(stderr, "no folder %s\n", argv[2]);
        return 2;
    }
    const std::string jdName = argc == 4 ? argv[3] : "JD3";

    tarvelo::ScreenshotDesktop desktop(QString::fromLocal8Bit(argv[1]));
    tarvelo::RouteWindow window(desktop, {});
    window.show();
    QApplication::processEvents();
    window.importRoute();
    const auto route = window.document()->route();
    if (!route) {
        std::fprintf(stderr, "the route is refused: %s\n", qUtf8Printable(window.document()->status()));
        return 1;
    }
    // 100 m stakes: apart on the plan of the whole road.
    window.findChild<QLineEdit*>(QStringLiteral("intervalEdit"))->setText(QStringLiteral("100"));
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    std::size_t jd = 0;
    while (jd < route->curves().size() && route->curves()[jd].name != jdName) ++jd;
    if (jd == route->curves().size()) {
        std::fprintf(stderr, "no %s in the route\n", jdName.c_str());
        return 2;
    }
    window.planView()->fit();
    std::printf("whole road at %.3f pixels a metre\n", window.planView()->pixelsPerMetre());
    bool ok = Save(&window, dir, "route-window.png");

    // One curve close up in a larger plan: its main points from ZH to HZ
    // and its JD fill the view, every main point named, the 20 m stakes
    // marked.
    window.findChild<QLineEdit*>(QStringLiteral("intervalEdit"))->setText(QStringLiteral("20"));
    window.findChild<QPushButton*>(QStringLiteral("stakeButton"))->click();
    window.resize(1800, 1150);
    // Most of the width to the plan, so the neighbouring curves' labels stay in view.
    window.findChild<QSplitter*>(QStringLiteral("mainSplitter"))->setSizes({450, 1350});
    QApplication::processEvents();
    const tarvelo::RouteCurve& curve = route->curves()[jd];
    double minX = curve.curve.X, maxX = minX, minY = curve.curve.Y, maxY = minY;
    for (const tarvelo::MainPoint& p : curve.points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    tarvelo::PlanView* plan = window.planView();
    const QSize view = plan->viewport()->size();
    // Room on every side for the labels outside the curve.
    const double fits = 0.7 * std::min(view.width() / (maxY - minY), view.height() / (maxX - minX));
    const double named = plan->planScene()->mainPointLabelScale(jd) * 1.02;
    const double scale = std::max(fits, named);
    plan->setPixelsPerMetre(scale);
    plan->centreOnSurvey((minX + maxX) / 2, (minY + maxY) / 2, false);
    std::printf("%s at %.2f pixels a metre, %d labels shown\n", jdName.c_str(), scale,
                plan->planScene()->visibleLabelCount());
    ok = Save(plan, dir, "route-plan-curve.png") && ok;
    return ok ? 0 : 1;
}
