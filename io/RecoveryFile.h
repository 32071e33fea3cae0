#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/Form.h"

// The recovery copy of an editor's unsaved changes: the sheet and the view
// settings, kept as a memory snapshot, in a file of its own under the user's
// state directory. Each editor's copy has a lock file beside it that the
// editor holds locked while it runs; the system lets go of the lock when the
// process ends, however it ends. So a copy whose lock can be taken was left
// by an editor that is gone, and while one editor holds that lock to offer
// the copy, no other editor can take it.
namespace recovery {

// $XDG_STATE_HOME/tessaro, or ~/.local/state/tessaro; empty when neither
// variable gives an absolute path.
std::string Directory();

// The file: a text head of "key=value" lines, a blank line, then the sheet as
// a 24-bit BMP.
std::vector<std::uint8_t> Encode(const TMemorySnapshot& copy);
// Throws PictureReadError (or EditorError) when the bytes are not a copy.
TMemorySnapshot Decode(std::span<const std::uint8_t> bytes);

// The lock file of a copy ("x.tsr" -> "x.lock").
std::string LockPathOf(const std::string& copyPath);
// Opens (creating) and locks the file; the descriptor, or -1 when another
// process holds the lock or the file can't be opened.
int TakeLock(const std::string& lockPath);
void ReleaseLock(int fd);

// The copies in the directory, newest first.
std::vector<std::string> CopiesIn(const std::string& directory);

// A name for a new copy of this process, unique among the running editors.
std::string NewCopyPath(const std::string& directory);

}  // namespace recovery
