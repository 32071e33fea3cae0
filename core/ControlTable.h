// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "core/Controls.h"

// The control table: one row per control, in ControlId order.
const ControlInfo& InfoOf(ControlId id);
std::string_view NameOf(ControlId id);
std::optional<ControlId> ControlByName(std::string_view name);

// Whether id lies from first to last in the table's order.
constexpr bool Between(ControlId id, ControlId first, ControlId last) {
    return static_cast<int>(id) >= static_cast<int>(first) && static_cast<int>(id) <= static_cast<int>(last);
}
