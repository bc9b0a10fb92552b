// The executable against bad input: every subcommand and value option with
// empty, blank, non-numeric, huge, tiny and missing values, and files that
// cannot be read or written. Whatever the input, the process ends by itself
// within seconds, with a message and nothing on stdout when it fails.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <map>
#include <string>
#include <vector>

namespace {

struct Outcome {
    bool finished = false;
    bool crashed = false;
    int status = -1;
    QByteArray out, err;
};

Outcome RunCliProcess(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(TARVELO_CLI_PATH), args);
    Outcome o;
    o.finished = p.waitForFinished(20000);
    if (!o.finished) {
        p.kill();
        p.waitForFinished();
    }
    o.crashed = p.exitStatus() == QProcess::CrashExit;
    o.status = p.exitCode();
    o.out = p.readAllStandardOutput();
    o.err = p.readAllStandardError();
    return o;
}

// exportsOnly: a successful export-curve writes its file and prints nothing.
void ExpectWellBehaved(const Outcome& o, bool exportsOnly = false)
{
    ASSERT_TRUE(o.finished) << "hung";
    ASSERT_FALSE(o.crashed) << o.err.toStdString();
    EXPECT_TRUE(o.status == 0 || o.status == 1 || o.status == 2) << o.status;
    if (o.status == 0) {
        EXPECT_EQ(o.out.isEmpty(), exportsOnly);
        EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    } else {
        EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
        EXPECT_TRUE(o.err.startsWith("tarvelo-cli: ")) << o.err.toStdString();
        EXPECT_TRUE(o.err.endsWith('\n'));
    }
    EXPECT_FALSE(o.out.contains("inf") || o.out.contains("nan") || o.out.contains("null"));
}

// A working invocation of each subcommand; each case replaces or drops one
// option of it.
const std::map<QString, QStringList>& GoodInvocations()
{
    static const std::map<QString, QStringList> good = {
        {"elements", {}},
        {"point", {"--station", "10000", "--offset", "2", "--skew", "90"}},
        {"table", {"--start", "9000", "--end", "9100", "--interval", "20", "--offset", "0",
                   "--skew", "90"}},
        {"inverse", {"--x", "3377706.6675", "--y", "455858.525"}},
    };
    return good;
}

enum class Expect { Fails, Succeeds };

struct ValueCase {
    const char* name;
    const char* value;  // nullptr: the option is left out
};

const ValueCase kValues[] = {
    {"empty", ""}, {"blank", "   "}, {"non-numeric", "abc"},
    {"huge", "1e308"}, {"tiny", "1e-320"}, {"missing", nullptr},
};

// What the window's reading makes of each value, option by option: where the
// window computes (a lenient station "abc" is station 0) the command line
// gives that result; everything else fails with a message.
Expect Expected(const QString& command, const QString& option, const std::string& kind)
{
    if (kind == "huge") return Expect::Fails;  // beyond four decimals
    const bool required = option == "station" || option == "x" || option == "y" ||
                          option == "start" || option == "end" || option == "interval";
    if (kind == "missing") return required ? Expect::Fails : Expect::Succeeds;
    if (kind == "empty" || kind == "blank") {
        // A blank offset or skew of a single point means the centreline point.
        return command == "point" && !required ? Expect::Succeeds : Expect::Fails;
    }
    if (kind == "non-numeric") {
        // The single point converts offset and skew strictly; all else is
        // read leniently as 0, and an interval of 0 is refused.
        if (command == "point") return required ? Expect::Succeeds : Expect::Fails;
        return option == "interval" ? Expect::Fails : Expect::Succeeds;
    }
    // tiny: a valid number, except an interval that never moves the station.
    return option == "interval" ? Expect::Fails : Expect::Succeeds;
}

TEST(CliBadInput, EveryOptionWithEveryBadValueEndsCleanly)
{
    for (const auto& [command, good] : GoodInvocations()) {
        for (int i = 0; i < good.size(); i += 2) {
            const QString option = good[i].mid(2);
            for (const ValueCase& v : kValues) {
                QStringList args{command};
                for (int j = 0; j < good.size(); j += 2) {
                    if (j != i) {
                        args << good[j] << good[j + 1];
                    } else if (v.value) {
                        args << good[j] << QString::fromUtf8(v.value);
                    }
                }
                SCOPED_TRACE((args.join(' ') + "   [" + v.name + " " + option + "]").toStdString());
                const Outcome o = RunCliProcess(args);
                ExpectWellBehaved(o);
                const bool fails = Expected(command, option, v.name) == Expect::Fails;
                EXPECT_EQ(o.status != 0, fails);
            }
        }
    }
}

TEST(CliBadInput, CurveFileValuesThatCannotBeComputedFail)
{
    QTemporaryDir dir;
    const struct {
        const char* name;
        QByteArray bytes;
        int elementsStatus;  // export-curve moves texts without computing
        int exportStatus;
    } files[] = {
        {"empty", "", 1, 1},
        {"short", "1\n2\n3\n", 1, 1},
        {"binary", QByteArray("\x00\x01\x02\xff\xfe", 5), 1, 1},
        {"blank-x", " \n2\n3\n100\n0\n0\n90\n0\n", 0, 0},  // imports as 0
        {"zero-r", "1\n2\n3\n0\n0\n0\n90\n0\n", 2, 0},
        {"huge-r", "1\n2\n3\n1e308\n0\n0\n90\n0\n", 1, 0},
        {"tiny-r", "1\n2\n3\n1e-320\n10\n10\n90\n0\n", 1, 0},  // Ls^2 / R overflows
        {"overflow", "1e999\n2\n3\n100\n0\n0\n90\n0\n", 1, 1},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        QFile file(dir.filePath(f.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.bytes);
        file.close();
        for (const char* command : {"elements", "export-curve"}) {
            QStringList args{command, "--curve", file.fileName()};
            if (QString(command) == "export-curve") args << "--out" << dir.filePath("out.txt");
            const bool exporting = QString(command) == "export-curve";
            const Outcome o = RunCliProcess(args);
            ExpectWellBehaved(o, exporting);
            EXPECT_EQ(o.status, exporting ? f.exportStatus : f.elementsStatus)
                << o.err.toStdString();
        }
    }
}

TEST(CliBadInput, FoldersAndUnwritablePathsAreRefusedWithTheirName)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString folder = dir.path();
    const QString underFile = dir.filePath("plain/x.txt");
    const QString missing = dir.filePath("no/such/folder/x.txt");
    const QStringList cases[] = {
        {"elements", "--curve", folder},
        {"elements", "--report", folder},
        {"elements", "--report", underFile},
        {"table", "--start", "0", "--end", "10", "--interval", "5", "--report", missing},
        {"export-curve", "--out", folder},
        {"export-curve", "--out", missing},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome o = RunCliProcess(args);
        ExpectWellBehaved(o);
        EXPECT_EQ(o.status, 1);
        EXPECT_TRUE(o.err.contains(QDir::toNativeSeparators(args.last()).toUtf8())) << o.err.toStdString();
    }
}

TEST(CliBadInput, FileWithoutReadPermissionIsRefused)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bit that stops the owner reading a file";
#else
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file whatever its permission bits";
#endif
    QTemporaryDir dir;
    QFile file(dir.filePath("locked.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("1\n2\n3\n100\n0\n0\n90\n0\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(QFileDevice::WriteOwner));
    const Outcome o = RunCliProcess({"elements", "--curve", file.fileName()});
    ExpectWellBehaved(o);
    EXPECT_EQ(o.status, 1);
}

}  // namespace
