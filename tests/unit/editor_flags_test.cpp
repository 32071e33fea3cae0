// SPDX-License-Identifier: GPL-3.0-or-later
// Modified, the undo state, the tool, the chip being edited and the view
// settings follow a small model of who sets and who clears them, through
// long random runs of handlers. The model knows nothing of pixels; it is the
// editor's rules for these fields written out once more, on their own.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace {

using enum ControlId;

struct Model {
    bool modified = false;
    bool undo = false;
    int tool = 0;
    int curCol = 0, curRow = 0;
    int popupCol = 0, popupRow = 0;
    int startX = 0, startY = 0;
    int pen = 1;
    int zoom = 5;
    bool memorised = false;
    struct {
        bool modified;
        int tool, curCol, curRow, pen, zoom;
    } memory{};

    void DropPendingPoint() {
        if (tool == 3) tool = 2;
        if (tool == 5) tool = 4;
    }
    friend bool operator==(const Model& a, const EditorForm& f) {
        const bool pending = a.tool == 3 || a.tool == 5;
        return a.modified == f.Modified && a.undo == f.UndoAvailable() && a.tool == f.Def.ToolMode &&
               a.curCol == f.CurCol && a.curRow == f.CurRow && a.popupCol == f.PopupCol && a.popupRow == f.PopupRow &&
               a.pen == f.PenSize && a.zoom == f.Def.Zoom &&
               (!pending || (a.startX == f.StartX && a.startY == f.StartY));
    }
};

std::string Describe(const Model& m) {
    std::ostringstream s;
    s << "Modified " << m.modified << ", undo " << m.undo << ", tool " << m.tool << ", chip " << m.curCol << ","
      << m.curRow << ", pop-up chip " << m.popupCol << "," << m.popupRow << ", start " << m.startX << "," << m.startY
      << ", pen " << m.pen << ", zoom " << m.zoom;
    return s.str();
}

std::string Describe(const EditorForm& f) {
    Model m;
    m.modified = f.Modified;
    m.undo = f.UndoAvailable();
    m.tool = f.Def.ToolMode;
    m.curCol = f.CurCol;
    m.curRow = f.CurRow;
    m.popupCol = f.PopupCol;
    m.popupRow = f.PopupRow;
    m.startX = f.StartX;
    m.startY = f.StartY;
    m.pen = f.PenSize;
    m.zoom = f.Def.Zoom;
    return Describe(m);
}

const ShiftState Left{ShiftKey::Left};
const ShiftState Right{ShiftKey::Right};
const ShiftState ShiftLeft{ShiftKey::Shift, ShiftKey::Left};
const ShiftState ShiftRight{ShiftKey::Shift, ShiftKey::Right};
const std::array<ShiftState, 9> Mods = {
    Left,
    Right,
    Left,
    ShiftLeft,
    ShiftRight,
    ShiftState{ShiftKey::Ctrl, ShiftKey::Left},
    ShiftState{ShiftKey::Ctrl, ShiftKey::Right},
    ShiftState{ShiftKey::Middle},
    ShiftState{ShiftKey::Double, ShiftKey::Left},
};

class FlagRun {
public:
    explicit FlagRun(unsigned seed) : random_(seed) {}

    std::string Step() {
        EditorForm& f = *form_;
        Model& m = model_;
        const ShiftState mods = Mods[static_cast<std::size_t>(Pick(0, static_cast<int>(Mods.size()) - 1))];
        const bool plain = mods == Left || mods == Right;
        switch (Pick(0, 12)) {
            case 0:
            case 1:
            case 2: {
                const int X = Pick(0, 16 * m.zoom), Y = Pick(0, 16 * m.zoom);
                f.EditIMouseDown(mods == Right ? MouseButton::Right : MouseButton::Left, mods, X, Y);
                m.modified = true;
                if (plain) {
                    switch (m.tool) {
                        case 1: m.undo = true; break;
                        case 2:
                        case 4:
                            m.startX = X / m.zoom;
                            m.startY = Y / m.zoom;
                            ++m.tool;
                            break;
                        case 3:
                        case 5:
                            m.undo = true;
                            --m.tool;
                            break;
                        default: break;
                    }
                }
                return "edit press";
            }
            case 3: f.EditIMouseMove(mods, Pick(-20, 200), Pick(-20, 200)); return "edit move";
            case 4: {
                const int X = Pick(0, 480), Y = Pick(0, 256);
                const int col = X / 16, row = Y / 16;
                if (mods == Right) platform_.popupAnswers.push_back(std::nullopt);
                f.ScreenIMouseDown(mods == Right ? MouseButton::Right : MouseButton::Left, mods, X, Y);
                platform_.popupAnswers.clear();
                if (col >= 30 || row >= 16) return "sheet press off the grid";
                if (mods == Right) {
                    m.popupCol = col;
                    m.popupRow = row;
                } else if (mods == Left) {
                    m.DropPendingPoint();
                    m.curCol = col;
                    m.curRow = row;
                    m.undo = false;
                } else if (mods == ShiftLeft || mods == ShiftRight) {
                    m.undo = false;
                    m.modified = true;
                }
                return "sheet press";
            }
            case 5: {
                const int X = Pick(-40, 500), Y = Pick(-40, 280);
                f.ScreenIMouseMove(mods, X, Y);
                const int col = X / 16, row = Y / 16;  // truncated toward zero
                if (col >= 0 && row >= 0 && col < 30 && row < 16 && (mods == ShiftLeft || mods == ShiftRight)) {
                    m.undo = false;
                    m.modified = true;
                }
                return "sheet move";
            }
            case 6: {
                constexpr std::array<ControlId, 4> tools = {PenB, FillB, CircleB, LineB};
                constexpr std::array<int, 4> modes = {0, 1, 2, 4};
                const auto i = static_cast<std::size_t>(Pick(0, 3));
                f.Click(tools[i]);
                if (tools[i] == PenB) m.undo = false;
                m.tool = modes[i];
                return "tool";
            }
            case 7: {
                const int z = Pick(2, 10);
                f.Click(static_cast<ControlId>(static_cast<int>(mZoom2) + z - 2));
                m.zoom = z;
                return "zoom";
            }
            case 8: {
                const int p = Pick(1, 4);
                f.Click(static_cast<ControlId>(static_cast<int>(mPSize1) + p - 1));
                m.pen = p;
                return "pen size";
            }
            case 9: {
                constexpr std::array<ControlId, 7> items = {UpMenu, RightMenu, DownMenu, LeftMenu,
                                                            XYMenu, UpsetMenu, VrevMenu};
                f.Click(items[static_cast<std::size_t>(Pick(0, 6))]);
                m.modified = true;
                m.undo = true;
                return "transform";
            }
            case 10:
                f.Click(UndoMenu);
                m.undo = false;
                return "undo";
            case 11:
                f.Click(MemSaveB);
                m.memorised = true;
                m.memory = {m.modified, m.tool, m.curCol, m.curRow, m.pen, m.zoom};
                return "memorise";
            default: {
                if (!m.memorised) return "no snapshot";
                const bool ok = Pick(0, 2) != 0;
                platform_.questionAnswers.push_back(ok);
                f.Click(MemLoadB);
                if (ok) {
                    m.modified = m.memory.modified;
                    m.tool = m.memory.tool;
                    m.DropPendingPoint();
                    m.curCol = m.memory.curCol;
                    m.curRow = m.memory.curRow;
                    m.pen = m.memory.pen;
                    m.zoom = m.memory.zoom;
                    m.undo = false;
                }
                return ok ? "replay" : "replay cancelled";
            }
        }
    }

    const EditorForm& Form() const { return *form_; }
    const Model& Expected() const { return model_; }

private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }

    StartedEditor editor_;
    FakePlatform& platform_ = editor_.platform;
    std::unique_ptr<EditorForm>& form_ = editor_.form;
    Model model_;
    std::mt19937 random_;
};

TEST(EditorFlags, FollowWhoSetsAndWhoClearsThem) {
    ScratchDirectory scratch;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        FlagRun run(seed);
        std::string history;
        for (int step = 0; step < 400; ++step) {
            history += run.Step() + "; ";
            ASSERT_TRUE(run.Expected() == run.Form())
                << "seed " << seed << ", step " << step << "\nwant " << Describe(run.Expected()) << "\ngot  "
                << Describe(run.Form()) << "\nrun: " << history;
        }
    }
}

}  // namespace
