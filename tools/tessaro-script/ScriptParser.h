// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "tools/tessaro-script/Commands.h"
#include "tools/tessaro-script/Tokenizer.h"

namespace script {

// Turns one line of a script into its command; nothing for a blank or
// comment-only line. Throws ScriptError for an unknown command, a missing,
// surplus or malformed argument, or an unknown control name.
std::optional<Command> ParseLine(std::string_view line);
Command ParseCommand(const std::vector<Token>& tokens);

}  // namespace script
