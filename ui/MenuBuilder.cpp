// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MenuBuilder.h"

#include <map>
#include <utility>

#include <QActionGroup>

#include "core/ControlTable.h"
#include "ui/Language.h"

namespace ui {

namespace {

std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

bool IsMenuRoot(ControlKind kind) { return kind == ControlKind::MainMenu || kind == ControlKind::PopupMenu; }

using RadioGroups = std::map<std::pair<ControlId, int>, QActionGroup*>;

// Builds one control under a menu root whose own QMenu or QMenuBar exists:
// `bar` receives the top-level menus of a menu bar (none for pop-up menus).
void BuildMenuControl(ControlId id, QMenuBar* bar, QWidget* owner, const Controls& controls, MenuSet& set,
                      RadioGroups& groups) {
    const std::size_t i = Index(id);
    const ControlInfo& info = InfoOf(id);
    QAction* action = nullptr;
    switch (info.kind) {
        case ControlKind::Menu: {
            const bool topLevel = InfoOf(info.parent).kind == ControlKind::MainMenu;
            QMenu* menu = topLevel ? bar->addMenu(CaptionText(info.caption))
                                   : set.menus[Index(info.parent)]->addMenu(CaptionText(info.caption));
            set.menus[i] = menu;
            action = menu->menuAction();
            break;
        }
        case ControlKind::PopupMenu: set.menus[i] = new QMenu(owner); break;
        case ControlKind::Separator: action = set.menus[Index(info.parent)]->addSeparator(); break;
        case ControlKind::MenuItem: {
            action = set.menus[Index(info.parent)]->addAction(CaptionText(info.caption));
            if (info.radioGroup != 0) {
                QActionGroup*& group = groups[{info.parent, info.radioGroup}];
                if (!group) {
                    group = new QActionGroup(set.menus[Index(info.parent)]);
                    // Exclusive in look (radio marks); which item is
                    // checked is the editor's business, which may also
                    // leave none checked for a while.
                    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
                }
                group->addAction(action);
            }
            action->setCheckable(info.radioGroup != 0 || controls.Checked(id));
            break;
        }
        default: return;
    }
    if (action) {
        action->setData(static_cast<int>(i));
        action->setObjectName(Text(info.name));
        set.actions[i] = action;
    }
    if (set.menus[i]) set.menus[i]->setObjectName(Text(info.name));
}

}  // namespace

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::optional<ControlId> ControlOfAction(const QAction* action) {
    if (!action) return std::nullopt;
    bool ok = false;
    const int value = action->data().toInt(&ok);
    if (!ok || value < 0 || value >= static_cast<int>(ControlCount)) return std::nullopt;
    return static_cast<ControlId>(value);
}

std::optional<ControlId> MenuRootOf(ControlId id) {
    for (ControlId c = id; c != ControlId::Form1; c = InfoOf(c).parent) {
        const ControlKind kind = InfoOf(c).kind;
        if (IsMenuRoot(kind)) return c;
        if (kind != ControlKind::Menu && kind != ControlKind::MenuItem && kind != ControlKind::Separator)
            return std::nullopt;
    }
    return std::nullopt;
}

bool InMainMenu(ControlId id) { return MenuRootOf(id) == ControlId::MainMenu1; }

void BuildMenus(QMenuBar& bar, QWidget& owner, const Controls& controls, MenuSet& set) {
    BuildMenuBarOf(ControlId::MainMenu1, bar, controls, set);
    RadioGroups groups;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        const auto root = MenuRootOf(id);
        if (root && InfoOf(*root).kind == ControlKind::PopupMenu)
            BuildMenuControl(id, nullptr, &owner, controls, set, groups);
    }
}

void BuildMenuBarOf(ControlId menuBar, QMenuBar& bar, const Controls& controls, MenuSet& set) {
    RadioGroups groups;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (id != menuBar && MenuRootOf(id) == menuBar) BuildMenuControl(id, &bar, nullptr, controls, set, groups);
    }
}

}  // namespace ui
