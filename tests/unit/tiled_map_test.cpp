// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and odd maps through the map reader: each refused with its reason,
// or read, as the table says. The map lies in a folder "maps" beside a
// folder "victim"; the sheet's tileset sits in maps/ and maps/sub/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "formats/TiledMap.h"
#include "tests/support/ScratchDirectory.h"

namespace {

namespace fs = std::filesystem;
using tiled::Refusal;

constexpr tiled::SheetShape Sheet{16, 30, 16, 256};

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Tsx(const std::string& image) {
    return "<tileset tilewidth=\"16\" tileheight=\"16\" tilecount=\"480\" columns=\"30\"><image source=\"" + image +
           "\" width=\"480\" height=\"256\"/></tileset>";
}

std::string Map(const std::string& tileset, const std::string& data = "<data encoding=\"csv\">1,32,0</data>") {
    return "<map orientation=\"orthogonal\" width=\"3\" height=\"1\" tilewidth=\"16\" tileheight=\"16\">" + tileset +
           "<layer width=\"3\" height=\"1\">" + data + "</layer></map>";
}

std::string External(const std::string& source) { return "<tileset firstgid=\"1\" source=\"" + source + "\"/>"; }

std::string Embedded(const std::string& image) {
    std::string tsx = Tsx(image);
    return tsx.insert(9, "firstgid=\"1\" ");
}

TEST(TiledMap, MapsReadOrRefusedByTheTable) {
    const ScratchDirectory scratch;
    const fs::path maps = scratch.Path() / "maps";
    Write(maps / "sheet.tsx", Tsx("sheet.png"));
    Write(maps / "sub/sheet.tsx", Tsx("../sheet.png"));
    Write(maps / "up.tsx", Tsx("../victim/photo.png"));
    Write(maps / "padded.tsx", Tsx("sheet.png") + std::string(4 << 20, '\n'));
    Write(scratch.Path() / "victim/sheet.tsx", Tsx("photo.png"));
    fs::create_directory_symlink(scratch.Path() / "victim", maps / "link");

    struct Case {
        const char* name;
        std::string map;
        std::optional<Refusal> refusal;  // none: read
    };
    const Case cases[] = {
        {"tileset beside the map", Map(External("sheet.tsx")), std::nullopt},
        {"tileset below, its image back in the map's folder", Map(External("sub/sheet.tsx")), std::nullopt},
        {"tileset out of the folder", Map(External("../victim/sheet.tsx")), Refusal::OutsideFolder},
        {"tileset by an absolute path", Map(External((scratch.Path() / "victim/sheet.tsx").string())),
         Refusal::OutsideFolder},
        {"tileset through a link out of the folder", Map(External("link/sheet.tsx")), Refusal::OutsideFolder},
        {"tileset image out of the folder", Map(External("up.tsx")), Refusal::OutsideFolder},
        {"embedded tileset image out of the folder", Map(Embedded("../../victim/photo.png")), Refusal::OutsideFolder},
        {"embedded tileset image by an absolute path", Map(Embedded("/etc/passwd")), Refusal::OutsideFolder},
        {"tile elements", Map(External("sheet.tsx"), "<data><tile gid=\"1\"/><tile gid=\"32\"/><tile/></data>"),
         std::nullopt},
        {"a map of elements past any map's count",
         Map(External("sheet.tsx"), "<data>" + std::string(30, ' ') + "</data>").insert(5, std::string(4 << 16, '<')),
         Refusal::TooLarge},
        {"a tileset past the size of any tileset", Map(External("padded.tsx")), Refusal::TooLarge},
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    for (const char* gid : {"abc", "", "-1", "0x20", "32.9", "4294967296"})
        all.push_back(
            {gid, Map(External("sheet.tsx"), "<data><tile gid=\"" + std::string(gid) + "\"/><tile/><tile/></data>"),
             Refusal::Data});
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        Write(maps / "map.tmx", c.map);
        try {
            const tiled::BoardMap map = tiled::ReadMap((maps / "map.tmx").string(), Sheet);
            EXPECT_FALSE(c.refusal) << "read";
            EXPECT_EQ(map.cells, (std::vector<int>{0, 31, tiled::EmptyCell}));
            EXPECT_EQ(fs::weakly_canonical(map.sheetImagePath), fs::weakly_canonical(maps / "sheet.png"));
        } catch (const tiled::MapRefused& e) {
            EXPECT_EQ(std::optional(e.why), c.refusal);
        }
    }
}

}  // namespace
