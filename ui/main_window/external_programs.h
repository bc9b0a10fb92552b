#pragma once
// The desktop programs of the Tools menu: which calculator and text editor
// to start, and the welcome text the editor opens with.
//
// On Windows the programs are "Calc.exe" and "Notepad.exe". Elsewhere the
// first installed of the usual desktop programs is used, looked up on PATH;
// the welcome text goes into a new text file that the editor is given to
// open, so it reaches the editor and no other window.

#include <QString>
#include <QStringList>
#include <optional>

namespace tarvelo {

// The maker's web log, named in the welcome text.
inline const QString kMakerBlogAddress = QStringLiteral("https://tarvelo.example.org/blog/");

// Three spaces, the greeting and the address; no line break follows.
QString NotepadWelcomeText();

// Candidate programs in order of preference.
QStringList CalculatorCandidates();
QStringList TextEditorCandidates();

// A program to start and its arguments (never passed through a shell).
struct ProgramLaunch {
    QString program;
    QStringList arguments;
};

// The launch of the calculator / of the editor for `file`, or nullopt when
// none of the candidates is installed.
std::optional<ProgramLaunch> CalculatorLaunch();
std::optional<ProgramLaunch> TextEditorLaunch(const QString& file);

// The messages when none is installed.
QString NoCalculatorMessage();
QString NoTextEditorMessage();

// Writes the welcome text (UTF-8) into a new file in the temporary folder,
// kept after the program ends so the editor can read it. Returns its path;
// on failure nullopt and *error holds a sentence for the user.
std::optional<QString> WriteWelcomeFile(QString* error);

}  // namespace tarvelo
