// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include "canvas/Colour.h"
#include "core/Controls.h"

// The menu items that stand for a view setting, and the setting each one
// stands for: the grid line colours, the zoom factors and the pen widths.

struct GridColourItem {
    canvas::Colour colour;
    ControlId item;
};
inline constexpr std::array<GridColourItem, 5> GridColourItems{{
    {0xFFFFFF, ControlId::WhiteMenu},
    {0x0000FF, ControlId::RedMenu},
    {0x008000, ControlId::GreenMenu},
    {0xFF0000, ControlId::BlueMenu},
    {0x808080, ControlId::GrayMenu},
}};

// The colour of a grid colour item; none for UnMenu and any other control.
constexpr std::optional<canvas::Colour> GridColourOf(ControlId item) {
    for (const GridColourItem& g : GridColourItems)
        if (g.item == item) return g.colour;
    return std::nullopt;
}

// The item of a grid colour; none for a colour that no item names.
constexpr std::optional<ControlId> GridColourItemOf(canvas::Colour colour) {
    for (const GridColourItem& g : GridColourItems)
        if (g.colour == colour) return g.item;
    return std::nullopt;
}

// Zoom 2 to 10 is mZoom2 to mZoom10; pen width 1 to 4 is mPSize1 to mPSize4
// in the menu and mPen1 to mPen4 in the pen button's pop-up menu. Each run
// of items lies in order in the control table.
inline constexpr int MinZoom = 2;
inline constexpr int MaxZoom = 10;
inline constexpr int MaxPenSize = 4;

constexpr ControlId ZoomItemOf(int zoom) {
    return static_cast<ControlId>(static_cast<int>(ControlId::mZoom2) + zoom - MinZoom);
}
constexpr int ZoomOf(ControlId item) { return MinZoom + static_cast<int>(item) - static_cast<int>(ControlId::mZoom2); }

constexpr ControlId PenSizeItemOf(int width) {
    return static_cast<ControlId>(static_cast<int>(ControlId::mPSize1) + width - 1);
}
constexpr ControlId PenPopupItemOf(int width) {
    return static_cast<ControlId>(static_cast<int>(ControlId::mPen1) + width - 1);
}
// The width of an mPSize or an mPen item.
constexpr int PenSizeOf(ControlId item) {
    const ControlId first = item >= ControlId::mPen1 ? ControlId::mPen1 : ControlId::mPSize1;
    return 1 + static_cast<int>(item) - static_cast<int>(first);
}
