#include "reports/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "reports/gbk_text.h"
#include "reports/system_words.h"

namespace tarvelo {

namespace {

QString SaveFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString ReadFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("无法读取文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

}  // namespace

QString JoinLinesCrLf(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

FileStatus WriteTextFile(const QString& path, const QString& text)
{
    if (path.isEmpty()) return FileStatus::Failure(QStringLiteral("没有给出文件名，未保存。"));
    FileResult<QByteArray> bytes = EncodeGbk(text);
    if (!bytes.ok()) return FileStatus::Failure(SaveFailure(path, *bytes.error + QStringLiteral("文件未改动。")));
    return WriteFileBytes(path, *bytes.value);
}

FileStatus WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty()) return FileStatus::Failure(QStringLiteral("没有给出文件名，未保存。"));
    const QFileInfo target(path);
    if (target.isDir())
        return FileStatus::Failure(SaveFailure(path, QStringLiteral("这是一个文件夹，不是文件。")));
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return FileStatus::Failure(SaveFailure(
            path, QStringLiteral("文件夹“%1”不存在。").arg(QDir::toNativeSeparators(folder.filePath()))));
    if (!folder.isDir())
        return FileStatus::Failure(SaveFailure(
            path, QStringLiteral("“%1”不是文件夹。").arg(QDir::toNativeSeparators(folder.filePath()))));
    if (target.exists() && !target.isWritable())
        return FileStatus::Failure(SaveFailure(path, QStringLiteral("文件是只读的，未改动。")));

    // The new content goes to a temporary file beside the target and replaces
    // it only when complete; QSaveFile never writes the target directly.
    // Unbuffered, so that write() reports a short write (disk full, size
    // limit): through the buffer a short write is lost and commit() would
    // put a cut-off file in the target's place and report success.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileStatus::Failure(SaveFailure(
            path, QStringLiteral("无法在该位置创建文件%1。").arg(SystemWords(file))));
    const qint64 wanted = bytes.size();
    const qint64 written = file.write(bytes);
    if (written != wanted) {
        const QString reason = SystemWords(file);
        file.cancelWriting();
        return FileStatus::Failure(SaveFailure(
            path, QStringLiteral("写入失败，只写入了 %1 / %2 字节（磁盘已满或超出文件大小限制？）%3，原文件未改动。")
                      .arg(qMax<qint64>(written, 0))
                      .arg(wanted)
                      .arg(reason)));
    }
    if (!file.commit())
        return FileStatus::Failure(SaveFailure(
            path, QStringLiteral("无法完成写入或替换原文件%1，原文件未改动。").arg(SystemWords(file))));
    return FileStatus::Success();
}

FileResult<QByteArray> ReadFileBytes(const QString& path)
{
    if (path.isEmpty()) return FileResult<QByteArray>::Failure(QStringLiteral("没有给出文件名。"));
    const QFileInfo info(path);
    if (!info.exists())
        return FileResult<QByteArray>::Failure(ReadFailure(path, QStringLiteral("文件不存在。")));
    if (info.isDir())
        return FileResult<QByteArray>::Failure(ReadFailure(path, QStringLiteral("这是一个文件夹，不是文件。")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult<QByteArray>::Failure(
            ReadFailure(path, QStringLiteral("无法打开文件%1。").arg(SystemWords(file))));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileResult<QByteArray>::Failure(
            ReadFailure(path, QStringLiteral("读取出错%1。").arg(SystemWords(file))));
    return FileResult<QByteArray>::Success(std::move(bytes));
}

}  // namespace tarvelo
