#pragma once

#include <cstdint>
#include <span>
#include <string>

// Writes `bytes` to `path` so that the path holds either its earlier file or
// the whole new one, never a part: the bytes go to a temporary file in the
// same directory, which is flushed to the disk and then renamed over the
// target. On any failure the temporary file is removed and an EditorError
// names the file and the system's reason.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
