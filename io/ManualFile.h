// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

// Where the manual (manual.html, made from docs/manual.md by the build) is
// looked for, in this order: beside the program (the Windows folder and the
// build directory), in the doc folder of the prefix the program is installed
// in, and in the Debian package's doc folder.
std::vector<std::string> ManualPlaces(const std::string& programFolder);

// The first of ManualPlaces that is a regular file.
std::optional<std::string> FindManual(const std::string& programFolder);

// Where the Debian package installs the manual.
inline constexpr const char* InstalledManual = "/usr/share/doc/tessaro/manual.html";

// The place to name when no manual is found: beside the program on Windows,
// where the package puts it elsewhere.
std::string ExpectedManual(const std::string& programFolder);
