// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "tools/tessaro-cli/CommandLine.h"

namespace cli {

// Throws UsageError, before anything is read or written, when an output's
// name does not say the format the command writes there (.bmp or .png for a
// picture, .gpl, .pal or .hex for palette), or when an output is one of the
// inputs (the same file, also through a link or under another name).
void CheckOutputs(const Invocation& invocation);

// The tileset dedupe writes beside its map OUT.tmx: OUT.tsx.
std::string DedupedTilesetPath(const std::string& mapOutput);

}  // namespace cli
