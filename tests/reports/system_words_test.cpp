#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "reports/system_words.h"

namespace tarvelo {
namespace {

TEST(SystemWords, TheSystemsEnglishReasonsComeOutInChinese)
{
    const struct {
        int code;
        QFileDevice::FileError kind;
        const char* words;
    } cases[] = {
        {EACCES, QFileDevice::OpenError, "（没有权限）"},
        {ENOENT, QFileDevice::OpenError, "（文件或文件夹不存在）"},
        {ENOSPC, QFileDevice::WriteError, "（磁盘已满）"},
        {EROFS, QFileDevice::OpenError, "（只读文件系统）"},
        {EISDIR, QFileDevice::OpenError, "（这是一个文件夹）"},
    };
    for (const auto& c : cases) {
        const QString english = QString::fromLocal8Bit(std::strerror(c.code));
        EXPECT_EQ(SystemWordsFor(english, c.kind), QString::fromUtf8(c.words)) << c.code;
    }
    // A reason without words of its own falls back to the kind of failure;
    // no English reaches the message either way.
    EXPECT_EQ(SystemWordsFor(QStringLiteral("Some new failure"), QFileDevice::WriteError),
              QStringLiteral("（写入出错）"));
    EXPECT_EQ(SystemWordsFor(QString(), QFileDevice::NoError), QString());
    EXPECT_EQ(SystemWordsFor(QStringLiteral("Unknown error"), QFileDevice::NoError),
              QStringLiteral("（未知错误）"));
}

#ifdef Q_OS_WIN
// Windows words its reasons itself (in the system's language); Qt passes
// them on as they are.
TEST(SystemWords, WindowsReasonsComeOutInChinese)
{
    const struct {
        DWORD code;
        const char* words;
    } cases[] = {
        {ERROR_ACCESS_DENIED, "（没有权限）"},
        {ERROR_PATH_NOT_FOUND, "（文件或文件夹不存在）"},
        {ERROR_INVALID_NAME, "（文件名不合法）"},
        {ERROR_DISK_FULL, "（磁盘已满）"},
        {ERROR_SHARING_VIOLATION, "（文件正被使用）"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemWordsFor(qt_error_string(int(c.code)), QFileDevice::OpenError), QString::fromUtf8(c.words))
            << c.code << " " << qt_error_string(int(c.code)).toStdString();
}
#endif

TEST(SystemWords, AFailedOpenIsExplainedInChinese)
{
    QTemporaryDir dir;
    QFile missing(dir.filePath(QStringLiteral("no/such/folder/file.txt")));
    EXPECT_FALSE(missing.open(QIODevice::ReadOnly));
    const QString words = SystemWords(missing);
    EXPECT_EQ(words, QStringLiteral("（文件或文件夹不存在）"));
    QFile fine(dir.filePath(QStringLiteral("ok.txt")));
    ASSERT_TRUE(fine.open(QIODevice::WriteOnly));
    EXPECT_EQ(SystemWords(fine), QString());
}

}  // namespace
}  // namespace tarvelo
