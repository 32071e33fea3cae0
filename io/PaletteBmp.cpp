#include "io/PaletteBmp.h"

#include <algorithm>
#include <utility>

#include "io/ByteWriter.h"

namespace palette_bmp {
namespace {

constexpr std::size_t PixelStart = 14 + 40 + 256 * 4;

std::size_t Stride(const canvas::Picture& picture) {
    return (static_cast<std::size_t>(picture.Width()) + 3) / 4 * 4;
}

// Headers and table; the pixel bytes stay zero for the caller to fill.
std::vector<std::uint8_t> FileWithTable(const canvas::Picture& picture,
                                        const std::array<std::uint32_t, 256>& table) {
    const std::size_t size = PixelStart + Stride(picture) * static_cast<std::size_t>(picture.Height());
    std::vector<std::uint8_t> file(size, 0);
    bmp::PutHeaders(file, static_cast<std::uint32_t>(picture.Width()), static_cast<std::uint32_t>(picture.Height()), 8,
                    256, static_cast<std::uint32_t>(size));
    for (std::size_t i = 0; i < 256; ++i) bmp::Put32(file, 54 + 4 * i, table[i]);
    return file;
}

// Where the index of pixel row y starts: the bottom row comes first.
std::uint8_t* RowOf(std::vector<std::uint8_t>& file, const canvas::Picture& picture, int y) {
    return file.data() + PixelStart + static_cast<std::size_t>(picture.Height() - 1 - y) * Stride(picture);
}

// The table sorted by entry, each entry once with its first index, so that a
// pixel is looked up in eight steps instead of a walk through 256 entries.
class TableIndex {
public:
    explicit TableIndex(const std::array<std::uint32_t, 256>& table) {
        for (int i = 0; i < 256; ++i) entries_[i] = {table[i], i};
        // Equal entries order by index, so the first of them is found.
        std::sort(entries_.begin(), entries_.end());
    }
    std::optional<std::uint8_t> Find(std::uint32_t key) const {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), std::pair<std::uint32_t, int>{key, 0});
        if (it == entries_.end() || it->first != key) return std::nullopt;
        return static_cast<std::uint8_t>(it->second);
    }

private:
    std::array<std::pair<std::uint32_t, int>, 256> entries_;
};

// A pixel colour in the byte order of a table entry: red and blue exchanged.
std::uint32_t EntryKey(canvas::Colour c) {
    return static_cast<std::uint32_t>(canvas::BlueOf(c)) | static_cast<std::uint32_t>(canvas::GreenOf(c)) << 8 |
           static_cast<std::uint32_t>(canvas::RedOf(c)) << 16;
}

}  // namespace

std::vector<std::uint8_t> Build256ColourBmp(const canvas::Picture& picture,
                                            const std::array<std::uint32_t, 256>& table,
                                            std::optional<canvas::Point>& firstOffTable) {
    firstOffTable.reset();
    std::vector<std::uint8_t> file = FileWithTable(picture, table);
    const TableIndex index(table);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* out = RowOf(file, picture, y);
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const std::optional<std::uint8_t> entry = index.Find(EntryKey(row[x]));
            if (!entry) {
                firstOffTable = canvas::Point{x, y};
                return {};
            }
            out[x] = *entry;
        }
    }
    return file;
}

std::vector<std::uint8_t> Build216ColourBmp(const canvas::Picture& picture,
                                            const std::array<std::uint32_t, 256>& table) {
    std::vector<std::uint8_t> file = FileWithTable(picture, table);
    for (int y = 0; y < picture.Height(); ++y) {
        std::uint8_t* out = RowOf(file, picture, y);
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const canvas::Colour c = row[x];
            out[x] = static_cast<std::uint8_t>(36 * CubeLevel(canvas::BlueOf(c)) + 6 * CubeLevel(canvas::GreenOf(c)) +
                                               CubeLevel(canvas::RedOf(c)));
        }
    }
    return file;
}

}  // namespace palette_bmp
