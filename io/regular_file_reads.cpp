// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads made of RegularFile's, the same on every platform.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "formats/PictureReadError.h"
#include "io/RegularFile.h"

std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t maxBytes) {
    RegularFile file(path);
    const std::span<const std::uint8_t> bytes = file.ReadAtMost(0, maxBytes);
    return {bytes.begin(), bytes.end()};
}

bool FileHolds(const std::string& path, std::span<const std::uint8_t> bytes) {
    try {
        RegularFile file(path);
        if (file.Size() != bytes.size()) return false;
        const std::span<const std::uint8_t> held = file.Read(0, bytes.size());
        return std::equal(held.begin(), held.end(), bytes.begin(), bytes.end());
    } catch (const PictureReadError&) {
        return false;
    }
}

bool SameFile(const std::string& a, const std::string& b) {
    // Names are UTF-8 on every platform.
    const auto path = [](const std::string& name) {
        return std::filesystem::path(std::u8string(name.begin(), name.end()));
    };
    std::error_code error;
    return std::filesystem::equivalent(path(a), path(b), error) && !error;
}
