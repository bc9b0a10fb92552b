#include "reports/streamed_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "reports/system_words.h"

namespace tarvelo {

namespace {

constexpr std::size_t kBlock = std::size_t(1) << 20;

}  // namespace

QString SaveFailureMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

StreamedFile::StreamedFile(QString path) : path_(std::move(path)) {}

StreamedFile::~StreamedFile() { Cancel(); }

FileStatus StreamedFile::Fail(const QString& reason)
{
    Cancel();
    failed_ = true;
    return FileStatus::Failure(SaveFailureMessage(path_, reason));
}

FileStatus StreamedFile::Open()
{
    if (path_.isEmpty()) {
        failed_ = true;
        return FileStatus::Failure(QStringLiteral("没有给出文件名，未保存。"));
    }
    const QFileInfo target(path_);
    if (target.isDir()) return Fail(QStringLiteral("这是一个文件夹，不是文件。"));
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return Fail(QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isDir())
        return Fail(QStringLiteral("“%1”不是文件夹。").arg(QDir::toNativeSeparators(folder.filePath())));
    if (target.exists() && !target.isWritable()) return Fail(QStringLiteral("文件是只读的，未改动。"));

    file_ = std::make_unique<QSaveFile>(path_);
    file_->setDirectWriteFallback(false);
    // Unbuffered, so that every short write (disk full, size limit) is seen
    // here instead of being lost in a buffer before commit() succeeds.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(QStringLiteral("无法在该位置创建文件%1。").arg(SystemWords(*file_)));
    pending_.reserve(kBlock + kBlock / 4);
    return FileStatus::Success();
}

FileStatus StreamedFile::Flush()
{
    if (pending_.empty()) return FileStatus::Success();
    const qint64 wanted = qint64(pending_.size());
    const qint64 got = file_->write(pending_.data(), wanted);
    if (got != wanted) {
        const QString reason = SystemWords(*file_);
        const qint64 total = written_ + qMax<qint64>(got, 0);
        return Fail(QStringLiteral("写入失败，写到第 %1 字节时中断（磁盘已满或超出文件大小限制？）%2，原文件未改动。")
                        .arg(total)
                        .arg(reason));
    }
    written_ += got;
    pending_.clear();
    return FileStatus::Success();
}

FileStatus StreamedFile::Write(std::string_view bytes)
{
    if (failed_ || !file_) return FileStatus::Failure(SaveFailureMessage(path_, QStringLiteral("文件未能打开。")));
    pending_.append(bytes);
    if (pending_.size() >= kBlock) return Flush();
    return FileStatus::Success();
}

FileStatus StreamedFile::Commit()
{
    if (failed_ || !file_) return FileStatus::Failure(SaveFailureMessage(path_, QStringLiteral("文件未能打开。")));
    if (FileStatus s = Flush(); !s.ok()) return s;
    if (!file_->commit()) {
        const QString words = SystemWords(*file_);
        file_.reset();
        failed_ = true;
        return FileStatus::Failure(
            SaveFailureMessage(path_, QStringLiteral("无法完成写入或替换原文件%1，原文件未改动。").arg(words)));
    }
    file_.reset();
    return FileStatus::Success();
}

void StreamedFile::Cancel()
{
    if (file_) {
        file_->cancelWriting();
        file_.reset();  // the temporary file is removed with the object
    }
    pending_.clear();
}

}  // namespace tarvelo
