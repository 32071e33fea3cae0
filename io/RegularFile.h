// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "formats/ByteSource.h"

// A picture file open for reading: a regular file only. A directory, pipe,
// device or socket is refused at once (the open never waits for a writer, and
// a device is never read), and so is a file larger than any acceptable
// picture's file (PictureLimits.h). Bytes are read only where a reader asks,
// so a reader checks a header before it asks for anything more.
// Every failure throws PictureReadError with the reason.
class RegularFile final : public ByteSource {
public:
    explicit RegularFile(const std::string& path);
    ~RegularFile() override;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    std::size_t Size() const override { return size_; }
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t count) override;

private:
    [[noreturn]] void Fail(const std::string& why, int error) const;

    std::string path_;
    int fd_ = -1;
    std::size_t size_ = 0;
    std::unique_ptr<std::uint8_t[]> part_;  // the part last read
    std::size_t capacity_ = 0;
};

// The first bytes of a regular file, at most `maxBytes` of them (fewer when
// the file is shorter); refused as RegularFile refuses.
std::vector<std::uint8_t> ReadFileStart(const std::string& path, std::size_t maxBytes);

// True when `path` is a regular file holding exactly `bytes`: a save that
// would not change it can leave it, and its time stamp, as they are. Any
// failure to read it counts as different.
bool FileHolds(const std::string& path, std::span<const std::uint8_t> bytes);

// True when both names lead to one existing file (the same device and file
// number: also through a link, or a hard link); false when either is missing.
bool SameFile(const std::string& a, const std::string& b);
