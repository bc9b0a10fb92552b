#pragma once
// Whole-file reading and atomic writing of the program's text files.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "reports/report_status.h"

namespace tarvelo {

// The lines joined with CR LF after every line, the last included. No lines
// give an empty text. A line should hold no CR or LF of its own.
QString JoinLinesCrLf(const QStringList& lines);

// Writes text, encoded as GBK (EncodeGbk), to the file at path, creating it or
// replacing an existing one as a whole. The text is written as it stands:
// callers end every line with CR LF themselves (JoinLinesCrLf).
//
// Atomic: the new content is written to a temporary file beside the target
// and takes the target's name only when complete, so on any failure an
// existing file keeps exactly its old content and no partial file is left.
// Refused before anything is touched: text GBK cannot encode, an empty path,
// a path that names a folder, a missing folder, an existing file that is not
// writable. Errors name the path and the reason (with the system's own words
// in parentheses where it gave some). ok() only when the file is on disk.
FileStatus WriteTextFile(const QString& path, const QString& text);

// Writes bytes as they stand to the file at path, with the same atomic
// replacement, refusals and messages as WriteTextFile. For files in other
// encodings (UTF-8 exports) and formats.
FileStatus WriteFileBytes(const QString& path, const QByteArray& bytes);

// All bytes of the file at path. Errors for a missing path, a folder, or a
// file that cannot be opened or read, naming the path and the reason.
FileResult<QByteArray> ReadFileBytes(const QString& path);

}  // namespace tarvelo
