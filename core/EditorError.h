// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// A failure that no handler catches: it leaves the handler, and the window or
// the scenario driver shows its text as a plain message.
class EditorError : public std::runtime_error {
public:
    explicit EditorError(const std::string& text) : std::runtime_error(text) {}
};
