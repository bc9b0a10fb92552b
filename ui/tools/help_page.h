#pragma once
// Where the program's own help page (help/index.html, in Chinese) and its
// example files (examples/) are found.
//
// They ship with the program, so help works without a network. No path of
// the machine that built the program is compiled in: everything is found
// relative to the running program first, then in the standard data folders.
// The help page is looked for, in this order:
//   1. <program dir>/help/index.html            a copy beside the program
//   2. <ancestor>/share/tarvelo/help/index.html  the nearest of the program
//      dir's parents (up to kDataSearchLevels up) holding it: the installed
//      tree (/usr/bin -> /usr/share/tarvelo, relocatable) and the build tree,
//      which mirrors that layout in <build>/share/tarvelo/ for every program
//      in it (build/app, build/tests/ui/tools ...)
//   3. <data dir>/tarvelo/help/index.html        the first of the standard
//      data folders (QStandardPaths::GenericDataLocation: ~/.local/share,
//      XDG_DATA_DIRS) holding it
//   4. <ancestor>/docs/help/index.html           the source checkout around a
//      build tree that has not mirrored the page yet
// Where a family has no match, its entry is the nearest place it would be.

#include <QString>
#include <QStringList>

namespace tarvelo {

inline const QString kHelpPageName = QStringLiteral("help/index.html");
inline const QString kExamplesFolderName = QStringLiteral("examples");

// How many parent folders of the program's folder are searched.
inline constexpr int kDataSearchLevels = 4;

// The candidate paths above, for the running program.
QStringList HelpPageCandidates();

// The first of candidates that is an existing file, or "" if none is.
QString FindHelpPage(const QStringList& candidates);

// The example files' folder, looked for as the help page in places 1 to 3
// (examples/ beside the program, share/tarvelo/examples, the data folders).
QStringList ExamplesFolderCandidates();

// The first of candidates that is an existing folder, or "" if none is.
QString FindFolder(const QStringList& candidates);

// Where the running program finds its help page and examples, one line each
// ("帮助页面：<path>", "示例文件：<path>", "未找到" for a missing one): what
// the program prints when started with TARVELO_SELF_CHECK set (app/main.cpp).
QString DataPlacesReport();

// The path `relative` below the nearest of `dir` and its parents (at most
// `levels` up) where it exists (as `isFolder` says), or "" if none.
QString NearestAncestorHolding(const QString& dir, const QString& relative, int levels,
                               bool isFolder);

}  // namespace tarvelo
