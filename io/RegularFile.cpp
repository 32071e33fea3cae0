// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RegularFile.h"

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"

RegularFile::RegularFile(const std::string& path) : path_(path) {
    // Looked at before it is opened, so that a device is never opened at all;
    // looked at again once open, since the name may have changed meanwhile.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) Fail(std::strerror(errno), errno);
    if (!S_ISREG(st.st_mode)) Fail("not a regular file", 0);
    // Without O_NONBLOCK, opening a pipe that took the name meanwhile would
    // wait for a writer forever.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) Fail(std::strerror(errno), errno);
    if (::fstat(fd_, &st) != 0) Fail(std::strerror(errno), errno);
    if (!S_ISREG(st.st_mode)) Fail("not a regular file", 0);
    if (st.st_size > picture_limits::MaxFileBytes)
        throw PictureReadError(path_ + ": file too large", PictureReadReason::NotAPicture);
    size_ = static_cast<std::size_t>(st.st_size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
}

void RegularFile::Fail(const std::string& why, int error) const {
    throw PictureReadError(path_ + ": " + why, error != 0 ? PictureReadReason::CannotOpen : PictureReadReason::NotAFile,
                           error);
}

std::span<const std::uint8_t> RegularFile::Read(std::size_t offset, std::size_t count) {
    if (offset > size_ || count > size_ - offset)
        throw PictureReadError(path_ + ": read past the end of the file", PictureReadReason::NotAPicture);
    // The buffer is kept for the next read; nothing is zeroed first, since
    // every byte is read over.
    if (count > capacity_) {
        part_ = std::make_unique_for_overwrite<std::uint8_t[]>(count);
        capacity_ = count;
    }
    for (std::size_t done = 0; done < count;) {
        const ssize_t n = ::pread(fd_, part_.get() + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(std::strerror(errno), errno);
        // Someone cut the file short while it was being read.
        if (n == 0) throw PictureReadError(path_ + ": file shorter than when it was opened");
        done += static_cast<std::size_t>(n);
    }
    return {part_.get(), count};
}
