// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include <pugixml.hpp>

namespace tiled {

// The gids of a tile layer's <data> element, exactly `count` of them: CSV,
// base64 (plain, zlib or gzip) or one <tile> element per cell. Throws
// MapRefused: Encoding for another encoding or compression (zstd, chunks),
// Data for data that are broken or not `count` gids long.
std::vector<std::uint32_t> ReadLayerData(const pugi::xml_node& data, std::size_t count);

}  // namespace tiled
