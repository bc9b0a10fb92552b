// Where the program finds its help page and examples: relative to itself
// (beside it, the installed share/tarvelo/ above it, which the build tree
// mirrors), then the standard data folders. That no build path is compiled
// in is checked on the unpacked package (scripts/package_test.sh).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/ui/support/qt_printers.h"
#include "ui/tools/help_page.h"

namespace tarvelo {
namespace {

void Touch(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

// Sets an environment variable for one test and puts back what was there.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnv() { had_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(DataPlaces, NearestAncestorHoldingLooksUpAtMostTheGivenLevels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = QDir(dir.path()).canonicalPath();
    Touch(root + "/usr/share/tarvelo/help/index.html");
    Touch(root + "/usr/lib/x/share/tarvelo/help/index.html");  // a nearer one
    ASSERT_TRUE(QDir().mkpath(root + "/usr/bin"));
    ASSERT_TRUE(QDir().mkpath(root + "/usr/lib/x/y/z/w"));
    const QString page = QStringLiteral("share/tarvelo/help/index.html");
    const struct {
        QString from;
        QString relative;
        int levels;
        bool folder;
        QString expected;
    } cases[] = {
        {root + "/usr/bin", page, 4, false, root + "/usr/share/tarvelo/help/index.html"},
        {root + "/usr/bin", page, 1, false, root + "/usr/share/tarvelo/help/index.html"},
        {root + "/usr/bin", page, 0, false, ""},  // only the folder itself
        {root + "/usr", page, 0, false, root + "/usr/share/tarvelo/help/index.html"},
        {root + "/usr/lib/x/y/z/w", page, 4, false, root + "/usr/lib/x/share/tarvelo/help/index.html"},
        {root + "/usr/lib/x/y/z/w", page, 2, false, ""},  // x is three levels up
        {root + "/usr/bin", "share/tarvelo/help", 4, true, root + "/usr/share/tarvelo/help"},
        {root + "/usr/bin", "share/tarvelo/help", 4, false, ""},  // a folder, not a file
        {root + "/usr/bin", page, -1, false, ""},
        {"", page, 4, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from.toStdString() + " " + std::to_string(c.levels));
        EXPECT_EQ(NearestAncestorHolding(c.from, c.relative, c.levels, c.folder), c.expected);
    }
}

TEST(DataPlaces, BuildTreeMirrorsTheInstalledLayoutAboveEveryProgram)
{
    // This test program lives in <build>/tests/ui/tools; the build puts the
    // page in <build>/share/tarvelo/help, as an installed /usr/share/tarvelo.
    const QStringList candidates = HelpPageCandidates();
    ASSERT_EQ(candidates.size(), 4);
    EXPECT_TRUE(candidates[1].endsWith(QStringLiteral("/share/tarvelo/help/index.html")));
    EXPECT_TRUE(QFileInfo(candidates[1]).isFile()) << candidates[1];
    EXPECT_TRUE(QCoreApplication::applicationDirPath().startsWith(
        QFileInfo(candidates[1]).absolutePath().section('/', 0, -4)))
        << candidates[1];
    EXPECT_EQ(FindHelpPage(candidates), QFileInfo(candidates[1]).absoluteFilePath());
    // The mirror is the page itself.
    QFile mirrored(candidates[1]), source(candidates[3]);
    ASSERT_TRUE(mirrored.open(QIODevice::ReadOnly));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    EXPECT_EQ(mirrored.readAll(), source.readAll());
}

TEST(DataPlaces, StandardDataFoldersAreSearchedByTheirOwnName)
{
    QTemporaryDir home, system;
    ASSERT_TRUE(home.isValid() && system.isValid());
    Touch(system.filePath("tarvelo/help/index.html"));
    ASSERT_TRUE(QDir().mkpath(system.filePath("tarvelo/examples")));
    const ScopedEnv dataHome("XDG_DATA_HOME", home.path().toUtf8());
    const ScopedEnv dataDirs("XDG_DATA_DIRS", system.path().toUtf8());

    EXPECT_EQ(HelpPageCandidates().value(2), system.filePath("tarvelo/help/index.html"));
    EXPECT_EQ(ExamplesFolderCandidates().value(2), system.filePath("tarvelo/examples"));
    // The user's own folder comes first.
    Touch(home.filePath("tarvelo/help/index.html"));
    EXPECT_EQ(HelpPageCandidates().value(2), home.filePath("tarvelo/help/index.html"));
    // Found there when the places relative to the program have nothing.
    const QStringList candidates = HelpPageCandidates();
    EXPECT_EQ(FindHelpPage({candidates[0], home.filePath("nothing.html"), candidates[2]}),
              home.filePath("tarvelo/help/index.html"));
}

TEST(DataPlaces, ExamplesFolderAndTheSelfCheckReport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir().mkpath(dir.filePath("b/examples")));
    Touch(dir.filePath("a/examples"));  // a file, not a folder
    EXPECT_EQ(FindFolder({dir.filePath("none"), dir.filePath("a/examples"), dir.filePath("b/examples"),
                          dir.path()}),
              dir.filePath("b/examples"));
    EXPECT_EQ(FindFolder({dir.filePath("a/examples")}), QString());
    EXPECT_EQ(FindFolder({}), QString());
    EXPECT_EQ(ExamplesFolderCandidates().size(), 3);
    EXPECT_TRUE(ExamplesFolderCandidates()[0].startsWith(QCoreApplication::applicationDirPath()));

    const QString report = DataPlacesReport();
    EXPECT_TRUE(report.startsWith(QStringLiteral("帮助页面：") + FindHelpPage(HelpPageCandidates()) +
                                  QStringLiteral("\n示例文件：")))
        << report;
    EXPECT_EQ(report.count('\n'), 2);
    EXPECT_TRUE(report.endsWith('\n'));
}

}  // namespace
}  // namespace tarvelo
