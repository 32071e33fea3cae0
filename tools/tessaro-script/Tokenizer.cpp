// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-script/Tokenizer.h"

#include "tools/tessaro-script/ScriptError.h"

namespace script {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

char Unescape(char c) {
    switch (c) {
        case '"': return '"';
        case '\\': return '\\';
        case 'n': return '\n';
        case 'r': return '\r';
        case 't': return '\t';
        default: throw ScriptError(std::string("unknown escape \\") + c + " in a string");
    }
}

}  // namespace

std::vector<Token> Tokenize(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (i == n) break;
                    token.text += Unescape(line[i++]);
                } else {
                    token.text += c;
                }
            }
            if (!closed) throw ScriptError("unterminated string");
            // "a"b would be ambiguous: a string must stand alone as a word.
            if (i < n && !IsBlank(line[i]) && line[i] != '#') throw ScriptError("a string must be followed by a blank");
        } else {
            while (i < n && !IsBlank(line[i]) && line[i] != '#') {
                if (line[i] == '"') throw ScriptError("a quote inside the word \"" + token.text + "\"");
                token.text += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

}  // namespace script
