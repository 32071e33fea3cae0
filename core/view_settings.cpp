// SPDX-License-Identifier: GPL-3.0-or-later
// The view settings: grid line colour of the edit area, zoom, pen width,
// the sheet frame and the resize-per-chip option.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "core/ViewMenuItems.h"

namespace {

using enum ControlId;

[[noreturn]] void NotMine(const char* handler, ControlId sender) {
    throw std::invalid_argument(std::string(handler) +
                                ": not a sender of this handler: " + std::string(NameOf(sender)));
}

}  // namespace

void TForm1::LineColor(ControlId Sender) {
    const std::optional<TColor> colour = GridColourOf(Sender);
    if (!colour && Sender != UnMenu) NotMine("LineColor", Sender);
    controls.SetChecked(Sender, true);
    Options.editGridHidden = Sender == UnMenu;
    const int width = EditWidth() * EditZoom(), height = EditHeight() * EditZoom();
    if (Sender == UnMenu) {
        // The colour stays, so that choosing a colour later brings the lines back in it.
        EditI.SetSize(width, height);
        RefreshEditArea();
        return;
    }
    Def.GridLineColor = *colour;
    // The chip is not redrawn: resizing keeps the picture at the top-left and
    // the lines cover the column and row it may have gained.
    EditI.SetSize(width + 1, height + 1);
    DrawEditGrid(Def.ChipSize);
}

void TForm1::mZoomClick(ControlId Sender) {
    if (!Between(Sender, mZoom2, mZoom10)) NotMine("mZoomClick", Sender);
    ChooseZoom(ZoomOf(Sender));
}

void TForm1::udRateMouseUp() { ChooseZoom(controls.Position()); }

void TForm1::ChooseZoom(int zoom) {
    // A chip larger than 16 pixels is shown at most at the zoom that fits
    // the fixed window's edit box.
    Def.Zoom = WideLayoutOn() ? zoom : std::min(zoom, LargestZoom());
    ShowZoomChoice();
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

void TForm1::mPSize1Click(ControlId Sender) {
    if (!Between(Sender, mPSize1, mPSize4)) NotMine("mPSize1Click", Sender);
    controls.SetChecked(Sender, true);
    PenSize = PenSizeOf(Sender);
    // Both pen-size groups always show the same width.
    controls.SetChecked(PenPopupItemOf(PenSize), true);
}

void TForm1::PenBMouseDown(MouseButton, ShiftState Shift, int X, int Y) {
    // Only the right button alone: the left click chooses the pen tool, and
    // a modifier held with the right button shows nothing.
    if (Shift != ShiftState{ShiftKey::Right}) return;
    if (const auto item = platform.PopupMenu(mPen, PenB, X, Y)) mPenClick(*item);
}

void TForm1::mPenClick(ControlId Sender) {
    if (!Between(Sender, mPen1, mPen4)) NotMine("mPenClick", Sender);
    mPSize1Click(PenSizeItemOf(PenSizeOf(Sender)));
}

void TForm1::wakuMenuClick() {
    Def.SheetGridShown = !Def.SheetGridShown;
    controls.SetChecked(wakuMenu, Def.SheetGridShown);
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}

void TForm1::chrSMenuClick() {
    Options.resizePerChip = !Options.resizePerChip;
    controls.SetChecked(chrSMenu, Options.resizePerChip);
}
