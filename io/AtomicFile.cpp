#include "io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The mode a newly created file would get; an existing target keeps its own.
mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Removes the temporary file unless the rename has taken it over.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string name) : name_(std::move(name)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_) ::unlink(name_.c_str());
    }
    std::string name_;
    int fd_ = -1;
    bool renamed_ = false;
};

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

}  // namespace

void WriteFileAtomically(const std::string& requested, std::span<const std::uint8_t> bytes) {
    if (requested.empty()) Fail(requested, ENOENT);
    const std::string path = Target(requested);
    // Only a regular file is replaced: renaming over a directory fails, and
    // over a device or pipe it would remove the device from the system.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) Fail(requested, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);

    const mode_t mode = ModeFor(path);
    // A short name of its own, so that a target name near the length limit
    // still leaves room for it.
    std::string pattern = DirectoryOf(path) + "/.tessaro-save-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) Fail(requested, errno);
    TemporaryFile temp(name.data());
    temp.fd_ = fd;

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(requested, errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0) Fail(requested, errno);
    if (::fsync(fd) != 0) Fail(requested, errno);
    temp.fd_ = -1;
    if (::close(fd) != 0) Fail(requested, errno);
    if (::rename(temp.name_.c_str(), path.c_str()) != 0) Fail(requested, errno);
    temp.renamed_ = true;

    // The rename itself reaches the disk with the directory; a failure here
    // leaves a complete file in place, so it is not reported.
    const int dir = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}
