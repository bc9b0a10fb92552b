#pragma once
// Atomic writing of a file that is produced piece by piece (a stake table of
// hundreds of thousands of rows), without holding the whole content in
// memory.
//
// The same promise as WriteFileBytes (reports/text_file.h): the content goes
// to a temporary file beside the target and takes the target's name only at
// Commit, so on any failure an existing file keeps exactly its old content and
// no partial file is left. Refused at Open, before anything is touched: an
// empty path, a path that names a folder, a missing folder, an existing file
// that is not writable. Errors name the path and the reason.

#include <memory>
#include <string_view>

#include <QByteArray>
#include <QString>

#include "reports/report_status.h"

class QSaveFile;

namespace tarvelo {

class StreamedFile {
public:
    explicit StreamedFile(QString path);
    ~StreamedFile();  // an uncommitted file is discarded; the target stays
    StreamedFile(const StreamedFile&) = delete;
    StreamedFile& operator=(const StreamedFile&) = delete;

    FileStatus Open();
    // Appends bytes. Pieces are gathered in memory up to about 1 MiB and
    // written in large blocks. After the first failure every call fails and
    // the write is abandoned.
    FileStatus Write(std::string_view bytes);
    FileStatus Write(const QByteArray& bytes) { return Write(std::string_view(bytes.constData(), std::size_t(bytes.size()))); }
    // Writes what is gathered and gives the file the target's name.
    FileStatus Commit();
    // Abandons the write: the target is left as it was.
    void Cancel();

    const QString& path() const { return path_; }

private:
    FileStatus Flush();
    FileStatus Fail(const QString& reason);

    QString path_;
    std::unique_ptr<QSaveFile> file_;
    std::string pending_;
    qint64 written_ = 0;
    bool failed_ = false;
};

// The message for a file that could not be saved: "无法保存文件“path”：reason".
QString SaveFailureMessage(const QString& path, const QString& reason);

}  // namespace tarvelo
