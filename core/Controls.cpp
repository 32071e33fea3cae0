// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Controls.h"

#include <algorithm>

#include "core/ControlTable.h"

Controls::Controls() {
    enabled_.set();
    enabled_.reset(static_cast<std::size_t>(ControlId::MemLoadB));
    for (std::size_t i = 0; i < ControlCount; ++i)
        captions_[i] = std::string(InfoOf(static_cast<ControlId>(i)).caption);
    for (ControlId id :
         {ControlId::WhiteMenu, ControlId::mZoom5, ControlId::mPSize1, ControlId::mPen1, ControlId::wakuMenu,
          ControlId::chrSMenu, ControlId::BoardZoom2, ControlId::TileRepeatMenu, ControlId::TileZoom2})
        checked_.set(Index(id));
    hidden_.set(Index(ControlId::RedoMenu));
    dirty_.set();
}

void Controls::SetChecked(ControlId id, bool checked) {
    // Marks are shown after every event; one set to what it is changes
    // nothing and is not redrawn.
    if (checked_[Index(id)] == checked) return;
    const int group = InfoOf(id).radioGroup;
    if (checked && group != 0 && InfoOf(id).kind == ControlKind::MenuItem) {
        for (std::size_t i = 0; i < ControlCount; ++i) {
            const ControlInfo& other = InfoOf(static_cast<ControlId>(i));
            if (other.kind == ControlKind::MenuItem && other.radioGroup == group && checked_[i] && other.id != id) {
                checked_.reset(i);
                Touch(other.id);
            }
        }
    }
    checked_[Index(id)] = checked;
    Touch(id);
}

void Controls::SetEnabled(ControlId id, bool enabled) {
    enabled_[Index(id)] = enabled;
    Touch(id);
}

void Controls::SetVisible(ControlId id, bool visible) {
    hidden_[Index(id)] = !visible;
    Touch(id);
}

void Controls::SetCaption(ControlId id, std::string caption) {
    captions_[Index(id)] = std::move(caption);
    Touch(id);
}

void Controls::SetColour(ControlId id, canvas::Colour colour) {
    colours_[Index(id)] = colour & 0xFFFFFF;
    Touch(id);
}

void Controls::SetPressedTool(ControlId id) {
    Touch(pressedTool_);
    pressedTool_ = id;
    Touch(id);
}

void Controls::SetPosition(int position) {
    position_ = std::clamp(position, 2, positionTop_);
    Touch(ControlId::udRate);
}

void Controls::SetPositionTop(int top) {
    positionTop_ = std::max(top, 2);
    SetPosition(position_);
}

void Controls::SetCursor(EditCursor cursor) {
    cursor_ = cursor;
    Touch(ControlId::EditI);
}
