#pragma once
// Conversion between the program's text and the bytes of its text files.
//
// The files are GBK (code page 936, the ANSI code page of the Simplified-
// Chinese systems the program is made for). Writing refuses any character
// that GBK cannot hold instead of replacing it with "?"; reading takes the
// whole file at once so that a multi-byte character cut off at the end is
// seen as an error, not dropped.

#include <QByteArray>
#include <QString>

#include "reports/report_status.h"

namespace tarvelo {

// text as GBK bytes. Every character must exist in GBK: otherwise the result
// is an error naming the first such character and its position (1-based
// line and column, columns counted in characters), and no bytes. Line ends
// are encoded as they stand (no conversion).
FileResult<QByteArray> EncodeGbk(const QString& text);

enum class TextEncoding { Gbk, Utf8 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Gbk;
};

// The text of a whole file's bytes:
// - a leading UTF-8 byte-order mark (EF BB BF) is skipped, and the rest is
//   then read as UTF-8 (GBK when it is not valid UTF-8);
// - otherwise the bytes are read as GBK, and when they are not valid GBK
//   (a byte that cannot start or continue a character, a character cut off at
//   the end) as UTF-8 when they are valid UTF-8;
// - bytes valid in neither are refused ("不是 GBK 或 UTF-8 编码的文本").
// A text holding control characters other than tab, LF, VT, FF, CR and
// Ctrl-Z (a NUL byte, say) is refused as not a text file. Empty bytes give
// an empty text. Line ends are kept as they stand.
FileResult<DecodedText> DecodeTextBytes(const QByteArray& bytes);

}  // namespace tarvelo
