// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "core/Controls.h"

namespace ui {

// The menus of a window, indexed by control: every item and separator has
// an action (carrying its ControlId as data), every menu and pop-up menu a
// QMenu; a submenu's or top-level menu's action is its menuAction().
struct MenuSet {
    std::array<QAction*, ControlCount> actions{};
    std::array<QMenu*, ControlCount> menus{};
};

// Builds the main menu into `bar` and the pop-up menus (as menus parented to
// `owner`) from the control table, in its order: captions as they stand,
// separators, radio groups as exclusive groups, and check marks for items
// that are checked in `controls` now or belong to a radio group.
void BuildMenus(QMenuBar& bar, QWidget& owner, const Controls& controls, MenuSet& set);

// Builds into `bar` only the menus under the menu-bar control `menuBar` (a
// control of kind MainMenu), as BuildMenus does for the main menu. A tool
// window has a menu-bar control of its own in the table and builds its menu
// bar with this; the controls of other menu bars stay out of `set`.
void BuildMenuBarOf(ControlId menuBar, QMenuBar& bar, const Controls& controls, MenuSet& set);

// The menu-bar or pop-up menu control a menu, item or separator sits under
// (its top-most menu container), if it sits under one.
std::optional<ControlId> MenuRootOf(ControlId id);

// The control an action stands for, if it stands for one.
std::optional<ControlId> ControlOfAction(const QAction* action);

// True for controls that live under the main menu (not in a pop-up menu nor
// in a tool window's menu bar).
bool InMainMenu(ControlId id);

QString Text(std::string_view utf8);

}  // namespace ui
