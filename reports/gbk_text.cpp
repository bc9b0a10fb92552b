#include "reports/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <climits>
#endif

namespace tarvelo {

namespace {

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

// The one place text meets GBK. Qt converts GBK through ICU, which the
// Windows build is without; Windows holds code page 936 itself, and its
// table is the one the Linux build's "GBK" follows, so both write the same
// bytes.
enum class GbkResult { Done, BadText, NoCodec };

#ifdef Q_OS_WIN
constexpr UINT kGbkCodePage = 936;

GbkResult ToGbk(QStringView text, QByteArray* bytes)
{
    bytes->clear();
    if (text.isEmpty()) return GbkResult::Done;
    if (text.size() > INT_MAX) return GbkResult::BadText;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int length = int(text.size());
    // No best-fit look-alikes: a character without GBK bytes is an error,
    // which the default character (and lone surrogates) reveal.
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return GbkResult::BadText;
    bytes->resize(size);
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes->data(), size, nullptr,
                        &usedDefault);
    if (usedDefault) {
        bytes->clear();
        return GbkResult::BadText;
    }
    return GbkResult::Done;
}

// Invalid or cut-off byte sequences fail (MB_ERR_INVALID_CHARS).
GbkResult FromGbk(const QByteArray& bytes, QString* text)
{
    text->clear();
    if (bytes.isEmpty()) return GbkResult::Done;
    if (bytes.size() > INT_MAX) return GbkResult::BadText;
    const int length = int(bytes.size());
    const int size =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.constData(), length, nullptr, 0);
    if (size <= 0) return GbkResult::BadText;
    text->resize(size);
    MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, bytes.constData(), length,
                        reinterpret_cast<wchar_t*>(text->data()), size);
    return GbkResult::Done;
}
#else
constexpr const char* kGbkName = "GBK";

GbkResult ToGbk(QStringView text, QByteArray* bytes)
{
    QStringEncoder encoder(kGbkName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) return GbkResult::NoCodec;
    // encode() converts lazily: only turning it into bytes runs the encoder.
    *bytes = encoder.encode(text);
    if (!encoder.hasError()) return GbkResult::Done;
    bytes->clear();
    return GbkResult::BadText;
}

GbkResult FromGbk(const QByteArray& bytes, QString* text)
{
    QStringDecoder decoder(kGbkName, QStringConverter::Flag::Stateless);
    if (!decoder.isValid()) return GbkResult::NoCodec;
    *text = decoder.decode(bytes);
    return decoder.hasError() ? GbkResult::BadText : GbkResult::Done;
}
#endif

bool EncodesInGbk(QStringView piece)
{
    QByteArray bytes;
    return ToGbk(piece, &bytes) == GbkResult::Done;
}

// Control characters that no text file holds. Tab, LF, VT, FF, CR and the
// old end-of-file mark Ctrl-Z are allowed.
bool IsForbiddenControl(QChar c)
{
    const ushort u = c.unicode();
    if (u >= 0x20) return false;
    return !(u == 0x09 || u == 0x0A || u == 0x0B || u == 0x0C || u == 0x0D || u == 0x1A);
}

bool DecodeUtf8(const QByteArray& bytes, QString* out)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    *out = decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

FileResult<QByteArray> EncodeGbk(const QString& text)
{
    QByteArray bytes;
    const GbkResult result = ToGbk(text, &bytes);
    if (result == GbkResult::NoCodec)
        return FileResult<QByteArray>::Failure(QStringLiteral("本机不支持 GBK 编码，无法写入文件。"));
    if (result == GbkResult::Done) return FileResult<QByteArray>::Success(std::move(bytes));

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
        DecodedText decoded;
        decoded.encoding = encoding;
        const bool ok = encoding == TextEncoding::Gbk ? FromGbk(body, &decoded.text) == GbkResult::Done
                                                      : DecodeUtf8(body, &decoded.text);
        if (!ok) continue;
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
