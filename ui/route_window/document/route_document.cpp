#include "ui/route_window/document/route_document.h"

#include <QUndoCommand>
#include <exception>

#include "compute/route_text.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "core/plan/chainage.h"
#include "ui/route_window/tables/break_table_model.h"
#include "ui/route_window/tables/element_table_model.h"
#include "compute/route_station_text.h"
#include "ui/route_window/tables/jd_table_model.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

QString RouteSummary(const Route& route)
{
    const bool jd = route.method() == RouteMethod::Jd;
    return QStringLiteral("%1 个%2，%3 — %4，线路长 %5 m")
        .arg(jd ? route.curves().size() : route.elementRows().size())
        .arg(jd ? QStringLiteral("交点") : QStringLiteral("线元"))
        .arg(U(RouteStationText(route, route.start().station)), U(RouteStationText(route, route.end().station)),
             U(FormatFixed(route.length(), 3)));
}

class SetMethodCommand : public QUndoCommand {
public:
    SetMethodCommand(RouteDocument* document, RouteMethod before, RouteMethod after)
        : QUndoCommand(after == RouteMethod::Elements ? QStringLiteral("改用线元法")
                                                      : QStringLiteral("改用交点法")),
          document_(document), before_(before), after_(after)
    {
    }
    void redo() override { document_->applyMethod(after_); }
    void undo() override { document_->applyMethod(before_); }

private:
    RouteDocument* document_;
    RouteMethod before_, after_;
};

}  // namespace

RouteDocument::RouteDocument(QObject* parent)
    : QObject(parent), table_(new JdTableModel(&undo_, this)), elements_(new ElementTableModel(&undo_, this)),
      breaks_(new BreakTableModel(&undo_, this))
{
    // The other method's table is rebuilt too: cheap, and its marks are
    // then right when the surveyor switches to it.
    connect(table_, &JdTableModel::textsChanged, this, &RouteDocument::rebuild);
    connect(elements_, &ElementTableModel::textsChanged, this, &RouteDocument::rebuild);
    connect(breaks_, &BreakTableModel::textsChanged, this, &RouteDocument::rebuild);
    rebuild();
}

RouteDocument::~RouteDocument() = default;

TextTableModel* RouteDocument::activeTable() const
{
    if (method_ == RouteMethod::Elements) return elements_;
    return table_;
}

bool RouteDocument::hasError() const { return !route_ && activeTable()->rowCount() > 0; }

void RouteDocument::setMethod(RouteMethod method)
{
    if (method == method_) return;
    undo_.push(new SetMethodCommand(this, method_, method));
}

void RouteDocument::applyMethod(RouteMethod method)
{
    if (method == method_) return;
    method_ = method;
    emit methodChanged(method_);
    rebuild();
}

void RouteDocument::loadJdRows(std::vector<JdRowTexts> rows, const QString& what)
{
    // Within one method a load is the table's own step (none when nothing changes).
    if (method_ == RouteMethod::Jd) return table_->replaceAll(std::move(rows), what);
    undo_.beginMacro(what);
    table_->replaceAll(std::move(rows), what);
    setMethod(RouteMethod::Jd);
    undo_.endMacro();
}

void RouteDocument::loadElementRows(std::vector<ElementRowTexts> rows, const QString& what)
{
    if (method_ == RouteMethod::Elements) return elements_->replaceAll(std::move(rows), what);
    undo_.beginMacro(what);
    elements_->replaceAll(std::move(rows), what);
    setMethod(RouteMethod::Elements);
    undo_.endMacro();
}

void RouteDocument::setSpiralMode(SpiralMode mode)
{
    if (mode == spiralMode_) return;
    spiralMode_ = mode;
    rebuild();
}

void RouteDocument::rebuild()
{
    route_.reset();
    const bool elements = method_ == RouteMethod::Elements;
    TextTableModel* table = activeTable();
    if (table->rowCount() == 0) {
        // A new window: what to do, not what is wrong.
        status_ = elements ? QStringLiteral("请输入线元表（每行一个线元：直线、圆曲线或缓和曲线），"
                                            "或从“文件 → 导入线路”读入线元文件（Ctrl+O）。")
                           : QStringLiteral("请输入交点表（起点QD、交点JD、终点ZD），或从“文件 → 导入线路”读入（Ctrl+O）。");
        emit routeChanged();
        return;
    }
    // The status names the first cell the table refused; true when there is one.
    const auto firstProblem = [this](const auto& problems) {
        if (problems.empty()) return false;
        status_ = U(problems.front().message);
        if (problems.size() > 1) status_ += QStringLiteral("（另有 %1 处）").arg(problems.size() - 1);
        return true;
    };
    if ((elements ? firstProblem(elements_->read().problems) : firstProblem(table_->read().problems)) ||
        firstProblem(breaks_->read().problems)) {
        emit routeChanged();
        return;
    }
    try {
        const std::vector<BreakInput>& breaks = breaks_->read().rows;
        const auto build = [&](const std::vector<BreakInput>& b) {
            return elements ? Route::BuildElements(elements_->read().rows, b)
                            : Route::Build(table_->read().rows, spiralMode_, b);
        };
        Route::Built built = build(breaks);
        if (built.error) {
            status_ = U(built.error->message);
            table->setRowIssue(built.error->row, status_, true);
            // A break that does not fit the route: the route without breaks
            // tells which row of the break table it is.
            if (built.error->row < 0 && !breaks.empty()) {
                const Route::Built bare = build({});
                if (bare.route) {
                    const ChainageBuilt chained =
                        Chainage::Build(bare.route->start().station, bare.route->length(), breaks);
                    if (chained.error) breaks_->setRowIssue(chained.error->row, status_, true);
                }
            }
        } else {
            route_ = std::make_shared<const Route>(std::move(*built.route));
            status_ = RouteSummary(*route_);
            const auto& warnings = route_->warnings();
            if (!warnings.empty()) {
                status_ += QStringLiteral("。警告：") + U(warnings.front().message);
                if (warnings.size() > 1)
                    status_ += QStringLiteral("（另有 %1 条）").arg(warnings.size() - 1);
                table->setRowIssue(warnings.front().row, U(warnings.front().message), false);
            }
        }
    } catch (const std::exception& e) {
        // FloatFault and anything else the engine may throw: a message, not a crash.
        status_ = QString::fromUtf8(e.what());
    }
    emit routeChanged();
}

}  // namespace tarvelo
