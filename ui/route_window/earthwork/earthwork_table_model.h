#pragma once
// An earthwork result as read-only tables, texts made once when the result
// arrives, cell for cell those of tarvelo-cli route earthwork
// (compute/earthwork_text.h):
//  - Sections (earthworkSectionsTable): 桩号, 挖方面积, 填方面积, 左侧,
//    左偏距, 左高程, 右侧, 右偏距, 右高程, 问题; one row a section, a
//    section with a problem tinted with the problem as its tooltip.
//  - Volumes (earthworkVolumesTable): 起点桩号, 终点桩号, 距离, 挖方, 填方;
//    one row an interval between consecutive sections, then 合计 with the
//    totals; an interval without volumes tinted.

#include <QAbstractTableModel>
#include <QColor>
#include <string>
#include <vector>

#include "compute/earthwork.h"

namespace tarvelo {

class EarthworkTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Sections, Volumes };
    // The sections table's columns.
    enum SectionColumn { kStation, kCutArea, kFillArea, kLeftBranch, kLeftOffset, kLeftZ, kRightBranch, kRightOffset,
                         kRightZ, kProblem, kSectionColumns };
    // The volume table's columns.
    enum VolumeColumn { kFrom, kTo, kLength, kCut, kFill, kVolumeColumns };

    EarthworkTableModel(Kind kind, QObject* parent = nullptr);

    // tableRows: EarthworkTableRows(route, result).
    void setResult(const std::vector<std::vector<std::string>>& tableRows, const EarthworkResult& result);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The background of a section with a problem and of an interval without volumes.
    static QColor flaggedBackground();

private:
    Kind kind_;
    std::vector<std::vector<QString>> rows_;
    std::vector<QString> tips_;  // per row: the problem, or empty
};

}  // namespace tarvelo
