#include "cli/curve_source.h"

#include <QString>

#include "reports/curve_data_file.h"

namespace tarvelo {

CurveLoad LoadCurveTexts(const std::string& path)
{
    CurveLoad r;
    const FileResult<CurveTexts> read =
        ImportCurveInputs(QString::fromUtf8(path.data(), qsizetype(path.size())));
    if (read.ok())
        r.texts = *read.value;
    else
        r.error = read.error->toStdString();
    return r;
}

}  // namespace tarvelo
