#pragma once
// --format xlsx --out FILE: the table a command prints (or writes as CSV)
// written as an Excel workbook instead, one sheet per table
// (reports/xlsx_tables.h), atomically.
//
// Taken by: route table, route sections (their CSV rows), route check,
// route inverse --points, route elements and the single-curve table (their
// printed tables), route slope, route level, route ground and route
// earthwork (their CSV rows; what they print beside the table goes to err).
// The command runs as it would without the option; its rows are typed and
// written with the full values behind the shown numbers (FixedTextLog),
// nothing is computed twice.

#include <string>
#include <vector>

namespace tarvelo {

// The arguments ask for --format xlsx.
bool WantsXlsxOutput(const std::vector<std::string>& args);

// Runs the command and writes its tables to the --out file. Returns the
// command's exit status (3 of route check, level and earthwork included:
// the file is written then too) and, in err, its messages and warnings ending
// in LF. Nothing goes to standard output.
int RunXlsxOutput(const std::vector<std::string>& args, std::string& err);

}  // namespace tarvelo
