#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

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
};
