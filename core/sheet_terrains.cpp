// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet's terrains: their chips written from their source blocks, and
// written again whenever a block changes.
#include "core/SheetDocument.h"

void SheetDocument::PutTerrain(const Terrain& terrain) {
    std::size_t i = 0;
    while (i < terrains_.size() && terrains_[i].name != terrain.name) ++i;
    if (i == terrains_.size()) {
        terrains_.push_back(terrain);
        terrainSeen_.emplace_back();
    }
    terrains_[i] = terrain;
    std::vector<ChipRef> written;
    WriteTerrainChips(terrain, written);
    terrainSeen_[i] = SourceVersions(terrain);
}

void SheetDocument::SetTerrains(std::vector<Terrain> terrains) {
    terrains_ = std::move(terrains);
    terrainSeen_.assign(terrains_.size(), {});
    SeeTerrainSources();
}

std::vector<ChipRef> SheetDocument::FollowTerrains() {
    std::vector<ChipRef> written;
    for (std::size_t i = 0; i < terrains_.size(); ++i) {
        if (SourceVersions(terrains_[i]) == terrainSeen_[i]) continue;
        WriteTerrainChips(terrains_[i], written);
        terrainSeen_[i] = SourceVersions(terrains_[i]);
    }
    return written;
}

void SheetDocument::WriteTerrainChips(const Terrain& t, std::vector<ChipRef>& written) {
    const canvas::Picture& icon = Chip(t.source.col, t.source.row);
    // Quarters need an even chip size, and every chip of the block the same.
    const int size = icon.Width();
    if (size <= 0 || size % 2 != 0 || icon.Height() != size) return;
    for (int c = 0; c < autotile::SourceCols; ++c)
        for (int r = 0; r < autotile::SourceRows; ++r) {
            const canvas::Picture& chip = Chip(t.source.col + c, t.source.row + r);
            if (chip.Width() != size || chip.Height() != size) return;
        }
    const autotile::SourceChip source = [&](int c, int r) -> const canvas::Picture& {
        return Chip(t.source.col + c, t.source.row + r);
    };
    for (int i = 0; i < autotile::ChipCount; ++i) {
        const ChipRef place = t.PlaceOf(i);
        canvas::Picture& chip = ChangeChip(place.col, place.row);
        chip.SetSize(size, size);
        autotile::DrawChip(chip, autotile::Masks()[static_cast<std::size_t>(i)], source);
        written.push_back(place);
    }
}

std::array<std::uint64_t, autotile::SourceCols * autotile::SourceRows> SheetDocument::SourceVersions(
    const Terrain& t) const {
    std::array<std::uint64_t, autotile::SourceCols * autotile::SourceRows> versions{};
    std::size_t n = 0;
    for (int c = 0; c < autotile::SourceCols; ++c)
        for (int r = 0; r < autotile::SourceRows; ++r) versions[n++] = Version(t.source.col + c, t.source.row + r);
    return versions;
}

void SheetDocument::SeeTerrainSources() {
    for (std::size_t i = 0; i < terrains_.size(); ++i) terrainSeen_[i] = SourceVersions(terrains_[i]);
}
