// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RecoveryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <set>
#include <utility>

#include "io/FileWriteError.h"
#include "io/SaveJournal.h"
#include "io/SaveTarget.h"

namespace recovery {

namespace {

constexpr std::string_view CopySuffix = ".tsr";
constexpr std::string_view LockSuffix = ".lock";
constexpr std::string_view BackupPrefix = ".tessaro-backup-";
constexpr std::string_view NoteSuffix = ".file";  // a backup's note: the path it is the content of
constexpr std::string_view ToldSuffix = ".told";  // the same note once the user was told

bool Mine(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_uid == ::geteuid(); }

// Makes the missing directories of `path` with mode 0700, as the state
// directory's specification asks of those it creates.
int MakeDirectories(const std::string& path) {
    for (std::size_t at = 1; at != std::string::npos;) {
        at = path.find('/', at + 1);
        const std::string part = path.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

// The names in the folder, each with what lstat says of it.
std::vector<std::pair<std::string, struct stat>> Entries(int folder) {
    std::vector<std::pair<std::string, struct stat>> found;
    const int fd = ::dup(folder);
    if (fd < 0) return found;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return found;
    }
    ::rewinddir(dir);
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (::fstatat(folder, e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) found.emplace_back(e->d_name, st);
    }
    ::closedir(dir);
    return found;
}

bool Running(long pid) { return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH; }

}  // namespace

std::string Directory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/tessaro";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/tessaro";
    return {};
}

Folder::Folder(const std::string& path) : path_(path) {
    if (path.empty()) throw FolderError{FolderProblem::NoHome, path};
    if (const int error = MakeDirectories(path)) throw FolderError{FolderProblem::CannotCreate, path, error};
    fd_ = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0) {
        const int error = errno;
        if (error == ELOOP || error == ENOTDIR) throw FolderError{FolderProblem::NotADirectory, path, error};
        throw FolderError{FolderProblem::CannotCreate, path, error};
    }
    struct stat st {};
    FolderProblem problem = FolderProblem::NotADirectory;
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        if (st.st_uid != ::geteuid())
            problem = FolderProblem::NotOwned;
        else if ((st.st_mode & 07777) == 0700)
            return;
        // The user's own folder with a wider mode (an older version's, or a
        // umask's) is made private; what the descriptor holds is the checked
        // directory, so no link can redirect the change.
        else if (::fchmod(fd_, 0700) == 0)
            return;
        else
            problem = FolderProblem::NotPrivate;
    }
    ::close(fd_);
    throw FolderError{problem, path};
}

Folder::Folder(Folder&& other) noexcept : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

Folder::~Folder() {
    if (fd_ >= 0) ::close(fd_);
}

std::vector<std::string> Folder::Copies() const {
    std::vector<std::pair<struct timespec, std::string>> found;
    for (auto& [name, st] : Entries(fd_))
        if (name.ends_with(CopySuffix) && Mine(st)) found.emplace_back(st.st_mtim, std::move(name));
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.tv_sec, a.first.tv_nsec) > std::pair(b.first.tv_sec, b.first.tv_nsec);
    });
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.second));
    return names;
}

std::string Folder::NewCopyName() {
    // The process id tells running editors apart; the time and a counter,
    // the editors one process has had.
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return "copy-" + std::to_string(::getpid()) + "-" + std::to_string(now) + "-" + std::to_string(counter++) +
           std::string(CopySuffix);
}

std::string Folder::LockNameOf(const std::string& copyName) {
    const std::string stem =
        copyName.ends_with(CopySuffix) ? copyName.substr(0, copyName.size() - CopySuffix.size()) : copyName;
    return stem + std::string(LockSuffix);
}

int Folder::TakeLock(const std::string& name) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !Mine(st) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void Folder::ReleaseLock(int fd) {
    if (fd >= 0) ::close(fd);
}

std::optional<std::vector<std::uint8_t>> Folder::Read(const std::string& name, std::size_t maxBytes) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::vector<std::uint8_t>> bytes;
    if (::fstat(fd, &st) == 0 && Mine(st) && static_cast<std::size_t>(st.st_size) <= maxBytes) {
        bytes.emplace(static_cast<std::size_t>(st.st_size));
        for (std::size_t done = 0; bytes && done < bytes->size();) {
            const ssize_t n = ::pread(fd, bytes->data() + done, bytes->size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                bytes.reset();  // failed, or shorter than it was
            else
                done += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    return bytes;
}

void Folder::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    IgnoreFileSizeSignal();
    const std::string path = path_ + "/" + name;
    std::string temp;
    const int fd = CreateOwnFile(fd_, "save", temp);
    if (fd < 0) throw FileWriteError(path, errno);
    int error = WriteAllAt(fd, bytes.data(), bytes.size(), 0);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    // A rename replaces whatever has the name, a link included, and never
    // writes where a link points.
    if (error == 0 && ::renameat(fd_, temp.c_str(), fd_, name.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlinkat(fd_, temp.c_str(), 0);
        throw FileWriteError(path, error);
    }
    ::fsync(fd_);
}

void Folder::Remove(const std::string& name) const { ::unlinkat(fd_, name.c_str(), 0); }

bool Folder::Has(const std::string& name) const {
    struct stat st {};
    return ::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool Folder::Rename(const std::string& from, const std::string& to) const {
    return ::renameat(fd_, from.c_str(), fd_, to.c_str()) == 0;
}

int Folder::CreateBackup(const std::string& file, std::string& name) const {
    const int fd = CreateOwnFile(fd_, "backup", name);
    if (fd < 0) return -1;
    const std::string note = name + std::string(NoteSuffix);
    const int noteFd = ::openat(fd_, note.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    const int error =
        noteFd < 0 ? errno : WriteAllAt(noteFd, reinterpret_cast<const std::uint8_t*>(file.data()), file.size(), 0);
    if (noteFd >= 0) ::close(noteFd);
    if (error != 0) {
        ::close(fd);
        RemoveBackup(name);
        errno = error;
        return -1;
    }
    return fd;
}

void Folder::RemoveBackup(const std::string& name) const {
    Remove(name);
    Remove(name + std::string(NoteSuffix));
}

std::uint64_t ContentHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
    for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001b3u;
    return hash;
}

std::string InPlaceNote(const std::string& absolutePath, const InPlaceWrite& w) {
    return absolutePath + "\n" + std::to_string(w.device) + " " + std::to_string(w.file) + " " +
           std::to_string(w.oldSize) + " " + std::to_string(w.newSize) + " " + std::to_string(w.newHash);
}

namespace {

// The write a note tells of; none for a note of an older version, which
// holds the path alone.
std::optional<InPlaceWrite> WriteOf(const std::string& rest) {
    InPlaceWrite w;
    std::uint64_t* fields[] = {&w.device, &w.file, &w.oldSize, &w.newSize, &w.newHash};
    const char* at = rest.c_str();
    for (std::uint64_t* field : fields) {
        char* end = nullptr;
        if (*at < '0' || *at > '9') return std::nullopt;
        *field = std::strtoull(at, &end, 10);
        at = end;
        if (*at == ' ')
            ++at;
        else if (*at != '\0')
            return std::nullopt;
    }
    return *at == '\0' ? std::optional(w) : std::nullopt;
}

// The file's content as it stands, compared with the new content.
bool HoldsNewContent(int fd, const InPlaceWrite& w) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) != w.newSize) return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(w.newSize));
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ContentHash(bytes) == w.newHash;
}

enum class Ending { Unknown, Ended, Restored };

// A write in place that a killed save left: ended (the new content whole),
// or given the backup's content back. Unknown where the file is another now,
// or was changed more than five minutes after its backup was made.
Ending EndWrite(const Folder& folder, const std::string& backup, const std::string& path, const InPlaceWrite& w) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return Ending::Unknown;
    struct stat st {};
    const int kept = ::openat(folder.Fd(), backup.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat keptSt {};
    Ending ending = Ending::Unknown;
    if (kept >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_dev == w.device && st.st_ino == w.file &&
        ::fstat(kept, &keptSt) == 0 && Mine(keptSt) && static_cast<std::uint64_t>(keptSt.st_size) == w.oldSize) {
        // Changed well after the killed write began: someone saved it again
        // since, and only the user can tell which content to keep.
        const bool changedSince = st.st_mtim.tv_sec > keptSt.st_mtim.tv_sec + 300;
        if (HoldsNewContent(fd, w))
            ending = Ending::Ended;
        else if (!changedSince && CopyContent(kept, fd, keptSt.st_size) == 0 && ::ftruncate(fd, keptSt.st_size) == 0 &&
                 ::fsync(fd) == 0)
            ending = Ending::Restored;
    }
    if (kept >= 0) ::close(kept);
    ::close(fd);
    return ending;
}

}  // namespace

std::vector<LeftBackup> TakeLeftBackups(const Folder& folder) {
    SettleJournals(folder.Fd());
    std::vector<LeftBackup> left;
    const auto entries = Entries(folder.Fd());
    std::set<std::string> names;
    for (const auto& entry : entries) names.insert(entry.first);
    for (const auto& [name, st] : entries) {
        if (!name.starts_with(BackupPrefix) || !Mine(st)) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + BackupPrefix.size(), &end, 10);
        // A save that is running now may yet remove it.
        if (pid <= 0 || *end != '-' || Running(pid)) continue;
        const std::size_t dot = name.find('.', BackupPrefix.size());
        if (dot != std::string::npos) {
            // A note whose backup is gone (a save killed as it cleaned up).
            const std::string suffix = name.substr(dot);
            if ((suffix == NoteSuffix || suffix == ToldSuffix) && !names.contains(name.substr(0, dot)))
                folder.Remove(name);
            continue;
        }
        const std::string note = name + std::string(NoteSuffix);
        const auto text = folder.Read(note, 8192);
        if (!text) continue;  // told before
        const std::string noted(text->begin(), text->end());
        const std::size_t line = noted.find('\n');
        const std::string file = noted.substr(0, line);
        const auto write = line == std::string::npos ? std::nullopt : WriteOf(noted.substr(line + 1));
        const Ending ending = write && !file.empty() ? EndWrite(folder, name, file, *write) : Ending::Unknown;
        if (ending != Ending::Unknown) {
            folder.RemoveBackup(name);
            if (ending == Ending::Restored) left.push_back({file, file, true});
            continue;
        }
        folder.Rename(note, name + std::string(ToldSuffix));
        left.push_back({folder.Path() + "/" + name, file});
    }
    std::sort(left.begin(), left.end(), [](const auto& a, const auto& b) { return a.backup < b.backup; });
    return left;
}

}  // namespace recovery
