// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/SaveTarget.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "io/FileWriteError.h"

namespace {

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

constexpr const char* OwnPrefix = ".tessaro-";

}  // namespace

OpenFolders::~OpenFolders() {
    for (const auto& [directory, fd] : fds_) ::close(fd);
}

int OpenFolders::Open(const std::string& directory) {
    if (const auto found = fds_.find(directory); found != fds_.end()) return found->second;
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) fds_.emplace(directory, fd);
    return fd;
}

SaveTarget::SaveTarget(const std::string& path, OpenFolders* folders) : requested(path) {
    if (path.empty() || path.back() == '/') throw FileWriteError(path, path.empty() ? ENOENT : EISDIR);
    // Follows symbolic links by hand, so that a dangling one leads to the
    // name its target is created under.
    std::string at = path;
    for (int hops = 0;; ++hops) {
        if (hops > 40) throw FileWriteError(path, ELOOP);
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0) {
            if (errno != ENOENT) throw FileWriteError(path, errno);
            break;
        }
        if (!S_ISLNK(st.st_mode)) {
            // Only a regular file is written: renaming over a directory
            // fails, and over a device or pipe it would take the device away.
            if (!S_ISREG(st.st_mode)) throw FileWriteError(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
            exists = true;
            old = st;
            break;
        }
        std::vector<char> link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(at.c_str(), link.data(), link.size());
        if (n < 0 || static_cast<std::size_t>(n) >= link.size()) throw FileWriteError(path, n < 0 ? errno : ELOOP);
        const std::string to(link.data(), static_cast<std::size_t>(n));
        at = to.front() == '/' ? to : DirectoryOf(at) + "/" + to;
    }
    // A file the user may not write to stays as it is: a save by rename would
    // replace it where writing into it could not.
    if (exists && ::faccessat(AT_FDCWD, at.c_str(), W_OK, AT_EACCESS) != 0) throw FileWriteError(path, errno);
    directory = DirectoryOf(at);
    name = NameOf(at);
    // Names are taken relative to the directory, so that a path near the
    // length limit leaves room for the temporary file's name.
    ownsDirectoryFd = folders == nullptr;
    directoryFd = folders ? folders->Open(directory) : ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd < 0) throw FileWriteError(path, errno);
}

SaveTarget::~SaveTarget() {
    if (directoryFd >= 0 && ownsDirectoryFd) ::close(directoryFd);
}

int CreateOwnFile(int directoryFd, const char* kind, std::string& name) {
    // One per thread: the recovery copy is written on a worker while a save
    // may run on the window's thread.
    static thread_local std::mt19937 random{std::random_device{}()};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = std::string(OwnPrefix) + kind + "-" + std::to_string(::getpid()) + "-";
        for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
        const int fd = ::openat(directoryFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

void RemoveAbandonedTemporaryFiles(int directoryFd) {
    const int fd = ::dup(directoryFd);
    if (fd < 0) return;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return;
    }
    ::rewinddir(dir);
    const std::string prefix = std::string(OwnPrefix) + "save-";
    std::vector<std::string> abandoned;
    while (const dirent* e = ::readdir(dir)) {
        const std::string n = e->d_name;
        if (n.compare(0, prefix.size(), prefix) != 0) continue;
        char* end = nullptr;
        const long pid = std::strtol(n.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || *end != '-' || pid == ::getpid()) continue;
        // A process that still runs may be saving right now.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (::fstatat(directoryFd, n.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            abandoned.push_back(n);
    }
    ::closedir(dir);
    for (const std::string& n : abandoned) ::unlinkat(directoryFd, n.c_str(), 0);
}

void IgnoreFileSizeSignal() {
    static const bool ignored = [] {
        ::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

int WriteAllAt(int fd, const std::uint8_t* bytes, std::size_t count, off_t offset) {
    for (std::size_t done = 0; done < count;) {
        const ssize_t n = ::pwrite(fd, bytes + done, count - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int CopyContent(int from, int to, off_t count) {
    std::vector<std::uint8_t> buffer(64 * 1024);
    for (off_t at = 0; at < count;) {
        const ssize_t n = ::pread(from, buffer.data(),
                                  std::min<std::size_t>(buffer.size(), static_cast<std::size_t>(count - at)), at);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;  // shorter than it was
        if (const int error = WriteAllAt(to, buffer.data(), static_cast<std::size_t>(n), at)) return error;
        at += n;
    }
    return 0;
}
