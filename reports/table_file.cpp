#include "reports/table_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <cctype>
#include <string_view>

#include "reports/gbk_text.h"
#include "reports/text_file.h"
#include "reports/xlsx_reader.h"
#include "reports/xlsx_table_text.h"

namespace tarvelo {

namespace {

std::function<void(const QString&)>& NoteSink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

struct TableText {
    std::string text;
    QString note;  // what was read from a workbook; empty for a text file
    std::string sheet;         // a workbook's sheet
    std::vector<int> columns;  // a workbook's sheet column of each field
};

thread_local TableReadLog* g_readLog = nullptr;

constexpr std::string_view kOpenQuote = "“", kCloseQuote = "”";

FileResult<TableText> DecodeTable(const QByteArray& raw, const std::string& sheet, bool sheetGiven)
{
    using R = FileResult<TableText>;
    if (LooksLikeZip(raw) || LooksLikeOle2(raw)) {
        const FileResult<XlsxWorkbookRead> book = ReadXlsxSheet(raw, sheet);
        if (!book.ok()) return R::Failure(*book.error);
        FileResult<XlsxTableText> table = SheetTableText(book.value->sheet);
        if (!table.ok()) return R::Failure(*table.error);
        return R::Success({std::move(table.value->text), DescribeXlsxTable(*table.value), table.value->sheet,
                           table.value->columns});
    }
    if (sheetGiven) return R::Failure(QStringLiteral("只有 Excel 工作簿（.xlsx）才能用“#工作表名”选工作表。"));
    FileResult<std::string> text = DecodeTableBytes(raw);
    if (!text.ok()) return R::Failure(*text.error);
    return R::Success({std::move(*text.value), QString(), {}, {}});
}

}  // namespace

void SetTableReadNotes(std::function<void(const QString&)> sink) { NoteSink() = std::move(sink); }

FileResult<std::string> DecodeTableBytes(const QByteArray& raw, const std::string& sheet)
{
    if (LooksLikeZip(raw) || LooksLikeOle2(raw)) {
        FileResult<TableText> table = DecodeTable(raw, sheet, !sheet.empty());
        if (!table.ok()) return FileResult<std::string>::Failure(*table.error);
        return FileResult<std::string>::Success(std::move(table.value->text));
    }
    QByteArray bytes = raw;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        // Valid UTF-8 still has to be text, the same test the GBK path makes.
        for (const QChar c : text) {
            const ushort u = c.unicode();
            if (u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != 0x0B && u != 0x0C && u != 0x1A)
                return FileResult<std::string>::Failure(QStringLiteral("文件含有控制字符，不是文本文件。"));
        }
        return FileResult<std::string>::Success(bytes.toStdString());
    }
    FileResult<DecodedText> decoded = DecodeTextBytes(bytes);
    if (!decoded.ok()) return FileResult<std::string>::Failure(*decoded.error);
    return FileResult<std::string>::Success(decoded.value->text.toStdString());
}

FileResult<std::string> ReadTableFileText(const QString& given)
{
    // "FILE#SHEET": only when no file has the whole text as its name.
    QString path = given;
    std::string sheet;
    bool sheetGiven = false;
    if (const qsizetype hash = given.lastIndexOf(u'#'); hash > 0 && !QFileInfo::exists(given) &&
                                                        QFileInfo(given.left(hash)).isFile()) {
        path = given.left(hash);
        sheet = given.mid(hash + 1).toStdString();
        sheetGiven = true;
    }
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxTableFileBytes)
        return FileResult<std::string>::Failure(
            QStringLiteral("无法读取文件“%1”：文件太大（%2 字节），不是数据表。")
                .arg(QDir::toNativeSeparators(path))
                .arg(info.size()));
    FileResult<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes.ok()) return FileResult<std::string>::Failure(*bytes.error);
    FileResult<TableText> text = DecodeTable(*bytes.value, sheet, sheetGiven);
    if (!text.ok())
        return FileResult<std::string>::Failure(
            QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), *text.error));
    if (!text.value->note.isEmpty() && NoteSink())
        NoteSink()(QStringLiteral("“%1”：%2").arg(QDir::toNativeSeparators(path), text.value->note));
    if (g_readLog) {
        TableReadLog::File f;
        f.path = given.toStdString();
        f.workbook = !text.value->note.isEmpty();
        if (f.workbook) {
            f.sheet = text.value->sheet;
            f.text = text.value->text;
            f.columns = text.value->columns;
        }
        g_readLog->files_.push_back(std::move(f));
    }
    return FileResult<std::string>::Success(std::move(text.value->text));
}

TableReadLog::TableReadLog() : outer_(g_readLog) { g_readLog = this; }

TableReadLog::~TableReadLog() { g_readLog = outer_; }

const TableReadLog::File* TableReadLog::Quoted(const std::string& quoted) const
{
    for (auto it = files_.rbegin(); it != files_.rend(); ++it)
        if (it->path == quoted || QDir::toNativeSeparators(QString::fromStdString(it->path)).toStdString() == quoted)
            return &*it;
    return nullptr;
}

std::string TableReadLog::CellOf(const File& file, int row, const std::string& quoted) const
{
    std::size_t at = 0;
    for (int line = 1; line < row && at != std::string::npos; ++line) {
        at = file.text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    if (at == std::string::npos || at >= file.text.size()) return std::string();
    const std::string line = file.text.substr(at, file.text.find('\n', at) - at);
    if (line.empty() || file.columns.empty()) return std::string();
    std::size_t from = 0;
    for (std::size_t i = 0; i < file.columns.size(); ++i) {
        const std::size_t comma = line.find(',', from);
        const std::string field = line.substr(from, comma - from);
        if (!quoted.empty() && field == quoted) return XlsxReference(file.sheet, row, file.columns[i]);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return XlsxReference(file.sheet, row, file.columns.front(), file.columns.back());
}

std::string TableReadLog::NameCells(const std::string& message) const
{
    const File* only = nullptr;
    int workbooks = 0;
    for (const File& f : files_)
        if (f.workbook && ++workbooks == 1) only = &f;
    if (workbooks == 0) return message;
    if (workbooks > 1) only = nullptr;

    // The text between the quotes that open at `at`, and where it ends.
    const auto quoteAt = [&](std::size_t at, std::size_t* end) {
        const std::size_t close = message.find(kCloseQuote, at + kOpenQuote.size());
        *end = close == std::string::npos ? message.size() : close + kCloseQuote.size();
        return message.substr(at + kOpenQuote.size(), close == std::string::npos ? std::string::npos
                                                                                  : close - at - kOpenQuote.size());
    };
    const std::string rowHead = "第 ", rowTail = " 行";
    const File* current = only;
    std::string out;
    std::size_t i = 0;
    while (i < message.size()) {
        if (message.compare(i, kOpenQuote.size(), kOpenQuote) == 0) {
            std::size_t end;
            const std::string quoted = quoteAt(i, &end);
            if (const File* f = Quoted(quoted)) current = f;
            out.append(message, i, end - i);
            i = end;
            continue;
        }
        if (message.compare(i, rowHead.size(), rowHead) == 0) {
            std::size_t d = i + rowHead.size();
            while (d < message.size() && std::isdigit(static_cast<unsigned char>(message[d]))) ++d;
            if (d > i + rowHead.size() && d - i - rowHead.size() <= 7 &&
                message.compare(d, rowTail.size(), rowTail) == 0) {
                const int row = std::stoi(message.substr(i + rowHead.size(), d - i - rowHead.size()));
                const std::size_t after = d + rowTail.size();
                out.append(message, i, after - i);
                i = after;
                if (!current || !current->workbook) continue;
                // The field the message quotes after the row, on its line.
                const std::size_t eol = message.find('\n', after);
                const std::size_t open = message.find(kOpenQuote, after);
                std::string quoted;
                if (open != std::string::npos && open < eol) {
                    std::size_t end;
                    quoted = quoteAt(open, &end);
                }
                const std::string cell = CellOf(*current, row, quoted);
                if (!cell.empty()) out += "（" + cell + "）";
                continue;
            }
        }
        out += message[i++];
    }
    return out;
}

}  // namespace tarvelo
