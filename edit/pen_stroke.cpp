// SPDX-License-Identifier: GPL-3.0-or-later
#include "edit/pen_stroke.h"

#include <algorithm>
#include <cstdint>

#include "edit/pen_block.h"

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The pen blocks from (x0, y0), exclusive, to (x1, y1), inclusive, one per
// step of the longer axis, each point rounded to the nearest pixel. Only the
// part of the line whose blocks can touch the chip is walked, so a position
// far outside (a captured drag) costs no more than one inside.
void PaintPenLine(TForm1& form, int x0, int y0, int x1, int y1, TColor colour) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    const std::int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    if (steps == 0) return;
    // Pen blocks reach PenSize pixels around their point.
    const std::int64_t lo = -form.PenSize - 1;
    const std::int64_t hi = std::int64_t{std::max(form.EditWidth(), form.EditHeight())} + form.PenSize;
    std::int64_t first = 1, last = steps;
    // Narrows [first, last] to the steps whose point on this axis lies within [lo, hi].
    auto keepWithin = [&](std::int64_t start, std::int64_t delta) {
        if (delta == 0) {
            if (start < lo || start > hi) last = 0;
            return;
        }
        // start + delta * i / steps within [lo, hi], with a step of slack for rounding.
        std::int64_t a = FloorDiv((lo - start) * steps, delta);
        std::int64_t b = FloorDiv((hi - start) * steps, delta);
        if (a > b) std::swap(a, b);
        first = std::max(first, a - 1);
        last = std::min(last, b + 1);
    };
    keepWithin(x0, dx);
    keepWithin(y0, dy);
    for (std::int64_t i = first; i <= last; ++i) {
        const auto x = static_cast<int>(x0 + FloorDiv(2 * dx * i + steps, 2 * steps));
        const auto y = static_cast<int>(y0 + FloorDiv(2 * dy * i + steps, 2 * steps));
        PaintPenBlock(form, x, y, colour);
    }
}

}  // namespace

void StartPenStroke(EditorForm& form, int x, int y, TColor colour) {
    form.RecordEditedStep(History::OneLevel::Passed);
    form.PenTrail = {true, x, y};
    PaintPenBlock(form, x, y, colour);
}

void MovePen(EditorForm& form, ShiftState shift, int x, int y) {
    const ShiftState left{ShiftKey::Left};
    const ShiftState right{ShiftKey::Right};
    if (shift != left && shift != right) {
        form.PenTrail.open = false;
        return;
    }
    const TColor colour = shift == left ? form.LeftColor : form.RightColor;
    // A drag whose press was not a pen press (made before the pen was
    // chosen, or elsewhere) starts its stroke here.
    if (!form.PenTrail.open) return StartPenStroke(form, x, y, colour);
    if (form.Options.strokeJoin)
        PaintPenLine(form, form.PenTrail.x, form.PenTrail.y, x, y, colour);
    else
        PaintPenBlock(form, x, y, colour);
    form.PenTrail.x = x;
    form.PenTrail.y = y;
}
