#include "ui/MenuBuilder.h"

#include <map>
#include <utility>

#include <QActionGroup>

namespace ui {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

std::optional<ControlId> ControlOfAction(const QAction* action) {
    if (!action) return std::nullopt;
    bool ok = false;
    const int value = action->data().toInt(&ok);
    if (!ok || value < 0 || value >= static_cast<int>(ControlCount)) return std::nullopt;
    return static_cast<ControlId>(value);
}

bool InMainMenu(ControlId id) {
    for (ControlId c = id; c != ControlId::Form1; c = InfoOf(c).parent) {
        if (c == ControlId::MainMenu1) return true;
        if (InfoOf(c).kind == ControlKind::PopupMenu) return false;
    }
    return false;
}

void BuildMenus(QMenuBar& bar, QWidget& owner, const Controls& controls, MenuSet& set) {
    std::map<std::pair<ControlId, int>, QActionGroup*> groups;
    auto index = [](ControlId id) { return static_cast<std::size_t>(id); };

    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        const ControlInfo& info = InfoOf(id);
        QAction* action = nullptr;
        switch (info.kind) {
            case ControlKind::Menu: {
                QMenu* menu = info.parent == ControlId::MainMenu1 ? bar.addMenu(Text(info.caption))
                                                                  : set.menus[index(info.parent)]->addMenu(Text(info.caption));
                set.menus[i] = menu;
                action = menu->menuAction();
                break;
            }
            case ControlKind::PopupMenu:
                set.menus[i] = new QMenu(&owner);
                break;
            case ControlKind::Separator:
                action = set.menus[index(info.parent)]->addSeparator();
                break;
            case ControlKind::MenuItem: {
                action = set.menus[index(info.parent)]->addAction(Text(info.caption));
                if (info.radioGroup != 0) {
                    QActionGroup*& group = groups[{info.parent, info.radioGroup}];
                    if (!group) {
                        group = new QActionGroup(set.menus[index(info.parent)]);
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
            default:
                break;
        }
        if (action) {
            action->setData(static_cast<int>(i));
            action->setObjectName(Text(info.name));
            set.actions[i] = action;
        }
        if (set.menus[i]) set.menus[i]->setObjectName(Text(info.name));
    }
}

}  // namespace ui
