#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Writes `bytes` to `path` so that the path holds either its earlier file or
// the whole new one, never a part: the bytes go to a temporary file in the
// same directory, which is flushed to the disk and then renamed over the
// target. A symbolic link is followed; a directory, device or pipe at the
// path is never replaced. On any failure the temporary file is removed and an
// EditorError names the file and the system's reason.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

struct PendingFile {
    std::string path;
    std::vector<std::uint8_t> bytes;
};

// Several files in order, each as WriteFileAtomically would write it, but
// flushed to the disk together (one flush instead of one per file, which
// matters for hundreds of small files). If one fails, the files before it
// are in place, it and the ones after it are not, and an EditorError names
// it.
void WriteFilesAtomically(std::span<const PendingFile> files);

// Several files, all or none: every file is first written beside its target
// and flushed; only when all of them are complete are they renamed into
// place. If any fails, every temporary file is removed, no target is
// touched, and an EditorError names the failing file. (Should a rename fail
// after others succeeded, the files this call renamed into place are removed
// again before the error leaves.) `written` is told after each file written.
void WriteFilesAllOrNone(std::span<const PendingFile> files,
                         const std::function<void(std::size_t done)>& written = {});
