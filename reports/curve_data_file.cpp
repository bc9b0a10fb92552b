#include "reports/curve_data_file.h"

#include <cmath>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "core/numbers/number_text.h"
#include "reports/gbk_text.h"
#include "reports/text_columns.h"
#include "reports/text_file.h"

namespace tarvelo {

const std::array<const char*, kCurveInputCount> kCurveDataLabels = {
    "交点坐标X(N)",
    "交点坐标Y(E)",
    "交点桩号JD(K)",
    "曲线半径R(m)",
    "缓和曲线Ls1(m)",
    "缓和曲线Ls2(m)",
    "曲线转角a(左负右正,格式:d.ms、14°18ˊ10″为14.1810)",
    "计算方位角F(格式:d.ms、152°09ˊ41.68″为152.094168)",
};

namespace {

// Lines of text ended by CR LF, a lone CR or a lone LF; a last line without a
// line end counts, an empty text has no lines. Stops after `wanted` lines.
QStringList SplitLines(const QString& text, int wanted)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n && lines.size() < wanted; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (lines.size() < wanted && start < n) lines.append(text.mid(start));
    return lines;
}

}  // namespace

FileResult<QString> CurveDataText(const CurveTexts& texts)
{
    QStringList lines;
    for (int i = 0; i < kCurveInputCount; ++i) {
        const QString value = QString::fromStdString(texts[i]);
        if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
            return FileResult<QString>::Failure(
                QStringLiteral("第 %1 个输入（%2）含有换行符，不能写入曲线数据文件。")
                    .arg(i + 1)
                    .arg(QString::fromUtf8(kCurveDataLabels[i])));
        QString line = value;
        if (CharacterCount(line) < kCurveDataLabelColumn)
            PadToColumn(line, kCurveDataLabelColumn);
        else
            line += QLatin1Char(' ');  // no room before the column: keep the label apart
        line += QString::fromUtf8(kCurveDataLabels[i]);
        lines.append(line);
    }
    return FileResult<QString>::Success(JoinLinesCrLf(lines));
}

FileResult<CurveTexts> ParseCurveData(const QString& text)
{
    const QStringList lines = SplitLines(text, kCurveInputCount);
    if (lines.size() < kCurveInputCount)
        return FileResult<CurveTexts>::Failure(
            QStringLiteral("曲线数据文件应有 %1 行，这里只有 %2 行。").arg(kCurveInputCount).arg(lines.size()));
    CurveTexts texts;
    for (int i = 0; i < kCurveInputCount; ++i) {
        const double value = ReadLeadingNumber(lines[i].toStdString());
        if (!std::isfinite(value))
            return FileResult<CurveTexts>::Failure(
                QStringLiteral("第 %1 行（%2）的数值超出了可计算的范围。")
                    .arg(i + 1)
                    .arg(QString::fromUtf8(kCurveDataLabels[i])));
        texts[i] = FormatGeneral(value);
    }
    return FileResult<CurveTexts>::Success(std::move(texts));
}

FileStatus ExportCurveInputs(const QString& path, const CurveTexts& texts)
{
    FileResult<QString> text = CurveDataText(texts);
    if (!text.ok())
        return FileStatus::Failure(QStringLiteral("无法保存文件“%1”：%2")
                                       .arg(QDir::toNativeSeparators(path), *text.error));
    return WriteTextFile(path, *text.value);
}

FileResult<CurveTexts> ImportCurveInputs(const QString& path)
{
    const auto failure = [&path](const QString& reason) {
        return FileResult<CurveTexts>::Failure(
            QStringLiteral("无法导入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason));
    };
    // The whole file is read at once; a file of this size is no curve data
    // file, and reading it could exhaust the memory.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxCurveDataFileBytes)
        return failure(QStringLiteral("文件太大（%1 字节），不是曲线数据文件。").arg(info.size()));

    FileResult<QByteArray> bytes = ReadFileBytes(path);
    if (!bytes.ok()) return FileResult<CurveTexts>::Failure(*bytes.error);
    FileResult<DecodedText> decoded = DecodeTextBytes(*bytes.value);
    if (!decoded.ok()) return failure(*decoded.error);
    FileResult<CurveTexts> texts = ParseCurveData(decoded.value->text);
    if (!texts.ok()) return failure(*texts.error);
    return texts;
}

}  // namespace tarvelo
