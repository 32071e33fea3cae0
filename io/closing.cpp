// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the main window: asks before unsaved changes are thrown away.
#include "core/Translation.h"
#include "io/FormWithFiles.h"

void FormWithFiles::FormClose(TCloseAction& Action) {
    if (Modified && !platform.AskQuestion(Tr(TSR_MESSAGE("Closing", "保存しないでこのまま終了してよろしいですか？")))) {
        Action = TCloseAction::caNone;
        return;
    }
    // The pictures are members of the editor and go with it; so does the
    // recovery copy, as nothing unsaved is left to recover.
    Action = TCloseAction::caFree;
    DropRecoveryCopy();
}
