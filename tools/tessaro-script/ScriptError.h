// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

namespace script {

// A fault of the script rather than of the editor: a bad line, an interaction
// that had no scripted answer, answers or messages left over. It ends the
// script that raised it.
//
// Deliberately not derived from std::exception: editor code that catches
// std::exception around a dialog must not be able to swallow it.
class ScriptError {
public:
    explicit ScriptError(std::string reason) : reason_(std::move(reason)) {}
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

}  // namespace script
