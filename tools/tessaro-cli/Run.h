// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

// Runs tessaro-cli with its arguments (without the program name); output
// on `out`, messages and progress on `err`. Returns the exit status: 0 done,
// 1 refused input or output that could not be written, 2 a usage error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal = false);

// The text of --help.
std::string HelpText();

}  // namespace cli
