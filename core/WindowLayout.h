// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "core/Controls.h"

// Where the main window's controls lie for one client size, and how large
// its views show: the described fixed layout, or the roomy one that grows
// with the window. Headless, so that the window and the scenario driver lay
// out with the same code.
struct ControlPlace {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const ControlPlace&) const = default;
};

struct WindowLayout {
    static constexpr int FixedWidth = 738;
    static constexpr int FixedHeight = 421;
    static constexpr int MaxZoom = 32;
    static constexpr int MaxViewScale = 3;

    int clientWidth = FixedWidth;
    int clientHeight = FixedHeight;
    // The smallest client area the layout may be given (the roomy one's).
    int minClientWidth = FixedWidth;
    int minClientHeight = FixedHeight;
    // The edit area's zoom: the largest whole zoom up to MaxZoom (further
    // for a chip under 16 pixels, to the same side) whose edit area fits
    // (the fixed layout keeps the zoom the user chose).
    int zoom = 10;
    // The sheet view and the palette view show their pictures this many
    // times as large (1 in the fixed layout).
    int sheetScale = 1;
    int paletteScale = 1;
    // Device pixels a picture pixel of a view at scale 1 takes; 0: the whole
    // number nearest to the device pixel ratio (WholeDevicePixels).
    int devicePixels = 0;
    // Containers and controls placed in the client area; others stay zero.
    std::array<ControlPlace, ControlCount> places{};

    const ControlPlace& PlaceOf(ControlId id) const { return places[static_cast<std::size_t>(id)]; }
    // A view's own pixel under a position in the shown (scaled) view. Floors,
    // so that positions left of or above the view stay negative.
    int PictureCoordinate(ControlId view, int shown) const;
    int ScaleOf(ControlId view) const;
};

// Device pixels for `logicalPixels` at a device pixel ratio: the nearest
// whole number, at least one. A view shows each chip pixel as this many
// device pixels for its logical size, so that no two chip pixels differ in
// size at any scale factor.
int WholeDevicePixels(double ratio, int logicalPixels);
// Logical pixels that `pixels` picture pixels take when each is shown as
// WholeDevicePixels(ratio, scale) device pixels: `pixels * scale` where the
// ratio is whole.
int ShownLength(int pixels, int scale, double ratio);

// The described window: 738 x 421, every control at its described place.
// Under a ratio that is not whole the views show whole device pixels per
// chip pixel, and the controls keep their places relative to them. Given the
// client area the screen has room for (logical pixels), a window that would
// not fit takes the largest whole number of device pixels per chip pixel at
// which it does (at least one).
WindowLayout FixedLayout(double ratio = 1, int availableWidth = 0, int availableHeight = 0);
// The roomy layout for a client area of width x height (at least the fixed
// layout's size at this device pixel ratio): the largest zoom that fits first, then the largest sheet scale, then
// the largest palette scale up to the sheet's; the controls keep their places relative to the
// sheet, the edit area and the palette.
// What the roomy layout makes room for: the chip's side in the edit area and
// the sheet view's picture. A sheet view larger than the window gets a box
// that fits, which scrolls.
struct ShownSheet {
    int chipSize = 16;
    int width = 480;
    int height = 256;
};
// The client area is at least as large as an edit area at `minZoom` needs
// (a block of chips to be read), but no larger than `screen` where that is
// known (logical pixels, 0 where not).
struct RoomFor {
    int minZoom = 0;
    int screenWidth = 0, screenHeight = 0;
};
WindowLayout RoomyLayout(int width, int height, double ratio = 1, const ShownSheet& sheet = {},
                         const RoomFor& room = {});
