// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"

// Records what the sheet view showed at the moment the pop-up menu opened.
class WatchingPlatform : public FakePlatform {
public:
    const EditorForm* form = nullptr;
    std::vector<canvas::Picture> sheetWhenOpen;
    std::optional<ControlId> PopupMenu(ControlId menu, ControlId origin, int x, int y) override {
        if (form) sheetWhenOpen.push_back(form->ScreenI);
        return FakePlatform::PopupMenu(menu, origin, x, y);
    }
};
