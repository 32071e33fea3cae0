// The memory snapshot: the whole sheet and the view settings kept in memory
// by MemSaveB and put back by MemLoadB.
#include <array>

#include "core/Form.h"

namespace {

constexpr const char* ReplayQuestion = "現在の状況を破棄し記憶しておいた状況を再生しますか？";

ControlId ToolButtonOf(int toolMode) {
    switch (toolMode) {
    case 1: return ControlId::FillB;
    case 2: return ControlId::CircleB;
    case 4: return ControlId::LineB;
    default: return ControlId::PenB;
    }
}

struct GridColourItem {
    TColor colour;
    ControlId item;
};
constexpr std::array<GridColourItem, 5> GridColourItems{{
    {0xFFFFFF, ControlId::WhiteMenu},
    {0x0000FF, ControlId::RedMenu},
    {0x008000, ControlId::GreenMenu},
    {0xFF0000, ControlId::BlueMenu},
    {0x808080, ControlId::GrayMenu},
}};

constexpr std::array<ControlId, 4> PenSizeItems{ControlId::mPSize1, ControlId::mPSize2, ControlId::mPSize3,
                                                ControlId::mPSize4};
constexpr std::array<ControlId, 4> PenPopupItems{ControlId::mPen1, ControlId::mPen2, ControlId::mPen3,
                                                 ControlId::mPen4};
constexpr std::array<ControlId, 9> ZoomItems{ControlId::mZoom2, ControlId::mZoom3, ControlId::mZoom4,
                                             ControlId::mZoom5, ControlId::mZoom6, ControlId::mZoom7,
                                             ControlId::mZoom8, ControlId::mZoom9, ControlId::mZoom10};

}  // namespace

void TForm1::MemoriseSnapshot() {
    TMemorySnapshot& m = MemorySnapshot;
    ComposeSheet();
    m.MemSheetImage.SetSize(SheetImage.Width(), SheetImage.Height());
    m.MemSheetImage.Draw(0, 0, SheetImage);
    m.MemCurCol = CurCol;
    m.MemCurRow = CurRow;
    m.MemGridHidden = controls.Checked(ControlId::UnMenu);
    m.MemModified = Modified;
    m.MemResizePerChip = controls.Checked(ControlId::chrSMenu);
    m.MemPenSize = PenSize;
    m.MemDef = Def;
    controls.SetEnabled(ControlId::MemLoadB, true);
}

void TForm1::ReplaySnapshot() {
    // Before the first memorise there is nothing to replay (the button is
    // disabled then); replaying the empty snapshot would, among other things,
    // clear Modified and so lose the question about unsaved changes.
    if (!controls.Enabled(ControlId::MemLoadB)) return;
    if (!platform.AskQuestion(ReplayQuestion)) return;

    const TMemorySnapshot& m = MemorySnapshot;
    CurCol = m.MemCurCol;
    CurRow = m.MemCurRow;
    controls.SetChecked(ControlId::UnMenu, m.MemGridHidden);
    Modified = m.MemModified;
    PenSize = m.MemPenSize;
    Def = m.MemDef;
    ShowFileNameInCaption();
    DropPendingPoint();
    controls.SetPressedTool(ToolButtonOf(Def.ToolMode));

    const int size = Def.ChipSize;
    for (int row = 0; row < Def.SheetRows; ++row) {
        for (int col = 0; col < Def.SheetCols; ++col) {
            canvas::Picture& chip = Chip(col, row);
            chip.SetSize(size, size);
            chip.CopyRect({0, 0, size, size}, m.MemSheetImage,
                          {col * size, row * size, (col + 1) * size, (row + 1) * size});
        }
    }

    if (!controls.Checked(ControlId::UnMenu)) {
        for (const GridColourItem& g : GridColourItems)
            if (g.colour == Def.GridLineColor) controls.SetChecked(g.item, true);
    }
    if (PenSize >= 1 && PenSize <= 4) {
        controls.SetChecked(PenSizeItems[static_cast<std::size_t>(PenSize - 1)], true);
        controls.SetChecked(PenPopupItems[static_cast<std::size_t>(PenSize - 1)], true);
    }
    if (Def.Zoom >= 2 && Def.Zoom <= 10) controls.SetChecked(ZoomItems[static_cast<std::size_t>(Def.Zoom - 2)], true);
    controls.SetPosition(Def.Zoom);
    ShowZoomInRate();
    controls.SetChecked(ControlId::chrSMenu, m.MemResizePerChip);
    controls.SetChecked(ControlId::wakuMenu, Def.SheetGridShown);
    UndoAvailable = false;
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    DrawPaletteView();
}
