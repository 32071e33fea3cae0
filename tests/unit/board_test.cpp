// SPDX-License-Identifier: GPL-3.0-or-later
// The try-out board: after any handler, the cells marked for redrawing are
// exactly the cells whose content changed (a stamp, an emptied cell) or
// whose chip's pixels changed; and its view, drawn any part at a time,
// equals a rendering worked out here from the cells and chips alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

using enum ControlId;
using CellSet = std::set<std::pair<int, int>>;

canvas::Colour Expected(const EditorForm& f, int x, int y) {
    const TryOutBoard& b = f.project.Board;
    const int side = 16 * b.Zoom();
    const auto chip = b.At({x / side, y / side});
    if (chip) return f.Chip(chip->col, chip->row).GetPixel(x % side / b.Zoom(), y % side / b.Zoom());
    const bool light = (x % side < side / 2) == (y % side < side / 2);
    return light ? 0xE0E0E0 : 0xB0B0B0;
}

// Compares the part `area` of the view with the rendering worked out here.
std::string ViewMismatch(const EditorForm& f, const canvas::Rect& area) {
    canvas::Picture part;
    f.project.Board.Draw(part, area, f.project.Sheet.Chips());
    if (part.Width() != area.Width() || part.Height() != area.Height()) return "part size";
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, f.project.Board.ViewHeight()); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, f.project.Board.ViewWidth()); ++x)
            if (part.GetPixel(x - area.left, y - area.top) != Expected(f, x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return {};
}

class BoardRun {
public:
    explicit BoardRun(unsigned seed) : random_(seed) {
        f.project.Board.Resize(9, 7);
        // A few chips, each in several cells, and some empty cells.
        for (int r = 0; r < 7; ++r)
            for (int c = 0; c < 9; ++c)
                if (Pick(0, 3) != 0) f.project.Board.Place({c, r}, ChipRef{Pick(0, 2), Pick(0, 2)});
        f.FollowChipsOnBoard();
        f.project.Board.ClearDirty();
    }

    // One handler; returns what it was.
    std::string Step() {
        switch (Pick(0, 9)) {
            case 0:
            case 1:
                f.EditIMouseDown(MouseButton::Left, Pick(0, 1) ? Left : Right, Pick(0, 80), Pick(0, 80));
                return "edit press";
            case 2: f.EditIMouseMove(Left, Pick(0, 80), Pick(0, 80)); return "edit move";
            case 3: f.ScreenIMouseDown(MouseButton::Left, Left, Pick(0, 3) * 16, Pick(0, 3) * 16); return "choose";
            case 4:
                f.ScreenIMouseDown(MouseButton::Left, ShiftState{ShiftKey::Shift, ShiftKey::Left}, Pick(0, 47),
                                   Pick(0, 47));
                return "sheet pixel";
            case 5: {
                constexpr std::array<ControlId, 9> items = {UpMenu,    RightMenu, DownMenu, LeftMenu, XYMenu,
                                                            UpsetMenu, VrevMenu,  UndoMenu, FillB};
                f.Click(items[static_cast<std::size_t>(Pick(0, 8))]);
                return "transform, undo or tool";
            }
            case 6:
                if (!f.controls.Enabled(MemLoadB) || Pick(0, 1)) {
                    f.Click(MemSaveB);
                    return "memorise";
                }
                platform.questionAnswers.push_back(true);
                f.Click(MemLoadB);
                return "replay";
            case 7: {
                canvas::Picture paste(16, 16);
                paste.SetBrushColour(canvas::Rgb(Pick(0, 255), 0, 0));
                paste.FillRect({0, 0, Pick(1, 16), 16});
                platform.clipboard = paste;
                f.Click(PasteChrMenu);
                return "paste";
            }
            case 8: {
                const int x = Pick(-5, 300), y = Pick(-5, 230);
                if (Pick(0, 1))
                    f.BoardIMouseDown(MouseButton::Left, Pick(0, 2) ? Left : Middle, x, y);
                else
                    f.BoardIMouseMove(Left, x, y);
                return "board";
            }
            default:
                platform.colourAnswers.push_back(canvas::Rgb(Pick(0, 255), Pick(0, 255), 9));
                f.ColorSelect(lbP);
                return "colour";
        }
    }

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    const ShiftState Left{ShiftKey::Left};
    const ShiftState Right{ShiftKey::Right};
    const ShiftState Middle{ShiftKey::Middle};
    ScratchDirectory scratch;
    StartedEditor started;
    FakePlatform& platform = started.platform;
    EditorForm& f = *started;

private:
    std::mt19937 random_;
};

// The cells whose placement changed, or whose chip changed: in its pixels
// (`byPixels`) or in its version.
CellSet ChangedCells(const EditorForm& f, const std::vector<canvas::Picture>& chipsBefore,
                     const std::vector<std::uint64_t>& versionsBefore,
                     const std::vector<std::optional<ChipRef>>& cellsBefore, bool byPixels) {
    CellSet changed;
    const TryOutBoard& b = f.project.Board;
    for (int r = 0; r < b.Rows(); ++r) {
        for (int c = 0; c < b.Cols(); ++c) {
            const auto now = b.At({c, r});
            const auto was = cellsBefore[static_cast<std::size_t>(r * b.Cols() + c)];
            const std::size_t slot = now ? sheet::SlotOf(now->col, now->row) : 0;
            const bool chipChanged = now && (byPixels ? !(f.Chip(now->col, now->row) == chipsBefore[slot])
                                                      : f.project.Sheet.Versions()[slot] != versionsBefore[slot]);
            if (now != was || chipChanged) changed.insert({c, r});
        }
    }
    return changed;
}

TEST(Board, RedrawsExactlyTheCellsThatChanged) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        BoardRun run(seed);
        EditorForm& f = run.f;
        for (int step = 0; step < 150; ++step) {
            const std::vector<canvas::Picture> chipsBefore(f.project.Sheet.Chips().begin(),
                                                           f.project.Sheet.Chips().end());
            const std::vector<std::uint64_t> versionsBefore(f.project.Sheet.Versions().begin(),
                                                            f.project.Sheet.Versions().end());
            std::vector<std::optional<ChipRef>> cellsBefore;
            for (int r = 0; r < f.project.Board.Rows(); ++r)
                for (int c = 0; c < f.project.Board.Cols(); ++c) cellsBefore.push_back(f.project.Board.At({c, r}));

            const std::string what = run.Step();
            f.FollowChipsOnBoard();
            ASSERT_FALSE(f.project.Board.AllDirty()) << "seed " << seed << " step " << step << ": " << what;
            CellSet marked;
            for (const BoardCell& c : f.project.Board.DirtyCells())
                ASSERT_TRUE(marked.insert({c.col, c.row}).second) << "a cell marked twice after " << what;
            // Every cell whose pixels changed is marked, and no cell whose
            // chip kept its version and place.
            ASSERT_TRUE(std::ranges::includes(marked, ChangedCells(f, chipsBefore, versionsBefore, cellsBefore, true)))
                << "seed " << seed << " step " << step << ": " << what;
            ASSERT_EQ(marked, ChangedCells(f, chipsBefore, versionsBefore, cellsBefore, false))
                << "seed " << seed << " step " << step << ": " << what;
            f.project.Board.ClearDirty();
            if (step % 25 == 0) {
                // Another zoom draws the whole view again.
                f.Click(static_cast<ControlId>(static_cast<int>(BoardZoom1) + run.Pick(0, 3)));
                f.FollowChipsOnBoard();
                f.project.Board.ClearDirty();
                const int x = run.Pick(-10, 150), y = run.Pick(-10, 120);
                ASSERT_EQ(ViewMismatch(f, {x, y, x + run.Pick(1, 140), y + run.Pick(1, 110)}), "") << what;
            }
        }
    }
}

}  // namespace
