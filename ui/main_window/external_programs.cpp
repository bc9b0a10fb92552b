#include "ui/main_window/external_programs.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "reports/system_words.h"

namespace tarvelo {

namespace {

std::optional<QString> FirstInstalled(const QStringList& candidates)
{
    for (const QString& name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path;
    }
    return std::nullopt;
}

QString Listed(const QStringList& names) { return names.join(QStringLiteral("、")); }

}  // namespace

QString NotepadWelcomeText()
{
    return QStringLiteral("   欢迎使用记事本文档，更多测量资料请访问：") + kMakerBlogAddress;
}

QStringList CalculatorCandidates()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Calc.exe")};
#else
    return {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"};
#endif
}

QStringList TextEditorCandidates()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("Notepad.exe")};
#else
    // xdg-open last: it opens the file in whatever the desktop prefers.
    return {"gedit", "kate", "mousepad", "pluma", "xed", "featherpad", "xdg-open"};
#endif
}

std::optional<ProgramLaunch> CalculatorLaunch()
{
#ifdef Q_OS_WIN
    return ProgramLaunch{QStringLiteral("Calc.exe"), {}};
#else
    if (auto path = FirstInstalled(CalculatorCandidates())) return ProgramLaunch{*path, {}};
    return std::nullopt;
#endif
}

std::optional<ProgramLaunch> TextEditorLaunch(const QString& file)
{
#ifdef Q_OS_WIN
    return ProgramLaunch{QStringLiteral("Notepad.exe"), {QDir::toNativeSeparators(file)}};
#else
    if (auto path = FirstInstalled(TextEditorCandidates())) return ProgramLaunch{*path, {file}};
    return std::nullopt;
#endif
}

QString NoCalculatorMessage()
{
    return QStringLiteral("没有找到可用的计算器程序（已查找：%1），请先安装其中一个。")
        .arg(Listed(CalculatorCandidates()));
}

QString NoTextEditorMessage()
{
    return QStringLiteral("没有找到可用的文本编辑器（已查找：%1），请先安装其中一个。")
        .arg(Listed(TextEditorCandidates()));
}

std::optional<QString> WriteWelcomeFile(QString* error)
{
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("tarvelo-welcome-XXXXXX.txt")));
    file.setAutoRemove(false);
    const QByteArray bytes = NotepadWelcomeText().toUtf8();
    if (file.open() && file.write(bytes) == bytes.size() && file.flush()) {
        file.close();
        return file.fileName();
    }
    const QString reason = SystemWords(file);
    if (!file.fileName().isEmpty()) file.remove();
    if (error)
        *error = QStringLiteral("无法在临时文件夹“%1”中创建记事本文档%2。")
                     .arg(QDir::toNativeSeparators(QDir::tempPath()), reason);
    return std::nullopt;
}

}  // namespace tarvelo
