#include "io/PaletteBmp.h"

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
    return file;
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
