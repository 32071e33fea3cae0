// The view settings: grid line colour of the edit area, zoom, pen width,
// the sheet frame and the resize-per-chip option.
#include <stdexcept>
#include <string>

#include "core/ControlTable.h"
#include "core/Form.h"

namespace {

using enum ControlId;

bool Between(ControlId id, ControlId first, ControlId last) {
    return static_cast<int>(id) >= static_cast<int>(first) && static_cast<int>(id) <= static_cast<int>(last);
}

int Offset(ControlId id, ControlId first) { return static_cast<int>(id) - static_cast<int>(first); }

ControlId At(ControlId first, int offset) {
    return static_cast<ControlId>(static_cast<int>(first) + offset);
}

[[noreturn]] void NotMine(const char* handler, ControlId sender) {
    throw std::invalid_argument(std::string(handler) + ": not a sender of this handler: " +
                                std::string(NameOf(sender)));
}

}  // namespace

void TForm1::LineColor(ControlId Sender) {
    TColor colour = 0;
    switch (Sender) {
        case WhiteMenu: colour = 0xFFFFFF; break;
        case RedMenu: colour = 0x0000FF; break;
        case GreenMenu: colour = 0x008000; break;
        case BlueMenu: colour = 0xFF0000; break;
        case GrayMenu: colour = 0x808080; break;
        case UnMenu: break;
        default: NotMine("LineColor", Sender);
    }
    controls.SetChecked(Sender, true);
    const int side = Def.ChipSize * Def.Zoom;
    if (Sender == UnMenu) {
        // The colour stays, so that choosing a colour later brings the lines back in it.
        EditI.SetSize(side, side);
        RefreshEditArea();
        return;
    }
    Def.GridLineColor = colour;
    // The chip is not redrawn: resizing keeps the picture at the top-left and
    // the lines cover the column and row it may have gained.
    EditI.SetSize(side + 1, side + 1);
    DrawEditGrid(Def.ChipSize);
}

void TForm1::mZoomClick(ControlId Sender) {
    if (!Between(Sender, mZoom2, mZoom10)) NotMine("mZoomClick", Sender);
    controls.SetChecked(Sender, true);
    Def.Zoom = 2 + Offset(Sender, mZoom2);
    controls.SetPosition(Def.Zoom);
    ShowZoomInRate();
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

void TForm1::udRateMouseUp() {
    Def.Zoom = controls.Position();
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
    ShowZoomInRate();
    controls.SetChecked(At(mZoom2, Def.Zoom - 2), true);
}

void TForm1::mPSize1Click(ControlId Sender) {
    if (!Between(Sender, mPSize1, mPSize4)) NotMine("mPSize1Click", Sender);
    controls.SetChecked(Sender, true);
    PenSize = 1 + Offset(Sender, mPSize1);
    // Both pen-size groups always show the same width.
    controls.SetChecked(At(mPen1, PenSize - 1), true);
}

void TForm1::PenBMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    // Only the right button alone: the left click chooses the pen tool, and
    // a modifier held with the right button shows nothing.
    if (Shift != ShiftState{ShiftKey::Right}) return;
    if (const auto item = platform.PopupMenu(mPen, PenB, X, Y)) mPenClick(*item);
}

void TForm1::mPenClick(ControlId Sender) {
    if (!Between(Sender, mPen1, mPen4)) NotMine("mPenClick", Sender);
    mPSize1Click(At(mPSize1, Offset(Sender, mPen1)));
}

void TForm1::wakuMenuClick() {
    controls.SetChecked(wakuMenu, !controls.Checked(wakuMenu));
    Def.SheetGridShown = controls.Checked(wakuMenu);
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

void TForm1::chrSMenuClick() { controls.SetChecked(chrSMenu, !controls.Checked(chrSMenu)); }
