// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/OwnPalette.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_set>

namespace own_palette {
namespace {

// Colours to palette entries for at most MaxColours colours: open addressing
// in a table four times that size, several times quicker than
// std::unordered_map. A colour in its own slot, by far the common case, takes
// one comparison: an empty slot holds a colour that belongs to another slot,
// so it matches no colour that is looked up there.
class EntryTable {
public:
    EntryTable() {
        for (std::size_t slot = 0; slot < Slots; ++slot) {
            canvas::Colour stranger = static_cast<canvas::Colour>(slot);
            while (SlotOf(stranger) == slot) ++stranger;
            colours_[slot] = stranger;
        }
    }
    // The entry of `c`, or -1.
    int Find(canvas::Colour c) const {
        const std::size_t slot = SlotOf(c);
        if (colours_[slot] == c) return entries_[slot];
        return FindAfter(c, slot);
    }
    // Keeps the entry `c` has already.
    void Insert(canvas::Colour c, std::size_t entry) {
        std::size_t slot = SlotOf(c);
        while (used_[slot] && colours_[slot] != c) slot = (slot + 1) % Slots;
        if (!used_[slot]) used_[slot] = true, colours_[slot] = c, entries_[slot] = static_cast<std::uint8_t>(entry);
    }

private:
    static constexpr std::size_t Slots = 4 * palette_file::MaxColours;
    static std::size_t SlotOf(canvas::Colour c) { return (c * 0x9E3779B1u) >> 22; }  // the top 10 bits

    // The rest of the probe, kept out of the loops that call Find.
    [[gnu::noinline]] int FindAfter(canvas::Colour c, std::size_t slot) const {
        for (; used_[slot]; slot = (slot + 1) % Slots)
            if (colours_[slot] == c) return entries_[slot];
        return -1;
    }

    std::array<canvas::Colour, Slots> colours_;
    std::array<std::uint8_t, Slots> entries_{};
    std::array<bool, Slots> used_{};
};

// How many distinct colours the picture has with `transparent`, counting no
// further than the end of the row where the count reaches `countUpTo`.
std::size_t CountColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                         std::size_t countUpTo) {
    std::unordered_set<canvas::Colour> seen;
    if (transparent) seen.insert(*transparent);
    std::optional<canvas::Colour> last;
    for (int y = 0; y < picture.Height() && seen.size() < countUpTo; ++y)
        for (const canvas::Colour c : picture.Row(y)) {
            if (c == last) continue;
            last = c;
            seen.insert(c);
        }
    return seen.size();
}

}  // namespace

std::array<std::uint32_t, 256> TableEntries(const palette_file::Palette& palette) {
    std::array<std::uint32_t, 256> table{};
    for (std::size_t i = 0; i < palette.size() && i < table.size(); ++i) {
        const canvas::Colour c = palette[i];
        table[i] = static_cast<std::uint32_t>(canvas::BlueOf(c)) | static_cast<std::uint32_t>(canvas::GreenOf(c)) << 8 |
                   static_cast<std::uint32_t>(canvas::RedOf(c)) << 16;
    }
    return table;
}

palette_bmp::IndexedPicture IndexExactly(const canvas::Picture& picture, const palette_file::Palette& palette,
                                         std::optional<canvas::Point>& firstOffTable) {
    firstOffTable.reset();
    EntryTable entryOf;
    for (std::size_t i = 0; i < palette.size() && i < palette_file::MaxColours; ++i) entryOf.Insert(palette[i], i);
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    palette_bmp::IndexedPicture indexed{picture.Width(), picture.Height(), {}};
    indexed.indices.resize(width * static_cast<std::size_t>(picture.Height()));
    std::uint8_t* out = indexed.indices.data();
    for (int y = 0; y < picture.Height(); ++y, out += width) {
        const canvas::Colour* row = picture.Row(y).data();
        for (std::size_t x = 0; x < width; ++x) {
            const int found = entryOf.Find(row[x]);
            if (found < 0) {
                firstOffTable = canvas::Point{static_cast<int>(x), y};
                return {};
            }
            out[x] = static_cast<std::uint8_t>(found);
        }
    }
    return indexed;
}

palette_file::Palette SheetColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                   std::size_t& count, std::size_t countUpTo) {
    palette_file::Palette palette;
    EntryTable entries;
    if (transparent) {
        entries.Insert(*transparent, 0);
        palette.push_back(*transparent);
    }
    // Neighbouring pixels mostly share their colour: the table is asked only
    // when it changes.
    std::optional<canvas::Colour> last;
    for (int y = 0; y < picture.Height(); ++y)
        for (const canvas::Colour c : picture.Row(y)) {
            if (c == last) continue;
            last = c;
            if (entries.Find(c) >= 0) continue;
            if (palette.size() == palette_file::MaxColours) {
                // Past a palette's size the count alone is wanted.
                count = CountColours(picture, transparent, countUpTo);
                return {};
            }
            entries.Insert(c, palette.size());
            palette.push_back(c);
        }
    count = palette.size();
    return palette;
}

Indexing IndexWithPalette(const canvas::Picture& picture, const palette_file::Palette& palette) {
    Indexing indexing;
    indexing.picture = IndexExactly(picture, palette, indexing.offTable);
    if (!indexing.offTable) indexing.palette = palette;
    return indexing;
}

// A colour new to the palette gets the next entry; -1 when it is full.
[[gnu::noinline]] int AddColour(EntryTable& entries, palette_file::Palette& palette, canvas::Colour c) {
    if (palette.size() == palette_file::MaxColours) return -1;
    entries.Insert(c, palette.size());
    palette.push_back(c);
    return static_cast<int>(palette.size() - 1);
}

// SheetColours and IndexExactly in one pass: each new colour takes the next
// entry as the pixels are indexed. Every pixel asks the table (a hit costs
// less than the mispredicted test for a change of colour that grainy chips
// cause at every other pixel), and eight indices go out as one word.
Indexing IndexWithOwnColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                             std::size_t countUpTo) {
    Indexing indexing;
    palette_file::Palette& palette = indexing.palette;
    EntryTable entries;
    if (transparent) AddColour(entries, palette, *transparent);
    const std::size_t width = static_cast<std::size_t>(picture.Width());
    indexing.picture = {picture.Width(), picture.Height(), {}};
    indexing.picture.indices.resize(width * static_cast<std::size_t>(picture.Height()));
    std::uint8_t* out = indexing.picture.indices.data();
    for (int y = 0; y < picture.Height(); ++y, out += width) {
        const canvas::Colour* row = picture.Row(y).data();
        std::size_t x = 0;
        for (; x < width; x += 8) {
            const std::size_t n = std::min<std::size_t>(8, width - x);
            std::uint64_t word = 0;
            for (std::size_t i = 0; i < n; ++i) {
                int entry = entries.Find(row[x + i]);
                if (entry < 0) [[unlikely]]
                    entry = AddColour(entries, palette, row[x + i]);
                if (entry < 0) [[unlikely]] {
                    std::size_t count = 0;
                    SheetColours(picture, transparent, count, countUpTo);
                    return {{}, {}, std::nullopt, count};
                }
                word |= static_cast<std::uint64_t>(entry) << (8 * i);
            }
            // The first index in the lowest byte is the first in memory on
            // a little-endian machine; elsewhere the bytes go one by one.
            if (std::endian::native == std::endian::little && n == 8)
                std::memcpy(out + x, &word, 8);
            else
                for (std::size_t i = 0; i < n; ++i) out[x + i] = static_cast<std::uint8_t>(word >> (8 * i));
        }
    }
    indexing.colourCount = palette.size();
    return indexing;
}

}  // namespace own_palette
