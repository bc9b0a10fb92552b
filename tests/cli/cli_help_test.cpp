// What tarvelo-cli says about itself: --help for the tool and each
// subcommand, --version, and the parser's complaints, each in one language.

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include <set>
#include <string>
#include <vector>

#include "cli/cli_help.h"
#include "cli/cli_run.h"
#include "tarvelo_version.h"

namespace tarvelo {
namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun Cli(const std::vector<std::string>& args)
{
    CliRun r;
    r.status = RunCli(args, r.out, r.err);
    return r;
}

const std::vector<std::string> kSingleCurveCommands = {"elements", "point", "table", "inverse",
                                                       "export-curve"};
const std::vector<std::string> kRouteCommands = {
    "route elements", "route point",   "route table",         "route inverse",
    "route profile",  "route export",  "route import-landxml", "route slope", "route level"};

std::vector<std::string> AllCommands()
{
    std::vector<std::string> all = kSingleCurveCommands;
    all.insert(all.end(), kRouteCommands.begin(), kRouteCommands.end());
    return all;
}

// The ASCII words of a text that are not one of the words a surveyor types
// or reads as they are (option names, placeholders, point names, formats).
std::set<std::string> ForeignWords(const std::string& text)
{
    static const std::set<std::string> typed = {
        // program, subcommands, option names and their placeholders
        "tarvelo", "cli", "help", "h", "version", "elements", "point", "table", "inverse", "export",
        "curve", "route", "profile", "import", "landxml", "station", "offset", "skew", "start",
        "end", "interval", "x", "y", "json", "report", "out", "points", "format", "in", "no",
        "main", "text", "csv", "dat", "dxf", "xlsx", "Excel", "FILE", "K", "M", "A", "S", "E", "J", "X", "Y",
        "spiral", "exact", "series", "length",
        "alignment", "list", "NAME",
        "breaks", "zone", "StaEquation", "check", "design", "tolerance", "z", "T", "N", "sections", "transition", "linear",
        "cubic", "instrument", "backsight", "azimuth", "height", "target", "H", "h", "t",
        "slope", "level", "template", "depth", "D", "Z",
        "ground", "earthwork", "band", "B", "stations", "hdm", "relative", "centre", "BEGIN",
        // point names, symbols, notations and encodings
        "ZH", "HY", "QZ", "YH", "HZ", "JD", "QD", "ZD", "R", "Ls1", "Ls2", "d", "mmss", "LandXML",
        "DXF", "JSON", "CASS", "GBK", "UTF", "CR", "LF",
        // what the cases below typed, echoed back
        "frob", "frobnicate", "extra"};
    std::set<std::string> foreign;
    static const QRegularExpression word(QStringLiteral("[A-Za-z][A-Za-z0-9]*"));
    auto it = word.globalMatch(QString::fromStdString(text));
    while (it.hasNext()) {
        const std::string w = it.next().captured().toStdString();
        if (!typed.count(w)) foreign.insert(w);
    }
    return foreign;
}

std::string Join(const std::set<std::string>& words)
{
    std::string s;
    for (const auto& w : words) s += w + " ";
    return s;
}

TEST(CliHelp, HelpAnywhereInTheLineShowsTheUsageOfTheNamedCommandAndExitsZero)
{
    const struct {
        std::vector<std::string> args;
        const char* begins;
    } cases[] = {
        {{"--help"}, "用法：tarvelo-cli 子命令 [选项]\n"},
        {{"-h"}, "用法：tarvelo-cli 子命令 [选项]\n"},
        {{"point", "--help"}, "用法：tarvelo-cli point [--curve FILE] --station K"},
        {{"--help", "table"}, "用法：tarvelo-cli table [--curve FILE] --start S"},
        // a value of --curve is not a subcommand word
        {{"--curve", "point", "elements", "--help"}, "用法：tarvelo-cli elements "},
        {{"inverse", "--x", "1", "-help"}, "用法：tarvelo-cli inverse "},
        {{"export-curve", "--out", "a.txt", "--help"}, "用法：tarvelo-cli export-curve "},
        {{"route", "--help"}, "用法：\n  tarvelo-cli route elements --route FILE"},
        {{"route", "table", "--help"}, "用法：tarvelo-cli route table --route FILE --interval J"},
        {{"route", "point", "--route", "table", "--help"}, "用法：tarvelo-cli route point "},
        {{"route", "import-landxml", "--help"}, "用法：tarvelo-cli route import-landxml --in FILE"},
        {{"route", "frobnicate", "--help"}, "用法：\n  tarvelo-cli route elements"},
        {{"frobnicate", "--help"}, "用法：tarvelo-cli 子命令 [选项]\n"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, kExitOk);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out.rfind(c.begins, 0), 0u) << r.out;
        EXPECT_EQ(r.out.back(), '\n');
    }
}

TEST(CliHelp, WholeToolHelpListsEverySubcommandVersionAndExitStatuses)
{
    const std::string usage = Cli({"--help"}).out;
    for (const std::string& command : AllCommands())
        EXPECT_NE(usage.find("  tarvelo-cli " + command + " "), std::string::npos) << command;
    for (const char* text : {"tarvelo-cli --version", "d.mmss", "152.094168", "退出状态", "2 曲线数据"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
    // The error synopsis carries the same commands.
    for (const std::string& command : AllCommands())
        EXPECT_NE(ShortUsage().find("  tarvelo-cli " + command + " "), std::string::npos) << command;
}

// Every option in a subcommand's synopsis is explained in its option list.
TEST(CliHelp, EachSubcommandExplainsEveryOptionOfItsSynopsis)
{
    static const QRegularExpression option(QStringLiteral("--[a-z-]+"));
    for (const std::string& command : AllCommands()) {
        SCOPED_TRACE(command);
        const std::optional<std::string> usage = CommandUsage(command);
        ASSERT_TRUE(usage.has_value());
        const std::size_t options = usage->find("\n选项：\n");
        ASSERT_NE(options, std::string::npos);
        const std::string synopsis = usage->substr(0, usage->find("\n\n"));
        const std::string list = usage->substr(options);
        auto it = option.globalMatch(QString::fromStdString(synopsis));
        int count = 0;
        for (; it.hasNext(); ++count) {
            const std::string name = it.next().captured().toStdString();
            EXPECT_NE(list.find("\n  " + name + " "), std::string::npos) << name;
        }
        EXPECT_GT(count, 0);
    }
    EXPECT_FALSE(CommandUsage("frobnicate").has_value());
    EXPECT_FALSE(CommandUsage("route frobnicate").has_value());
}

// The help may only name options the parser takes: each option of a
// single-curve synopsis given once is never refused as unknown or foreign
// to that subcommand.
TEST(CliHelp, SingleCurveSynopsesNameOnlyOptionsTheParserAccepts)
{
    static const QRegularExpression option(QStringLiteral("--([a-z-]+)( [A-Z]+)?"));
    // "--out 1" and "--report 1" write a file named 1: into a folder of the
    // test's own, not wherever the tests were started.
    QTemporaryDir scratch;
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    for (const std::string& command : kSingleCurveCommands) {
        const std::string usage = *CommandUsage(command);
        const std::string synopsis = usage.substr(0, usage.find("\n\n"));
        auto it = option.globalMatch(QString::fromStdString(synopsis));
        while (it.hasNext()) {
            const auto m = it.next();
            std::vector<std::string> args = {command, "--" + m.captured(1).toStdString()};
            if (!m.captured(2).isEmpty()) args.push_back("1");
            SCOPED_TRACE(command + " " + args[1]);
            const CliRun r = Cli(args);
            EXPECT_EQ(r.err.find("未知的选项"), std::string::npos) << r.err;
            EXPECT_EQ(r.err.find("不接受"), std::string::npos) << r.err;
        }
    }
    QDir::setCurrent(started);
}

TEST(CliHelp, VersionIsTheProjectVersion)
{
    const CliRun r = Cli({"--version"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string("tarvelo-cli ") + TARVELO_VERSION + "\n");
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tarvelo-cli \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(QString::fromStdString(r.out))
                    .hasMatch())
        << r.out;
    // Only on its own: after a subcommand it is an unknown option.
    const CliRun after = Cli({"elements", "--version"});
    EXPECT_EQ(after.status, kExitError);
    EXPECT_EQ(after.out, "");
    EXPECT_NE(after.err.find("未知的选项：--version。"), std::string::npos) << after.err;
}

TEST(CliHelp, ParserComplaintsAreChineseAndNameTheOptionAsTyped)
{
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"elements", "--frob"}, "tarvelo-cli: 未知的选项：--frob。\n用法：\n"},
        {{"elements", "-frob=1"}, "tarvelo-cli: 未知的选项：-frob。\n"},
        {{"--frob", "--x=1", "inverse"}, "tarvelo-cli: 未知的选项：--frob。\n"},
        {{"elements", "--a", "--b"}, "tarvelo-cli: 未知的选项：--a、--b。\n"},
        {{"point", "--station"}, "tarvelo-cli: 选项 --station 缺少值。\n用法：\n"},
        {{"elements", "--json=yes"}, "tarvelo-cli: 选项 --json 不带值。\n"},
        {{"--", "-"}, "tarvelo-cli: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, kExitError);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind(c.says, 0), 0u) << r.err;
    }
}

// One language a message: no English word beside the Chinese except what is
// typed or read as it is. Also the fuzz target's rule that output never shows
// "inf", "nan" or "null".
TEST(CliHelp, EveryTextIsChineseApartFromTypedWords)
{
    std::vector<std::string> texts = {GeneralUsage(), ShortUsage(), *CommandUsage("route")};
    for (const std::string& command : AllCommands()) texts.push_back(*CommandUsage(command));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"elements", "--frob"}, {"point", "--station"}, {"elements", "--json=yes"},
             {"--", "-"}, {}, {"frobnicate"}, {"elements", "extra"}})
        texts.push_back(Cli(args).err);
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Join(ForeignWords(text)), "");
        for (const char* bad : {"inf", "nan", "null"}) EXPECT_EQ(text.find(bad), std::string::npos);
        EXPECT_EQ(text.back(), '\n');
    }
    // The check itself sees a stray English word.
    EXPECT_EQ(Join(ForeignWords("Unknown option 'frob'.")), "Unknown option ");
}

}  // namespace
}  // namespace tarvelo
