// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Autotile.h"

#include <algorithm>

namespace autotile {

namespace {

constexpr std::uint8_t ReduceMask(std::uint8_t m) {
    std::uint8_t r = m & (N | E | S | W);
    if ((m & NE) && (m & N) && (m & E)) r |= NE;
    if ((m & SE) && (m & S) && (m & E)) r |= SE;
    if ((m & SW) && (m & S) && (m & W)) r |= SW;
    if ((m & NW) && (m & N) && (m & W)) r |= NW;
    return r;
}

constexpr std::array<std::uint8_t, ChipCount> MaskTable() {
    std::array<std::uint8_t, ChipCount> masks{};
    std::size_t n = 0;
    for (int m = 0; m < 256; ++m)
        if (ReduceMask(static_cast<std::uint8_t>(m)) == m) masks[n++] = static_cast<std::uint8_t>(m);
    return masks;
}

constexpr std::array<std::uint8_t, ChipCount> Table = MaskTable();

constexpr std::array<std::int8_t, 256> IndexTable() {
    std::array<std::int8_t, 256> index{};
    for (int m = 0; m < 256; ++m) {
        const std::uint8_t r = ReduceMask(static_cast<std::uint8_t>(m));
        for (std::size_t i = 0; i < Table.size(); ++i)
            if (Table[i] == r) index[static_cast<std::size_t>(m)] = static_cast<std::int8_t>(i);
    }
    return index;
}

constexpr std::array<std::int8_t, 256> Index = IndexTable();

}  // namespace

std::uint8_t Reduce(std::uint8_t mask) { return ReduceMask(mask); }

const std::array<std::uint8_t, ChipCount>& Masks() { return Table; }

int IndexOf(std::uint8_t mask) { return Index[mask]; }

Quarter SourceQuarter(int cx, int cy, std::uint8_t mask) {
    // The quarter's side neighbour across (W or E), the one up or down
    // (N or S) and the diagonal between them.
    const bool h = mask & (cx == 0 ? W : E);
    const bool v = mask & (cy == 0 ? N : S);
    const bool d = mask & (cx == 0 ? (cy == 0 ? NW : SW) : (cy == 0 ? NE : SE));
    if (!h && !v) return {3 * cx, 2 + 3 * cy};  // outer corner
    if (!h) return {3 * cx, 4 - cy};            // left or right edge
    if (!v) return {2 - cx, 2 + 3 * cy};        // top or bottom edge
    if (!d) return {2 + cx, cy};                // inner corner
    return {2 - cx, 4 - cy};                    // fill
}

void DrawChip(canvas::Picture& chip, std::uint8_t mask, const SourceChip& source) {
    const int half = chip.Width() / 2;
    for (int cy = 0; cy < 2; ++cy)
        for (int cx = 0; cx < 2; ++cx) {
            const Quarter q = SourceQuarter(cx, cy, mask);
            const int sx = (q.qx % 2) * half, sy = (q.qy % 2) * half;
            chip.CopyRect({cx * half, cy * half, (cx + 1) * half, (cy + 1) * half}, source(q.qx / 2, q.qy / 2),
                          {sx, sy, sx + half, sy + half});
        }
}

}  // namespace autotile
