#pragma once
// Reading a spreadsheet-written text table (route file, profile file,
// surveyed points) as UTF-8 text for the core's table reader.

#include <QString>
#include <string>

#include "reports/report_status.h"

namespace tarvelo {

// Files larger than this are refused unread: a 200-JD route is a few kB and
// 100,000 surveyed points about 4 MB.
inline constexpr qint64 kMaxTableFileBytes = 64 * 1024 * 1024;

// The whole file as UTF-8 text: a leading UTF-8 byte-order mark is dropped;
// bytes that are valid UTF-8 are taken as UTF-8 (a spreadsheet's "CSV UTF-8"
// is often without a mark, and Chinese in UTF-8 can also pass as GBK), any
// other bytes are read as GBK. Refused: a missing or unreadable file, a
// folder, a file above kMaxTableFileBytes, bytes that are neither UTF-8 nor
// GBK, a binary file (control characters). Errors name the path and reason.
FileResult<std::string> ReadTableFileText(const QString& path);

// The same decoding for bytes already in memory (tests, fuzzing).
FileResult<std::string> DecodeTableBytes(const QByteArray& bytes);

}  // namespace tarvelo
