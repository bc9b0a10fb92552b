#include "ui/route_window/profile/profile_document.h"

#include <exception>

#include "compute/route_station_text.h"
#include "compute/route_text.h"
#include "ui/route_window/tables/profile_table_model.h"

namespace tarvelo {

namespace {

// A grade point's station as typed: displayed, with its zone where given.
std::string PointStation(const GradePointInput& p)
{
    return FormatKStation(p.station) + (p.zone ? ZoneMark(*p.zone) : std::string());
}

}  // namespace

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ProfileDocument::ProfileDocument(QUndoStack* undo, QObject* parent)
    : QObject(parent), table_(new ProfileTableModel(undo, this))
{
    connect(table_, &ProfileTableModel::textsChanged, this, &ProfileDocument::rebuild);
    rebuild();
}

ProfileDocument::~ProfileDocument() = default;

void ProfileDocument::rebuild()
{
    profile_.reset();
    status_.clear();
    error_ = false;
    const ProfileRowsRead& read = table_->read();
    if (!read.problems.empty()) {
        error_ = true;
        status_ = QStringLiteral("纵断面：") + U(read.problems.front().message);
        if (read.problems.size() > 1)
            status_ += QStringLiteral("（另有 %1 处）").arg(read.problems.size() - 1);
    } else if (!read.rows.empty()) {
        try {
            Profile::Built built = Profile::Build(read.rows);
            if (built.error) {
                error_ = true;
                status_ = QStringLiteral("纵断面：") + U(built.error->message);
                // Each point's line is its row counted from 1 (ReadProfileRows).
                table_->setRowIssue(built.error->line - 1, U(built.error->message));
            } else {
                profile_ = std::make_shared<const Profile>(std::move(*built.profile));
                status_ = QStringLiteral("纵断面 %1 — %2，变坡点 %3 个，竖曲线 %4 个")
                              .arg(U(PointStation(profile_->points().front())),
                                   U(PointStation(profile_->points().back())))
                              .arg(profile_->points().size())
                              .arg(profile_->curves().size());
            }
        } catch (const std::exception& e) {
            // Whatever the engine may throw: a message, not a crash.
            error_ = true;
            status_ = QStringLiteral("纵断面：") + QString::fromUtf8(e.what());
        }
    }
    emit profileChanged();
}

}  // namespace tarvelo
