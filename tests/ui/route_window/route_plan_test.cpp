// The plan: survey orientation (north up, east right), one path per element
// in its kind's colour, labels only where they can be told apart, zoom about
// the cursor, fit on Home, centring on a table row, and the cursor's
// station in the status bar.

#include <QTest>
#include <QWheelEvent>
#include <set>

#include "compute/route_text.h"
#include "tests/ui/route_window/route_window_fixture.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace tarvelo::uitest {
namespace {

using RoutePlan = RouteWindowTest;

std::vector<ElementItem*> ElementPaths(PlanScene* scene)
{
    std::vector<ElementItem*> out;
    for (QGraphicsItem* item : scene->items())
        if (auto* element = qgraphicsitem_cast<ElementItem*>(item)) out.push_back(element);
    return out;
}

// The survey point at the centre of the view.
QPointF CentreSurvey(PlanView* view)
{
    const QPointF at = view->mapToScene(view->viewport()->rect().center());
    return {view->planScene()->frame().surveyX(at), view->planScene()->frame().surveyY(at)};
}

TEST_F(RoutePlan, NorthIsUpAndEastIsRightWithOnePathPerElementInItsKindsColour)
{
    importText(kRightAngleRoute);
    PlanView* view = route->planView();
    PlanScene* scene = view->planScene();
    // The first leg runs north from QD: up the screen.
    const QPointF qd = view->mapFromScene(scene->frame().toScene(0, 0));
    const QPointF zy = view->mapFromScene(scene->frame().toScene(700, 0));
    const QPointF zd = view->mapFromScene(scene->frame().toScene(1000, 1000));
    EXPECT_NEAR(zy.x(), qd.x(), 1);
    EXPECT_LT(zy.y(), qd.y() - 50);
    EXPECT_GT(zd.x(), zy.x() + 50);  // ZD lies east: to the right

    const Route engine = RouteOfText(kRightAngleRoute);
    const auto paths = ElementPaths(scene);
    ASSERT_EQ(paths.size(), engine.elements().size());  // tangent, arc, tangent
    std::set<QRgb> colours;
    for (ElementItem* p : paths) colours.insert(p->pen().color().rgb());
    EXPECT_EQ(colours.size(), 2u);  // no spirals here

    importText(kFiveJdRoute);
    const auto all = ElementPaths(route->planView()->planScene());
    colours.clear();
    for (ElementItem* p : all) colours.insert(p->pen().color().rgb());
    EXPECT_EQ(colours.size(), 3u);  // tangents, spirals and arcs apart
    EXPECT_EQ(all.size(), RouteOfText(kFiveJdRoute).elements().size());
}

TEST_F(RoutePlan, ArcPathFollowsTheCircleWithinTwoMillimetres)
{
    importText(kRightAngleRoute);
    PlanScene* scene = route->planView()->planScene();
    // The arc of R 300 turning right from north to east has its centre at
    // X 700, Y 300.
    for (ElementItem* p : ElementPaths(scene)) {
        if (p->kind() != ElementKind::Arc) continue;
        // The whole arc lies inside the item's bounds.
        const QPainterPath path = p->finePath();
        EXPECT_TRUE(p->boundingRect().contains(path.boundingRect()));
        ASSERT_GT(path.elementCount(), 10);
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPointF at(path.elementAt(i).x, path.elementAt(i).y);
            const double x = scene->frame().surveyX(at), y = scene->frame().surveyY(at);
            EXPECT_NEAR(std::hypot(x - 700, y - 300), 300, 1e-6);
        }
        // Midway between samples the chord lies within 2 mm of the circle.
        const QPointF a(path.elementAt(0).x, path.elementAt(0).y), b(path.elementAt(1).x, path.elementAt(1).y);
        const QPointF mid = (a + b) / 2;
        EXPECT_LE(300 - std::hypot(scene->frame().surveyX(mid) - 700, scene->frame().surveyY(mid) - 300), 0.002);
    }
}

TEST_F(RoutePlan, LabelsAppearOnlyOnceTheirPointsLieApartOnScreen)
{
    importText(kFiveJdRoute);
    PlanView* view = route->planView();
    view->fit();
    // The whole road (over 3 km) in a few hundred pixels: JD names only.
    const double fitted = view->pixelsPerMetre();
    EXPECT_LT(fitted, 0.5);
    EXPECT_EQ(view->planScene()->visibleLabelCount(), 5);
    // At 3 pixels a metre the 80 m spirals are 240 px long: every main point named.
    view->setPixelsPerMetre(3);
    // Five curves: ZH HY QZ YH HZ, less HY of JD2 (ZY) and YH of JD3 (YZ).
    EXPECT_EQ(view->planScene()->visibleLabelCount(), 5 + 23);
    // Home fits again.
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(view->pixelsPerMetre(), fitted);
}

TEST_F(RoutePlan, WheelZoomsAboutTheCursorWithinItsRange)
{
    importText(kFiveJdRoute);
    PlanView* view = route->planView();
    const QPoint cursor(view->viewport()->width() / 3, view->viewport()->height() / 4);
    const QPointF under = view->mapToScene(cursor);
    const double before = view->pixelsPerMetre();
    QWheelEvent wheel(cursor, view->viewport()->mapToGlobal(cursor), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_NEAR(view->pixelsPerMetre(), before * 1.5625, before * 1e-9);
    const QPointF after = view->mapFromScene(under);
    EXPECT_NEAR(after.x(), cursor.x(), 1.0);
    EXPECT_NEAR(after.y(), cursor.y(), 1.0);
    view->setPixelsPerMetre(1e9);
    EXPECT_EQ(view->pixelsPerMetre(), PlanView::kMaxPixelsPerMetre);
}

TEST_F(RoutePlan, ChoosingARowCentresItsPointAndTheCursorShowsItsStation)
{
    importText(kFiveJdRoute);
    const Route engine = RouteOfText(kFiveJdRoute);
    PlanView* view = route->planView();
    view->setPixelsPerMetre(2);
    table("curveTable")->setCurrentIndex(model("curveTable")->index(2, 0));
    QPointF centre = CentreSurvey(view);
    EXPECT_NEAR(centre.x(), engine.curves()[2].curve.X, 1.0);  // a pixel is half a metre
    EXPECT_NEAR(centre.y(), engine.curves()[2].curve.Y, 1.0);

    press("stakeButton");
    table("stakeTable")->setCurrentIndex(model("stakeTable")->index(40, 0));
    const auto* stakes = qobject_cast<StakeTableModel*>(model("stakeTable"));
    const auto stake = engine.PointAt(stakes->entry(40).station, 0, 90);
    ASSERT_TRUE(stake.has_value());
    centre = CentreSurvey(view);
    EXPECT_NEAR(centre.x(), stake->point.x, 1.0);
    EXPECT_NEAR(centre.y(), stake->point.y, 1.0);

    // The cursor over that stake: its station and side in the status bar.
    const QPoint over = view->mapFromScene(view->planScene()->frame().toScene(stake->point.x, stake->point.y));
    QTest::mouseMove(view->viewport(), over);
    const QString text = child<QLabel>("cursorStatus")->text();
    // Half a metre a pixel: the cursor's pixel lies within a metre of the stake.
    const QString want = QString::fromStdString(FormatKStation(stakes->entry(40).station, 0));
    const QString near1 = QString::fromStdString(FormatKStation(stakes->entry(40).station - 1, 0));
    const QString near2 = QString::fromStdString(FormatKStation(stakes->entry(40).station + 1, 0));
    EXPECT_TRUE(text.contains(want) || text.contains(near1) || text.contains(near2)) << text.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("X=337"))) << text.toStdString();
}

}  // namespace
}  // namespace tarvelo::uitest
