// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>

#include <map>
#include <string>

// The folders of a batch of saves, each opened once: a save of many files
// into one folder then doesn't open and close it for every file.
class OpenFolders {
public:
    OpenFolders() = default;
    ~OpenFolders();
    OpenFolders(const OpenFolders&) = delete;
    OpenFolders& operator=(const OpenFolders&) = delete;
    // The descriptor of `directory` (owned here), or -1 with errno set.
    int Open(const std::string& directory);

private:
    std::map<std::string, int> fds_;
};

// Where a save writes and how. Symbolic links are followed to the file they
// name, a dangling one included (its target is created); an existing file
// there must be a regular file the user may write to.
struct SaveTarget {
    std::string requested;  // the path the user gave: errors name it
    std::string directory;  // of the file written
    std::string name;       // its last component
    int directoryFd = -1;   // open on `directory`; names below are relative to it
    bool ownsDirectoryFd = true;
    bool exists = false;
    struct stat old {};  // of the existing file

    // With `folders`, the directory is opened there (and stays open there).
    explicit SaveTarget(const std::string& path, OpenFolders* folders = nullptr);
    ~SaveTarget();
    SaveTarget(const SaveTarget&) = delete;
    SaveTarget& operator=(const SaveTarget&) = delete;
};

// Temporary files are named ".tessaro-save-PID-XXXXXX" and backups
// ".tessaro-backup-PID-XXXXXX": creates one such file in the directory
// (exclusively, mode 0600) and returns its descriptor, or -1 with errno set.
int CreateOwnFile(int directoryFd, const char* kind, std::string& name);

// Removes the temporary files that processes no longer running left in the
// directory (a save that was killed). Backups are never removed: one left
// behind may hold the only whole copy of a file.
void RemoveAbandonedTemporaryFiles(int directoryFd);

// A file-size limit (ulimit -f) would otherwise kill the editor, unsaved
// work and all, in the middle of a write; ignored, the write fails with
// EFBIG and the save reports it. Every writer calls it first.
void IgnoreFileSizeSignal();

// Writes all of `bytes` at `offset`; 0 or the errno value.
int WriteAllAt(int fd, const std::uint8_t* bytes, std::size_t count, off_t offset);

// Copies `count` bytes from the start of one file to the start of another;
// 0 or the errno value.
int CopyContent(int from, int to, off_t count);
