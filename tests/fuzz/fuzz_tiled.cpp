// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a Tiled map: read or refused with a reason, never more cells
// than the size allows, never a tile outside the sheet and never a sheet
// picture outside the map's folder. The tileset the map names is looked for
// beside it: a directory that holds a good one and its picture, which is
// then read as the board load reads it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "formats/PictureFormats.h"
#include "formats/PictureReadError.h"
#include "formats/PngWriter.h"
#include "formats/TiledMap.h"

namespace {

// The editor's sheet: 16 x 16 tiles, 30 columns, 16 rows; maps up to 256
// cells a side.
constexpr tiled::SheetShape Sheet{16, 30, 16, 256};

struct Directory {
    Directory() {
        char templ[] = "/tmp/tessaro-fuzz-tiled-XXXXXX";
        if (!::mkdtemp(templ)) std::abort();
        dir = templ;
        map = dir + "/map.tmx";
        const std::string tsx = tiled::TilesetText("sheet", "sheet.png", Sheet);
        const std::vector<std::uint8_t> png = png::EncodeRgb(canvas::Picture(480, 256), std::nullopt);
        std::ofstream(dir + "/sheet.png", std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        std::FILE* file = std::fopen((dir + "/sheet.tsx").c_str(), "wb");
        if (!file) std::abort();
        std::fwrite(tsx.data(), 1, tsx.size(), file);
        std::fclose(file);
    }
    std::string dir, map;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Directory directory;
    std::FILE* file = std::fopen(directory.map.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    try {
        const tiled::BoardMap map = tiled::ReadMap(directory.map, Sheet);
        if (map.cols < 1 || map.rows < 1 || map.cols > Sheet.maxMapSide || map.rows > Sheet.maxMapSide ||
            map.cells.size() != static_cast<std::size_t>(map.cols) * map.rows)
            std::abort();
        for (const tiled::MapCell& cell : map.cells)
            if (cell.tile != tiled::EmptyCell && (cell.tile < 0 || cell.tile >= Sheet.TileCount())) std::abort();
        namespace fs = std::filesystem;
        const std::string image = fs::weakly_canonical(fs::absolute(map.sheetImagePath)).string();
        if (!image.starts_with(fs::canonical(directory.dir).string() + "/")) std::abort();
        std::ifstream in(image, std::ios::binary);
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        try {
            MemoryBytes source(bytes);
            PictureFormatOf(image).decode(source, 480, 256);
        } catch (const PictureReadError&) {}
    } catch (const tiled::MapRefused&) {}
    return 0;
}
