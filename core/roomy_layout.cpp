// SPDX-License-Identifier: GPL-3.0-or-later
// The roomy layout option: a window that can be resized, with the edit area
// at the largest zoom that fits and the sheet and palette views scaled.
#include <algorithm>
#include <string>

#include "core/Form.h"
#include "core/ViewMenuItems.h"

namespace {

using enum ControlId;

}  // namespace

void TForm1::WideMenuClick() {
    const bool on = !Options.wide;
    Options.wide = on;
    ShowOptions();
    if (on) {
        ZoomBeforeWide = Def.Zoom;
        ApplyLayout(RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, DeviceRatio));
        return;
    }
    Layout = FixedLayout(DeviceRatio, ScreenWidth, ScreenHeight);
    LayoutChanged = true;
    // Back to the zoom chosen before, as the zoom menu chooses it.
    const bool known = ZoomBeforeWide >= MinZoom && ZoomBeforeWide <= std::max(MaxZoom, LargestFixedZoom());
    ChooseZoom(known ? ZoomBeforeWide : 5);
}

void TForm1::ResizeClient(int width, int height) {
    if (!WideLayoutOn()) return;
    ApplyLayout(RoomyLayoutFor(width, height, DeviceRatio));
}

void TForm1::SetDeviceRatio(double ratio) {
    if (ratio == DeviceRatio) return;
    DeviceRatio = ratio;
    if (WideLayoutOn()) return ApplyLayout(RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, ratio));
    Layout = FixedLayout(ratio, ScreenWidth, ScreenHeight);
    LayoutChanged = true;
}

void TForm1::SetScreenArea(int width, int height) {
    if (width == ScreenWidth && height == ScreenHeight) return;
    ScreenWidth = width;
    ScreenHeight = height;
    if (WideLayoutOn()) return ApplyLayout(RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, DeviceRatio));
    Layout = FixedLayout(DeviceRatio, width, height);
    LayoutChanged = true;
}

void TForm1::ApplyLayout(const WindowLayout& layout) {
    const int editZoom = EditZoom();
    Layout = layout;
    LayoutChanged = true;
    if (layout.zoom == Def.Zoom) {
        // The views keep their pictures; a block's zoom follows the layout's.
        if (EditZoom() != editZoom) SizeEditArea();
        return;
    }
    Def.Zoom = layout.zoom;
    ShowZoomChoice();
    // Only the edit area changes with the zoom; the sheet stays as it is.
    SizeEditArea();
}

int TForm1::LargestZoom() const {
    const int fixed = LargestFixedZoom();
    return WideLayoutOn() ? std::max(Layout.zoom, fixed) : fixed;
}

int TForm1::LargestFixedZoom() const {
    // The fixed window's edit box holds a 16-pixel chip at zoom 10; any other
    // chip gets the largest zoom at which it fills the same box (20 for 8
    // pixels, 3 for 48), but never less than the zoom menu's smallest.
    return std::max(FixedEditSide / Def.ChipSize, MinZoom);
}

int TForm1::ZoomWithinLayout(int zoom) const { return std::clamp(zoom, MinZoom, LargestZoom()); }

int TForm1::RoomyZoomForBlock() const {
    constexpr int ReadableBlockZoom = 4;
    // Nor more than this many pixels a side for the block's edit area.
    constexpr int LargestBlockSide = 1024;
    const int side = std::max(Options.blockCols, Options.blockRows);
    if (!Options.block || side < 2) return 0;
    return std::min(ReadableBlockZoom * side, LargestBlockSide / Def.ChipSize);
}

WindowLayout TForm1::RoomyLayoutFor(int width, int height, double ratio) const {
    return RoomyLayout(width, height, ratio,
                       {Def.ChipSize, project.Sheet.Geometry().Width(), project.Sheet.Geometry().Height()},
                       {RoomyZoomForBlock(), ScreenWidth, ScreenHeight});
}

void TForm1::ShowZoomChoice() {
    // The zoom menu reaches 10, the up-down control also the largest zoom
    // that a small chip fills the fixed edit box at; a zoom past the menu
    // checks no item, and one past the up-down control leaves it at its top.
    controls.SetPositionTop(std::max(MaxZoom, LargestFixedZoom()));
    if (Def.Zoom >= MinZoom && Def.Zoom <= MaxZoom) {
        controls.SetChecked(ZoomItemOf(Def.Zoom), true);
    } else {
        for (int z = MinZoom; z <= MaxZoom; ++z) controls.SetChecked(ZoomItemOf(z), false);
    }
    controls.SetPosition(Def.Zoom);
    // A block shows at a zoom of its own, whatever the zoom chosen.
    controls.SetCaption(pRate, "×" + std::to_string(BlockEditing() ? EditZoom() : Def.Zoom) + " ");
}
