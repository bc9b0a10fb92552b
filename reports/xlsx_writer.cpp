#include "reports/xlsx_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include "core/numbers/number_text.h"
#include "reports/streamed_file.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

// Display width of UTF-8 text: ASCII one, anything wider (Chinese) two.
double TextWidth(const std::string& s)
{
    double width = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) width += 1;
        else if ((c & 0xC0) != 0x80) width += 2;
    }
    return width;
}

// libxlsxwriter stores a number with 16 significant digits ("%.16G"), which
// does not always read back as the same double: a value a hair below a
// rounding tie (366.05649999999997) is stored as the tie (366.0565) and
// shows one unit more than the text the program wrote. Such a value is
// stored as the nearest double whose stored text still shows the same.
double StoredAs(double v)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16G", v);
    return std::strtod(buf, nullptr);
}

double StoredNumber(double v, int decimals)
{
    const int d = std::clamp(decimals, 0, 15);
    const std::string shown = FormatFixed(v, d);
    if (FormatFixed(StoredAs(v), d) == shown) return v;
    double shownValue = 0;
    ParseWholeNumber(shown, &shownValue);
    double w = v;
    for (int step = 0; step < 64; ++step) {
        w = std::nextafter(w, shownValue);
        if (FormatFixed(StoredAs(w), d) == shown) return w;
    }
    return shownValue;
}

std::string NumberFormat(int decimals, bool plus)
{
    const std::string digits =
        decimals <= 0 ? std::string("0") : "0." + std::string(std::size_t(std::min(decimals, 15)), '0');
    return plus ? "+" + digits + ";-" + digits + ";" + digits : digits;
}

QString Refusal(const QString& path, const QString& why) { return SaveFailureMessage(path, why); }

bool IsUtf8(const std::string& text)
{
    // Bytes that are not UTF-8 come back changed (as U+FFFD).
    const QByteArray bytes(text.data(), qsizetype(text.size()));
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

std::optional<QString> CheckTables(const std::vector<XlsxTable>& tables)
{
    if (tables.empty()) return QStringLiteral("没有要写的表格。");
    std::set<std::string> names;
    for (const XlsxTable& t : tables) {
        const QString name = QString::fromStdString(t.sheet);
        if (name.isEmpty() || name.size() > 31 || name.contains(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]"))))
            return QStringLiteral("工作表名“%1”不能用于 Excel。").arg(name);
        if (!names.insert(name.toLower().toStdString()).second)
            return QStringLiteral("工作表名“%1”重复。").arg(name);
        if (t.rows.size() > kMaxXlsxRows)
            return QStringLiteral("表格“%1”有 %2 行，超过 Excel 一个工作表的 %3 行。")
                .arg(name)
                .arg(t.rows.size())
                .arg(kMaxXlsxRows);
        bool utf8 = IsUtf8(t.sheet) && IsUtf8(t.title);
        for (const std::string& c : t.columns) utf8 = utf8 && IsUtf8(c);
        for (const auto& row : t.rows)
            for (const XlsxValue& v : row) {
                if (v.kind == XlsxValue::Kind::Number && !std::isfinite(v.number))
                    return QStringLiteral("表格“%1”中有无法计算的数。").arg(name);
                utf8 = utf8 && (v.kind != XlsxValue::Kind::Text || IsUtf8(v.text));
            }
        if (!utf8) return QStringLiteral("表格“%1”中有不是 UTF-8 的文字。").arg(name);
    }
    return std::nullopt;
}

// Writes the workbook to file; an error message or empty.
QString WriteWorkbook(const QByteArray& file, const std::vector<XlsxTable>& tables)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go out as written: a long table stays small
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book) return QStringLiteral("无法创建工作簿。");
    lxw_format* title = workbook_add_format(book);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* head = workbook_add_format(book);
    format_set_bold(head);
    format_set_bottom(head, LXW_BORDER_THIN);
    format_set_align(head, LXW_ALIGN_CENTER);
    std::map<std::pair<int, bool>, lxw_format*> numbers;
    const auto numberFormat = [&](int decimals, bool plus) {
        lxw_format*& f = numbers[{decimals, plus}];
        if (!f) {
            f = workbook_add_format(book);
            format_set_num_format(f, NumberFormat(decimals, plus).c_str());
        }
        return f;
    };
    for (const XlsxTable& t : tables) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, t.sheet.c_str());
        if (!sheet) {
            workbook_close(book);
            return QStringLiteral("无法添加工作表“%1”。").arg(QString::fromStdString(t.sheet));
        }
        std::size_t width = t.columns.size();
        for (const auto& row : t.rows) width = std::max(width, row.size());
        std::vector<double> widths(std::max<std::size_t>(width, 1), 8);
        for (std::size_t c = 0; c < t.columns.size(); ++c) widths[c] = std::max(widths[c], TextWidth(t.columns[c]));
        for (const auto& row : t.rows)
            for (std::size_t c = 0; c < row.size(); ++c) {
                const XlsxValue& v = row[c];
                const double w = v.kind == XlsxValue::Kind::Text ? TextWidth(v.text)
                                 : v.kind == XlsxValue::Kind::Number
                                     ? double(std::to_string(std::llround(std::fabs(v.number))).size() + 2 + v.decimals)
                                     : 0;
                widths[c] = std::max(widths[c], w);
            }
        // Column widths, the frozen header and the title's merge come before
        // the cells: in constant-memory mode rows are final once written.
        for (std::size_t c = 0; c < widths.size(); ++c)
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(widths[c] + 2, 60.0), nullptr);
        lxw_row_t r = 0;
        if (widths.size() > 1)
            worksheet_merge_range(sheet, 0, 0, 0, lxw_col_t(widths.size() - 1), t.title.c_str(), title);
        else
            worksheet_write_string(sheet, 0, 0, t.title.c_str(), title);
        ++r;
        if (!t.columns.empty()) {
            worksheet_freeze_panes(sheet, 2, 0);
            for (std::size_t c = 0; c < t.columns.size(); ++c)
                worksheet_write_string(sheet, r, lxw_col_t(c), t.columns[c].c_str(), head);
            ++r;
        }
        for (const auto& row : t.rows) {
            for (std::size_t c = 0; c < row.size(); ++c) {
                const XlsxValue& v = row[c];
                if (v.kind == XlsxValue::Kind::Text)
                    worksheet_write_string(sheet, r, lxw_col_t(c), v.text.c_str(), nullptr);
                else if (v.kind == XlsxValue::Kind::Number)
                    worksheet_write_number(sheet, r, lxw_col_t(c), StoredNumber(v.number, v.decimals),
                                           numberFormat(v.decimals, v.plus));
            }
            ++r;
        }
    }
    const lxw_error done = workbook_close(book);
    if (done != LXW_NO_ERROR) return QStringLiteral("写工作簿失败（%1）。").arg(QString::fromUtf8(lxw_strerror(done)));
    return {};
}

}  // namespace

FileStatus WriteXlsxFile(const QString& path, const std::vector<XlsxTable>& tables)
{
    if (const auto refused = CheckTables(tables)) return FileStatus::Failure(Refusal(path, *refused));
    // libxlsxwriter writes to a file of its own; the finished bytes then take
    // the target's place through the one atomic writer.
    QTemporaryFile scratch(QDir::tempPath() + QStringLiteral("/tarvelo-XXXXXX.xlsx"));
    if (!scratch.open()) return FileStatus::Failure(Refusal(path, QStringLiteral("无法创建临时文件。")));
    scratch.close();
    const QString failed = WriteWorkbook(QFile::encodeName(scratch.fileName()), tables);
    if (!failed.isEmpty()) return FileStatus::Failure(Refusal(path, failed));
    const FileResult<QByteArray> bytes = ReadFileBytes(scratch.fileName());
    if (!bytes.ok()) return FileStatus::Failure(*bytes.error);
    return WriteFileBytes(path, *bytes.value);
}

}  // namespace tarvelo
