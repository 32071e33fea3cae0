#include "io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <set>

#include "core/EditorError.h"

namespace {

[[noreturn]] void Fail(const std::string& path, int error) {
    throw EditorError("\"" + path + "\" に保存できませんでした（" + std::strerror(error) + "）");
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The file a save replaces: a symbolic link is followed, so that the file it
// points to gets the new content and the link stays.
std::string Target(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved) return path;  // a dangling link is replaced like a file
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// The mode a newly created file would get; an existing target keeps its own.
mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new content of one file, written beside it and not yet in its place.
// Removed again unless Commit() has renamed it over the target.
class TemporaryFile {
public:
    TemporaryFile(const std::string& requested, std::span<const std::uint8_t> bytes, bool flush)
        : requested_(requested), target_(Target(requested)) {
        if (requested.empty()) Fail(requested, ENOENT);
        // Only a regular file is replaced: renaming over a directory fails,
        // and over a device or pipe it would take the device away.
        struct stat st {};
        if (::stat(target_.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
            Fail(requested, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        // Renaming would replace a file the user may not write to, as a
        // write in place could not: a read-only file stays as it is.
        if (::access(target_.c_str(), F_OK) == 0 && ::access(target_.c_str(), W_OK) != 0) Fail(requested, errno);
        const mode_t mode = ModeFor(target_);
        // A short name of its own, so that a target name near the length
        // limit still leaves room for it.
        std::string pattern = DirectoryOf(target_) + "/.tessaro-save-XXXXXX";
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0) Fail(requested, errno);
        name_ = pattern;
        int error = WriteAll(fd, bytes);
        if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
        if (error == 0 && flush && ::fsync(fd) != 0) error = errno;
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error != 0) {
            // The destructor doesn't run for a constructor that throws.
            ::unlink(name_.c_str());
            Fail(requested, error);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!name_.empty()) ::unlink(name_.c_str());
    }

    std::string Directory() const { return DirectoryOf(target_); }
    const std::string& TargetPath() const { return target_; }

    void Commit() {
        if (::rename(name_.c_str(), target_.c_str()) != 0) Fail(requested_, errno);
        name_.clear();
    }

private:
    static int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    std::string requested_;
    std::string target_;
    std::string name_;  // empty once committed
};

// The renames themselves reach the disk with their directories. A failure
// here leaves complete files in place, so it is not reported.
void FlushDirectories(const std::set<std::string>& directories) {
    for (const std::string& d : directories) {
        const int dir = ::open(d.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir < 0) continue;
        ::fsync(dir);
        ::close(dir);
    }
}

// Flushes the written temporary files to the disk: one flush of each file
// system on Linux, one per file elsewhere. False if a flush failed.
bool FlushAll(const std::vector<std::unique_ptr<TemporaryFile>>& files, int& error) {
#ifdef __linux__
    std::set<std::string> directories;
    for (const auto& f : files) directories.insert(f->Directory());
    for (const std::string& d : directories) {
        const int dir = ::open(d.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir < 0 || ::syncfs(dir) != 0) {
            error = errno;
            if (dir >= 0) ::close(dir);
            return false;
        }
        ::close(dir);
    }
    return true;
#else
    (void)files;
    (void)error;
    return true;  // each file was flushed when it was written
#endif
}

#ifdef __linux__
constexpr bool FlushEachFile = false;
#else
constexpr bool FlushEachFile = true;
#endif

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    TemporaryFile temp(path, bytes, true);
    temp.Commit();
    FlushDirectories({temp.Directory()});
}

void WriteFilesAtomically(std::span<const PendingFile> files) {
    std::vector<std::unique_ptr<TemporaryFile>> written;
    std::exception_ptr failure;
    for (const PendingFile& f : files) {
        try {
            written.push_back(std::make_unique<TemporaryFile>(f.path, f.bytes, FlushEachFile));
        } catch (const EditorError&) {
            failure = std::current_exception();
            break;
        }
    }
    // The files before a failure are still put in place, as if each had
    // been saved on its own.
    int error = 0;
    if (!FlushAll(written, error)) Fail(files.front().path, error);
    std::set<std::string> directories;
    for (auto& temp : written) {
        temp->Commit();
        directories.insert(temp->Directory());
    }
    FlushDirectories(directories);
    if (failure) std::rethrow_exception(failure);
}

void WriteFilesAllOrNone(std::span<const PendingFile> files, const std::function<void(std::size_t done)>& written) {
    std::vector<std::unique_ptr<TemporaryFile>> temps;
    temps.reserve(files.size());
    for (const PendingFile& f : files) {
        // A throw here removes the temporary files written so far.
        temps.push_back(std::make_unique<TemporaryFile>(f.path, f.bytes, FlushEachFile));
        if (written) written(temps.size());
    }
    int error = 0;
    if (!temps.empty() && !FlushAll(temps, error)) Fail(files.front().path, error);
    std::set<std::string> directories;
    for (std::size_t i = 0; i < temps.size(); ++i) {
        try {
            temps[i]->Commit();
        } catch (const EditorError&) {
            for (std::size_t j = 0; j < i; ++j) ::unlink(temps[j]->TargetPath().c_str());
            throw;
        }
        directories.insert(temps[i]->Directory());
    }
    FlushDirectories(directories);
}
