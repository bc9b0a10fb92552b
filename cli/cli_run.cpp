#include "cli/cli_run.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cmath>

#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "cli/cli_help.h"
#include "cli/curve_source.h"
#include "cli/json_output.h"
#include "cli/route_cli.h"
#include "compute/curve_command.h"
#include "compute/forward_point.h"
#include "compute/main_points.h"
#include "compute/stakeout_table.h"
#include "compute/station_offset.h"
#include "core/curve/centreline.h"
#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/curve_data_file.h"
#include "reports/elements_report.h"
#include "reports/results_report.h"

namespace tarvelo {

namespace {

// Ends the invocation: nothing goes to stdout, the message to stderr.
struct CliFailure {
    int status;
    std::string message;
};

[[noreturn]] void Fail(const std::string& message, int status = kExitError)
{
    throw CliFailure{status, message};
}

// The synopses shown after a usage error (cli_help.h).
const std::string kUsage = ShortUsage();

struct CommandDef {
    std::set<std::string> allowed;   // value options besides --curve and --json
    std::set<std::string> required;
};

const std::map<std::string, CommandDef>& Commands()
{
    static const std::map<std::string, CommandDef> commands = {
        {"elements", {{"report"}, {}}},
        {"point", {{"station", "offset", "skew"}, {"station"}}},
        {"table",
         {{"start", "end", "interval", "offset", "skew", "report"}, {"start", "end", "interval"}}},
        {"inverse", {{"x", "y"}, {"x", "y"}}},
        {"export-curve", {{"out"}, {"out"}}},
    };
    return commands;
}

const char* const kValueOptions[] = {"curve", "station", "offset", "skew", "start", "end",
                                     "interval", "x",    "y",      "report", "out"};

struct Invocation {
    std::string command;
    bool json = false;
    std::map<std::string, std::string> values;  // option name -> text as given

    std::optional<std::string> value(const std::string& name) const
    {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
};

Invocation Parse(const std::vector<std::string>& args)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char* name : kValueOptions)
        parser.addOption(QCommandLineOption(QString::fromUtf8(name), QString(), "value"));
    parser.addOption(QCommandLineOption("json"));

    QStringList list{"tarvelo-cli"};
    for (const std::string& a : args) list << QString::fromUtf8(a.data(), qsizetype(a.size()));
    if (!parser.parse(list)) Fail(ParseErrorMessage(parser, args) + "\n" + kUsage);

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) Fail(std::string("缺少子命令。\n") + kUsage);
    if (positional.size() > 1)
        Fail("多余的参数：" + positional.at(1).toStdString() + "\n" + kUsage);

    Invocation inv;
    inv.command = positional.front().toStdString();
    const auto command = Commands().find(inv.command);
    if (command == Commands().end()) Fail("未知的子命令：" + inv.command + "\n" + kUsage);

    inv.json = parser.isSet("json");
    if (inv.json && inv.command == "export-curve")
        Fail(std::string("子命令 export-curve 不接受选项 --json。\n") + kUsage);
    for (const char* name : kValueOptions) {
        if (!parser.isSet(name)) continue;
        if (std::string(name) != "curve" && !command->second.allowed.count(name))
            Fail("子命令 " + inv.command + " 不接受选项 --" + name + "。\n" + kUsage);
        const QStringList given = parser.values(name);
        if (given.size() > 1) Fail(std::string("选项 --") + name + " 只能给出一次。");
        inv.values[name] = given.front().toStdString();
    }
    for (const std::string& name : command->second.required)
        if (!inv.values.count(name)) Fail("子命令 " + inv.command + " 缺少选项 --" + name + "。\n" + kUsage);
    return inv;
}

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

CurveTexts CurveOf(const Invocation& inv)
{
    const std::optional<std::string> path = inv.value("curve");
    if (!path) return DefaultCurveTexts();
    CurveLoad load = LoadCurveTexts(*path);
    if (load.error) Fail(*load.error);
    return load.texts;
}

// The command line promises numbers to four decimals; beyond 1e12 m a
// double cannot carry them (its spacing passes 0.0001 m near 4.5e11), so
// such inputs are refused rather than answered with digits that mean
// nothing.
constexpr double kMaxMagnitude = 1e12;

void CheckMagnitude(const std::string& text, const std::string& what)
{
    if (!(std::fabs(ReadLeadingNumber(text)) <= kMaxMagnitude))
        Fail(what + " 的数值超出可计算范围（绝对值不得超过 1e12）：" + text);
}

// The curve inputs as the command line's messages name them: the window's
// boxes, the names users of the window know and scripts already match.
const char* const kCurveInputNames[kCurveInputCount] = {"Text1", "Text2", "Text3", "Text4",
                                                        "Text5", "Text6", "Text7", "Text8"};

void CheckMagnitudes(const Invocation& inv, const CurveTexts& texts)
{
    for (const auto& [name, text] : inv.values)
        if (name != "curve" && name != "report" && name != "out") CheckMagnitude(text, "--" + name);
    for (int i = 0; i < kCurveInputCount; ++i)
        CheckMagnitude(texts[i], std::string("曲线数据 ") + kCurveInputNames[i]);
}

void Prepare(CurveState& s, const Invocation& inv, const CurveTexts& texts)
{
    // The window's curve checks come first, with their own exit status.
    if (const auto failure = ValidateCurveInputs(texts))
        Fail(std::string(kCurveInputNames[failure->index]) + "：" + failure->message,
             kExitInvalidCurve);
    CheckMagnitudes(inv, texts);
    PrepareCurve(s, texts);
}

void Line(std::string& out, std::initializer_list<std::string> fields)
{
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += '\t';
        out += f;
        first = false;
    }
    out += '\n';
}

void Check(const FileStatus& status)
{
    if (!status.ok()) Fail(status.error->toStdString());
}

std::string RunElements(CurveState& s, const Invocation& inv)
{
    ElementsDisplay display = ComputeElementsDisplay(s);
    if (display.fault) Fail(*display.fault);
    if (const auto report = inv.value("report")) {
        const auto input = ElementsReportInputFromDisplay(
            display, {s.ZH, s.HYStation, s.QZ, s.YHStation, s.HZ});
        if (!input.ok()) Fail(input.error->toStdString());
        Check(WriteElementsReport(FromUtf8(*report), *input.value));
    }
    if (inv.json) return ElementsJson(ComputeMainPoints(s), s);
    const std::map<std::string, std::string> cells(display.cells.begin(), display.cells.end());
    std::string out;
    static const char* const names[] = {"ZH", "HY", "QZ", "YH", "HZ"};
    for (std::size_t row = 0; row < kMainStakeCells.size(); ++row) {
        const auto& c = kMainStakeCells[row];
        Line(out, {names[row], cells.at(c[0]), cells.at(c[1]), cells.at(c[2]), cells.at(c[3])});
    }
    for (const char* e : kElementNames) Line(out, {e, cells.at(e)});
    return out;
}

std::string RunPoint(CurveState& s, const Invocation& inv)
{
    const StakeQueryResult q = ReadStakeQuery(*inv.value("station"), inv.value("offset").value_or(""),
                                              inv.value("skew").value_or(""));
    if (!q.query) Fail(q.message);
    const CentrelinePoint p = PointAtStation(s, q.query->k, q.query->m, q.query->a);
    if (inv.json) return PointJson(p, SegmentAt(s, q.query->k));
    const ForwardTexts t = FormatForwardResult(p);
    return t.x + "\n" + t.y + "\n" + t.azimuth + "\n";
}

// The plain table streams out as it is made (a million rows need no more
// memory than one piece of them); JSON and the report are made whole.
void RunTable(CurveState& s, const Invocation& inv, std::ostream& out)
{
    const TableParamsResult r =
        ReadTableParams(inv.value("offset").value_or("0"), inv.value("skew").value_or("90"),
                        *inv.value("interval"), *inv.value("start"), *inv.value("end"));
    if (!r.params) Fail(r.message);
    const std::optional<std::string> report = inv.value("report");
    if (report) {
        TableResult table = BuildStakeoutTable(s, *r.params);
        if (table.refusal) Fail(*table.refusal);
        if (table.fault) Fail(*table.fault);
        Check(WriteResultsReport(FromUtf8(*report), FromUtf8(table.text)));
        if (!inv.json) {
            // Plain output uses LF line ends; the table's own CR LF belongs to
            // the window and its report.
            std::string plain;
            plain.reserve(table.text.size());
            for (char c : table.text)
                if (c != '\r') plain += c;
            out << plain;
            return;
        }
    }
    if (inv.json) {
        const StakeRowsResult rows = ComputeStakeRows(s, *r.params);
        if (rows.refusal) Fail(*rows.refusal);
        if (rows.fault) Fail(*rows.fault);
        out << TableJson(rows.rows);
        return;
    }
    const TableStreamResult streamed = StreamStakeoutTable(
        s, *r.params, "\n", [&](std::string_view piece) { out.write(piece.data(), std::streamsize(piece.size())); });
    if (streamed.refusal) Fail(*streamed.refusal);
    if (streamed.fault) Fail(*streamed.fault);
}

std::string RunInverse(CurveState& s, const Invocation& inv)
{
    const std::string xText = *inv.value("x"), yText = *inv.value("y");
    if (IsBlank(xText)) Fail(kInverseXMissingMessage);
    if (IsBlank(yText)) Fail(kInverseYMissingMessage);
    const double x = Checked(ReadLeadingNumber(xText), "反算坐标X");
    const double y = Checked(ReadLeadingNumber(yText), "反算坐标Y");
    const StationOffset r = ComputeStationOffset(s, x, y);
    if (inv.json) return InverseJson(r);
    const InverseTexts t = FormatStationOffset(r);
    return t.station + "\n" + t.offset + "\n";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::string& out, std::string& err)
{
    // In process the streamed output is gathered here, and kept only when
    // the command succeeded.
    std::ostringstream stream;
    const int status = RunCli(args, stream, err);
    out = status == kExitOk ? stream.str() : std::string();
    return status;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::string& err)
{
    err.clear();
    if (!args.empty() && args.front() == "route") return RunRouteCli(args, out, err);
    // --help and --version answer on stdout before anything is parsed.
    if (const std::optional<std::string> usage = UsageFor(args)) {
        out << *usage;
        return kExitOk;
    }
    if (AsksForVersion(args)) {
        out << VersionText();
        return kExitOk;
    }
    try {
        const Invocation inv = Parse(args);
        const CurveTexts texts = CurveOf(inv);
        if (inv.command == "export-curve") {
            // The texts as the window would hold them: no check, no compute.
            Check(ExportCurveInputs(FromUtf8(*inv.value("out")), texts));
            return kExitOk;
        }
        CurveState s;
        Prepare(s, inv, texts);
        if (inv.command == "elements") out << RunElements(s, inv);
        else if (inv.command == "point") out << RunPoint(s, inv);
        else if (inv.command == "table") RunTable(s, inv, out);
        else out << RunInverse(s, inv);
        return kExitOk;
    } catch (const CliFailure& f) {
        err = "tarvelo-cli: " + f.message;
        if (err.back() != '\n') err += '\n';
        return f.status;
    } catch (const FloatFault& f) {
        err = std::string("tarvelo-cli: ") + f.what() + "\n";
    } catch (const std::exception& e) {
        err = std::string("tarvelo-cli: ") + e.what() + "\n";
    }
    return kExitError;
}

}  // namespace tarvelo
