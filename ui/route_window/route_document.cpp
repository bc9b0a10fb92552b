#include "ui/route_window/route_document.h"

#include <exception>

#include "compute/route_text.h"
#include "core/float_fault.h"
#include "core/number_text.h"
#include "ui/route_window/jd_table_model.h"

namespace tarvelo {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

QString RouteSummary(const Route& route)
{
    return QStringLiteral("%1 个交点，%2 — %3，线路长 %4 m")
        .arg(route.curves().size())
        .arg(U(FormatKStation(route.start().station)), U(FormatKStation(route.end().station)),
             U(FormatFixed(route.length(), 3)));
}

}  // namespace

RouteDocument::RouteDocument(QObject* parent)
    : QObject(parent), table_(new JdTableModel(&undo_, this))
{
    connect(table_, &JdTableModel::textsChanged, this, &RouteDocument::rebuild);
    rebuild();
}

RouteDocument::~RouteDocument() = default;

bool RouteDocument::hasError() const { return !route_ && table_->rowCount() > 0; }

void RouteDocument::rebuild()
{
    route_.reset();
    if (table_->rowCount() == 0) {
        // A new window: what to do, not what is wrong.
        status_ = QStringLiteral("请输入交点表（起点QD、交点JD、终点ZD），或从“文件 → 导入线路”读入（Ctrl+O）。");
        emit routeChanged();
        return;
    }
    const JdRowsRead& read = table_->read();
    if (!read.problems.empty()) {
        status_ = U(read.problems.front().message);
        if (read.problems.size() > 1)
            status_ += QStringLiteral("（另有 %1 处）").arg(read.problems.size() - 1);
        emit routeChanged();
        return;
    }
    try {
        Route::Built built = Route::Build(read.rows);
        if (built.error) {
            status_ = U(built.error->message);
            table_->setRowIssue(built.error->row, status_, true);
        } else {
            route_ = std::make_shared<const Route>(std::move(*built.route));
            status_ = RouteSummary(*route_);
            const auto& warnings = route_->warnings();
            if (!warnings.empty()) {
                status_ += QStringLiteral("。警告：") + U(warnings.front().message);
                if (warnings.size() > 1)
                    status_ += QStringLiteral("（另有 %1 条）").arg(warnings.size() - 1);
                table_->setRowIssue(warnings.front().row, U(warnings.front().message), false);
            }
        }
    } catch (const std::exception& e) {
        // FloatFault and anything else the engine may throw: a message, not a crash.
        status_ = QString::fromUtf8(e.what());
    }
    emit routeChanged();
}

}  // namespace tarvelo
