#pragma once

#include <array>
#include <optional>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "core/Controls.h"

namespace ui {

// The menus of the window, indexed by control: every item and separator has
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

// The control an action stands for, if it stands for one.
std::optional<ControlId> ControlOfAction(const QAction* action);

// True for controls that live under the main menu (not in a pop-up menu).
bool InMainMenu(ControlId id);

QString Text(std::string_view utf8);

}  // namespace ui
