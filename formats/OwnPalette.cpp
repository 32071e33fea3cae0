#include "formats/OwnPalette.h"

#include <unordered_map>
#include <unordered_set>

namespace own_palette {

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
    std::unordered_map<canvas::Colour, std::uint8_t> entryOf;
    for (std::size_t i = palette.size(); i-- > 0;)
        if (i < palette_file::MaxColours) entryOf[palette[i]] = static_cast<std::uint8_t>(i);
    palette_bmp::IndexedPicture indexed{picture.Width(), picture.Height(), {}};
    indexed.indices.reserve(static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height()));
    canvas::Colour last = 0;
    std::uint8_t lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const canvas::Colour c = row[static_cast<std::size_t>(x)];
            // Neighbouring pixels mostly share their colour.
            if (!haveLast || c != last) {
                const auto found = entryOf.find(c);
                if (found == entryOf.end()) {
                    firstOffTable = canvas::Point{x, y};
                    return {};
                }
                last = c, lastIndex = found->second, haveLast = true;
            }
            indexed.indices.push_back(lastIndex);
        }
    }
    return indexed;
}

palette_file::Palette SheetColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent,
                                   std::size_t& count, std::size_t countUpTo) {
    palette_file::Palette palette;
    std::unordered_set<canvas::Colour> seen;
    if (transparent) {
        seen.insert(*transparent);
        palette.push_back(*transparent);
    }
    // Neighbouring pixels mostly share their colour: the set is asked only
    // when it changes.
    std::optional<canvas::Colour> last;
    for (int y = 0; y < picture.Height() && seen.size() < countUpTo; ++y)
        for (const canvas::Colour c : picture.Row(y)) {
            if (c == last) continue;
            last = c;
            if (seen.insert(c).second && seen.size() <= palette_file::MaxColours) palette.push_back(c);
        }
    count = seen.size();
    if (count > palette_file::MaxColours) palette.clear();
    return palette;
}

Indexing IndexWithPalette(const canvas::Picture& picture, const palette_file::Palette& palette) {
    Indexing indexing;
    indexing.picture = IndexExactly(picture, palette, indexing.offTable);
    if (!indexing.offTable) indexing.palette = palette;
    return indexing;
}

Indexing IndexWithOwnColours(const canvas::Picture& picture, std::optional<canvas::Colour> transparent) {
    std::size_t count = 0;
    palette_file::Palette palette = SheetColours(picture, transparent, count);
    if (palette.empty()) return {{}, {}, std::nullopt, count};
    Indexing indexing = IndexWithPalette(picture, palette);
    indexing.colourCount = count;
    return indexing;
}

}  // namespace own_palette
