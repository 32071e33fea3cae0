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
    Layout = FixedLayout(DeviceRatio);
    LayoutChanged = true;
    // Back to the zoom chosen before, through the zoom menu's own handler.
    mZoomClick(ZoomItemOf(ZoomBeforeWide >= MinZoom && ZoomBeforeWide <= MaxZoom ? ZoomBeforeWide : 5));
}

void TForm1::ResizeClient(int width, int height) {
    if (!WideLayoutOn()) return;
    ApplyLayout(RoomyLayoutFor(width, height, DeviceRatio));
}

void TForm1::SetDeviceRatio(double ratio) {
    if (ratio == DeviceRatio) return;
    DeviceRatio = ratio;
    if (WideLayoutOn()) return ApplyLayout(RoomyLayoutFor(Layout.clientWidth, Layout.clientHeight, ratio));
    Layout = FixedLayout(ratio);
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
    // The fixed window's edit box holds a 16-pixel chip at zoom 10; a larger
    // chip gets the largest zoom at which it fits the same box.
    const int fixed = std::clamp(FixedEditSide / Def.ChipSize, MinZoom, MaxZoom);
    return WideLayoutOn() ? std::max(Layout.zoom, fixed) : fixed;
}

int TForm1::ZoomWithinLayout(int zoom) const { return std::clamp(zoom, MinZoom, LargestZoom()); }

WindowLayout TForm1::RoomyLayoutFor(int width, int height, double ratio) const {
    return RoomyLayout(width, height, ratio,
                       {Def.ChipSize, project.Sheet.Geometry().Width(), project.Sheet.Geometry().Height()});
}

void TForm1::ShowZoomChoice() {
    // The zoom menu and the up-down control reach 10; a larger zoom checks
    // no item and leaves the up-down control at its top.
    if (Def.Zoom >= MinZoom && Def.Zoom <= MaxZoom) {
        controls.SetChecked(ZoomItemOf(Def.Zoom), true);
    } else {
        for (int z = MinZoom; z <= MaxZoom; ++z) controls.SetChecked(ZoomItemOf(z), false);
    }
    controls.SetPosition(Def.Zoom);
    controls.SetCaption(pRate, "×" + std::to_string(Def.Zoom) + " ");
}
