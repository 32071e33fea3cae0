// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace cli {

struct ChipPlace {
    std::string path;
    int col, row;
};

// Where join puts each chip file. When every name is a numbered chip name
// (FormWithFiles::NumberedChipName) of one base, as split writes them, a file goes
// to the chip of its number, so that chips left out (split --skip-empty)
// stay black; otherwise the files fill the sheet in the order given, along
// each row, then down. Throws UsageError for more files than chips and for
// a number given twice.
std::vector<ChipPlace> PlaceChips(const std::vector<std::string>& paths, int cols, int rows);

}  // namespace cli
