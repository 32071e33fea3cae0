// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/Colour.h"

namespace cli {

// The transparent colour of --key: a colour, or none.
struct TransparentKey {
    bool none = true;
    canvas::Colour colour = 0;
};

// --block WxH: chips across and down, 1 to 4 each.
struct BlockSize {
    int cols = 1;
    int rows = 1;
};

// --source and --to: a chip's column and row.
struct SheetChip {
    int col = 0;
    int row = 0;
};

// What the user asked for, as the arguments say.
struct Invocation {
    std::string command;                // empty with --help alone
    std::vector<std::string> operands;  // the files, in the order given
    std::optional<std::string> output;  // -o: join's sheet, the file of palette and indexed
    bool skipEmpty = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::optional<TransparentKey> key;   // unset when --key is not given
    std::optional<std::string> palette;  // --palette, for indexed
    std::optional<BlockSize> block;      // --block, for split
    std::optional<SheetChip> source;     // --source, for autotile
    std::optional<SheetChip> to;         // --to, for autotile
    std::optional<std::string> tsx;      // --tsx, for autotile
    std::optional<std::string> name;     // --name, for autotile
    // --chip N (8 to 64): the chips' side, for split, join, convert and check; the
    // sheet is then as many whole chips as the picture holds.
    std::optional<int> chip;
    std::optional<int> cols, rows;         // --cols, --rows (1 to 64): join's sheet
    std::optional<std::string> map;        // --map, for dedupe: the map that uses the sheet
    std::optional<std::string> mapOutput;  // -m: dedupe's rewritten map
    bool exact = false;                    // --exact: dedupe and check's budget count exact copies only
    std::optional<int> budget;             // --budget, for check: the most unique chips allowed
};

// Arguments that make no command: exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& text) : std::runtime_error(text) {}
};

// Options may stand anywhere; "--" ends them. Checks the options and the
// number of files against the command and throws UsageError where they
// don't fit.
Invocation ParseCommandLine(const std::vector<std::string>& args);

// "R,G,B" with each part 0..255, or "none".
std::optional<TransparentKey> ParseKey(const std::string& value);

}  // namespace cli
