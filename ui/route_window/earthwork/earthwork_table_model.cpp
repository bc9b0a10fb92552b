#include "ui/route_window/earthwork/earthwork_table_model.h"

#include "compute/earthwork_text.h"
#include "core/numbers/number_text.h"

namespace tarvelo {

namespace {

// The sections table's cells in the command line's columns.
const EarthworkColumn kSectionCells[EarthworkTableModel::kSectionColumns] = {
    kEwStation, kEwCutArea, kEwFillArea, kEwLeftBranch, kEwLeftOffset,
    kEwLeftZ,   kEwRightBranch, kEwRightOffset, kEwRightZ, kEwProblem};

const char* const kVolumeCaptions[EarthworkTableModel::kVolumeColumns] = {"起点桩号", "终点桩号", "距离", "挖方",
                                                                          "填方"};

QString U(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

EarthworkTableModel::EarthworkTableModel(Kind kind, QObject* parent) : QAbstractTableModel(parent), kind_(kind) {}

QColor EarthworkTableModel::flaggedBackground() { return QColor(255, 214, 214); }

void EarthworkTableModel::setResult(const std::vector<std::vector<std::string>>& table, const EarthworkResult& r)
{
    beginResetModel();
    rows_.clear();
    tips_.clear();
    if (kind_ == Kind::Sections) {
        for (std::size_t i = 0; i < table.size(); ++i) {
            std::vector<QString> row;
            for (EarthworkColumn c : kSectionCells) row.push_back(U(table[i][c]));
            rows_.push_back(std::move(row));
            tips_.push_back(U(r.sections[i].problem));
        }
    } else {
        // The interval ending at section i stands on its row in the command line's table.
        for (std::size_t i = 1; i < table.size(); ++i) {
            rows_.push_back({U(table[i - 1][kEwStation]), U(table[i][kEwStation]), U(table[i][kEwLength]),
                             U(table[i][kEwCut]), U(table[i][kEwFill])});
            const EarthworkInterval& v = r.intervals[i - 1];
            tips_.push_back(v.cut && v.fill ? QString()
                                            : QStringLiteral("两端断面有问题，本区间未计入合计。"));
        }
        if (!table.empty()) {
            rows_.push_back({QStringLiteral("合计"), QString(), QString(), U(FormatFixed(r.cut, 3)),
                             U(FormatFixed(r.fill, 3))});
            tips_.push_back(r.leftOut ? QStringLiteral("%1 个区间因断面有问题未计入").arg(r.leftOut) : QString());
        }
    }
    endResetModel();
}

void EarthworkTableModel::clear()
{
    beginResetModel();
    rows_.clear();
    tips_.clear();
    endResetModel();
}

int EarthworkTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int EarthworkTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return kind_ == Kind::Sections ? int(kSectionColumns) : int(kVolumeColumns);
}

QVariant EarthworkTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const std::size_t r = static_cast<std::size_t>(index.row());
    const bool flagged = !tips_[r].isEmpty() && !(kind_ == Kind::Volumes && r + 1 == rows_.size());
    switch (role) {
    case Qt::DisplayRole:
        return rows_[r][static_cast<std::size_t>(index.column())];
    case Qt::TextAlignmentRole: {
        const bool text = kind_ == Kind::Sections
                              ? index.column() == kLeftBranch || index.column() == kRightBranch ||
                                    index.column() == kProblem
                              : false;
        return text ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole:
        if (flagged) return flaggedBackground();
        return {};
    case Qt::ToolTipRole:
        if (tips_[r].isEmpty()) return {};
        return tips_[r];
    }
    return {};
}

QVariant EarthworkTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= columnCount()) return {};
    if (kind_ == Kind::Sections) return U(EarthworkTableHeader()[kSectionCells[section]]);
    return QString::fromUtf8(kVolumeCaptions[section]);
}

}  // namespace tarvelo
