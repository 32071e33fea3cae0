// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/TerrainSets.h"

#include <cstdio>

#include "core/SheetGeometry.h"

namespace {

std::array<std::uint8_t, 8> WangIdOfMask(std::uint8_t mask) {
    std::array<std::uint8_t, 8> id{};
    // Tiled's order is ours: top, top-right, right, ... top-left.
    for (std::size_t i = 0; i < id.size(); ++i) id[i] = (mask >> i) & 1;
    return id;
}

std::uint8_t MaskOfWangId(const std::array<std::uint8_t, 8>& id) {
    std::uint8_t mask = 0;
    for (std::size_t i = 0; i < id.size(); ++i)
        if (id[i]) mask |= static_cast<std::uint8_t>(1u << i);
    return mask;
}

std::string ColourText(canvas::Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(c & 0xFF),
                  static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
    return text;
}

}  // namespace

tiled::WangSet WangSetOf(const Terrain& terrain, std::span<const canvas::Picture> chips, int columns) {
    tiled::WangSet set;
    set.name = terrain.name;
    set.iconTile = terrain.source.row * columns + terrain.source.col;
    const std::size_t icon = sheet::SlotOf(terrain.source.col, terrain.source.row);
    if (icon < chips.size() && !chips[icon].IsEmpty())
        set.colour = ColourText(chips[icon].GetPixel(chips[icon].Width() / 2, chips[icon].Height() / 2));
    else
        set.colour = "#000000";
    for (int i = 0; i < autotile::ChipCount; ++i) {
        const ChipRef place = terrain.PlaceOf(i);
        set.tiles.push_back(
            {place.row * columns + place.col, WangIdOfMask(autotile::Masks()[static_cast<std::size_t>(i)])});
    }
    return set;
}

std::optional<Terrain> TerrainOf(const tiled::WangSet& set, int columns, int rows) {
    if (set.iconTile < 0 || columns <= 0) return std::nullopt;
    Terrain terrain{set.name, {set.iconTile % columns, set.iconTile / columns}, {}};
    std::optional<ChipRef> area;
    std::array<bool, autotile::ChipCount> found{};
    for (const tiled::WangTile& tile : set.tiles) {
        const std::uint8_t mask = MaskOfWangId(tile.wangid);
        // A corner without both its sides is no chip of ours.
        if (autotile::Reduce(mask) != mask) return std::nullopt;
        const int index = autotile::IndexOf(mask);
        const ChipRef at{tile.tile % columns - index % autotile::AreaCols,
                         tile.tile / columns - index / autotile::AreaCols};
        if (area && *area != at) return std::nullopt;
        area = at;
        found[static_cast<std::size_t>(index)] = true;
    }
    for (std::size_t i = 1; i < found.size(); ++i)
        if (!found[i]) return std::nullopt;
    terrain.area = *area;
    const std::span<const Terrain> none;
    if (ProblemOf(terrain, none, columns, rows, 2)) return std::nullopt;
    return terrain;
}

std::vector<Terrain> TerrainsOf(std::span<const tiled::WangSet> sets, int columns, int rows) {
    std::vector<Terrain> terrains;
    for (const tiled::WangSet& set : sets) {
        std::optional<Terrain> t = TerrainOf(set, columns, rows);
        if (!t) continue;
        // Two sets of one name, or over one another, can't both live.
        if (ProblemOf(*t, terrains, columns, rows, 2)) continue;
        bool named = false;
        for (const Terrain& o : terrains) named = named || o.name == t->name;
        if (!named) terrains.push_back(std::move(*t));
    }
    return terrains;
}
