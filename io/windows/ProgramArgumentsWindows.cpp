// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <shellapi.h>

#include "io/ProgramArguments.h"
#include "io/windows/Win32Files.h"

std::vector<std::string> ProgramArguments(int, char**) {
    ::SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide && i < count; ++i) args.push_back(win32::Utf8Of(wide[i]));
    ::LocalFree(wide);
    return args;
}
