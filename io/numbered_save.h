// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/SheetGeometry.h"
#include "io/AtomicFile.h"

class SheetDocument;
class TForm1;

// One chip of the numbered save: its file name and where it sits.
struct NumberedChip {
    std::string name;
    int col, row;
};

// Every chip of the sheet in number order (rows top to bottom, each row left
// to right), named by FormWithFiles::NumberedChipName from `base`.
std::vector<NumberedChip> NumberedChips(const std::string& base, const SheetGeometry& sheet);

// The file that the numbered save writes for one chip.
PendingFile NumberedChipFile(const SheetDocument& sheet, const NumberedChip& chip);

// Saves every chip of the sheet as a 24-bit BMP of its own, named by
// FormWithFiles::NumberedChipName from a base the user gives; asks once before any
// existing file is replaced.
void SaveNumberedChips(TForm1& form);
