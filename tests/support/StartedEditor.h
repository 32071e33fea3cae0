// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"

// A started editor, with the steps the benchmarks share.
struct StartedEditor {
    FakePlatform platform;
    std::unique_ptr<EditorForm> form = std::make_unique<EditorForm>(platform);

    StartedEditor() { form->FormCreate(); }

    // Chips that hold a pattern rather than plain black.
    void PaintPattern() {
        for (int slot = 0; slot < sheet::Default.ChipCount(); ++slot)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    form->ChangeChip(slot / sheet::Default.rows, slot % sheet::Default.rows)
                        .SetPixel(x, y, canvas::Rgb(slot, x * 16, y * 16));
    }
    // Chip (12, 7) chosen with a left click on the sheet view.
    void ChooseChip() {
        form->ScreenIMouseDown(MouseButton::Left, ShiftState{ShiftKey::Left}, 12 * 16 + 3, 7 * 16 + 3);
    }

    EditorForm& operator*() { return *form; }
    EditorForm* operator->() { return form.get(); }
};
