#include "reports/system_words.h"

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace tarvelo {

namespace {

struct Reason {
    int code;
    const char* words;
};

const Reason kReasons[] = {
    {EACCES, "没有权限"},
    {EPERM, "操作不允许"},
    {ENOENT, "文件或文件夹不存在"},
    {ENOTDIR, "路径中有一段不是文件夹"},
    {EISDIR, "这是一个文件夹"},
    {ENOSPC, "磁盘已满"},
#ifdef EDQUOT  // not on Windows
    {EDQUOT, "超出磁盘配额"},
#endif
    {EFBIG, "文件太大"},
    {EROFS, "只读文件系统"},
    {EMFILE, "打开的文件太多"},
    {ENFILE, "系统打开的文件太多"},
    {EIO, "输入输出错误"},
    {EEXIST, "文件已存在"},
    {ENAMETOOLONG, "文件名太长"},
    {ELOOP, "符号链接层数太多"},
    {EBUSY, "设备或资源忙"},
    {ETXTBSY, "文件正被使用"},
    {EXDEV, "不能跨文件系统移动"},
};

#ifdef Q_OS_WIN
// Windows' own reasons, which Qt gives as Windows words them (FormatMessage,
// in the system's language, through qt_error_string): compared in that form.
const Reason kWindowsReasons[] = {
    {ERROR_ACCESS_DENIED, "没有权限"},
    {ERROR_FILE_NOT_FOUND, "文件或文件夹不存在"},
    {ERROR_PATH_NOT_FOUND, "文件或文件夹不存在"},
    {ERROR_INVALID_NAME, "文件名不合法"},
    {ERROR_DISK_FULL, "磁盘已满"},
    {ERROR_HANDLE_DISK_FULL, "磁盘已满"},
    {ERROR_WRITE_PROTECT, "磁盘写保护"},
    {ERROR_SHARING_VIOLATION, "文件正被使用"},
    {ERROR_LOCK_VIOLATION, "文件正被使用"},
    {ERROR_TOO_MANY_OPEN_FILES, "打开的文件太多"},
    {ERROR_FILE_EXISTS, "文件已存在"},
    {ERROR_ALREADY_EXISTS, "文件已存在"},
    {ERROR_FILENAME_EXCED_RANGE, "文件名太长"},
    {ERROR_NOT_SAME_DEVICE, "不能跨文件系统移动"},
};
#endif

const char* KindWords(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::NoError: return nullptr;
    case QFileDevice::ReadError: return "读取出错";
    case QFileDevice::WriteError: return "写入出错";
    case QFileDevice::FatalError: return "严重错误";
    case QFileDevice::ResourceError: return "系统资源不足";
    case QFileDevice::OpenError: return "无法打开";
    case QFileDevice::AbortError: return "操作被中止";
    case QFileDevice::TimeOutError: return "超时";
    case QFileDevice::RemoveError: return "无法删除";
    case QFileDevice::RenameError: return "无法改名";
    case QFileDevice::PositionError: return "无法定位";
    case QFileDevice::ResizeError: return "无法改变大小";
    case QFileDevice::PermissionsError: return "无法设置权限";
    case QFileDevice::CopyError: return "无法复制";
    case QFileDevice::UnspecifiedError: break;
    }
    return "未知错误";
}

}  // namespace

QString SystemWordsFor(const QString& errorString, QFileDevice::FileError error)
{
    for (const Reason& r : kReasons) {
        const QString text = QString::fromLocal8Bit(std::strerror(r.code));
        // Windows' C library has no text of its own for some codes (ELOOP).
        if (text.startsWith(QLatin1String("Unknown error"), Qt::CaseInsensitive)) continue;
        if (errorString.compare(text, Qt::CaseInsensitive) == 0)
            return QStringLiteral("（%1）").arg(QString::fromUtf8(r.words));
    }
#ifdef Q_OS_WIN
    for (const Reason& r : kWindowsReasons)
        if (errorString.compare(qt_error_string(int(r.code)), Qt::CaseInsensitive) == 0)
            return QStringLiteral("（%1）").arg(QString::fromUtf8(r.words));
#endif
    const char* kind = KindWords(error);
    if (!kind) return errorString.isEmpty() ? QString() : QStringLiteral("（未知错误）");
    return QStringLiteral("（%1）").arg(QString::fromUtf8(kind));
}

QString SystemWords(const QFileDevice& file)
{
    if (file.error() == QFileDevice::NoError) return QString();
    return SystemWordsFor(file.errorString(), file.error());
}

}  // namespace tarvelo
