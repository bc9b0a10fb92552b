#pragma once
// Where the program's own help page (help/index.html, in Chinese) is found.
//
// The page ships with the program, so help works without a network. It is
// looked for, in this order:
//   1. <program dir>/help/index.html          a copy beside the program
//   2. <program dir>/../share/tarvelo/help/   an installed, relocated tree
//   3. the install directory compiled in      (cmake --install)
//   4. docs/help/ of the source tree compiled in, so a program run from
//      any build tree finds the page without copying.
// The build passes 3 and 4 as TARVELO_HELP_INSTALL_DIR and
// TARVELO_HELP_SOURCE_DIR.

#include <QString>
#include <QStringList>

namespace tarvelo {

inline const QString kHelpPageName = QStringLiteral("help/index.html");

// The candidate paths above, for the running program.
QStringList HelpPageCandidates();

// The first of candidates that is an existing file, or "" if none is.
QString FindHelpPage(const QStringList& candidates);

}  // namespace tarvelo
