// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "tools/tessaro-script/Commands.h"
#include "tools/tessaro-script/Session.h"

namespace script {

// Runs one command that is not a check: start-up, an event, an answer for a
// later dialog, the clipboard, a dump or a file made for the script.
//
// A failure that leaves a handler reaches the generic error handler, as in
// the window: it is logged as a plain message with the error's text. A
// control without a click handler and everything the platform refuses are
// script errors (ScriptError).
void RunAction(const Command& action, Session& session);

// The event boundary that RunAction puts round every handler, as the window
// does: a std::exception other than a ScriptError is logged as a plain
// message, and a script error that the handler swallowed is raised again.
void RunAtEventBoundary(Session& session, const std::function<void()>& handler);

}  // namespace script
