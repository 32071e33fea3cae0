// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Runner.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "tools/tessaro-script/Actions.h"
#include "tools/tessaro-script/Checks.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/ScriptParser.h"
#include "tools/tessaro-script/Session.h"

namespace script {

namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

// Answers may be queued for the questions that start-up asks.
bool AllowedBeforeStart(const Command& c) {
    return std::holds_alternative<cmd::Write>(c) || std::holds_alternative<cmd::Remove>(c) ||
           std::holds_alternative<cmd::Start>(c) || std::holds_alternative<cmd::Answer>(c);
}

// Runs one line; returns normally or throws ScriptError.
void RunLine(const Command& command, std::string_view line, const std::string& where, Session& session,
             ScriptResult& result, std::ostream& out) {
    if (!session.started && !AllowedBeforeStart(command))
        throw ScriptError("only write, remove and answer may come before start");
    if (!IsCheck(command)) {
        RunAction(command, session);
        return;
    }
    const CheckOutcome outcome = RunCheck(command, session);
    if (outcome.passed) {
        ++result.passed;
    } else {
        ++result.failed;
        out << "FAIL " << where << ": " << Trimmed(line) << " -- got " << outcome.got << '\n';
    }
}

}  // namespace

ScriptResult RunScriptText(const std::string& name, std::string_view text, std::ostream& out) {
    auto session = std::make_unique<Session>();
    return RunScriptIn(*session, name, text, out);
}

ScriptResult RunScriptIn(Session& session, const std::string& name, std::string_view text, std::ostream& out) {
    ScriptResult result;
    const std::vector<std::string_view> lines = SplitLines(text);
    std::size_t number = 0;
    auto error = [&](const std::string& reason) {
        out << "ERROR " << name << ":" << number << ": " << reason << '\n';
        result.error = true;
    };
    try {
        for (const std::string_view line : lines) {
            ++number;
            const std::optional<Command> command = ParseLine(line);
            if (command) RunLine(*command, line, name + ":" + std::to_string(number), session, result, out);
        }
        if (!session.started) throw ScriptError("the script has no start");
        const std::string leftovers = session.platform.Leftovers();
        if (!leftovers.empty()) throw ScriptError("at the end: " + leftovers);
    } catch (const ScriptError& e) {
        error(e.Reason());
    } catch (const std::exception& e) {
        // Only the driver's own work (files, pictures) gets here: handlers
        // are wrapped at the event boundary.
        error(std::string("driver failure: ") + e.what());
    } catch (...) {
        error("driver failure: an exception of unknown type");
    }
    return result;
}

ScriptResult RunScriptFile(const std::string& path, std::ostream& out) {
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error)) file.open(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    // A stream that was never opened has no error bit of its own to test.
    if (!file.is_open() || !file || file.bad()) {
        out << "ERROR " << path << ":0: cannot read the script\n";
        return {0, 0, true};
    }
    return RunScriptText(path, text.str(), out);
}

int RunScripts(const std::vector<std::string>& paths, std::ostream& out) {
    ScriptResult total;
    for (const std::string& path : paths) {
        const ScriptResult r = RunScriptFile(path, out);
        total.passed += r.passed;
        total.failed += r.failed;
        total.error = total.error || r.error;
        out.flush();
    }
    out << total.passed << " passed, " << total.failed << " failed\n";
    out.flush();
    if (total.error) return 2;
    return total.failed > 0 ? 1 : 0;
}

}  // namespace script
