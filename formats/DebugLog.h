// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// Lines for whoever is looking into how a file came out as it did: written
// to standard error when TESSARO_DEBUG is set in the environment, else
// nowhere. Never a message for the user.
namespace debug_log {

bool On();
void Line(std::string_view text);

}  // namespace debug_log
