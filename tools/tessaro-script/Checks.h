// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "tools/tessaro-script/Commands.h"
#include "tools/tessaro-script/Session.h"

namespace script {

struct CheckOutcome {
    bool passed = false;
    std::string got;  // the actual value, as the failure line shows it
};

// Runs one `expect` command against the session. A message check consumes
// the oldest unchecked message whether it passes or not.
CheckOutcome RunCheck(const Command& check, Session& session);

}  // namespace script
