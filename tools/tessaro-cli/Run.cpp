// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/Run.h"

#include <exception>
#include <new>

#include "tools/tessaro-cli/CommandLine.h"
#include "tools/tessaro-cli/OutputNames.h"
#include "tools/tessaro-cli/Session.h"

namespace cli {
namespace {

int Dispatch(Session& s) {
    const std::string& c = s.invocation.command;
    if (c == "split") return RunSplit(s);
    if (c == "join") return RunJoin(s);
    if (c == "convert") return RunConvert(s);
    if (c == "reduce216") return RunReduce216(s);
    if (c == "palette256") return RunPalette256(s);
    if (c == "palette") return RunPalette(s);
    if (c == "indexed") return RunIndexed(s);
    if (c == "autotile") return RunAutotile(s);
    if (c == "dedupe") return RunDedupe(s);
    return RunCheck(s);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool terminal) {
    Invocation inv;
    try {
        inv = ParseCommandLine(args);
        if (inv.version && !inv.help) {
            out << "tessaro-cli " << TESSARO_VERSION << '\n';
            return 0;
        }
        if (inv.help) {
            out << HelpText();
            return 0;
        }
        CheckOutputs(inv);
        Session session(inv, out, err, terminal);
        return Dispatch(session);
    } catch (const UsageError& e) {
        err << "tessaro-cli: " << e.what() << '\n' << "Try 'tessaro-cli --help'.\n";
        return 2;
    } catch (const Refusal& e) {
        err << "tessaro-cli: " << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        err << "tessaro-cli: out of memory\n";
        return 1;
    } catch (const std::exception& e) {
        // What no command expects still ends as a failure with its text.
        err << "tessaro-cli: " << e.what() << '\n';
        return 1;
    }
}

}  // namespace cli
