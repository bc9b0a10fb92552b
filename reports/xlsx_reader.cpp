#include "reports/xlsx_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include <QXmlStreamReader>

#include <unzip.h>

namespace tarvelo {

namespace {

// ---- the ZIP container, read from memory --------------------------------

struct MemoryStream {
    const QByteArray* bytes = nullptr;
    ZPOS64_T at = 0;
};

voidpf OpenMemory(voidpf opaque, const void*, int mode)
{
    if (mode & ZLIB_FILEFUNC_MODE_WRITE) return nullptr;
    auto* stream = new MemoryStream;
    stream->bytes = static_cast<const QByteArray*>(opaque);
    return stream;
}

uLong ReadMemory(voidpf, voidpf s, void* buf, uLong size)
{
    auto* stream = static_cast<MemoryStream*>(s);
    const ZPOS64_T total = ZPOS64_T(stream->bytes->size());
    const ZPOS64_T left = stream->at < total ? total - stream->at : 0;
    const uLong n = uLong(std::min<ZPOS64_T>(left, size));
    if (n) std::memcpy(buf, stream->bytes->constData() + stream->at, n);
    stream->at += n;
    return n;
}

uLong WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T TellMemory(voidpf, voidpf s) { return static_cast<MemoryStream*>(s)->at; }

long SeekMemory(voidpf, voidpf s, ZPOS64_T offset, int origin)
{
    auto* stream = static_cast<MemoryStream*>(s);
    const ZPOS64_T total = ZPOS64_T(stream->bytes->size());
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = stream->at;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = total;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    // minizip passes negative offsets from the end as wrapped-around values.
    const ZPOS64_T to = base + offset;
    if (to > total) return -1;
    stream->at = to;
    return 0;
}

int CloseMemory(voidpf, voidpf s)
{
    delete static_cast<MemoryStream*>(s);
    return 0;
}

int ErrorMemory(voidpf, voidpf) { return 0; }

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};
using Zip = std::unique_ptr<void, ZipCloser>;

Zip OpenZip(const QByteArray& bytes)
{
    zlib_filefunc64_def io{};
    io.zopen64_file = OpenMemory;
    io.zread_file = ReadMemory;
    io.zwrite_file = WriteMemory;
    io.ztell64_file = TellMemory;
    io.zseek64_file = SeekMemory;
    io.zclose_file = CloseMemory;
    io.zerror_file = ErrorMemory;
    io.opaque = const_cast<QByteArray*>(&bytes);
    return Zip(unzOpen2_64("workbook", &io));
}

const QString kDamaged = QStringLiteral("工作簿已损坏（ZIP 结构无法读取）。");

// The part of the given name (case-insensitive, as the package format
// says), whole; nullopt with *error set when it cannot be read, nullopt with
// *error empty when there is no such part.
std::optional<QByteArray> ReadPart(void* zip, const std::string& name, QString* error)
{
    error->clear();
    if (unzLocateFile(zip, name.c_str(), 2) != UNZ_OK) return std::nullopt;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        *error = kDamaged;
        return std::nullopt;
    }
    if (info.flag & 1) {
        *error = QStringLiteral("工作簿已加密，请在 Excel 中取消密码后另存为 .xlsx。");
        return std::nullopt;
    }
    if (info.uncompressed_size > ZPOS64_T(kMaxXlsxPartBytes)) {
        *error = QStringLiteral("工作簿的部件“%1”太大（%2 字节）。").arg(QString::fromStdString(name)).arg(info.uncompressed_size);
        return std::nullopt;
    }
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        *error = kDamaged;
        return std::nullopt;
    }
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const int n = unzReadCurrentFile(zip, buffer, sizeof buffer);
        if (n < 0) {
            unzCloseCurrentFile(zip);
            *error = QStringLiteral("工作簿已损坏：部件“%1”无法解压。").arg(QString::fromStdString(name));
            return std::nullopt;
        }
        if (n == 0) break;
        if (data.size() + n > kMaxXlsxPartBytes) {
            unzCloseCurrentFile(zip);
            *error = QStringLiteral("工作簿的部件“%1”太大。").arg(QString::fromStdString(name));
            return std::nullopt;
        }
        data.append(buffer, n);
    }
    // A CRC mismatch is reported at close.
    if (unzCloseCurrentFile(zip) != UNZ_OK) {
        *error = QStringLiteral("工作簿已损坏：部件“%1”校验不符。").arg(QString::fromStdString(name));
        return std::nullopt;
    }
    return data;
}

// ---- package paths ------------------------------------------------------

// A relationship target resolved against the folder of the part that holds
// the relationship ("xl/" for the workbook): "worksheets/sheet1.xml" ->
// "xl/worksheets/sheet1.xml", "/xl/worksheets/sheet1.xml" -> the same,
// "../x.xml" goes up a folder.
std::string ResolveTarget(const std::string& folder, const std::string& target)
{
    std::string path = !target.empty() && target[0] == '/' ? target.substr(1) : folder + target;
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    std::string out;
    for (const std::string& p : parts) out += (out.empty() ? "" : "/") + p;
    return out;
}

std::string FolderOf(const std::string& part)
{
    const std::size_t slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string RelsOf(const std::string& part)
{
    return FolderOf(part) + "_rels/" + part.substr(FolderOf(part).size()) + ".rels";
}

QString XmlFault(const QXmlStreamReader& xml, const std::string& part)
{
    return QStringLiteral("工作簿已损坏：部件“%1”不是合格的 XML（第 %2 行：%3）。")
        .arg(QString::fromStdString(part))
        .arg(xml.lineNumber())
        .arg(xml.errorString());
}

struct Relationship {
    std::string id, type, target;
};

FileResult<std::vector<Relationship>> ParseRels(const QByteArray& xmlBytes, const std::string& part)
{
    std::vector<Relationship> out;
    QXmlStreamReader xml(xmlBytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Relationship") {
            const auto a = xml.attributes();
            out.push_back({a.value(QLatin1String("Id")).toString().toStdString(), a.value(QLatin1String("Type")).toString().toStdString(),
                           a.value(QLatin1String("Target")).toString().toStdString()});
        }
    }
    if (xml.hasError()) return FileResult<std::vector<Relationship>>::Failure(XmlFault(xml, part));
    return FileResult<std::vector<Relationship>>::Success(std::move(out));
}

bool EndsWith(const std::string& s, const char* tail)
{
    const std::size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// The r:id attribute (namespace prefix whatever the file chose).
std::string RelationshipId(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == u"id" && !a.namespaceUri().isEmpty()) return a.value().toString().toStdString();
    return {};
}

// ---- cells --------------------------------------------------------------

// "B7" -> row 7, col 1. false for anything else or beyond Excel's
// 1,048,576 rows and 16,384 columns.
bool ParseCellName(QStringView ref, int* row, int* col)
{
    int i = 0, c = 0, r = 0;
    const int n = int(ref.size());
    while (i < n && ref[i] >= u'A' && ref[i] <= u'Z' && i < 3) c = c * 26 + (ref[i++].unicode() - 'A' + 1);
    if (c == 0 || c > 16384 || i == n) return false;
    for (; i < n; ++i) {
        if (ref[i] < u'0' || ref[i] > u'9') return false;
        r = r * 10 + (ref[i].unicode() - '0');
        if (r > 1048576) return false;
    }
    if (r == 0) return false;
    *row = r;
    *col = c - 1;
    return true;
}

bool ParseRangeName(QStringView ref, XlsxRange* range)
{
    const qsizetype colon = ref.indexOf(u':');
    if (colon < 0) {
        if (!ParseCellName(ref, &range->firstRow, &range->firstCol)) return false;
        range->lastRow = range->firstRow;
        range->lastCol = range->firstCol;
        return true;
    }
    return ParseCellName(ref.left(colon), &range->firstRow, &range->firstCol) &&
           ParseCellName(ref.mid(colon + 1), &range->lastRow, &range->lastCol) &&
           range->firstRow <= range->lastRow && range->firstCol <= range->lastCol;
}

// The stored number as its shortest round-trip text: "10021.359000000001"
// (as some writers store it) -> "10021.359"; every digit the double holds is
// kept. nullopt for a value that is no finite number.
std::optional<std::string> NumberText(const std::string& stored)
{
    double v = 0;
    const char* begin = stored.data();
    const char* end = begin + stored.size();
    if (begin != end && *begin == '+') ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || ptr != end || !std::isfinite(v)) return std::nullopt;
    if (v == 0) v = 0;  // no "-0"
    char buffer[64];
    const auto done = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, done.ptr);
}

// The text of a <si> or <is> element: every <t> in it, runs joined, the
// phonetic guide (<rPh>) left out. The reader stands on the start element.
QString RichText(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == u"rPh") ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0) text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == u"rPh") --phonetic;
            else if (xml.name() == end) break;
        }
    }
    return text;
}

FileResult<std::vector<std::string>> ParseSharedStrings(const QByteArray& bytes, const std::string& part)
{
    std::vector<std::string> out;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si") {
            out.push_back(RichText(xml).toStdString());
            if (out.size() > kMaxXlsxCells)
                return FileResult<std::vector<std::string>>::Failure(QStringLiteral("工作簿的共享字符串太多。"));
        }
    }
    if (xml.hasError()) return FileResult<std::vector<std::string>>::Failure(XmlFault(xml, part));
    return FileResult<std::vector<std::string>>::Success(std::move(out));
}

FileResult<XlsxSheet> ParseSheet(const QByteArray& bytes, const std::string& part,
                                 const std::vector<std::string>& shared, const std::string& name)
{
    using R = FileResult<XlsxSheet>;
    XlsxSheet sheet;
    sheet.name = name;
    QXmlStreamReader xml(bytes);
    int row = 0, nextCol = 0;
    const auto badRef = [&](QStringView ref) {
        return R::Failure(QStringLiteral("工作表“%1”中的单元格引用“%2”无法识别。")
                              .arg(QString::fromStdString(name), ref.toString()));
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto tag = xml.name();
        if (tag == u"row") {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            if (r.isEmpty()) {
                ++row;
            } else {
                bool ok = false;
                const int n = r.toInt(&ok);
                if (!ok || n < 1 || n > 1048576) return badRef(r);
                row = n;
            }
            nextCol = 0;
        } else if (tag == u"c") {
            if (row == 0) row = 1;
            const QXmlStreamAttributes a = xml.attributes();
            XlsxCell cell;
            cell.row = row;
            cell.col = nextCol;
            if (const QStringView ref = a.value(QLatin1String("r")); !ref.isEmpty()) {
                int r = 0;
                if (!ParseCellName(ref, &r, &cell.col)) return badRef(ref);
                cell.row = r;
            }
            if (cell.col > 16383) return badRef(u"");
            nextCol = cell.col + 1;
            const QString type = a.value(QLatin1String("t")).toString();
            bool formula = false, hasValue = false;
            QString value;
            while (!xml.atEnd()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::EndElement && xml.name() == u"c") break;
                if (token != QXmlStreamReader::StartElement) continue;
                if (xml.name() == u"f") {
                    formula = true;
                    xml.skipCurrentElement();
                } else if (xml.name() == u"v") {
                    value = xml.readElementText();
                    hasValue = true;
                } else if (xml.name() == u"is") {
                    value = RichText(xml);
                    hasValue = true;
                } else {
                    xml.skipCurrentElement();
                }
            }
            if (xml.hasError()) break;
            if (!hasValue || (formula && value.isEmpty() && type != u"str")) {
                if (!formula) continue;  // an empty, styled cell
                cell.kind = XlsxCell::Kind::NoValue;
            } else if (type == u"s") {
                bool ok = false;
                const qlonglong i = value.trimmed().toLongLong(&ok);
                if (!ok || i < 0 || std::size_t(i) >= shared.size())
                    return R::Failure(QStringLiteral("单元格 %1 指向不存在的共享字符串。")
                                          .arg(QString::fromStdString(XlsxReference(name, cell.row, cell.col))));
                cell.kind = XlsxCell::Kind::Text;
                cell.text = shared[std::size_t(i)];
            } else if (type == u"str" || type == u"inlineStr") {
                cell.kind = XlsxCell::Kind::Text;
                cell.text = value.toStdString();
            } else if (type == u"b") {
                cell.kind = XlsxCell::Kind::Boolean;
                cell.text = value.trimmed() == u"1" ? "TRUE" : "FALSE";
            } else if (type == u"e") {
                cell.kind = XlsxCell::Kind::Error;
                cell.text = value.trimmed().toStdString();
            } else {
                const std::optional<std::string> number = NumberText(value.trimmed().toStdString());
                if (!number)
                    return R::Failure(QStringLiteral("单元格 %1 存的数“%2”无法读取。")
                                          .arg(QString::fromStdString(XlsxReference(name, cell.row, cell.col)), value));
                cell.kind = XlsxCell::Kind::Number;
                cell.text = *number;
            }
            if (cell.kind == XlsxCell::Kind::Text && cell.text.empty()) continue;
            if (sheet.cells.size() >= kMaxXlsxCells)
                return R::Failure(QStringLiteral("工作表“%1”的单元格太多。").arg(QString::fromStdString(name)));
            sheet.cells.push_back(std::move(cell));
        } else if (tag == u"mergeCell") {
            XlsxRange range;
            const QStringView ref = xml.attributes().value(QLatin1String("ref"));
            if (!ParseRangeName(ref, &range)) return badRef(ref);
            if (sheet.merged.size() >= kMaxXlsxCells)
                return R::Failure(QStringLiteral("工作表“%1”的合并单元格太多。").arg(QString::fromStdString(name)));
            sheet.merged.push_back(range);
        }
    }
    if (xml.hasError()) return R::Failure(XmlFault(xml, part));
    // Writers list cells in order, but nothing obliges them to.
    std::stable_sort(sheet.cells.begin(), sheet.cells.end(), [](const XlsxCell& a, const XlsxCell& b) {
        return a.row != b.row ? a.row < b.row : a.col < b.col;
    });
    const auto same = [](const XlsxCell& a, const XlsxCell& b) { return a.row == b.row && a.col == b.col; };
    if (std::adjacent_find(sheet.cells.begin(), sheet.cells.end(), same) != sheet.cells.end())
        return R::Failure(QStringLiteral("工作表“%1”中同一单元格出现了两次，工作簿已损坏。").arg(QString::fromStdString(name)));
    return R::Success(std::move(sheet));
}

}  // namespace

bool LooksLikeZip(const QByteArray& bytes) { return bytes.startsWith("PK\x03\x04"); }

bool LooksLikeOle2(const QByteArray& bytes) { return bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"); }

std::string XlsxCellName(int row, int col)
{
    std::string letters;
    for (int c = col + 1; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

FileResult<XlsxWorkbookRead> ReadXlsxSheet(const QByteArray& bytes, const std::string& sheetName)
{
    using R = FileResult<XlsxWorkbookRead>;
    if (LooksLikeOle2(bytes))
        return R::Failure(QStringLiteral(
            "这是旧版 Excel 97-2003 工作簿（.xls）或加密的工作簿，无法读取：请在 Excel 中取消密码并另存为 .xlsx。"));
    if (!LooksLikeZip(bytes)) return R::Failure(QStringLiteral("不是 Excel 工作簿（.xlsx）。"));
    const Zip zip = OpenZip(bytes);
    if (!zip) return R::Failure(kDamaged);
    QString error;
    const auto need = [&](const std::string& part) -> std::optional<QByteArray> {
        std::optional<QByteArray> data = ReadPart(zip.get(), part, &error);
        if (!data && error.isEmpty())
            error = QStringLiteral("不是 Excel 工作簿：缺少部件“%1”。").arg(QString::fromStdString(part));
        return data;
    };

    // The workbook part is where the package's relationships say.
    std::string workbookPart = "xl/workbook.xml";
    if (const std::optional<QByteArray> rels = ReadPart(zip.get(), "_rels/.rels", &error)) {
        const auto parsed = ParseRels(*rels, "_rels/.rels");
        if (!parsed.ok()) return R::Failure(*parsed.error);
        for (const Relationship& r : *parsed.value)
            if (EndsWith(r.type, "/officeDocument")) workbookPart = ResolveTarget("", r.target);
    } else if (!error.isEmpty()) {
        return R::Failure(error);
    }
    const std::optional<QByteArray> workbook = need(workbookPart);
    if (!workbook) return R::Failure(error);

    struct SheetEntry {
        std::string name, id;
    };
    std::vector<SheetEntry> sheets;
    {
        QXmlStreamReader xml(*workbook);
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"sheet")
                sheets.push_back({xml.attributes().value(QLatin1String("name")).toString().toStdString(),
                                  RelationshipId(xml.attributes())});
        if (xml.hasError()) return R::Failure(XmlFault(xml, workbookPart));
    }
    XlsxWorkbookRead out;
    for (const SheetEntry& s : sheets) out.sheetNames.push_back(s.name);
    if (sheets.empty()) return R::Failure(QStringLiteral("工作簿中没有工作表。"));

    const std::string relsPart = RelsOf(workbookPart);
    const std::optional<QByteArray> relsBytes = need(relsPart);
    if (!relsBytes) return R::Failure(error);
    const auto rels = ParseRels(*relsBytes, relsPart);
    if (!rels.ok()) return R::Failure(*rels.error);

    const SheetEntry* chosen = nullptr;
    for (const SheetEntry& s : sheets)
        if (sheetName.empty() || s.name == sheetName) {
            chosen = &s;
            break;
        }
    if (!chosen) {
        QStringList names;
        for (const SheetEntry& s : sheets) names << QStringLiteral("“%1”").arg(QString::fromStdString(s.name));
        return R::Failure(QStringLiteral("工作簿中没有名为“%1”的工作表（有 %2）。")
                              .arg(QString::fromStdString(sheetName), names.join(QStringLiteral("、"))));
    }
    std::string sheetPart, sharedPart;
    const std::string folder = FolderOf(workbookPart);
    for (const Relationship& r : *rels.value) {
        if (r.id == chosen->id) sheetPart = ResolveTarget(folder, r.target);
        if (EndsWith(r.type, "/sharedStrings")) sharedPart = ResolveTarget(folder, r.target);
    }
    if (sheetPart.empty())
        return R::Failure(QStringLiteral("工作簿已损坏：找不到工作表“%1”的内容。").arg(QString::fromStdString(chosen->name)));

    std::vector<std::string> shared;
    if (!sharedPart.empty()) {
        const std::optional<QByteArray> bytesShared = need(sharedPart);
        if (!bytesShared) return R::Failure(error);
        auto parsed = ParseSharedStrings(*bytesShared, sharedPart);
        if (!parsed.ok()) return R::Failure(*parsed.error);
        shared = std::move(*parsed.value);
    }
    const std::optional<QByteArray> sheetBytes = need(sheetPart);
    if (!sheetBytes) return R::Failure(error);
    auto sheet = ParseSheet(*sheetBytes, sheetPart, shared, chosen->name);
    if (!sheet.ok()) return R::Failure(*sheet.error);
    out.sheet = std::move(*sheet.value);
    return R::Success(std::move(out));
}

std::string XlsxReference(const std::string& sheet, int row, int firstCol, int lastCol)
{
    bool plain = !sheet.empty();
    for (const unsigned char c : sheet)
        if (c < 0x80 && !std::isalnum(c) && c != '_' && c != '.') plain = false;
    std::string ref;
    if (plain) {
        ref = sheet;
    } else {
        ref = "'";
        for (const char c : sheet) ref += c == '\'' ? std::string("''") : std::string(1, c);
        ref += "'";
    }
    ref += "!" + XlsxCellName(row, firstCol);
    if (lastCol >= 0) ref += ":" + XlsxCellName(row, lastCol);
    return ref;
}

}  // namespace tarvelo
