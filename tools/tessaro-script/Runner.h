// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace script {

struct ScriptResult {
    int passed = 0;
    int failed = 0;
    bool error = false;  // a script error ended the script
};

// Runs one script, given its text, in a fresh editor in the current
// directory. Failed checks and a script error are printed to `out` as
// "FAIL NAME:LINE: ..." and "ERROR NAME:LINE: ...".
ScriptResult RunScriptText(const std::string& name, std::string_view text, std::ostream& out);

struct Session;
// The same in a session the caller made (a test may prepare its platform).
ScriptResult RunScriptIn(Session& session, const std::string& name, std::string_view text, std::ostream& out);

// Reads and runs one script file; an unreadable file is a script error.
ScriptResult RunScriptFile(const std::string& path, std::ostream& out);

// Runs every script, prints "N passed, M failed" last and returns the exit
// status: 2 after any script error, else 1 after any failed check, else 0.
int RunScripts(const std::vector<std::string>& paths, std::ostream& out);

}  // namespace script
