#include "reports/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tarvelo {

namespace {

constexpr const char* kGbkName = "GBK";

// Line (1-based) and column (1-based, in characters) of the character that
// starts at index in text.
QString PositionText(const QString& text, qsizetype index)
{
    int line = 1, column = 1;
    for (qsizetype i = 0; i < index; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n') ||
            (c == QLatin1Char('\r') && (i + 1 >= text.size() || text[i + 1] != QLatin1Char('\n')))) {
            ++line;
            column = 1;
        } else if (c != QLatin1Char('\r') && !c.isLowSurrogate()) {
            ++column;
        }
    }
    return QStringLiteral("第 %1 行第 %2 列").arg(line).arg(column);
}

bool EncodesInGbk(QStringView piece)
{
    QStringEncoder encoder(kGbkName, QStringConverter::Flag::Stateless);
    // encode() converts lazily: only turning it into bytes runs the encoder.
    const QByteArray bytes = encoder.encode(piece);
    (void)bytes;
    return encoder.isValid() && !encoder.hasError();
}

// Control characters that no text file holds. Tab, LF, VT, FF, CR and the
// old end-of-file mark Ctrl-Z are allowed.
bool IsForbiddenControl(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 0x20) return false;
    return !(u == 0x09 || u == 0x0A || u == 0x0B || u == 0x0C || u == 0x0D || u == 0x1A);
}

bool Decode(QStringDecoder& decoder, const QByteArray& bytes, QString* out)
{
    if (!decoder.isValid()) return false;
    *out = decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

FileResult<QByteArray> EncodeGbk(const QString& text)
{
    QStringEncoder encoder(kGbkName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return FileResult<QByteArray>::Failure(QStringLiteral("本机不支持 GBK 编码，无法写入文件。"));
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) return FileResult<QByteArray>::Success(std::move(bytes));

    // Find the first character that GBK lacks, to name it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        const QStringView piece = QStringView(text).mid(i, length);
        if (!EncodesInGbk(piece)) {
            const char32_t code = length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1])
                                              : char32_t(text[i].unicode());
            return FileResult<QByteArray>::Failure(
                QStringLiteral("文字中的字符“%1”（U+%2，%3）不能用 GBK 编码保存，请删除或改写后再保存。")
                    .arg(piece.toString())
                    .arg(QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0')))
                    .arg(PositionText(text, i)));
        }
        i += length - 1;
    }
    // The encoder complained about no single character: refuse all the same.
    return FileResult<QByteArray>::Failure(QStringLiteral("文字中有不能用 GBK 编码保存的字符。"));
}

FileResult<DecodedText> DecodeTextBytes(const QByteArray& bytes)
{
    static const QByteArray kBom("\xEF\xBB\xBF");
    const bool hasBom = bytes.startsWith(kBom);
    const QByteArray body = hasBom ? bytes.mid(kBom.size()) : bytes;

    // A byte-order mark says UTF-8; without one the file is the system's GBK,
    // and UTF-8 is the fallback for files made elsewhere.
    const TextEncoding order[2] = {hasBom ? TextEncoding::Utf8 : TextEncoding::Gbk,
                                   hasBom ? TextEncoding::Gbk : TextEncoding::Utf8};
    for (TextEncoding encoding : order) {
        QStringDecoder decoder = encoding == TextEncoding::Gbk
                                     ? QStringDecoder(kGbkName, QStringConverter::Flag::Stateless)
                                     : QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        DecodedText decoded;
        decoded.encoding = encoding;
        if (!Decode(decoder, body, &decoded.text)) continue;
        for (QChar c : decoded.text)
            if (IsForbiddenControl(c))
                return FileResult<DecodedText>::Failure(
                    QStringLiteral("不是文本文件：其中含有控制字符（U+%1）。")
                        .arg(QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'))));
        return FileResult<DecodedText>::Success(std::move(decoded));
    }
    return FileResult<DecodedText>::Failure(
        QStringLiteral("不是 GBK 或 UTF-8 编码的文本（含有无效的字节，或末尾的字符不完整）。"));
}

}  // namespace tarvelo
