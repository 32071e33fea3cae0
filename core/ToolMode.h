// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "core/Controls.h"

// The drawing tool of the edit area, as TDef::ToolMode holds it. The numbers
// are kept in the view record and read by scenarios: they stay as they are.
namespace tool_mode {

inline constexpr std::int32_t Pen = 0;
inline constexpr std::int32_t Fill = 1;
inline constexpr std::int32_t Ellipse = 2;
inline constexpr std::int32_t EllipsePending = 3;  // the first corner taken
inline constexpr std::int32_t Line = 4;
inline constexpr std::int32_t LinePending = 5;  // the start point taken

// The tool of a mode without its pending point: EllipsePending becomes
// Ellipse and LinePending Line; other modes stay.
constexpr std::int32_t WithoutPendingPoint(std::int32_t mode) {
    if (mode == EllipsePending) return Ellipse;
    if (mode == LinePending) return Line;
    return mode;
}

// The tool buttons and the mode each one chooses.
struct ButtonMode {
    ControlId button;
    std::int32_t mode;
};
inline constexpr std::array<ButtonMode, 4> Buttons{{
    {ControlId::PenB, Pen},
    {ControlId::FillB, Fill},
    {ControlId::CircleB, Ellipse},
    {ControlId::LineB, Line},
}};

// The button shown pressed for a mode; the pen's for a mode of no button.
constexpr ControlId ButtonOf(std::int32_t mode) {
    for (const ButtonMode& b : Buttons)
        if (b.mode == WithoutPendingPoint(mode)) return b.button;
    return ControlId::PenB;
}

}  // namespace tool_mode
