// The route window on a 1,000-JD road (1,600 km) with its 2 m stake table
// (about 800,000 rows): building the plan, filling the stake table, placing
// its stakes on the plan, drawing the plan whole and zoomed in, and an edit
// of one JD cell with the route and plan that follow it.
//
//   QT_QPA_PLATFORM=offscreen build/bench/route_window_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QUndoStack>

#include "compute/route_table.h"
#include "core/plan/long_route.h"
#include "core/plan/route.h"
#include "ui/route_window/tables/jd_cells.h"
#include "ui/route_window/tables/jd_table_model.h"
#include "ui/route_window/plan/plan_view.h"
#include "ui/route_window/document/route_document.h"
#include "ui/route_window/stakes/stake_table_model.h"

namespace {

using namespace tarvelo;

const std::shared_ptr<const Route>& LongRoute()
{
    static const auto route = std::make_shared<const Route>(*Route::Build(LongRouteRows(1000)).route);
    return route;
}

RouteTableParams TwoMetres()
{
    RouteTableParams p;
    p.interval = 2;
    return p;
}

std::vector<PlanStake> Stakes(const StakeTableModel& table, const PlanFrame& frame)
{
    std::vector<PlanStake> out;
    out.reserve(table.size());
    for (std::size_t r = 0; r < table.size(); ++r) {
        const RouteTableRow row = table.computedRow(r);
        out.push_back({frame.toScene(row.stake.point.x, row.stake.point.y), row.entry.displayed,
                       !row.entry.kind.empty(), row.entry.twice ? row.entry.zone : -1});
    }
    return out;
}

void BM_PlanBuild1000Jds(benchmark::State& state)
{
    PlanScene scene;
    for (auto _ : state) {
        scene.setRoute(LongRoute());
        // The event loop polishes new items between two edits; without it
        // each removal would search the pending ones (quadratic, unreal).
        QCoreApplication::processEvents();
    }
    state.counters["elements"] = static_cast<double>(LongRoute()->elements().size());
}
BENCHMARK(BM_PlanBuild1000Jds)->Unit(benchmark::kMillisecond);

void BM_StakeTableFill2m(benchmark::State& state)
{
    StakeTableModel table;
    for (auto _ : state) table.fill(LongRoute(), TwoMetres());
    state.counters["rows"] = static_cast<double>(table.size());
}
BENCHMARK(BM_StakeTableFill2m)->Unit(benchmark::kMillisecond);

void BM_PlanStakes2m(benchmark::State& state)
{
    StakeTableModel table;
    table.fill(LongRoute(), TwoMetres());
    PlanScene scene;
    scene.setRoute(LongRoute());
    for (auto _ : state) scene.setStakes(Stakes(table, scene.frame()), 2);
}
BENCHMARK(BM_PlanStakes2m)->Unit(benchmark::kMillisecond);

// One frame of the plan, 800 × 500 pixels, with every stake loaded.
void DrawPlan(benchmark::State& state, double pixelsPerMetre)
{
    PlanView view;
    view.resize(800, 500);
    view.setRoute(LongRoute(), true);
    view.show();
    StakeTableModel table;
    table.fill(LongRoute(), TwoMetres());
    view.planScene()->setStakes(Stakes(table, view.planScene()->frame()), 2);
    view.fit();
    if (pixelsPerMetre > 0) {
        view.setPixelsPerMetre(pixelsPerMetre);
        const RouteCurve& middle = LongRoute()->curves()[500];
        view.centreOnSurvey(middle.points[2].x, middle.points[2].y, false);
    }
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        view.render(&painter);
    }
    state.counters["labels"] = view.planScene()->visibleLabelCount();
}
void BM_PlanDrawWhole(benchmark::State& state) { DrawPlan(state, 0); }
void BM_PlanDrawZoomed(benchmark::State& state) { DrawPlan(state, 4); }
BENCHMARK(BM_PlanDrawWhole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlanDrawZoomed)->Unit(benchmark::kMillisecond);

// A keystroke in the JD table: the table read, the route built, the plan
// rebuilt (what the window does after every edit).
void BM_EditOneCell1000Jds(benchmark::State& state)
{
    RouteDocument document;
    document.table()->replaceAll(JdTextsOf(LongRouteRows(1000)), QStringLiteral("load"));
    PlanScene scene;
    QObject::connect(&document, &RouteDocument::routeChanged,
                     [&] { scene.setRoute(document.route()); });
    JdTableModel* table = document.table();
    int n = 0;
    for (auto _ : state) {
        const QModelIndex r = table->index(500, kJdR);
        table->setData(r, QString::number(1000 + (++n % 2)), Qt::EditRole);
        QCoreApplication::processEvents();
    }
    if (!document.route()) state.SkipWithError("the edited route was refused");
}
BENCHMARK(BM_EditOneCell1000Jds)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
