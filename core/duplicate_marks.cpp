// SPDX-License-Identifier: GPL-3.0-or-later
// The duplicate chips option: a mark on the sheet view at the bottom-right
// of every chip that repeats an earlier chip, one kind for an exact copy and
// another for a mirrored or turned one, and the hover text that names the
// earlier chip.
#include <algorithm>

#include "core/Form.h"
#include "core/Translation.h"

namespace {

using duplicates::Kind;

constexpr canvas::Colour ExactMark = canvas::Rgb(255, 0, 255);
constexpr canvas::Colour OrientedMark = canvas::Rgb(0, 255, 255);
constexpr canvas::Colour MarkOutline = canvas::Black;

bool Marked(Kind kind) { return kind == Kind::Exact || kind == Kind::Oriented; }

// A square five sixteenths of the chip across (at least 4 pixels), one pixel in
// from the chip's right and bottom edges, where neither the grid lines nor
// the frame of the chip being edited fall.
canvas::Rect MarkPlace(int col, int row, int chipSize) {
    const int side = std::max(4, chipSize * 5 / 16);
    const int right = (col + 1) * chipSize - 1, bottom = (row + 1) * chipSize - 1;
    return {right - side, bottom - side, right, bottom};
}

canvas::Colour MarkPixel(const canvas::Rect& place, Kind kind, int x, int y) {
    const bool edge = x == place.left || y == place.top || x == place.right - 1 || y == place.bottom - 1;
    if (edge) return MarkOutline;
    return kind == Kind::Exact ? ExactMark : OrientedMark;
}

bool MarkShown(const canvas::Picture& view, const canvas::Rect& place, Kind kind) {
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            if (view.GetPixel(x, y) != MarkPixel(place, kind, x, y)) return false;
    return true;
}

void DrawMark(canvas::Picture& view, const canvas::Rect& place, Kind kind) {
    const canvas::Colour brush = view.BrushColour();
    view.SetBrushColour(kind == Kind::Exact ? ExactMark : OrientedMark);
    view.FillRect(place);
    view.SetBrushColour(MarkOutline);
    view.FrameRect(place);
    view.SetBrushColour(brush);
}

std::string OrientationText(canvas::Orientation o) {
    using enum canvas::Orientation;
    switch (o) {
        case AsIs: break;
        case Diagonal: return Tr(TSR_MESSAGE("Duplicates", "XY交換"));
        case Vertical: return Tr(TSR_MESSAGE("Duplicates", "上下反転"));
        case Turned270: return Tr(TSR_MESSAGE("Duplicates", "左に90°回転"));
        case Horizontal: return Tr(TSR_MESSAGE("Duplicates", "左右反転"));
        case Turned90: return Tr(TSR_MESSAGE("Duplicates", "右に90°回転"));
        case Turned180: return Tr(TSR_MESSAGE("Duplicates", "180°回転"));
        case AntiDiagonal: return Tr(TSR_MESSAGE("Duplicates", "逆対角で反転"));
    }
    return {};
}

}  // namespace

void TForm1::DuplicatesMenuClick() {
    Options.duplicates = !Options.duplicates;
    ShowOptions();
    FollowDuplicates();
}

void TForm1::FollowDuplicates() {
    const SheetGeometry& g = project.Sheet.Geometry();
    // Between a new shape and the layout that follows it the view shows the
    // old one; the marks wait for it.
    if (Def.ChipSize != g.chipSize || Def.SheetCols != g.cols || Def.SheetRows != g.rows) return;
    if (DuplicateMarksGeometry != g || DuplicateMarks.size() != static_cast<std::size_t>(g.ChipCount())) {
        // A new layout drew every chip without marks.
        DuplicateMarks.assign(static_cast<std::size_t>(g.ChipCount()), Kind::Unique);
        DuplicateMarksGeometry = g;
    }
    if (!Options.duplicates && std::none_of(DuplicateMarks.begin(), DuplicateMarks.end(), Marked)) return;
    const duplicates::Report* report = Options.duplicates ? &Duplicates() : nullptr;
    for (int row = 0; row < g.rows; ++row)
        for (int col = 0; col < g.cols; ++col) {
            Kind& shown = DuplicateMarks[static_cast<std::size_t>(row * g.cols + col)];
            const Kind wanted = report ? report->At(col, row).kind : Kind::Unique;
            if (Marked(wanted)) {
                const canvas::Rect place = MarkPlace(col, row, g.chipSize);
                // Whatever drew the chip again since (an edit, a frame, a
                // new layout) took the mark away with it.
                if (!MarkShown(ScreenI, place, wanted)) DrawMark(ScreenI, place, wanted);
            } else if (Marked(shown)) {
                ShowChipsOnSheet(col, row, 1, 1);
            }
            shown = wanted;
        }
}

std::string TForm1::DuplicateText(int col, int row) {
    if (!Options.duplicates || !project.Sheet.Geometry().Contains(col, row)) return {};
    const duplicates::Report& report = Duplicates();
    const duplicates::ChipMatch& m = report.At(col, row);
    if (!Marked(m.kind)) return {};
    const int cols = report.geometry.cols;
    const std::string c = std::to_string(m.First() % cols), r = std::to_string(m.First() / cols);
    if (m.kind == Kind::Exact) return Tr(TSR_MESSAGE("Duplicates", "%1,%2と同じ"), {c, r});
    return Tr(TSR_MESSAGE("Duplicates", "%1,%2を%3"), {c, r, OrientationText(m.orientation)});
}
