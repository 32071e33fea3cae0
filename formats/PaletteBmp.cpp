// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PaletteBmp.h"

#include <algorithm>

#include "formats/ByteWriter.h"

namespace palette_bmp {
namespace {

constexpr std::size_t PixelStart = 14 + 40 + 256 * 4;

// Headers and table; the pixel bytes stay zero for the caller to fill.
std::vector<std::uint8_t> FileWithTable(int width, int height, const std::array<std::uint32_t, 256>& table) {
    const std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
    const std::size_t size = PixelStart + stride * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> file(size, 0);
    bmp::PutHeaders(file, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), 8, 256,
                    static_cast<std::uint32_t>(size));
    for (std::size_t i = 0; i < 256; ++i) bmp::Put32(file, 54 + 4 * i, table[i]);
    return file;
}

// The table's entries hashed, each entry once with its first index, so that
// a pixel is found in about one probe instead of a walk through 256 entries.
class TableIndex {
public:
    explicit TableIndex(const std::array<std::uint32_t, 256>& table) {
        slots_.fill(Slot{Empty, 0});
        for (int i = 0; i < 256; ++i) {
            const std::uint32_t key = table[static_cast<std::size_t>(i)];
            // No pixel has a colour with the top byte set.
            if (key > 0xFFFFFF) continue;
            std::size_t s = SlotOf(key);
            while (slots_[s].key != Empty && slots_[s].key != key) s = (s + 1) & Mask;
            // Of equal entries the first keeps its slot.
            if (slots_[s].key == Empty) slots_[s] = Slot{key, static_cast<std::uint8_t>(i)};
        }
    }
    std::optional<std::uint8_t> Find(std::uint32_t key) const {
        for (std::size_t s = SlotOf(key);; s = (s + 1) & Mask) {
            if (slots_[s].key == key) return slots_[s].index;
            if (slots_[s].key == Empty) return std::nullopt;
        }
    }

private:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    // Four times the entries: probe runs stay short.
    static constexpr std::size_t Size = 1024;
    static constexpr std::size_t Mask = Size - 1;
    static std::size_t SlotOf(std::uint32_t key) { return static_cast<std::uint32_t>(key * 2654435761u) >> 22; }

    struct Slot {
        std::uint32_t key;
        std::uint8_t index;
    };
    std::array<Slot, Size> slots_;
};

// A pixel colour in the byte order of a table entry: red and blue exchanged.
std::uint32_t EntryKey(canvas::Colour c) {
    return static_cast<std::uint32_t>(canvas::BlueOf(c)) | static_cast<std::uint32_t>(canvas::GreenOf(c)) << 8 |
           static_cast<std::uint32_t>(canvas::RedOf(c)) << 16;
}

IndexedPicture EmptyIndices(const canvas::Picture& picture) {
    return {picture.Width(), picture.Height(),
            std::vector<std::uint8_t>(static_cast<std::size_t>(picture.Width()) *
                                      static_cast<std::size_t>(picture.Height()))};
}

}  // namespace

IndexedPicture Index256Colours(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                               std::optional<canvas::Point>& firstOffTable) {
    firstOffTable.reset();
    IndexedPicture indexed = EmptyIndices(picture);
    const TableIndex index(table);
    std::uint8_t* out = indexed.indices.data();
    for (int y = 0; y < picture.Height(); ++y, out += picture.Width()) {
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            // Runs of one colour are common; they need one look-up.
            if (x > 0 && row[x] == row[x - 1]) {
                out[x] = out[x - 1];
                continue;
            }
            const std::optional<std::uint8_t> entry = index.Find(EntryKey(row[x]));
            if (!entry) {
                firstOffTable = canvas::Point{x, y};
                return {};
            }
            out[x] = *entry;
        }
    }
    return indexed;
}

std::vector<canvas::Point> OffTablePixels(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                                          std::size_t limit, std::size_t& count) {
    std::vector<canvas::Point> found;
    count = 0;
    const TableIndex index(table);
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        bool previousOff = false;
        for (int x = 0; x < picture.Width(); ++x) {
            // A run of one colour needs one look-up.
            const bool off = (x > 0 && row[x] == row[x - 1]) ? previousOff : !index.Find(EntryKey(row[x]));
            previousOff = off;
            if (!off) continue;
            if (found.size() < limit) found.push_back({x, y});
            ++count;
        }
    }
    return found;
}

IndexedPicture Index216Colours(const canvas::Picture& picture) {
    IndexedPicture indexed = EmptyIndices(picture);
    std::uint8_t* out = indexed.indices.data();
    for (int y = 0; y < picture.Height(); ++y, out += picture.Width()) {
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const canvas::Colour c = row[x];
            out[x] = static_cast<std::uint8_t>(36 * CubeLevel(canvas::BlueOf(c)) + 6 * CubeLevel(canvas::GreenOf(c)) +
                                               CubeLevel(canvas::RedOf(c)));
        }
    }
    return indexed;
}

std::vector<std::uint8_t> EncodeBmp(const IndexedPicture& picture, const std::array<std::uint32_t, 256>& table) {
    std::vector<std::uint8_t> file = FileWithTable(picture.width, picture.height, table);
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t stride = (width + 3) / 4 * 4;
    // The bottom row comes first.
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.indices.data() + static_cast<std::size_t>(y) * width, width,
                    file.data() + PixelStart + static_cast<std::size_t>(picture.height - 1 - y) * stride);
    return file;
}

std::optional<std::uint8_t> EntryOf(canvas::Colour colour, const std::array<std::uint32_t, 256>& table) {
    const std::uint32_t key = EntryKey(colour);
    for (std::size_t i = 0; i < 256; ++i)
        if (table[i] == key) return static_cast<std::uint8_t>(i);
    return std::nullopt;
}

std::vector<std::uint8_t> Build256ColourBmp(const canvas::Picture& picture, const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Point>& firstOffTable) {
    const IndexedPicture indexed = Index256Colours(picture, table, firstOffTable);
    if (firstOffTable) return {};
    return EncodeBmp(indexed, table);
}

std::vector<std::uint8_t> Build216ColourBmp(const canvas::Picture& picture,
                                            const std::array<std::uint32_t, 256>& table) {
    return EncodeBmp(Index216Colours(picture), table);
}

}  // namespace palette_bmp
