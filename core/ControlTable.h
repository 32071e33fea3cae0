#pragma once

#include <optional>
#include <string_view>

#include "core/Controls.h"

// The control table: one row per control, in ControlId order.
const ControlInfo& InfoOf(ControlId id);
std::string_view NameOf(ControlId id);
std::optional<ControlId> ControlByName(std::string_view name);
