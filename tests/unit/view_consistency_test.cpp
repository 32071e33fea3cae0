// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever the user does, once a handler has finished the views show the
// chips as they are and the controls agree with the state they mirror. Long
// random runs of handlers check both after every step against a rendering
// worked out here from the chips alone.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

using enum ControlId;

constexpr canvas::Colour White = 0xFFFFFF;
constexpr canvas::Colour Silver = 0xC0C0C0;
constexpr canvas::Colour Red = 0x0000FF;

// The edit area as a full redraw leaves it.
std::string EditAreaMismatch(const EditorForm& f) {
    const int z = f.Def.Zoom;
    const int n = f.Def.ChipSize;
    const bool erased = f.controls.Checked(UnMenu);
    const int side = n * z + (erased ? 0 : 1);
    if (f.EditI.Width() != side || f.EditI.Height() != side) return "edit area size";
    const canvas::Picture& chip = f.Chip(f.CurCol, f.CurRow);
    auto onLine = [&](int v) { return v % z == 0 || v == 8 * z + 1; };
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool line = !erased && (onLine(x) || onLine(y));
            const canvas::Colour want = line ? f.Def.GridLineColor : chip.GetPixel(x / z, y / z);
            if (f.EditI.GetPixel(x, y) != want)
                return "edit area pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return {};
}

// The sheet view as a full layout leaves it.
std::string SheetViewMismatch(const EditorForm& f) {
    const int s = f.Def.ChipSize;
    const int w = f.Def.SheetCols * s;
    const int h = f.Def.SheetRows * s;
    const bool grid = f.Def.SheetGridShown;
    const int extra = grid ? 1 : 0;
    if (f.ScreenI.Width() != w + extra || f.ScreenI.Height() != h + extra) return "sheet view size";
    const int left = f.CurCol * s, top = f.CurRow * s;
    const int right = left + s - 1 + extra, bottom = top + s - 1 + extra;  // inclusive
    for (int y = 0; y < h + extra; ++y) {
        for (int x = 0; x < w + extra; ++x) {
            canvas::Colour want;
            const bool inFrame = x >= left && x <= right && y >= top && y <= bottom;
            if (inFrame && (x == left || x == right || y == top || y == bottom))
                want = Red;
            else if (grid && x % s == 0 && x > 0 && x < w && y < h)
                want = Silver;
            else if (grid && y % s == 0 && y > 0 && y < h && x < w)
                want = Silver;
            else if (grid && (x == 0 || y == 0 || x == w || y == h))
                want = White;
            else
                want = f.Chip(x / s, y / s).GetPixel(x % s, y % s);
            if (f.ScreenI.GetPixel(x, y) != want)
                return "sheet view pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return {};
}

ControlId Offset(ControlId first, int by) { return static_cast<ControlId>(static_cast<int>(first) + by); }

// Every check mark, position, caption and pressed button that mirrors a field.
std::string ControlsMismatch(const EditorForm& f) {
    const Controls& c = f.controls;
    for (int z = 2; z <= 10; ++z)
        if (c.Checked(Offset(mZoom2, z - 2)) != (z == f.Def.Zoom)) return "zoom item " + std::to_string(z);
    if (c.Position() != f.Def.Zoom) return "udRate position";
    if (c.Caption(pRate) != "×" + std::to_string(f.Def.Zoom) + " ") return "pRate caption";
    for (int p = 1; p <= 4; ++p) {
        if (c.Checked(Offset(mPSize1, p - 1)) != (p == f.PenSize)) return "pen item " + std::to_string(p);
        if (c.Checked(Offset(mPen1, p - 1)) != (p == f.PenSize)) return "pop-up pen item " + std::to_string(p);
    }
    if (c.Checked(wakuMenu) != f.Def.SheetGridShown) return "wakuMenu";
    constexpr std::array<canvas::Colour, 5> lineColours = {0xFFFFFF, 0x0000FF, 0x008000, 0xFF0000, 0x808080};
    const bool erased = c.Checked(UnMenu);
    for (int i = 0; i < 5; ++i)
        if (c.Checked(Offset(WhiteMenu, i)) != (!erased && lineColours[i] == f.Def.GridLineColor))
            return "line colour item " + std::to_string(i);
    constexpr std::array<ControlId, 6> toolOf = {PenB, FillB, CircleB, CircleB, LineB, LineB};
    if (c.PressedTool() != toolOf[static_cast<std::size_t>(f.Def.ToolMode)]) return "pressed tool";
    if (c.Caption(lbcP) != ColourText(f.LeftColor) || c.Colour(lbP) != f.LeftColor) return "left colour panels";
    if (c.Caption(rbcP) != ColourText(f.RightColor) || c.Colour(rbP) != f.RightColor) return "right colour panels";
    return {};
}

class RandomRun {
public:
    // Odd seeds run with a terrain, whose chips follow its block after every
    // handler as the window has them follow.
    explicit RandomRun(unsigned seed) : random_(seed) {
        if (seed % 2) form_->project.Sheet.PutTerrain(Terrain{"t", {0, 0}, {2, 0}});
    }

    std::string Step() {
        const std::string what = Handler();
        form_->FollowTerrains();
        return what;
    }

    // One handler, as the window would run it. Returns what was done.
    std::string Handler() {
        EditorForm& f = *form_;
        const int kind = Pick(0, 15);
        const ShiftState mods = RandomMods();
        switch (kind) {
            case 0:
            case 1:
            case 2: {
                const int x = Pick(-12, 170), y = Pick(-12, 170);
                f.EditIMouseDown(MouseButton::Left, mods, x, y);
                return "edit press " + std::to_string(x) + "," + std::to_string(y);
            }
            case 3: {
                // A move while a shape waits shows its rubber band, which only a
                // later redraw removes; that case has checks of its own.
                if (f.Def.ToolMode == 3 || f.Def.ToolMode == 5) return "no move";
                const int x = Pick(-12, 170), y = Pick(-12, 170);
                f.EditIMouseMove(mods, x, y);
                return "edit move";
            }
            case 4: {
                const int x = Pick(-20, 490), y = Pick(-20, 265);
                if (mods == ShiftState{ShiftKey::Right}) platform_.popupAnswers.push_back(std::nullopt);
                f.ScreenIMouseDown(MouseButton::Left, mods, x, y);
                platform_.popupAnswers.clear();
                return "sheet press " + std::to_string(x) + "," + std::to_string(y);
            }
            case 5: f.ScreenIMouseMove(mods, Pick(-20, 490), Pick(-20, 265)); return "sheet move";
            case 6:
                f.PalleteMouseDown(Pick(0, 1) ? MouseButton::Left : MouseButton::Right, mods, Pick(0, 511),
                                   Pick(0, 95));
                return "palette";
            case 7: {
                constexpr std::array<ControlId, 4> tools = {PenB, FillB, CircleB, LineB};
                f.Click(tools[static_cast<std::size_t>(Pick(0, 3))]);
                return "tool";
            }
            case 8: f.Click(Offset(mZoom2, Pick(0, 8))); return "zoom item";
            case 9: {
                f.controls.SetPosition(f.controls.Position() + (Pick(0, 1) ? 1 : -1));
                f.udRateMouseUp();
                return "updown";
            }
            case 10:
                if (Pick(0, 1)) {
                    f.Click(Offset(mPSize1, Pick(0, 3)));
                } else {
                    platform_.popupAnswers.push_back(Offset(mPen1, Pick(0, 3)));
                    f.PenBMouseDown(MouseButton::Right, ShiftState{ShiftKey::Right}, 3, 3);
                }
                return "pen size";
            case 11: {
                constexpr std::array<ControlId, 8> items = {WhiteMenu, RedMenu, GreenMenu, BlueMenu,
                                                            GrayMenu,  UnMenu,  wakuMenu,  chrSMenu};
                f.Click(items[static_cast<std::size_t>(Pick(0, 7))]);
                return "settings item";
            }
            case 12: {
                constexpr std::array<ControlId, 7> items = {UpMenu, RightMenu, DownMenu, LeftMenu,
                                                            XYMenu, UpsetMenu, VrevMenu};
                f.Click(items[static_cast<std::size_t>(Pick(0, 6))]);
                return "transform";
            }
            case 13: f.Click(UndoMenu); return "undo";
            case 14:
                if (Pick(0, 2) == 0 || !f.controls.Enabled(MemLoadB)) {
                    f.Click(MemSaveB);
                    return "memorise";
                }
                platform_.questionAnswers.push_back(Pick(0, 3) != 0);
                f.Click(MemLoadB);
                return "replay";
            default:
                platform_.colourAnswers.push_back(canvas::Rgb(Pick(0, 255), Pick(0, 255), Pick(0, 255)));
                f.ColorSelect(Pick(0, 1) ? lbP : rbP);
                return "colour dialog";
        }
    }

    const EditorForm& Form() const { return *form_; }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    ShiftState RandomMods() {
        static const std::array<ShiftState, 9> sets = {
            ShiftState{ShiftKey::Left},
            ShiftState{ShiftKey::Right},
            ShiftState{ShiftKey::Left},
            ShiftState{ShiftKey::Shift, ShiftKey::Left},
            ShiftState{ShiftKey::Shift, ShiftKey::Right},
            ShiftState{ShiftKey::Ctrl, ShiftKey::Left},
            ShiftState{ShiftKey::Ctrl, ShiftKey::Right},
            ShiftState{ShiftKey::Middle},
            ShiftState{},
        };
        return sets[static_cast<std::size_t>(Pick(0, static_cast<int>(sets.size()) - 1))];
    }

    StartedEditor editor_;
    FakePlatform& platform_ = editor_.platform;
    std::unique_ptr<EditorForm>& form_ = editor_.form;
    std::mt19937 random_;
};

TEST(ViewConsistency, EveryHandlerLeavesTheViewsAndControlsAsAFullRedrawWould) {
    ScratchDirectory scratch;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        RandomRun run(seed);
        std::string history;
        for (int step = 0; step < 300; ++step) {
            const std::string what = run.Step();
            history += what + "; ";
            const EditorForm& f = run.Form();
            for (const std::string& mismatch : {EditAreaMismatch(f), SheetViewMismatch(f), ControlsMismatch(f)}) {
                ASSERT_EQ(mismatch, "") << "seed " << seed << ", step " << step << ": " << what << "\nrun: " << history;
            }
        }
    }
}

}  // namespace
