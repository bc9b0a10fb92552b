#include "ui/route_window/document/table_file_dialogs.h"

#include "reports/xlsx_tables.h"

namespace tarvelo {

namespace {

struct KindTexts {
    const char* label;     // the files' name in the dialog
    const char* patterns;  // the forms read (workbooks among them) or written
    const char* sheet;     // the workbook's sheet
};

KindTexts Texts(TableFile kind)
{
    switch (kind) {
    case TableFile::Route: return {"线路文件", "*.csv *.txt *.xlsx", "交点表"};
    case TableFile::Breaks: return {"断链表", "*.csv *.txt *.xlsx", "断链表"};
    case TableFile::Profile: return {"纵断面文件", "*.csv *.txt *.xlsx", "纵断面"};
    case TableFile::Sections: return {"横断面表", "*.csv *.txt *.xlsx", "横断面"};
    case TableFile::Template: return {"路基模板", "*.csv *.txt *.xlsx", "路基模板"};
    case TableFile::Ground: return {"横断面地面线", "*.csv *.txt *.hdm *.xlsx", "横断面地面线"};
    case TableFile::CentreGround: return {"中桩地面高程", "*.csv *.txt *.xlsx", "中桩地面高程"};
    case TableFile::Points: return {"点文件", "*.csv *.txt *.dat *.xlsx", "测点"};
    case TableFile::DesignStakes: return {"逐桩坐标表", "*.csv *.txt *.dat *.xlsx", "逐桩坐标"};
    case TableFile::StakeTable: return {"CSV文件", "*.csv", "逐桩坐标表"};
    case TableFile::SlopeTable: return {"边坡放样表", "*.csv", "边坡放样"};
    case TableFile::LevelTable: return {"高程检测表", "*.csv", "高程检测"};
    case TableFile::EarthworkTable: return {"土石方数量表", "*.csv", "土石方数量表"};
    }
    return {"表格", "*.csv", "表格"};
}

const QString kWorkbooks = QStringLiteral("Excel工作簿(*.xlsx)");
const QString kAllFiles = QStringLiteral("所有文件(*.*)");

}  // namespace

QStringList TableFileFilters(TableFile kind)
{
    const KindTexts t = Texts(kind);
    return {QStringLiteral("%1(%2)").arg(QString::fromUtf8(t.label), QString::fromUtf8(t.patterns)), kWorkbooks,
            kAllFiles};
}

std::string TableSheetName(TableFile kind) { return Texts(kind).sheet; }

bool IsWorkbookPath(const QString& path) { return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive); }

FileStatus SaveTableFile(const QString& path, TableFile kind,
                         const std::function<FileStatus(const QString& csvPath)>& writeCsv)
{
    if (!IsWorkbookPath(path)) return writeCsv(path);
    // Tables the program reads back by column position keep their columns.
    const bool results = kind == TableFile::StakeTable || kind == TableFile::SlopeTable ||
                         kind == TableFile::LevelTable || kind == TableFile::EarthworkTable;
    return WriteCsvAsXlsx(path, TableSheetName(kind), results ? XlsxColumns::Added : XlsxColumns::AsWritten, writeCsv);
}

}  // namespace tarvelo
