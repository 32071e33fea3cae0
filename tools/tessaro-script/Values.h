// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "canvas/Colour.h"
#include "core/ShiftState.h"

namespace script {

// The value words of the scenario language, and the text the driver prints
// for actual values. Every parser throws ScriptError naming what was wrong.

// A decimal integer with an optional minus sign, within 32 bits.
std::int32_t ParseInteger(std::string_view word);
// A decimal integer >= 0 of up to 64 bits (file sizes).
std::uint64_t ParseCount(std::string_view word);
// "R,G,B", each 0..255 in decimal, no blanks.
canvas::Colour ParseColour(std::string_view word);
// "none", or names from left, right, middle, shift, ctrl, alt, double joined
// by "+", each at most once.
ShiftState ParseMods(std::string_view word);
// "yes" or "no".
bool ParseYesNo(std::string_view word);

std::string RgbText(canvas::Colour c);  // "255,0,51"
std::string YesNo(bool b);
// The string in double quotes with the escapes of the language, so that what
// the driver prints could be pasted back into a script.
std::string Quoted(std::string_view text);

}  // namespace script
