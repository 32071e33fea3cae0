// SPDX-License-Identifier: GPL-3.0-or-later
// The memory snapshot: the whole sheet and the view settings kept in memory
// by MemSaveB and put back by MemLoadB.
#include "core/Form.h"
#include "core/Translation.h"
#include "core/ViewMenuItems.h"

namespace {

constexpr SourceText ReplayQuestion = TSR_MESSAGE("Memory", "現在の状況を破棄し記憶しておいた状況を再生しますか？");

}  // namespace

void TForm1::MemoriseSnapshot() {
    MemorySnapshot = Snapshot();
    controls.SetEnabled(ControlId::MemLoadB, true);
}

void TForm1::ReplaySnapshot() {
    // Before the first memorise there is nothing to replay (the button is
    // disabled then); replaying the empty snapshot would, among other things,
    // clear Modified and so lose the question about unsaved changes.
    if (!controls.Enabled(ControlId::MemLoadB)) return;
    if (!platform.AskQuestion(Tr(ReplayQuestion))) return;
    RestoreSnapshot(MemorySnapshot);
}

void TForm1::RestoreSnapshot(const TMemorySnapshot& m) {
    CurCol = m.MemCurCol;
    CurRow = m.MemCurRow;
    Options.editGridHidden = m.MemGridHidden;
    Modified = m.MemModified;
    PenSize = m.MemPenSize;
    Def = m.MemDef;
    project.FileName = m.MemFileName;
    // A snapshot taken in the roomy window may hold a zoom that the window
    // as it is now cannot show.
    Def.Zoom = ZoomWithinLayout(Def.Zoom);
    ShowFileNameInCaption();
    DropPendingPoint();
    controls.SetPressedTool(tool_mode::ButtonOf(Def.ToolMode));

    project.RecordSheet({CurCol, CurRow});
    ReshapeSheet({Def.ChipSize, Def.SheetCols, Def.SheetRows});
    CutIntoChips(m.MemSheetImage);

    if (PenSize >= 1 && PenSize <= MaxPenSize) {
        controls.SetChecked(PenSizeItemOf(PenSize), true);
        controls.SetChecked(PenPopupItemOf(PenSize), true);
    }
    ShowZoomChoice();
    Options.resizePerChip = m.MemResizePerChip;
    ShowOptions();
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    DrawPaletteView();
}
