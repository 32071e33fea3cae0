// SPDX-License-Identifier: GPL-3.0-or-later
// The shortcut keys: each runs exactly the handler of its menu item or
// button, while the keys option is on. The window and the scenario driver
// both name a key as modifiers ("ctrl", "shift", in that order) and the key,
// joined by "+": "ctrl+shift+z", "p", "3", "plus", "left".
#include <array>
#include <string_view>

#include "edit/EditorForm.h"

namespace {

using enum ControlId;

enum class KeyAction { Item, ZoomStep, ChipStep };

struct KeyBinding {
    std::string_view keys;
    KeyAction action;
    ControlId item;  // Item: the item or button clicked
    int dx, dy;      // ZoomStep: dx; ChipStep: the chip's step on the sheet
};

constexpr std::array<KeyBinding, 22> Shortcuts{{
    {"ctrl+z", KeyAction::Item, UndoMenu, 0, 0},
    {"ctrl+y", KeyAction::Item, RedoMenu, 0, 0},
    {"ctrl+shift+z", KeyAction::Item, RedoMenu, 0, 0},
    {"ctrl+c", KeyAction::Item, chrCopyMenu, 0, 0},
    {"ctrl+v", KeyAction::Item, PasteChrMenu, 0, 0},
    {"ctrl+shift+c", KeyAction::Item, AllCopyMenu, 0, 0},
    {"ctrl+s", KeyAction::Item, OSaveMenu, 0, 0},
    {"ctrl+o", KeyAction::Item, LoadMenu, 0, 0},
    {"p", KeyAction::Item, PenB, 0, 0},
    {"f", KeyAction::Item, FillB, 0, 0},
    {"e", KeyAction::Item, CircleB, 0, 0},
    {"l", KeyAction::Item, LineB, 0, 0},
    {"1", KeyAction::Item, mPSize1, 0, 0},
    {"2", KeyAction::Item, mPSize2, 0, 0},
    {"3", KeyAction::Item, mPSize3, 0, 0},
    {"4", KeyAction::Item, mPSize4, 0, 0},
    {"plus", KeyAction::ZoomStep, udRate, 1, 0},
    {"minus", KeyAction::ZoomStep, udRate, -1, 0},
    {"left", KeyAction::ChipStep, ScreenI, -1, 0},
    {"right", KeyAction::ChipStep, ScreenI, 1, 0},
    {"up", KeyAction::ChipStep, ScreenI, 0, -1},
    {"down", KeyAction::ChipStep, ScreenI, 0, 1},
}};

}  // namespace

const std::vector<std::string>& EditorForm::ShortcutKeyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const KeyBinding& s : Shortcuts) all.emplace_back(s.keys);
        return all;
    }();
    return names;
}

bool EditorForm::ShortcutKey(const std::string& keys) {
    if (!Options.keys) return false;
    for (const KeyBinding& s : Shortcuts) {
        if (s.keys != keys) continue;
        switch (s.action) {
            case KeyAction::Item: Click(s.item); break;
            case KeyAction::ZoomStep:
                // A click on an arrow of the up-down: the position moves within
                // its range, then the release lays the views out.
                controls.SetPosition(controls.Position() + s.dx);
                udRateMouseUp();
                break;
            case KeyAction::ChipStep: {
                // A left press on the middle of the neighbouring chip of the
                // sheet; past the sheet's edge nothing happens, as there.
                const int size = Def.ChipSize;
                const int col = CurCol + s.dx;
                const int row = CurRow + s.dy;
                if (col < 0 || row < 0) break;
                ScreenIMouseDown(MouseButton::Left, ShiftState{ShiftKey::Left}, col * size + size / 2,
                                 row * size + size / 2);
                break;
            }
        }
        return true;
    }
    return false;
}
