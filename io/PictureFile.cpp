#include "io/PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "io/BmpReader.h"
#include "io/ByteSource.h"
#include "io/JpegReader.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

namespace {

// Closes the file however its reading ends, a failing constructor included.
struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

// A picture file, open for reading. A plain file is read only where a reader
// asks; anything else (a pipe, a device) is read whole at once, since it
// can't be read out of order.
class OpenPictureFile final : public ByteSource {
public:
    explicit OpenPictureFile(const std::string& path) : path_(path) {
        fd_.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_.fd < 0) Fail(std::strerror(errno));
        struct stat st{};
        if (::fstat(fd_.fd, &st) != 0) Fail(std::strerror(errno));
        if (S_ISREG(st.st_mode)) {
            if (st.st_size > picture_limits::MaxFileBytes) Fail("file too large");
            size_ = static_cast<std::size_t>(st.st_size);
        } else {
            ReadAll();
        }
    }
    OpenPictureFile(const OpenPictureFile&) = delete;
    OpenPictureFile& operator=(const OpenPictureFile&) = delete;

    std::size_t Size() const override { return size_; }

    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t count) override {
        if (offset > size_ || count > size_ - offset) Fail("read past the end of the file");
        if (whole_) return std::span<const std::uint8_t>(bytes_).subspan(offset, count);
        // Nothing is zeroed first: every byte is read over.
        part_ = std::make_unique_for_overwrite<std::uint8_t[]>(count);
        for (std::size_t done = 0; done < count;) {
            const ssize_t n = ::pread(fd_.fd, part_.get() + done, count - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) Fail(std::strerror(errno));
            // Someone cut the file short while it was being read.
            if (n == 0) Fail("file shorter than when it was opened");
            done += static_cast<std::size_t>(n);
        }
        return {part_.get(), count};
    }

private:
    [[noreturn]] void Fail(const std::string& why) const { throw PictureReadError(path_ + ": " + why); }

    void ReadAll() {
        std::uint8_t block[65536];
        for (;;) {
            const ssize_t n = ::read(fd_.fd, block, sizeof block);
            if (n < 0 && errno == EINTR) continue;
            // A directory opens, then fails on the first read.
            if (n < 0) Fail(std::strerror(errno));
            if (n == 0) break;
            if (static_cast<std::int64_t>(bytes_.size()) + n > picture_limits::MaxFileBytes) Fail("file too large");
            bytes_.insert(bytes_.end(), block, block + n);
        }
        whole_ = true;
        size_ = bytes_.size();
    }

    std::string path_;
    FileDescriptor fd_;
    std::size_t size_ = 0;
    bool whole_ = false;
    std::vector<std::uint8_t> bytes_;       // the whole file, when it isn't a plain file
    std::unique_ptr<std::uint8_t[]> part_;  // the part last read of a plain file
};

}  // namespace

bool IsJpegPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = path.substr(dot);
    if (ext.size() != 4) return false;
    static const char lower[] = ".jpg";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ext[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

canvas::Picture LoadPictureFile(const std::string& path, int keepWidth, int keepHeight) {
    OpenPictureFile file(path);
    // libjpeg takes its data in one piece.
    if (IsJpegPath(path)) return jpeg::Decode(file.Read(0, file.Size()), keepWidth, keepHeight);
    return bmp::Decode(file, keepWidth, keepHeight);
}
