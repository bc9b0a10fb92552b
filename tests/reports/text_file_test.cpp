#include "reports/text_file.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "gbk_reference.h"

namespace tarvelo {
namespace {

using test_support::FileBytes;
using test_support::PutFileBytes;
using test_support::ReferenceGbk;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
    // Names in the folder: a failed write must leave no temporary file.
    QStringList Entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }
    QTemporaryDir dir_;
};

TEST(JoinLinesCrLf, EndsEveryLineTheLastIncluded)
{
    EXPECT_EQ(JoinLinesCrLf({}), QString());
    EXPECT_EQ(JoinLinesCrLf({QString()}), QStringLiteral("\r\n"));
    EXPECT_EQ(JoinLinesCrLf({QStringLiteral("a"), QString(), QStringLiteral("b")}), QStringLiteral("a\r\n\r\nb\r\n"));
}

TEST_F(TextFileTest, WritesGbkBytesAndReplacesAnExistingFileWhole)
{
    const QString path = Path("报告.txt");
    ASSERT_TRUE(WriteTextFile(path, U("计算：1\r\n复核：\r\n")).ok());
    EXPECT_EQ(FileBytes(path), ReferenceGbk("计算：1\r\n复核：\r\n"));

    // A shorter second text leaves nothing of the first behind.
    ASSERT_TRUE(WriteTextFile(path, QStringLiteral("x\r\n")).ok());
    EXPECT_EQ(FileBytes(path), "x\r\n");
    EXPECT_EQ(Entries(), QStringList{U("报告.txt")});

    const FileResult<QByteArray> read = ReadFileBytes(path);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value->toStdString(), "x\r\n");
}

TEST_F(TextFileTest, RefusedWritesNamePathAndReasonAndTouchNothing)
{
    PutFileBytes(Path("plain"), "not a folder");
    PutFileBytes(Path("old.txt"), "old content\r\n");
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("sub")));

    struct Case {
        const char* name;
        QString path;
        QString text;
        const char* reason;  // a piece the message must hold
    };
    const Case cases[] = {
        {"missing folder", Path("no-such-folder/r.txt"), QStringLiteral("1\r\n"), "不存在"},
        {"below a plain file", Path("plain/r.txt"), QStringLiteral("1\r\n"), "不是文件夹"},
        {"a folder as target", Path("sub"), QStringLiteral("1\r\n"), "文件夹"},
        {"unencodable over an existing file", Path("old.txt"), U("new \xF0\x9F\x98\x80\r\n"), "GBK"},
    };
    for (const Case& c : cases) {
        const FileStatus status = WriteTextFile(c.path, c.text);
        EXPECT_FALSE(status.ok()) << c.name;
        ASSERT_TRUE(status.error.has_value()) << c.name;
        EXPECT_TRUE(status.error->contains(QDir::toNativeSeparators(c.path))) << status.error->toStdString();
        EXPECT_TRUE(status.error->contains(U(c.reason))) << status.error->toStdString();
    }
    EXPECT_FALSE(WriteTextFile(QString(), QStringLiteral("1\r\n")).ok());
    EXPECT_EQ(FileBytes(Path("old.txt")), "old content\r\n");
    EXPECT_EQ(FileBytes(Path("plain")), "not a folder");
    EXPECT_EQ(Entries(), (QStringList{QStringLiteral("old.txt"), QStringLiteral("plain"), QStringLiteral("sub")}));
}

// The disk filling up while the new content is written: the file-size limit
// makes the operating system refuse the write part-way, as a full disk does.
TEST_F(TextFileTest, ShortWriteIsNotReportedAsSavedAndKeepsTheExistingFile)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file-size limit to make a write fail part-way";
#else
    const QString path = Path("r.txt");
    PutFileBytes(path, "old content\r\n");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);  // EFBIG instead of the signal
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileStatus status = WriteTextFile(path, QString(4000, QLatin1Char('7')) + QStringLiteral("\r\n"));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(status.ok());
    ASSERT_TRUE(status.error.has_value());
    EXPECT_TRUE(status.error->contains(QDir::toNativeSeparators(path))) << status.error->toStdString();
    EXPECT_EQ(FileBytes(path), "old content\r\n");
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("r.txt")});
#endif
}

TEST_F(TextFileTest, ReadOnlyExistingFileIsNotReplaced)
{
#ifndef _WIN32  // on Windows the read-only attribute stops everyone
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: permission bits do not stop root, so a read-only file "
                        "cannot be simulated; the folder and plain-file cases cover refused targets";
#endif
    const QString path = Path("r.txt");
    PutFileBytes(path, "old\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner));
    const FileStatus status = WriteTextFile(path, QStringLiteral("new\r\n"));
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(FileBytes(path), "old\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(TextFileTest, ReadingMissingFileOrFolderGivesAnError)
{
    for (const QString& path : {Path("missing.txt"), dir_.path(), QString()}) {
        const FileResult<QByteArray> read = ReadFileBytes(path);
        EXPECT_FALSE(read.ok()) << path.toStdString();
        EXPECT_TRUE(read.error.has_value());
    }
}

}  // namespace
}  // namespace tarvelo
