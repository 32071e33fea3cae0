// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

struct FileInFolder {
    int directoryFd;
    std::string name;
};

// Removes files, several at a time. On a file system mounted with online
// discard each removal waits until the disk has dropped the file's blocks;
// waits that overlap end together, so hundreds of files go in a fraction of
// the time one after another takes. A file that can't be removed stays.
void RemoveFiles(std::span<const FileInFolder> files);
