#include "reports/xlsx_table_text.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "core/files/header_row.h"

namespace tarvelo {

namespace {

using Row = std::map<int, const XlsxCell*>;  // by column

QString Letters(int col)
{
    std::string name = XlsxCellName(1, col);
    name.pop_back();
    return QString::fromStdString(name);
}

QString Sheet(const XlsxSheet& s) { return QString::fromStdString(s.name); }

QString CellAt(const XlsxSheet& s, int row, int col)
{
    return QStringLiteral("单元格 %1").arg(QString::fromStdString(XlsxReference(s.name, row, col)));
}

// A header cell's text: its own, or the value of the merged range it lies in.
std::string HeaderText(const XlsxSheet& s, const std::map<int, Row>& rows, int row, int col)
{
    const auto value = [&](int r, int c) -> std::string {
        const auto rit = rows.find(r);
        if (rit == rows.end()) return {};
        const auto cit = rit->second.find(c);
        return cit == rit->second.end() ? std::string() : cit->second->text;
    };
    std::string own = value(row, col);
    if (!own.empty()) return own;
    for (const XlsxRange& m : s.merged)
        if (row >= m.firstRow && row <= m.lastRow && col >= m.firstCol && col <= m.lastCol)
            return value(m.firstRow, m.firstCol);
    return {};
}

bool IsWord(const std::string& text)
{
    const std::string key = HeaderKey(text);
    const auto& words = TableColumnWords();
    return std::find(words.begin(), words.end(), key) != words.end();
}

// The columns a header row spans, merged ranges included.
std::set<int> HeaderColumns(const XlsxSheet& s, const std::map<int, Row>& rows, int row)
{
    std::set<int> cols;
    if (const auto it = rows.find(row); it != rows.end())
        for (const auto& [c, cell] : it->second) cols.insert(c);
    for (const XlsxRange& m : s.merged)
        if (row >= m.firstRow && row <= m.lastRow)
            for (int c = m.firstCol; c <= m.lastCol && c <= 16383; ++c) cols.insert(c);
    return cols;
}

int WordCount(const XlsxSheet& s, const std::map<int, Row>& rows, int row)
{
    std::set<std::string> found;
    for (int c : HeaderColumns(s, rows, row)) {
        const std::string t = HeaderText(s, rows, row, c);
        if (IsWord(t)) found.insert(HeaderKey(t));
    }
    return int(found.size());
}

bool HasNumber(const std::map<int, Row>& rows, int row)
{
    const auto it = rows.find(row);
    if (it == rows.end()) return false;
    for (const auto& [c, cell] : it->second)
        if (cell->kind == XlsxCell::Kind::Number) return true;
    return false;
}

bool StartsWith(const std::string& s, const char* head) { return s.rfind(head, 0) == 0; }

bool IsTotal(const std::string& text)
{
    std::string t = text;
    t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
    for (const char* w : {"合计", "总计", "小计", "共计"})
        if (StartsWith(t, w)) return true;
    return false;
}

// Why a cell's value cannot stand in the comma table, or empty.
QString FieldFault(const XlsxSheet& s, const XlsxCell& cell, bool first)
{
    const QString at = CellAt(s, cell.row, cell.col);
    switch (cell.kind) {
    case XlsxCell::Kind::NoValue:
        return at + QStringLiteral(" 是公式，工作簿中没有它的计算结果：请在 Excel 中打开、重新计算并保存后再读。");
    case XlsxCell::Kind::Error:
        return at + QStringLiteral(" 的值是错误 %1。").arg(QString::fromStdString(cell.text));
    default:
        break;
    }
    for (const char c : cell.text) {
        if (c == ',' || c == '\t' || c == '\n' || c == '\r')
            return at + QStringLiteral("“%1”含有逗号、制表符或换行，不能作为表格的一栏。")
                            .arg(QString::fromStdString(cell.text).simplified());
        if ((unsigned char)c < 0x20) return at + QStringLiteral(" 含有控制字符。");
    }
    if (first && cell.text.find_first_not_of(' ') != std::string::npos &&
        cell.text[cell.text.find_first_not_of(' ')] == '#')
        return at + QStringLiteral("“%1”以 # 开头，会被当作注释行。").arg(QString::fromStdString(cell.text));
    return {};
}

}  // namespace

FileResult<XlsxTableText> SheetTableText(const XlsxSheet& s)
{
    using R = FileResult<XlsxTableText>;
    std::map<int, Row> rows;
    for (const XlsxCell& cell : s.cells) rows[cell.row][cell.col] = &cell;
    // Merged header cells may sit in rows without any cell of their own.
    std::set<int> candidates;
    for (const auto& [r, row] : rows) candidates.insert(r);
    for (const XlsxRange& m : s.merged) candidates.insert(m.firstRow);

    XlsxTableText out;
    out.sheet = s.name;
    for (int r : candidates)
        if (WordCount(s, rows, r) >= 2) {
            out.headerFirstRow = r;
            break;
        }
    if (out.headerFirstRow == 0)
        return R::Failure(QStringLiteral("工作表“%1”中找不到可以读取的表格：没有一行含有两个以上的列名"
                                         "（如 桩号、X、Y、点名、交点号、半径、高程）。")
                              .arg(Sheet(s)));
    const int below = out.headerFirstRow + 1;
    out.headerLastRow = out.headerFirstRow;
    if (below <= 1048576 && !HasNumber(rows, below)) {
        for (int c : HeaderColumns(s, rows, below))
            if (IsWord(HeaderText(s, rows, below, c))) out.headerLastRow = below;
    }

    // Each column's name: the lower header row's, else the upper's.
    std::map<int, std::string> names;
    for (int r = out.headerFirstRow; r <= out.headerLastRow; ++r)
        for (int c : HeaderColumns(s, rows, r)) {
            const std::string t = HeaderText(s, rows, r, c);
            if (!t.empty()) names[c] = t;
        }
    if (names.empty()) return R::Failure(QStringLiteral("工作表“%1”的表头是空的。").arg(Sheet(s)));
    out.firstCol = names.begin()->first;
    out.lastCol = names.rbegin()->first;

    // Data rows, the total row, and the columns that hold something.
    std::set<int> used;
    for (const auto& [c, name] : names) used.insert(c);
    std::vector<int> dataRows;
    for (auto it = rows.upper_bound(out.headerLastRow); it != rows.end(); ++it) {
        const auto& [r, row] = *it;
        if (out.totalRow)
            return R::Failure(QStringLiteral("工作表“%1”第 %2 行是合计行，它下面的第 %3 行（%4）还有数据。")
                                  .arg(Sheet(s))
                                  .arg(out.totalRow)
                                  .arg(r)
                                  .arg(QString::fromStdString(XlsxReference(s.name, r, row.begin()->first))));
        if (IsTotal(row.begin()->second->text) && row.begin()->second->kind == XlsxCell::Kind::Text) {
            out.totalRow = r;
            continue;
        }
        for (const auto& [c, cell] : row) {
            if (c < out.firstCol || c > out.lastCol)
                return R::Failure(CellAt(s, r, c) +
                                  QStringLiteral("“%1”在表格的列（%2–%3 列）之外。")
                                      .arg(QString::fromStdString(cell->text), Letters(out.firstCol),
                                           Letters(out.lastCol)));
            used.insert(c);
        }
        dataRows.push_back(r);
    }
    if (!dataRows.empty()) {
        out.firstDataRow = dataRows.front();
        out.lastDataRow = dataRows.back();
    }
    const std::vector<int> columns(used.begin(), used.end());

    std::string text;
    int line = 1;
    const auto padTo = [&](int r) {
        for (; line < r; ++line) text += '\n';
    };
    // The header goes on its last row; its cells are checked like data.
    padTo(out.headerLastRow);
    std::string header;
    {
        bool first = true;
        for (int c : columns) {
            if (!first) header += ',';
            const auto n = names.find(c);
            if (n != names.end()) {
                XlsxCell probe;
                probe.row = out.headerLastRow;
                probe.col = c;
                probe.text = n->second;
                const QString why = FieldFault(s, probe, first);
                if (!why.isEmpty()) return R::Failure(why);
                header += n->second;
            }
            first = false;
        }
    }
    text += header + '\n';
    ++line;
    for (int r : dataRows) {
        const Row& row = rows.at(r);
        std::string l;
        bool first = true;
        for (int c : columns) {
            if (!first) l += ',';
            if (const auto it = row.find(c); it != row.end()) {
                const QString why = FieldFault(s, *it->second, first);
                if (!why.isEmpty()) return R::Failure(why);
                l += it->second->text;
            }
            first = false;
        }
        padTo(r);
        text += l + '\n';
        ++line;
    }
    out.text = std::move(text);
    out.columns = columns;
    return R::Success(std::move(out));
}

QString DescribeXlsxTable(const XlsxTableText& t)
{
    const QString header = t.headerFirstRow == t.headerLastRow
                               ? QStringLiteral("表头第 %1 行").arg(t.headerLastRow)
                               : QStringLiteral("表头第 %1–%2 行").arg(t.headerFirstRow).arg(t.headerLastRow);
    const QString rows = t.firstDataRow ? QStringLiteral("第 %1–%2 行").arg(t.firstDataRow).arg(t.lastDataRow)
                                        : QStringLiteral("（没有数据行）");
    QString note = QStringLiteral("读取工作表“%1”%2（%3–%4 列，%5）")
                       .arg(QString::fromStdString(t.sheet), rows, Letters(t.firstCol), Letters(t.lastCol), header);
    if (t.totalRow) note += QStringLiteral("，第 %1 行合计行未读").arg(t.totalRow);
    return note + QStringLiteral("，行号即工作表的行号。");
}

}  // namespace tarvelo
