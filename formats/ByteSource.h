// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/PictureReadError.h"

// The bytes of a picture file, handed out in parts: a reader that keeps only
// part of a picture asks for the bytes that part needs, and the rest of a
// large file is never read.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    // The length of the whole file.
    virtual std::size_t Size() const = 0;

    // The `count` bytes from `offset` on; the range lies within Size(). The
    // bytes stay valid until the next Read. Throws PictureReadError when they
    // can't be read.
    virtual std::span<const std::uint8_t> Read(std::size_t offset, std::size_t count) = 0;

    // At most `count` bytes from `offset` on: fewer where the file ends
    // first, none from its end on.
    std::span<const std::uint8_t> ReadAtMost(std::size_t offset, std::size_t count) {
        if (offset >= Size()) return {};
        return Read(offset, std::min(count, Size() - offset));
    }
};

// A file already in memory: its parts are handed out as they are.
class MemoryBytes final : public ByteSource {
public:
    explicit MemoryBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Size() const override { return bytes_.size(); }
    std::span<const std::uint8_t> Read(std::size_t offset, std::size_t count) override {
        if (offset > bytes_.size() || count > bytes_.size() - offset)
            throw PictureReadError("read past the end of the file");
        return bytes_.subspan(offset, count);
    }

private:
    std::span<const std::uint8_t> bytes_;
};
