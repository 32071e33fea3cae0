// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The chunks and the image data of a PNG file held in memory, checked
// before the decoder sees them: where the file is first damaged, and how far
// the image data reach. The decoder then needs no checksums of its own, and
// a load that keeps the top-left part knows whether that part is whole.
namespace png {

constexpr std::size_t Undamaged = SIZE_MAX;

struct ChunkWalk {
    // The file offset of the first chunk that is damaged (its checksum is
    // wrong, it is cut short, a tRNS chunk does not fit the picture) or of
    // the end of a file that stops before IEND; Undamaged when none is.
    std::size_t damageAt = Undamaged;
    // The IDAT chunks' data before damageAt: file offset and length.
    struct Part {
        std::size_t offset, length;
    };
    std::vector<Part> imageData;
};

// Walks the chunks after the signature up to IEND. The IEND chunk's own
// checksum may be missing (the file is whole without it). The IDAT chunks'
// checksums are left to the decoder unless `checkImageData`.
ChunkWalk WalkChunks(std::span<const std::uint8_t> file, bool checkImageData);

struct ImageDataCheck {
    // The file offset up to which the image data had been read when
    // `keptBytes` bytes had come out of them; Undamaged when they never did.
    std::size_t keptEnd = Undamaged;
    // The zlib stream ended, with its checksum right.
    bool whole = false;
};

// Inflates the image data without keeping them. Past `maxBytes` the stream
// is taken as whole without its checksum: checking it would cost more than
// the load itself.
ImageDataCheck CheckImageData(std::span<const std::uint8_t> file, const std::vector<ChunkWalk::Part>& imageData,
                              std::size_t keptBytes, std::size_t maxBytes);

}  // namespace png
