#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli/route_cli.h"
#include "cli/xlsx_output.h"
#include "reports/table_file.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>  // before shellapi.h, which needs its types

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace {

// argv on Windows is in the ANSI code page, which loses any character it
// lacks (a Chinese folder on an English system): the arguments are taken
// from the wide command line, as UTF-8 like on the other systems.
std::vector<std::string> WideArguments()
{
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return args;
    for (int i = 1; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(size > 0 ? std::size_t(size) : 1, '\0');
        if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
        arg.resize(arg.size() - 1);  // the terminating NUL
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
}

// The output is the same bytes as on the other systems (UTF-8, LF): no CR
// added in text mode, and a console shows it as UTF-8 while the program runs.
struct WindowsConsole {
    UINT previous = GetConsoleOutputCP();
    WindowsConsole()
    {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        if (previous) SetConsoleOutputCP(CP_UTF8);
    }
    ~WindowsConsole()
    {
        if (previous) SetConsoleOutputCP(previous);
    }
};

}  // namespace
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    const WindowsConsole console;
    std::vector<std::string> args = WideArguments();
    (void)argc;
    (void)argv;
#else
    std::vector<std::string> args(argv + 1, argv + argc);
#endif
    // What a workbook gave (sheet, rows) goes to standard error as it is read.
    tarvelo::SetTableReadNotes([](const QString& note) {
        const QByteArray line = note.toUtf8() + '\n';
        std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    });
    std::string err;
    if (tarvelo::WantsXlsxOutput(args)) {
        const int status = tarvelo::RunXlsxOutput(args, err);
        std::fwrite(err.data(), 1, err.size(), stderr);
        return status;
    }
    // Tables can run to a million rows: they go out as they are made.
    std::ios::sync_with_stdio(false);
    const int status = tarvelo::RunCli(args, std::cout, err);
    std::cout.flush();
    std::fwrite(err.data(), 1, err.size(), stderr);
    if (!std::cout) {
        std::fputs("tarvelo-cli: 无法写出结果。\n", stderr);
        return tarvelo::kExitError;
    }
    return status;
}
