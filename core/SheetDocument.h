// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "canvas/Picture.h"
#include "core/ChipAnimations.h"
#include "core/SheetGeometry.h"
#include "core/Terrain.h"

// The sheet being edited: its chips, the transparent colour, the colour
// table and the animations. Every change of a chip goes through ChangeChip, which gives the
// chip a new version, so that the views (sheet, tile preview, board) and the
// recovery copy see what changed by comparing versions, not pixels.
class SheetDocument {
public:
    SheetDocument();

    const SheetGeometry& Geometry() const { return geometry_; }
    // The sheet takes a new shape: every chip of it becomes chipSize square,
    // keeping its top-left pixels (black where it grew; a slot never used
    // before comes in black). Chips outside the new shape are not touched.
    // The shape must fit (sheet::Fits).
    void Reshape(const SheetGeometry& geometry);
    // The history's whole-sheet step takes a reshaping change back and makes
    // it again: the shape trades places with `geometry`, and the step trades
    // the chips (every slot it changed) itself.
    void ExchangeShape(SheetGeometry& geometry) { std::swap(geometry_, geometry); }

    const canvas::Picture& Chip(int col, int row) const { return chips_[sheet::SlotOf(col, row)]; }
    // The chip about to change; its version moves on.
    canvas::Picture& ChangeChip(int col, int row);
    // Every slot of the chip table (sheet::SlotOf); slots outside the sheet
    // hold empty pictures.
    std::span<const canvas::Picture> Chips() const { return chips_; }
    std::uint64_t Version(int col, int row) const { return versions_[sheet::SlotOf(col, row)]; }
    // For a change taken back pixel for pixel (the rubber band draws into the
    // chip and puts it back): the chip is the one of `version` again, so the
    // views and the recovery copy have nothing to redo.
    void TakeBackChange(int col, int row, std::uint64_t version) { versions_[sheet::SlotOf(col, row)] = version; }
    std::span<const std::uint64_t> Versions() const { return versions_; }

    // Every chip of the sheet from its place in `picture`; where the picture
    // is smaller than the sheet, black.
    void CutIntoChips(const canvas::Picture& picture);
    // The whole sheet as one picture, into `sheetPicture`.
    void ComposeInto(canvas::Picture& sheetPicture) const;

    // T: the colour that stands for transparent pixels in PNG files.
    std::optional<canvas::Colour> TransparentColor;
    // The colour table of the indexed file the sheet was loaded from, in its
    // order; empty when it came from a file without one.
    std::vector<canvas::Colour> ColourTable;
    // The chips that move, and their frames; the board's tileset keeps them.
    ChipAnimations Animations;

    // ---- Terrains (core/sheet_terrains.cpp) ----
    const std::vector<Terrain>& Terrains() const { return terrains_; }
    // Adds the terrain, or replaces the one of its name, and writes its chips.
    void PutTerrain(const Terrain& terrain);
    // Terrains as they were kept (a recovery copy, a board's tileset): their
    // chips are taken as they stand until a block changes.
    void SetTerrains(std::vector<Terrain> terrains);
    // Writes again the chips of every terrain whose source block changed
    // since they were last written; returns the chips written.
    std::vector<ChipRef> FollowTerrains();

private:
    void WriteTerrainChips(const Terrain& terrain, std::vector<ChipRef>& written);
    std::array<std::uint64_t, autotile::SourceCols * autotile::SourceRows> SourceVersions(const Terrain& t) const;
    void SeeTerrainSources();
    std::vector<Terrain> terrains_;
    // Per terrain: its block's chip versions when its chips were last written.
    std::vector<std::array<std::uint64_t, autotile::SourceCols * autotile::SourceRows>> terrainSeen_;

    SheetGeometry geometry_;
    std::vector<canvas::Picture> chips_;
    std::vector<std::uint64_t> versions_;
    std::uint64_t nextVersion_ = 1;
};
