#include "cli/route_export_cli.h"

#include "core/files/break_file.h"

#include <QFileInfo>
#include <QString>

#include <sstream>
#include <streambuf>
#include <vector>

#include "core/files/element_file.h"
#include "core/numbers/number_text.h"
#include "core/profile/profile.h"
#include "core/files/profile_file.h"
#include "core/files/route_file.h"
#include "reports/dxf_writer.h"
#include "reports/landxml_reader.h"
#include "reports/landxml_writer.h"
#include "reports/streamed_file.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

std::string Message(const FileStatus& s) { return s.error ? s.error->toStdString() : std::string(); }

// Exit status of a route the import refuses (the same as a refused route file).
constexpr int kRefusedRoute = 2;

}  // namespace

std::optional<std::string> ReadRouteTableTarget(const std::optional<std::string>& format, bool jsonFlag,
                                                const std::optional<std::string>& out,
                                                RouteTableTarget* target)
{
    RouteTableTarget t;
    if (format) {
        if (*format != "text" && *format != "csv" && *format != "dat" && *format != "json")
            return "选项 --format 的值应为 text、csv、dat 或 json：" + *format;
        if (jsonFlag && *format != "json") return "选项 --json 与 --format " + *format + " 不能同时给出。";
        t.format = *format;
    } else if (jsonFlag) {
        t.format = "json";
    }
    if (out) {
        if (out->empty()) return std::string("选项 --out 的文件名是空的。");
        t.out = *out;
    }
    *target = t;
    return std::nullopt;
}

std::optional<std::string> WriteRouteTableTarget(const Route& route, const RouteTableParams& p,
                                                 const RouteTableTarget& target, const ElevationAt& elevation,
                                                 std::ostream& out, const StakeCsvColumns* extra)
{
    const StakeFileFormat format = target.format == "csv"   ? StakeFileFormat::Csv
                                   : target.format == "dat" ? StakeFileFormat::Cass
                                                            : StakeFileFormat::Report;
    if (target.out) {
        const FileStatus s = WriteStakeFile(FromUtf8(*target.out), route, p, format, elevation, nullptr, extra);
        if (!s.ok()) return Message(s);
        return std::nullopt;
    }
    const ByteSink sink = [&](std::string_view bytes) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return bool(out);
    };
    if (!StreamStakeTable(route, p, format, elevation, false, sink, extra)) return std::string("无法写出结果。");
    return std::nullopt;
}

// A stream buffer that hands full blocks to a StreamedFile and remembers the
// first failure (the stream then goes bad and the rest is dropped).
class AtomicFileOstream::Buffer : public std::streambuf {
public:
    std::optional<StreamedFile> file;
    std::optional<std::string> failure;

    Buffer() { setp(block_, block_ + sizeof block_); }

    bool Drain()
    {
        const std::ptrdiff_t n = pptr() - pbase();
        if (n > 0 && !failure && file) {
            const FileStatus s = file->Write(std::string_view(pbase(), std::size_t(n)));
            if (!s.ok()) failure = Message(s);
        }
        setp(block_, block_ + sizeof block_);
        return !failure;
    }

protected:
    int_type overflow(int_type ch) override
    {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    char block_[1 << 16];
};

AtomicFileOstream::AtomicFileOstream() : std::ostream(nullptr), buffer_(new Buffer) { rdbuf(buffer_); }

AtomicFileOstream::~AtomicFileOstream()
{
    rdbuf(nullptr);
    delete buffer_;  // an uncommitted StreamedFile discards its temporary file
}

std::optional<std::string> AtomicFileOstream::Open(const std::string& path)
{
    buffer_->file.emplace(FromUtf8(path));
    const FileStatus s = buffer_->file->Open();
    if (!s.ok()) {
        setstate(std::ios::badbit);
        return Message(s);
    }
    return std::nullopt;
}

std::optional<std::string> AtomicFileOstream::Commit()
{
    if (!buffer_->file) return std::string("没有打开的文件。");
    buffer_->Drain();
    if (buffer_->failure) return buffer_->failure;
    const FileStatus s = buffer_->file->Commit();
    if (!s.ok()) return Message(s);
    return std::nullopt;
}

std::optional<std::string> RunRouteExport(const Route& route, const std::string& routePath,
                                          const std::string& format, const std::string& outPath,
                                          const std::optional<double>& interval,
                                          const std::vector<GradePointInput>* profile)
{
    if (outPath.empty()) return std::string("选项 --out 的文件名是空的。");
    const QString out = FromUtf8(outPath);
    if (format == "landxml") {
        if (interval) return std::string("选项 --interval 只用于 --format dxf（LandXML 只写线形）。");
        const QString name = QFileInfo(FromUtf8(routePath)).completeBaseName();
        const FileStatus s = WriteLandXml(out, route, name, profile);
        if (!s.ok()) return Message(s);
        return std::nullopt;
    }
    if (format == "dxf") {
        if (profile) return std::string("选项 --profile 只用于 --format landxml（DXF 只画平面）。");
        std::optional<RouteTableParams> stakes;
        if (interval) {
            stakes.emplace();
            stakes->interval = *interval;
        }
        const FileStatus s = WriteRouteDxf(out, route, stakes);
        if (!s.ok()) return Message(s);
        return std::nullopt;
    }
    return "选项 --format 的值应为 landxml 或 dxf：" + format;
}

std::optional<std::string> RunImportLandXml(const LandXmlImportRequest& request, std::ostream& out,
                                            std::string* warnings, int* status)
{
    *status = 1;
    const std::string& inPath = request.inPath;
    if (!request.list && (!request.outPath || request.outPath->empty()))
        return std::string("选项 --out 的文件名是空的。");
    if (request.profileOut && request.profileOut->empty()) return std::string("选项 --profile-out 的文件名是空的。");
    const FileResult<QByteArray> bytes = ReadFileBytes(FromUtf8(inPath));
    if (!bytes.ok()) return bytes.error->toStdString();
    const std::string cannot = "无法导入 LandXML 文件“" + inPath + "”：";
    if (request.list) {
        const auto list = ListLandXmlAlignments(*bytes.value);
        if (!list.ok()) {
            *status = kRefusedRoute;
            return cannot + list.error->toStdString();
        }
        std::string text;
        for (const LandXmlAlignmentInfo& a : *list.value) {
            text += a.name.toStdString() + "\t" + (a.length ? FormatFixed(*a.length, 3) : std::string("未知")) +
                    "\t" + std::to_string(a.elementCount) + "\n";
        }
        out << text;
        *status = 0;
        return std::nullopt;
    }
    const FileResult<LandXmlAlignment> read =
        ParseLandXmlAlignment(*bytes.value, request.alignment ? FromUtf8(*request.alignment) : QString());
    if (!read.ok()) {
        *status = kRefusedRoute;
        return cannot + read.error->toStdString();
    }
    const LandXmlAlignment& a = *read.value;
    std::string text;
    if (a.elements.empty()) {
        // Only a route the engine accepts is written: the file must compute.
        const Route::Built built = Route::Build(a.rows, SpiralMode::Exact, a.breaks);
        if (!built.route) {
            *status = kRefusedRoute;
            return "LandXML 文件“" + inPath + "”中的线形不能构成可计算的路线：" + built.error->message;
        }
        text = FormatRouteFile(a.rows);
    } else {
        text = FormatElementFile(a.elements);
    }
    std::string profileText;
    if (request.profileOut) {
        const std::string where = "LandXML 文件“" + inPath + "”中的线形“" + a.name.toStdString() + "”";
        if (!a.profileError.empty()) {
            *status = kRefusedRoute;
            return cannot + a.profileError;
        }
        if (a.profile.empty()) {
            *status = kRefusedRoute;
            return where + "没有纵断面 <ProfAlign>，无法写出纵断面文件。";
        }
        const Profile::Built built = Profile::Build(a.profile);
        if (!built.profile) {
            *status = kRefusedRoute;
            return where + "的纵断面不能构成可计算的纵断面：" + built.error->message;
        }
        profileText = "\xEF\xBB\xBF" + FormatProfileFile(a.profile);
    }
    if (!a.breaks.empty() && !request.breaksOut) {
        *status = kRefusedRoute;
        return "LandXML 文件“" + inPath + "”中的线形有 " + std::to_string(a.breaks.size()) +
               " 处断链 <StaEquation>：请用 --breaks-out 指定断链表文件，以免桩号错位。";
    }
    const FileStatus s = WriteFileBytes(FromUtf8(*request.outPath), QByteArray::fromStdString("\xEF\xBB\xBF" + text));
    if (!s.ok()) return Message(s);
    if (request.profileOut) {
        const FileStatus p = WriteFileBytes(FromUtf8(*request.profileOut), QByteArray::fromStdString(profileText));
        if (!p.ok()) return Message(p);
    }
    if (request.breaksOut) {
        const FileStatus b =
            WriteFileBytes(FromUtf8(*request.breaksOut), QByteArray::fromStdString("\xEF\xBB\xBF" + FormatBreakFile(a.breaks)));
        if (!b.ok()) return Message(b);
    }
    for (const std::string& w : a.warnings) *warnings += "警告：" + w + "\n";
    *status = 0;
    return std::nullopt;
}

std::optional<std::string> RunImportLandXml(const std::string& inPath, const std::string& outPath, int* status)
{
    LandXmlImportRequest request;
    request.inPath = inPath;
    request.outPath = outPath;
    std::ostringstream out;
    std::string warnings;
    return RunImportLandXml(request, out, &warnings, status);
}

}  // namespace tarvelo
