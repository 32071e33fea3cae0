// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/FormWithFiles.h"
#include "io/PreferencesFile.h"
#include "tools/tessaro-script/ScriptedPlatform.h"

namespace script {

// One script's editor: a fresh form on a fresh scripted platform.
struct Session {
    // The preferences are kept where the window keeps them, as the
    // environment (XDG_CONFIG_HOME) names it.
    Session() {
        platform.Attach(form);
        form.Remembered.file = preferences::DefaultFile();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ScriptedPlatform platform;
    EditorForm form{platform};
    bool started = false;
    // BoardI drawn whole for the checks (the board keeps no picture).
    mutable canvas::Picture boardView;
};

}  // namespace script
