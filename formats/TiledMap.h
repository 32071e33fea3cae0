// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas/Orientation.h"
#include "canvas/Picture.h"

// A board of cells as a Tiled map: an orthogonal TMX map of square tiles
// with one tile layer, and an external TSX tileset for the sheet, tile id =
// row x columns + column (gid = id + firstgid; 0 is an empty cell), with
// the cell's orientation in the gid's top bits. The sheet's geometry is the
// caller's (SheetShape).
namespace tiled {

// The tileset the map must use, and how large a map may be.
struct SheetShape {
    int tileSide = 0;  // of the map's tiles and the tileset's
    int columns = 0;   // of the tileset
    int rows = 0;
    int maxMapSide = 0;  // cells each way

    int TileCount() const { return columns * rows; }
};

// A cell that holds no tile.
constexpr int EmptyCell = -1;

// A cell of a map: a tile of the sheet shown in one of the eight
// orientations, or EmptyCell.
struct MapCell {
    int tile = EmptyCell;
    canvas::Orientation orientation = canvas::Orientation::AsIs;
    friend bool operator==(const MapCell&, const MapCell&) = default;
};

// An orientation as the flag bits of a gid (0x80000000 horizontal,
// 0x40000000 vertical, 0x20000000 diagonal), and back.
constexpr std::uint32_t FlagBitsOf(canvas::Orientation o) { return static_cast<std::uint32_t>(o) << 29; }
constexpr canvas::Orientation OrientationOfGid(std::uint32_t gid) {
    return static_cast<canvas::Orientation>((gid >> 29) & 7);
}

// Why a map is refused; the handler turns it into the user's message.
enum class Refusal {
    Unreadable,  // the file can't be read
    TooLarge,    // a map or tileset file past the size or element limits
    NotAMap,     // not XML, or no <map> at its root
    NotOrthogonal,
    TileSize,  // map tiles not 16 x 16
    Infinite,
    Layers,            // not exactly one tile layer, or other layers besides
    LayerLook,         // the layer is hidden, see-through or offset
    Size,              // not 1..256 cells each way, or the layer's size differs
    Tileset,           // not exactly one tileset that is the sheet
    Encoding,          // a data encoding or compression we don't read
    Data,              // tile data broken or of the wrong length
    TileOutsideSheet,  // a gid that is no tile of the sheet
    OutsideFolder,     // the tileset or its image lies outside the map's folder
};

class MapRefused;
// Leaves with MapRefused(why).
[[noreturn]] void Refuse(Refusal why);

class MapRefused : public std::runtime_error {
public:
    explicit MapRefused(Refusal why);
    Refusal why;
};

// A tile that Tiled plays as an animation: each frame shows a tile of the
// tileset for its duration.
struct AnimationFrame {
    int tile = 0;
    int durationMs = 0;
    friend bool operator==(const AnimationFrame&, const AnimationFrame&) = default;
};
struct TileAnimation {
    int tile = 0;
    std::vector<AnimationFrame> frames;
    friend bool operator==(const TileAnimation&, const TileAnimation&) = default;
};

// A terrain set of one colour as Tiled's "mixed" wang set: each tile with
// its wang id, the colour (0 or 1) at its top, top-right, right, ... and
// top-left, clockwise.
struct WangTile {
    int tile = 0;
    std::array<std::uint8_t, 8> wangid{};
    friend bool operator==(const WangTile&, const WangTile&) = default;
};
struct WangSet {
    std::string name;
    std::string colour;  // "#rrggbb"
    int iconTile = -1;   // -1: none
    std::vector<WangTile> tiles;
    friend bool operator==(const WangSet&, const WangSet&) = default;
};

struct BoardMap {
    int cols = 0;
    int rows = 0;
    std::vector<MapCell> cells;  // row by row
    std::string sheetImagePath;  // the tileset's image, as a path to open
    // The tileset's animations; one naming a tile outside the sheet, or with
    // a frame of no positive duration, is left out rather than refused.
    std::vector<TileAnimation> animations;
    // The tileset's terrain sets of one colour; others, and tiles outside
    // the sheet, are left out.
    std::vector<WangSet> wangsets;
    // The colour the tileset's image gives transparent pixels (its image's
    // "trans"), when it names one.
    std::optional<canvas::Colour> transparent;
};

// Reads a TMX file and the TSX file it uses. The tileset file and the
// tileset's image must lie in the map's folder or below it, after every
// link is followed: a map can't make the editor read any other file of the
// user's. Throws MapRefused.
BoardMap ReadMap(const std::string& tmxPath, const SheetShape& sheet);

// The text of the TMX file of a cols x rows board whose `cells` (row by row)
// use the tileset file `tsxName` (a name relative to the map's directory).
std::string MapText(int cols, int rows, std::span<const MapCell> cells, const SheetShape& sheet,
                    const std::string& tsxName);
// The text of the TSX file of the sheet, named `name`, whose image is the
// file `imageName` relative to the tileset's directory.
std::string TilesetText(const std::string& name, const std::string& imageName, const SheetShape& sheet,
                        std::span<const TileAnimation> animations = {}, std::span<const WangSet> wangsets = {},
                        std::optional<canvas::Colour> transparent = std::nullopt);

}  // namespace tiled
