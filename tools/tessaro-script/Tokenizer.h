// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace script {

// One blank-separated word of a script line; a quoted string arrives with its
// quotes removed and its escapes resolved.
struct Token {
    std::string text;
    bool quoted = false;
};

// Splits one line into tokens. `#` outside quotes ends the line; a blank or
// comment-only line gives no tokens. Throws ScriptError on an unterminated
// string, an unknown escape or a quote inside a bare word.
std::vector<Token> Tokenize(std::string_view line);

}  // namespace script
