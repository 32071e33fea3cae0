// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

// Moves the current directory to a fresh temporary one for the object's
// lifetime and removes it afterwards: start-up reads ./tsr.def, and relative
// paths of saves and loads land there, so no test sees another's files.
class ScratchDirectory {
public:
    ScratchDirectory() : previous_(std::filesystem::current_path()) {
        // A new directory of a random name, on every system.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto name = std::filesystem::temp_directory_path() / ("tessaro-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(name)) path_ = name;
        }
        if (path_.empty()) throw std::runtime_error("cannot make a scratch directory");
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};
