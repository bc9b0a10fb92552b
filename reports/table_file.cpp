#include "reports/table_file.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include "reports/gbk_text.h"
#include "reports/text_file.h"

namespace tarvelo {

FileResult<std::string> DecodeTableBytes(const QByteArray& raw)
{
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

FileResult<std::string> ReadTableFileText(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxTableFileBytes)
        return FileResult<std::string>::Failure(
            QStringLiteral("无法读取文件“%1”：文件太大（%2 字节），不是数据表。")
                .arg(QDir::toNativeSeparators(path))
                .arg(info.size()));
    FileResult<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes.ok()) return FileResult<std::string>::Failure(*bytes.error);
    FileResult<std::string> text = DecodeTableBytes(*bytes.value);
    if (!text.ok())
        return FileResult<std::string>::Failure(
            QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), *text.error));
    return text;
}

}  // namespace tarvelo
