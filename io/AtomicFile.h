// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "io/FileWriteError.h"

// Writes `bytes` to `path` so that the path holds either its earlier file or
// the whole new one, never a part: the bytes go to a temporary file in the
// same directory, which is flushed to the disk and then renamed over the
// target. Where a rename would change what the user sees of an existing
// file (its owner or group, its extended attributes, another hard link to
// it) or the folder takes no new file, the bytes are written into the file
// itself instead, after a copy of its old content that puts it back if the
// write fails. Symbolic links are followed to their target, which a
// dangling link gets created; a directory, device or pipe at the path is
// never replaced, nor a file the user may not write to. Temporary files that
// a killed save left in the folder are removed. On any failure the earlier
// file stays and a FileWriteError names the file and the system's reason.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

struct PendingFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

// Several files in order, each as WriteFileAtomically would write it, but
// flushed to the disk together (one flush of each file system instead of one
// per file, which matters for hundreds of small files). Each folder is opened
// once; where the file system can swap two names in one step, the new file
// is swapped with the earlier one and the earlier files are removed together
// at the end, several at a time (on a disk mounted with online discard each
// removal waits for the disk). If one fails, the files before it are in
// place, it and the ones after it are not, and a FileWriteError names it.
void WriteFilesAtomically(std::span<const PendingFile> files);

// Several files, all or none: every file is first written beside its target
// and flushed; only when all of them are complete are they renamed into
// place. If any fails, every temporary file is removed, no target is
// touched, and a FileWriteError names the failing file. (Should a rename fail
// after others succeeded, the files this call renamed into place are taken
// back before the error leaves: the earlier files, kept under a second name
// meanwhile, return, and new ones are removed. A file that had to be written
// in place gets its earlier content back from a copy made beside it before,
// where its folder takes one.) The second name costs nothing where the
// file system swaps two names in one step: the new file and the earlier one
// trade names, so the earlier file is kept under the temporary file's name;
// elsewhere it is moved to an aside name of its own. The swaps are written
// down first (SaveJournal.h): should the process die among them, the next
// save into one of the folders, or the editor's next start, takes them back
// or finishes them. `written` is told after each file written.
void WriteFilesAllOrNone(std::span<const PendingFile> files, const std::function<void(std::size_t done)>& written = {});
