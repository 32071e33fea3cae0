// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PngChunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace png {

namespace {

std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

bool Is(const std::uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

// A tRNS chunk of `length` bytes fits a picture of the colour type when it
// holds one grey or one RGB sample, or alphas for a palette read before it.
// One of more alphas than the palette has entries is passed over whole, as
// libpng and the decoder pass it over: the picture is opaque.
bool TransparencyFits(int colourType, std::size_t length, std::size_t paletteEntries) {
    switch (colourType) {
        case 0: return length == 2;
        case 2: return length == 6;
        case 3: return paletteEntries > 0;
        default: return false;  // the picture has alpha of its own
    }
}

}  // namespace

ChunkWalk WalkChunks(std::span<const std::uint8_t> file, bool checkImageData) {
    ChunkWalk walk;
    int colourType = -1;
    std::size_t paletteEntries = 0;
    std::size_t at = 8;
    while (true) {
        if (file.size() - at < 8) break;
        const std::size_t length = BigEndian(&file[at]);
        const std::uint8_t* type = &file[at + 4];
        const std::size_t end = at + 12 + length;
        if (length > 0x7FFFFFFFu) break;
        if (Is(type, "IEND") && length == 0 && file.size() - at >= 8) return walk;
        if (end > file.size()) break;
        if (checkImageData || !Is(type, "IDAT")) {
            const auto crc = static_cast<std::uint32_t>(crc32(0, type, static_cast<uInt>(length + 4)));
            if (crc != BigEndian(&file[end - 4])) break;
        }
        if (Is(type, "IHDR") && length == 13) colourType = file[at + 8 + 9];
        if (Is(type, "PLTE")) paletteEntries = length / 3;
        if (Is(type, "tRNS") && !TransparencyFits(colourType, length, paletteEntries)) break;
        if (Is(type, "IDAT")) walk.imageData.push_back({at + 8, length});
        at = end;
    }
    walk.damageAt = std::min(at, file.size());
    return walk;
}

ImageDataCheck CheckImageData(std::span<const std::uint8_t> file, const std::vector<ChunkWalk::Part>& imageData,
                              std::size_t keptBytes, std::size_t maxBytes) {
    ImageDataCheck check;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return check;
    static thread_local std::uint8_t scratch[64 * 1024];
    int status = Z_OK;
    for (const ChunkWalk::Part& part : imageData) {
        z.next_in = const_cast<Bytef*>(file.data() + part.offset);
        z.avail_in = static_cast<uInt>(part.length);
        while (z.avail_in > 0 && status == Z_OK) {
            z.next_out = scratch;
            z.avail_out = sizeof scratch;
            status = inflate(&z, Z_NO_FLUSH);
            if (check.keptEnd == Undamaged && z.total_out >= keptBytes)
                check.keptEnd = part.offset + part.length - z.avail_in;
            if (z.total_out > maxBytes) {
                inflateEnd(&z);
                check.whole = true;
                return check;
            }
        }
        if (status != Z_OK) break;
    }
    check.whole = status == Z_STREAM_END;
    inflateEnd(&z);
    return check;
}

}  // namespace png
