#include "reports/table_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

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
};

FileResult<TableText> DecodeTable(const QByteArray& raw, const std::string& sheet, bool sheetGiven)
{
    using R = FileResult<TableText>;
    if (LooksLikeZip(raw) || LooksLikeOle2(raw)) {
        const FileResult<XlsxWorkbookRead> book = ReadXlsxSheet(raw, sheet);
        if (!book.ok()) return R::Failure(*book.error);
        FileResult<XlsxTableText> table = SheetTableText(book.value->sheet);
        if (!table.ok()) return R::Failure(*table.error);
        return R::Success({std::move(table.value->text), DescribeXlsxTable(*table.value)});
    }
    if (sheetGiven) return R::Failure(QStringLiteral("只有 Excel 工作簿（.xlsx）才能用“#工作表名”选工作表。"));
    FileResult<std::string> text = DecodeTableBytes(raw);
    if (!text.ok()) return R::Failure(*text.error);
    return R::Success({std::move(*text.value), QString()});
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
    return FileResult<std::string>::Success(std::move(text.value->text));
}

}  // namespace tarvelo
