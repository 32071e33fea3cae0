// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "formats/TiledMap.h"

// Saving the board over Tiled files that are already there: what the editor
// writes takes the place of its own parts of them, and everything else
// (properties, layers, animations the editor does not play, wang sets,
// attributes it does not read) stays as it was.
namespace tiled {

// Whether `existing` is a map as MapText writes one, with nothing else in
// it: a map the editor wrote itself. False for anything Tiled or another
// program saved, and for text that is no map.
bool IsOwnMap(std::string_view existing);

// MapText's map written into `existing` (a TMX file's text): the map's size
// and tile size, the first tileset's reference and the first tile layer's
// size and data are the board's; the rest is kept. MapText's own text when
// `existing` is no map.
std::string MapTextOver(std::string_view existing, int cols, int rows, std::span<const MapCell> cells,
                        const SheetShape& sheet, const std::string& tsxName);

// TilesetText's tileset written into `existing` (a TSX file's text): the
// tile size and count, the columns and the image are the sheet's; of the
// tiles' animations, those that `ownAnimation` takes for one the editor
// plays are replaced by `animations`, and the others are kept (an editor
// animation of a tile takes the place of a kept one of that tile). The
// tileset's name, the tiles' properties and every other element stay.
// Of the wang sets, those named as one of `wangsets` are replaced by it;
// the others are kept. The image's transparent colour becomes the sheet's
// when it has one. TilesetText's own text when `existing` is no tileset.
std::string TilesetTextOver(std::string_view existing, const std::string& name, const std::string& imageName,
                            const SheetShape& sheet, std::span<const TileAnimation> animations,
                            const std::function<bool(const TileAnimation&)>& ownAnimation,
                            std::span<const WangSet> wangsets = {},
                            std::optional<canvas::Colour> transparent = std::nullopt);

}  // namespace tiled
