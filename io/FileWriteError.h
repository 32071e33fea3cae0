// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <stdexcept>
#include <string>

// A file the editor could not write: which one, and the system's reason as
// an errno value. The handlers word the message; what() is a detail in
// English for diagnostics.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(const std::string& path, int systemError, const std::string& backup = {})
        : std::runtime_error(path + ": " + std::strerror(systemError)),
          path_(path),
          systemError_(systemError),
          backup_(backup) {}

    const std::string& Path() const { return path_; }
    int SystemError() const { return systemError_; }
    // Where the earlier content of the file still is, when a write in place
    // failed and it could not be put back; empty otherwise.
    const std::string& Backup() const { return backup_; }

private:
    std::string path_;
    int systemError_;
    std::string backup_;
};
