// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/WindowLayout.h"

#include <algorithm>
#include <cmath>

#include "core/ControlTable.h"

namespace {

using enum ControlId;

ControlPlace Described(ControlId id) {
    const ControlInfo& info = InfoOf(id);
    return {info.left, info.top, info.width, info.height};
}

// The controls beside the edit area (zoom, tools, position text, the edit
// box itself) move with its top-left corner; the colour swatches, their texts,
// the memory buttons and the palette colour text with the swatch block's.
constexpr ControlId EditBlock[] = {pRate, udRate, PenB, FillB, CircleB, LineB, EditPos, ScrollBox1};
constexpr ControlId ColourBlock[] = {lbP, rbP, lbcP, rbcP, MemSaveB, MemLoadB, clP};
constexpr int EditBlockLeft = 504, EditBlockWidth = 204;  // pRate .. LineB
constexpr int ColourBlockLeft = 528, ColourBlockTop = 256, ColourBlockWidth = 200, ColourBlockHeight = 140;
constexpr int PalettePicture[] = {512, 96};
constexpr int SheetBoxExtra = 8;    // 488 x 264 round the 480 x 256 sheet
constexpr int PaletteBoxExtra = 2;  // the panel's single border
constexpr int EditBoxExtra = 4;     // 164 round the 160 of zoom 10
// Gaps of the described layout: sheet box to the edit block (492 -> 504),
// sheet box to palette (266 -> 300), edit box to swatches (236 -> 256),
// palette to swatches (518 -> 528), and the client's margins right and below.
constexpr int SheetToEdit = 12, SheetToPalette = 34, EditToColours = 20, PaletteToColours = 10;
constexpr int MarginRight = 10, MarginBottom = 23;
// The smallest box a sheet larger than the window scrolls in.
constexpr int MinSheetBox = 64;

bool IsWhole(double ratio) { return std::abs(ratio - std::round(ratio)) < 1e-6; }

// Logical pixels that `pixels` picture pixels of a view at `scale` take.
int Shown(const WindowLayout& layout, int pixels, int scale, double ratio) {
    if (layout.devicePixels == 0) return ShownLength(pixels, scale, ratio);
    return static_cast<int>(std::ceil(pixels * scale * layout.devicePixels / ratio - 1e-6));
}

ControlPlace& At(WindowLayout& layout, ControlId id) { return layout.places[static_cast<std::size_t>(id)]; }

void Shift(WindowLayout& layout, ControlId id, int dx, int dy) {
    ControlPlace p = Described(id);
    p.left += dx;
    p.top += dy;
    At(layout, id) = p;
}

// Places everything for these scales and zoom; returns the client size the
// layout needs.
// A box that is smaller than its sheet view scrolls; `boxLimit` caps the
// sheet's box each way.
std::pair<int, int> Arrange(WindowLayout& layout, int sheetScale, int paletteScale, int zoom, double ratio,
                            const ShownSheet& sheet = {}, std::pair<int, int> boxLimit = {1 << 30, 1 << 30}) {
    layout.sheetScale = sheetScale;
    layout.paletteScale = paletteScale;
    layout.zoom = zoom;
    const ControlPlace sheetBox = Described(Screen);
    const ControlPlace screen{
        sheetBox.left, sheetBox.top,
        std::min(Shown(layout, sheet.width, sheetScale, ratio) + SheetBoxExtra, boxLimit.first),
        std::min(Shown(layout, sheet.height, sheetScale, ratio) + SheetBoxExtra, boxLimit.second)};
    At(layout, Screen) = screen;

    const int editLeft = screen.Right() + SheetToEdit;
    for (ControlId id : EditBlock) Shift(layout, id, editLeft - EditBlockLeft, 0);
    ControlPlace& editBox = At(layout, ScrollBox1);
    editBox.width = editBox.height = Shown(layout, sheet.chipSize, zoom, ratio) + EditBoxExtra;

    ControlPlace palette{screen.left, screen.Bottom() + SheetToPalette,
                         Shown(layout, PalettePicture[0], paletteScale, ratio) + PaletteBoxExtra,
                         Shown(layout, PalettePicture[1], paletteScale, ratio) + PaletteBoxExtra};
    // A palette that reaches under the edit block goes below the edit box.
    if (palette.Right() > editLeft) palette.top = std::max(palette.top, editBox.Bottom() + EditToColours);
    At(layout, Panel1) = palette;

    const int coloursLeft = std::max(editLeft + (ColourBlockLeft - EditBlockLeft), palette.Right() + PaletteToColours);
    const int coloursTop = editBox.Bottom() + EditToColours;
    for (ControlId id : ColourBlock) Shift(layout, id, coloursLeft - ColourBlockLeft, coloursTop - ColourBlockTop);

    const int right =
        std::max({palette.Right(), editLeft + std::max(EditBlockWidth, editBox.width), coloursLeft + ColourBlockWidth});
    const int bottom = std::max(palette.Bottom(), coloursTop + ColourBlockHeight);
    return {right + MarginRight, bottom + MarginBottom};
}

// The roomy layout's zoom goes up to MaxZoom; a chip smaller than the default
// one may go further, to the same largest edit area (64 for 8-pixel chips).
int LargestRoomyZoom(int chipSize) {
    const int side = WindowLayout::MaxZoom * ShownSheet{}.chipSize;
    return std::max(WindowLayout::MaxZoom, side / std::max(chipSize, 1));
}

// Places everything at this zoom with the sheet's box cut to what the client
// area leaves it. The sizes shrink by what they overran; the layout grows
// with the box, so the second pass fits.
std::pair<int, int> ArrangeScrolling(WindowLayout& layout, int zoom, double ratio, const ShownSheet& sheet) {
    std::pair<int, int> limit{1 << 30, 1 << 30};
    for (int pass = 0; pass < 2; ++pass) {
        const auto [w, h] = Arrange(layout, 1, 1, zoom, ratio, sheet, limit);
        const ControlPlace box = layout.PlaceOf(Screen);
        limit = {std::max(MinSheetBox, box.width - std::max(0, w - layout.clientWidth)),
                 std::max(MinSheetBox, box.height - std::max(0, h - layout.clientHeight))};
    }
    return Arrange(layout, 1, 1, zoom, ratio, sheet, limit);
}

}  // namespace

int WholeDevicePixels(double ratio, int logicalPixels) {
    return std::max(1, static_cast<int>(std::lround(ratio * logicalPixels)));
}

int ShownLength(int pixels, int scale, double ratio) {
    if (IsWhole(ratio)) return pixels * scale;
    return static_cast<int>(std::ceil(pixels * WholeDevicePixels(ratio, scale) / ratio - 1e-6));
}

int WindowLayout::ScaleOf(ControlId view) const {
    if (view == ScreenI) return sheetScale;
    if (view == Pallete) return paletteScale;
    return 1;
}

int WindowLayout::PictureCoordinate(ControlId view, int shown) const {
    const int scale = ScaleOf(view);
    // Division that floors, also for negative positions.
    return shown >= 0 ? shown / scale : -((-shown + scale - 1) / scale);
}

WindowLayout FixedLayout(double ratio, int availableWidth, int availableHeight) {
    WindowLayout layout;
    auto arranged = [&] {
        const auto [width, height] = Arrange(layout, 1, 1, layout.zoom, ratio);
        layout.clientWidth = layout.minClientWidth = width;
        layout.clientHeight = layout.minClientHeight = height;
        return availableWidth <= 0 || availableHeight <= 0 || (width <= availableWidth && height <= availableHeight);
    };
    if (IsWhole(ratio)) {
        layout.clientWidth = layout.minClientWidth = WindowLayout::FixedWidth;
        layout.clientHeight = layout.minClientHeight = WindowLayout::FixedHeight;
        const bool fits = availableWidth <= 0 || availableHeight <= 0 ||
                          (layout.clientWidth <= availableWidth && layout.clientHeight <= availableHeight);
        if (ratio <= 1 || fits) {
            for (ControlId id : {Screen, Panel1, ScrollBox1}) At(layout, id) = Described(id);
            for (ControlId id : EditBlock) At(layout, id) = Described(id);
            for (ControlId id : ColourBlock) At(layout, id) = Described(id);
            return layout;
        }
    } else if (arranged()) {
        return layout;
    }
    // Too large for the screen: fewer device pixels per chip pixel, down to
    // one, until it fits.
    for (int k = WholeDevicePixels(ratio, 1) - 1; k >= 1; --k) {
        layout.devicePixels = k;
        if (arranged() || k == 1) return layout;
    }
    // Already one device pixel per chip pixel (a ratio below 1.5).
    layout.devicePixels = 0;
    arranged();
    return layout;
}

WindowLayout RoomyLayout(int width, int height, double ratio, const ShownSheet& sheet, const RoomFor& room) {
    const WindowLayout fixed = FixedLayout(ratio);
    WindowLayout layout;
    const int maxZoom = LargestRoomyZoom(sheet.chipSize);
    layout.minClientWidth = fixed.clientWidth;
    layout.minClientHeight = fixed.clientHeight;
    const int minZoom = std::min(room.minZoom, maxZoom);
    // Room for the edit area at minZoom beside a sheet box no larger than
    // the fixed window's, as far as the screen has it.
    const ControlPlace fixedSheetBox = fixed.PlaceOf(Screen);
    const std::pair<int, int> fixedBox{fixedSheetBox.width, fixedSheetBox.height};
    if (minZoom > 2) {
        auto [w, h] = Arrange(layout, 1, 1, minZoom, ratio, sheet, fixedBox);
        if (room.screenWidth > 0) w = std::min(w, room.screenWidth);
        if (room.screenHeight > 0) h = std::min(h, room.screenHeight);
        layout.minClientWidth = std::max(layout.minClientWidth, w);
        layout.minClientHeight = std::max(layout.minClientHeight, h);
    }
    layout.clientWidth = std::max(width, layout.minClientWidth);
    layout.clientHeight = std::max(height, layout.minClientHeight);
    auto fits = [&](std::pair<int, int> size) {
        return size.first <= layout.clientWidth && size.second <= layout.clientHeight;
    };
    for (int zoom = maxZoom; zoom > std::max(2, minZoom - 1); --zoom) {
        for (int scale = WindowLayout::MaxViewScale; scale >= 1; --scale) {
            // The palette never outgrows the sheet: the two read as one column.
            for (int palette = scale; palette >= 1; --palette)
                if (fits(Arrange(layout, scale, palette, zoom, ratio, sheet))) return layout;
        }
    }
    // A sheet larger than the window: its box takes what is left and
    // scrolls. The largest zoom that still leaves the box as large as the
    // described window's (or the whole sheet, where that is smaller) wins,
    // so that a large window gives the edit area room too; else the
    // smallest zoom (the block's, where it fits beside the smallest box)
    // with what is left.
    const ControlPlace described = Described(Screen);
    const int wantedWidth = std::min(described.width, ShownLength(sheet.width, 1, ratio) + SheetBoxExtra);
    const int wantedHeight = std::min(described.height, ShownLength(sheet.height, 1, ratio) + SheetBoxExtra);
    for (int zoom = maxZoom; zoom > std::max(2, minZoom - 1); --zoom) {
        const auto [w, h] = ArrangeScrolling(layout, zoom, ratio, sheet);
        const ControlPlace box = layout.PlaceOf(Screen);
        if (w <= layout.clientWidth && h <= layout.clientHeight && box.width >= wantedWidth &&
            box.height >= wantedHeight)
            return layout;
    }
    int zoom = std::max(2, minZoom);
    while (zoom > 2 && !fits(Arrange(layout, 1, 1, zoom, ratio, sheet, {MinSheetBox, MinSheetBox}))) --zoom;
    ArrangeScrolling(layout, zoom, ratio, sheet);
    return layout;
}
