#include "ui/tools/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarvelo {

namespace {

const QString kInstalledData = QStringLiteral("share/tarvelo/");

// The nearest match of `relative` above the program, or where it would be
// in the installed layout (one level up) when there is none.
QString AboveProgram(const QString& programDir, const QString& relative, bool isFolder)
{
    const QString found = NearestAncestorHolding(programDir, relative, kDataSearchLevels, isFolder);
    return found.isEmpty() ? QDir::cleanPath(programDir + QStringLiteral("/../") + relative) : found;
}

// The first standard data folder holding tarvelo/<relative>, or the path in
// the first of them when none does.
QString InDataFolders(const QString& relative, bool isFolder)
{
    const QString name = QStringLiteral("tarvelo/") + relative;
    const QString found = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, name,
        isFolder ? QStandardPaths::LocateDirectory : QStandardPaths::LocateFile);
    if (!found.isEmpty()) return found;
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    return folders.isEmpty() ? QString() : QDir(folders.front()).filePath(name);
}

}  // namespace

QString NearestAncestorHolding(const QString& dir, const QString& relative, int levels,
                               bool isFolder)
{
    if (dir.isEmpty()) return {};
    QDir at(dir);
    for (int level = 0; level <= levels; ++level) {
        const QFileInfo info(at.filePath(relative));
        if (isFolder ? info.isDir() : info.isFile()) return QDir::cleanPath(info.absoluteFilePath());
        if (!at.cdUp()) break;
    }
    return {};
}

QStringList HelpPageCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList candidates;
    if (!programDir.isEmpty())
        candidates << QDir(programDir).filePath(kHelpPageName)
                   << AboveProgram(programDir, kInstalledData + kHelpPageName, false);
    candidates << InDataFolders(kHelpPageName, false);
    if (!programDir.isEmpty())
        candidates << AboveProgram(programDir, QStringLiteral("docs/") + kHelpPageName, false);
    return candidates;
}

QString FindHelpPage(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        const QFileInfo info(path);
        if (info.isFile()) return info.absoluteFilePath();
    }
    return {};
}

QStringList ExamplesFolderCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList candidates;
    if (!programDir.isEmpty())
        candidates << QDir(programDir).filePath(kExamplesFolderName)
                   << AboveProgram(programDir, kInstalledData + kExamplesFolderName, true);
    candidates << InDataFolders(kExamplesFolderName, true);
    return candidates;
}

QString FindFolder(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        const QFileInfo info(path);
        if (info.isDir()) return info.absoluteFilePath();
    }
    return {};
}

QString DataPlacesReport()
{
    const auto shown = [](const QString& path) {
        return path.isEmpty() ? QStringLiteral("未找到") : QDir::toNativeSeparators(path);
    };
    return QStringLiteral("帮助页面：") + shown(FindHelpPage(HelpPageCandidates())) +
           QStringLiteral("\n示例文件：") + shown(FindFolder(ExamplesFolderCandidates())) +
           QStringLiteral("\n");
}

}  // namespace tarvelo
