// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The command line's arguments after the program's name, in UTF-8 as every
// path inside the editor is (on Windows from the UTF-16 command line, with
// the console set to show UTF-8 output).
std::vector<std::string> ProgramArguments(int argc, char** argv);
