// SPDX-License-Identifier: GPL-3.0-or-later
// io/RegularFile.h on Windows. The handle lives in a C runtime descriptor,
// so that the class is the same on every system.
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <vector>

#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"
#include "io/RegularFile.h"
#include "io/windows/Win32Files.h"

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(::_get_osfhandle(fd)); }

}  // namespace

RegularFile::RegularFile(const std::string& path) : path_(path) {
    // A device name opens the device, wherever the folder; it is never opened.
    if (win32::NamesDevice(path)) Fail("not a regular file", 0);
    const std::wstring wide = win32::WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const int error = win32::LastErrno();
        Fail(std::strerror(error), error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) Fail("not a regular file", 0);
    win32::Handle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const int error = win32::LastErrno();
        Fail(std::strerror(error), error);
    }
    // Looked at again once open, since the name may have changed meanwhile.
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        Fail("not a regular file", 0);
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), _O_RDONLY | _O_BINARY);
    if (fd_ < 0) Fail(std::strerror(EMFILE), EMFILE);
    file.Release();
    if (size > static_cast<std::uint64_t>(picture_limits::MaxFileBytes))
        throw PictureReadError(path_ + ": file too large", PictureReadReason::NotAPicture);
    size_ = static_cast<std::size_t>(size);
}

RegularFile::~RegularFile() {
    if (fd_ >= 0) ::_close(fd_);
}

void RegularFile::Fail(const std::string& why, int error) const {
    throw PictureReadError(path_ + ": " + why, error != 0 ? PictureReadReason::CannotOpen : PictureReadReason::NotAFile,
                           error);
}

std::span<const std::uint8_t> RegularFile::Read(std::size_t offset, std::size_t count) {
    if (offset > size_ || count > size_ - offset)
        throw PictureReadError(path_ + ": read past the end of the file", PictureReadReason::NotAPicture);
    if (count > capacity_) {
        part_ = std::make_unique_for_overwrite<std::uint8_t[]>(count);
        capacity_ = count;
    }
    const DWORD error = win32::ReadAt(HandleOf(fd_), part_.get(), count, offset);
    // Someone cut the file short while it was being read.
    if (error == ERROR_HANDLE_EOF) throw PictureReadError(path_ + ": file shorter than when it was opened");
    if (error != 0) Fail(std::strerror(win32::ErrnoOf(error)), win32::ErrnoOf(error));
    return {part_.get(), count};
}
