#pragma once
// The curve data file: the eight curve inputs (Text1 ... Text8), one per line,
// each followed by its Chinese label.
//
// Layout of line i: the text of input box i exactly as the box holds it (not
// trimmed, possibly empty) from column 1, spaces up to column 19, the label
// from column 20, then CR LF. A value of n <= 19 characters is followed by
// 19 - n spaces. A value of 20 or more characters has no room before column
// 20: it is followed by one space and then the label, so that reading the
// leading number gives the value back. Columns count characters. The file is
// GBK, exactly eight lines, each ending with CR LF.
//
// Reading takes the leading number (lenient reader) of each of the first
// eight lines and gives its general text: 15 significant digits, no trailing
// zeros ("-14.1810" -> "-14.181", "" -> "0", "abc" -> "0"). Labels and lines
// after the eighth are ignored.

#include <array>

#include <QString>
#include <QtGlobal>

#include "core/curve/curve_inputs.h"
#include "reports/report_status.h"

namespace tarvelo {

// The labels of lines 1 ... 8, UTF-8.
extern const std::array<const char*, kCurveInputCount> kCurveDataLabels;

// Column (1-based) where a label starts after a value of up to 19 characters.
inline constexpr int kCurveDataLabelColumn = 20;

// The whole file text: eight lines, each ended by CR LF. texts are UTF-8 as
// the boxes hold them. Refused (error, no text) when a text holds a CR or LF,
// which would break the one-value-per-line layout.
FileResult<QString> CurveDataText(const CurveTexts& texts);

// The eight input texts read from a file's text. Lines end at CR LF, a lone
// CR or a lone LF; a last line without a line end counts. Errors (no texts):
// fewer than eight lines; a leading number too large for a double (an
// exponent like 1e999), named by its line.
FileResult<CurveTexts> ParseCurveData(const QString& text);

// Export: writes CurveDataText(texts) to path with WriteTextFile (GBK, atomic
// replacement, any existing file untouched on failure). No input is
// validated; empty or non-numeric texts are written as they are.
FileStatus ExportCurveInputs(const QString& path, const CurveTexts& texts);

// Largest file ImportCurveInputs reads (16 MiB); a larger one is refused.
inline constexpr qint64 kMaxCurveDataFileBytes = 16 * 1024 * 1024;

// Import: reads the whole file (ReadFileBytes), decodes it (DecodeTextBytes:
// GBK, else UTF-8, a leading byte-order mark skipped) and parses it
// (ParseCurveData). Any failure gives one error naming the path and the
// reason, and no texts: the caller then changes no input box.
FileResult<CurveTexts> ImportCurveInputs(const QString& path);

}  // namespace tarvelo
