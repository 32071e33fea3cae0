// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "canvas/Picture.h"
#include "tools/tessaro-script/Commands.h"
#include "tools/tessaro-script/Session.h"

namespace script {

// The target as a script writes it: "chip 3 4", "sheetview", ...
std::string TargetName(const Target& target);

// The picture a target names; nothing only for a clipboard without a bitmap.
const canvas::Picture* FindPicture(const Target& target, const Session& session);

}  // namespace script
