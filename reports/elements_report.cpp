#include "reports/elements_report.h"

#include <map>

#include <QStringList>

#include "core/numbers/angles.h"
#include "core/numbers/float_fault.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

const char* const kStakeLabels[5] = {
    "直缓桩号ZH=", "缓圆桩号HY=", "曲中桩号QZ=", "圆缓桩号YH=", "缓直桩号HZ=",
};

const QString kRule = QString(26, QLatin1Char(' ')) + QString(33, QLatin1Char('-'));

// One field of an element line: its column, its label, and the index of its
// cell in ElementsReportInput::elements (the order of kElementNames).
struct ElementField {
    int column;
    const char* label;
    int cell;
};

// Cell indices: T1 0, T2 1, betao1 2, E 3, p1 4, p2 5, betao2 6, L 7, q1 8,
// q2 9, Dh 10, Ly 11.
const ElementField kElementLines[3][4] = {
    {{2, "切线长T1=", 0}, {22, "切线长T2 =", 1}, {41, "切线角βo1 =", 2}, {63, "外失距E =", 3}},
    {{2, "内移值p1=", 4}, {22, "内移值p2=", 5}, {41, "切线角βo2=", 6}, {63, "曲线长L=", 7}},
    {{2, "切线增值q1=", 8}, {21, "切线增值q2=", 9}, {39, "切曲差Dh=", 10}, {62, "圆曲线长Ly=", 11}},
};

// Places item at column n of the current (last) line: pads to n - 1, or,
// when the line already uses more than n - 1 columns, ends it and starts the
// item at column n of a new line.
void PlaceAt(QStringList& lines, int column, const QString& item)
{
    if (CharacterCount(lines.last()) > column - 1) lines.append(QString());
    PadToColumn(lines.last(), column);
    lines.last() += item;
}

void AddBlank(QStringList& lines, int count)
{
    for (int i = 0; i < count; ++i) lines.append(QString());
}

QString StakeLine(int row, const ElementsReportInput& input)
{
    const MainStakeTexts& cells = input.stakes[row];
    QString line = QStringLiteral(" ");
    line += QString::fromUtf8(kStakeLabels[row]);
    line += QString::fromStdString(FormatStation(input.stations[row], 3));
    line += QStringLiteral(" , 坐标X=") + QString::fromStdString(cells.x);
    line += QStringLiteral(" , 坐标Y=") + QString::fromStdString(cells.y);
    line += QStringLiteral(" , 切线方位角FWJ=") + QString::fromStdString(cells.azimuth);
    return line;
}

}  // namespace

FileResult<ElementsReportInput> ElementsReportInputFromDisplay(
    const ElementsDisplay& display, const std::array<double, 5>& stations)
{
    if (display.fault)
        return FileResult<ElementsReportInput>::Failure(
            QStringLiteral("曲线要素未能算完（%1），不能保存要素表。").arg(QString::fromStdString(*display.fault)));
    std::map<std::string, std::string> cells;
    for (const Cell& cell : display.cells) cells[cell.first] = cell.second;
    const auto text = [&cells](const char* name, std::string* out) {
        const auto it = cells.find(name);
        if (it == cells.end()) return false;
        *out = it->second;
        return true;
    };

    ElementsReportInput input;
    input.stations = stations;
    bool complete = true;
    for (int row = 0; row < 5; ++row) {
        complete &= text(kMainStakeCells[row][1], &input.stakes[row].x);
        complete &= text(kMainStakeCells[row][2], &input.stakes[row].y);
        complete &= text(kMainStakeCells[row][3], &input.stakes[row].azimuth);
    }
    for (int i = 0; i < 12; ++i) complete &= text(kElementNames[i], &input.elements[i]);
    if (!complete)
        return FileResult<ElementsReportInput>::Failure(
            QStringLiteral("曲线要素表不完整，不能保存要素表。请先点击“计算要素”按钮。"));
    return FileResult<ElementsReportInput>::Success(std::move(input));
}

QString ElementsReportText(const ElementsReportInput& input)
{
    QStringList lines;
    AddBlank(lines, 3);
    lines.append(QString(29, QLatin1Char(' ')) + QStringLiteral("曲线五大桩坐标及切线方位角"));
    lines.append(kRule);
    AddBlank(lines, 1);
    for (int row = 0; row < 5; ++row) {
        lines.append(StakeLine(row, input));
        AddBlank(lines, row < 4 ? 1 : 2);
    }
    lines.append(QString(37, QLatin1Char(' ')) + QStringLiteral("曲线要素表"));
    lines.append(kRule);
    for (int l = 0; l < 3; ++l) {
        AddBlank(lines, 1);
        lines.append(QString());
        for (const ElementField& field : kElementLines[l])
            PlaceAt(lines, field.column,
                    QString::fromUtf8(field.label) + QString::fromStdString(input.elements[field.cell]));
    }
    AddBlank(lines, 6);
    lines.append(QStringLiteral("计算：") + QString(32, QLatin1Char(' ')) + QStringLiteral("复核：") +
                 QString(32, QLatin1Char(' ')) + QStringLiteral("监理："));
    return JoinLinesCrLf(lines);
}

FileStatus WriteElementsReport(const QString& path, const ElementsReportInput& input)
{
    QString text;
    try {
        text = ElementsReportText(input);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("要素表未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteTextFile(path, text);
}

}  // namespace tarvelo
