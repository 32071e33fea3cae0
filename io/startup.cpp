// SPDX-License-Identifier: GPL-3.0-or-later
// The creation of the editor and its start-up: every default, the chip table,
// the first layout of the views and the optional settings file.
#include <filesystem>
#include <system_error>

#include "io/FormWithFiles.h"
#include "io/RememberedPreferences.h"

namespace {
constexpr const char* SettingsFileName = "tsr.def";
}

void FormWithFiles::FormCreate() {
    // The dialog options and the drop registration belong to the window.
    BuildFixedPalette();

    Def.ChipSize = sheet::Default.chipSize;
    project.Sheet.Reshape(sheet::Default);
    for (int row = 0; row < sheet::Default.rows; ++row) {
        for (int col = 0; col < sheet::Default.cols; ++col) {
            canvas::Picture& chip = ChangeChip(col, row);
            chip.SetSize(Def.ChipSize, Def.ChipSize);
            chip.SetBrushColour(canvas::Black);
            chip.FillRect({0, 0, Def.ChipSize, Def.ChipSize});
        }
    }

    SetLeftColor(canvas::White);
    SetRightColor(canvas::Black);

    SheetImage.SetSize(0, 0);
    PreviewImage.SetSize(0, 0);
    MemorySnapshot.MemSheetImage.SetSize(0, 0);

    CurCol = 0;
    CurRow = 0;
    Def.GridLineColor = canvas::White;
    Def.SheetGridShown = true;
    Def.Zoom = 5;

    project.FileName.clear();
    Def.ToolMode = tool_mode::Pen;
    PenSize = 1;

    Relayout(sheet::Default.chipSize, sheet::Default.cols, sheet::Default.rows);
    DrawPaletteView();

    // The preferences kept from earlier runs first: tsr.def wins for its keys.
    ReadPreferences(*this);

    // A directory or other non-file of that name also "exists": the reader
    // reports it as unreadable rather than silently ignoring it.
    std::error_code error;
    if (std::filesystem::exists(SettingsFileName, error)) ReadSettings(SettingsFileName);

    project.history.DropOneLevel();
    Modified = false;
    StartKeepingPreferences(*this);
}
