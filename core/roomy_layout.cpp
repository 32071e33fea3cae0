// The roomy layout option: a window that can be resized, with the edit area
// at the largest zoom that fits and the sheet and palette views scaled.
#include <string>

#include "core/Form.h"

namespace {

using enum ControlId;

ControlId ZoomItem(int zoom) { return static_cast<ControlId>(static_cast<int>(mZoom2) + zoom - 2); }

}  // namespace

bool TForm1::WideLayoutOn() const { return controls.Checked(WideMenu); }

void TForm1::WideMenuClick() {
    const bool on = !WideLayoutOn();
    controls.SetChecked(WideMenu, on);
    if (on) {
        ZoomBeforeWide = Def.Zoom;
        ApplyLayout(RoomyLayout(Layout.clientWidth, Layout.clientHeight));
        return;
    }
    Layout = FixedLayout();
    LayoutChanged = true;
    // Back to the zoom chosen before, through the zoom menu's own handler.
    mZoomClick(ZoomItem(ZoomBeforeWide >= 2 && ZoomBeforeWide <= 10 ? ZoomBeforeWide : 5));
}

void TForm1::ResizeClient(int width, int height) {
    if (!WideLayoutOn()) return;
    ApplyLayout(RoomyLayout(width, height));
}

void TForm1::ApplyLayout(const WindowLayout& layout) {
    Layout = layout;
    LayoutChanged = true;
    if (layout.zoom == Def.Zoom) return;  // the views keep their pictures
    Def.Zoom = layout.zoom;
    // The zoom menu and the up-down control reach 10; a larger zoom checks
    // no item and leaves the up-down control at its top.
    if (Def.Zoom <= 10) {
        controls.SetChecked(ZoomItem(Def.Zoom), true);
    } else {
        for (int z = 2; z <= 10; ++z) controls.SetChecked(ZoomItem(z), false);
    }
    controls.SetPosition(Def.Zoom);
    controls.SetCaption(pRate, "×" + std::to_string(Def.Zoom) + " ");
    Relayout(Def.ChipSize, Def.SheetCols, Def.SheetRows);
}
