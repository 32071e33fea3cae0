// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Preferences.h"

// tessaro.conf: the preferences kept between runs, as `key=value` lines like
// tsr.def's. The options' keys are their names in the options store
// (ForEachOption), with "on" and "off" for a check item; the others are
// undo=, undomemory=, userpalette=, boardzoom=, chip=N and sheet=CxR (as tsr.def's),
// tilewindow=X,Y and boardwindow=X,Y.
// Lines starting with "#" are comments; a key the editor does not know (a
// later version's) is passed over.
namespace preferences {

// $XDG_CONFIG_HOME/tessaro/tessaro.conf, else ~/.config/tessaro/tessaro.conf;
// %APPDATA%\Tessaro\tessaro.conf on Windows. Empty when no folder is named.
std::string DefaultFile();

std::string Encode(const Preferences& preferences);
// The preferences the text names over `base`; nothing when the text is
// damaged: a line without "=", a known key with a value out of its range, a
// sheet shape the editor can't hold, a NUL byte, or more text than such a
// file ever holds.
std::optional<Preferences> Decode(std::string_view text, Preferences base);

// `kept` with what changed from `before` to `after` (the keys whose lines
// differ) taken from `after`, and the rest as it was: so that what a start
// showed without keeping it (tsr.def, the command line) is not kept by a
// later change of something else. `after` whole when the changes can't be
// told over `kept`.
Preferences WithChanges(const Preferences& kept, const Preferences& before, const Preferences& after);

struct ReadResult {
    enum class Outcome { Missing, Read, Damaged } outcome = Outcome::Missing;
    Preferences preferences;
};
// Reads the file over `base`. Anything there that is not a readable
// regular file counts as damaged.
ReadResult Read(const std::string& file, const Preferences& base);
// Writes the file whole or leaves the earlier one (its folder made first).
// Throws FileWriteError.
void Write(const std::string& file, const Preferences& preferences);
// A file's name that still leads to it from another working folder.
std::string AbsoluteName(const std::string& path);
// Removes the file; true when it is gone.
bool Remove(const std::string& file);

}  // namespace preferences
