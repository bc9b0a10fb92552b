#include "reports/design_check_csv.h"

#include <QByteArray>

#include "core/numbers/float_fault.h"
#include "core/numbers/number_text.h"
#include "reports/csv_field.h"
#include "reports/text_file.h"

namespace tarvelo {

namespace {

void Fixed(std::string& out, const std::optional<double>& v)
{
    out += ',';
    if (v) AppendFixed(out, *v, 4);
}

}  // namespace

std::string DesignCheckCsv(const DesignCheckResult& result)
{
    std::string out(kUtf8Bom);
    out += "行号,点名,桩号,分区,X(北),Y(东),ΔX,ΔY,平面差,高程差,垂足桩号,垂足偏距,结论,说明\r\n";
    for (const DesignCheckRow& r : result.rows) {
        out += std::to_string(r.line);
        out += ',';
        AppendCsvField(out, r.name);
        Fixed(out, r.station);
        out += ',';
        if (r.zone) out += std::to_string(*r.zone);
        Fixed(out, r.x);
        Fixed(out, r.y);
        Fixed(out, r.dx);
        Fixed(out, r.dy);
        Fixed(out, r.distance);
        Fixed(out, r.dz);
        Fixed(out, r.footStation);
        Fixed(out, r.footOffset);
        out += ',';
        out += DesignClassChinese(r.kind);
        out += ',';
        AppendCsvField(out, r.reason);
        out += "\r\n";
    }
    return out;
}

FileStatus WriteDesignCheckCsv(const QString& path, const DesignCheckResult& result)
{
    std::string bytes;
    try {
        bytes = DesignCheckCsv(result);
    } catch (const FloatFault& fault) {
        return FileStatus::Failure(QStringLiteral("复核结果未保存：%1").arg(QString::fromUtf8(fault.what())));
    }
    return WriteFileBytes(path, QByteArray::fromStdString(bytes));
}

}  // namespace tarvelo
