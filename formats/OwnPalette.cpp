#include "formats/OwnPalette.h"

#include <unordered_set>

namespace own_palette {
namespace {

// Colours to palette entries for at most MaxColours colours: open addressing
// in a table four times that size, several times quicker than
// std::unordered_map for the lookup every change of colour along a row asks.
class EntryTable {
public:
    EntryTable() { entries_.fill(-1); }
    // The entry of `c`, or -1.
    int Find(canvas::Colour c) const {
        for (std::size_t slot = SlotOf(c);; slot = (slot + 1) % Slots)
            if (entries_[slot] < 0 || colours_[slot] == c) return entries_[slot];
    }
    // Keeps the entry `c` has already.
    void Insert(canvas::Colour c, std::size_t entry) {
        std::size_t slot = SlotOf(c);
        while (entries_[slot] >= 0 && colours_[slot] != c) slot = (slot + 1) % Slots;
        if (entries_[slot] < 0) colours_[slot] = c, entries_[slot] = static_cast<std::int16_t>(entry);
    }

private:
    static constexpr std::size_t Slots = 4 * palette_file::MaxColours;
    static std::size_t SlotOf(canvas::Colour c) { return (c * 0x9E3779B1u) >> 22; }  // the top 10 bits
    std::array<canvas::Colour, Slots> colours_{};
    std::array<std::int16_t, Slots> entries_{};
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
    palette_bmp::IndexedPicture indexed{picture.Width(), picture.Height(), {}};
    indexed.indices.resize(static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()));
    std::uint8_t* out = indexed.indices.data();
    canvas::Colour last = 0;
    std::uint8_t lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const canvas::Colour c = row[static_cast<std::size_t>(x)];
            // Neighbouring pixels mostly share their colour.
            if (!haveLast || c != last) {
                const int found = entryOf.Find(c);
                if (found < 0) {
                    firstOffTable = canvas::Point{x, y};
                    return {};
                }
                last = c, lastIndex = static_cast<std::uint8_t>(found), haveLast = true;
            }
            *out++ = lastIndex;
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

// SheetColours and IndexExactly in one pass: each new colour takes the next
// entry as the pixels are indexed.
Indexing IndexWithOwnColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent) {
    Indexing indexing;
    palette_file::Palette& palette = indexing.palette;
    EntryTable entries;
    if (transparent) {
        entries.Insert(*transparent, 0);
        palette.push_back(*transparent);
    }
    indexing.picture = {picture.Width(), picture.Height(), {}};
    indexing.picture.indices.resize(static_cast<std::size_t>(picture.Width()) *
                                    static_cast<std::size_t>(picture.Height()));
    std::uint8_t* out = indexing.picture.indices.data();
    std::optional<canvas::Colour> last;
    std::uint8_t lastIndex = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (const canvas::Colour c : picture.Row(y)) {
            if (c != last) {
                int entry = entries.Find(c);
                if (entry < 0) {
                    if (palette.size() == palette_file::MaxColours) {
                        std::size_t count = 0;
                        SheetColours(picture, transparent, count);
                        return {{}, {}, std::nullopt, count};
                    }
                    entry = static_cast<int>(palette.size());
                    entries.Insert(c, palette.size());
                    palette.push_back(c);
                }
                last = c, lastIndex = static_cast<std::uint8_t>(entry);
            }
            *out++ = lastIndex;
        }
    indexing.colourCount = palette.size();
    return indexing;
}

}  // namespace own_palette
