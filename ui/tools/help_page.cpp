#include "ui/tools/help_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarvelo {

QStringList HelpPageCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    QStringList candidates;
    if (!programDir.isEmpty()) {
        candidates << QDir(programDir).filePath(kHelpPageName)
                   << QDir::cleanPath(programDir + QStringLiteral("/../share/tarvelo/") +
                                      kHelpPageName);
    }
    candidates << QStringLiteral(TARVELO_HELP_INSTALL_DIR "/index.html")
               << QStringLiteral(TARVELO_HELP_SOURCE_DIR "/index.html");
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

}  // namespace tarvelo
