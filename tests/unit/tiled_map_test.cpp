// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and odd maps through the map reader: each refused with its reason,
// or read, as the table says. The map lies in a folder "maps" beside a
// folder "victim"; the sheet's tileset sits in maps/ and maps/sub/.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include <pugixml.hpp>

#include "formats/TiledKeep.h"
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
    // Numbers of the tileset that are no whole numbers are broken data too.
    for (const char* tile :
         {"<tile id=\"x\"/>", "<tile id=\"2\"><animation><frame tileid=\"1e3\" duration=\"9\"/></animation></tile>",
          "<tile id=\"2\"><animation><frame tileid=\"3\" duration=\"1.5\"/></animation></tile>"}) {
        std::string tileset = Embedded("sheet.png");
        all.push_back({tile, Map(tileset.insert(tileset.rfind("</tileset>"), tile)), Refusal::Data});
    }
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        Write(maps / "map.tmx", c.map);
        try {
            const tiled::BoardMap map = tiled::ReadMap((maps / "map.tmx").string(), Sheet);
            EXPECT_FALSE(c.refusal) << "read";
            EXPECT_EQ(map.cells, (std::vector<tiled::MapCell>{{0}, {31}, {}}));
            EXPECT_EQ(fs::weakly_canonical(map.sheetImagePath), fs::weakly_canonical(maps / "sheet.png"));
        } catch (const tiled::MapRefused& e) {
            EXPECT_EQ(std::optional(e.why), c.refusal);
        }
    }
}

// Saved over files made in Tiled, the tileset and the map keep what the
// editor does not use, as they were, and a second save changes nothing more.
TEST(TiledMap, SavingOverTiledFilesKeepsWhatTheEditorDoesNotUse) {
    const std::string made = R"(<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="forest" tilewidth="16" tileheight="16" spacing="1" tilecount="480" columns="30">
 <properties><property name="biome" value="forest"/></properties>
 <image source="old.png" width="480" height="256" trans="ff00ff"/>
 <tile id="3" type="water"><properties><property name="depth" type="int" value="2"/></properties></tile>
 <tile id="5"><animation><frame tileid="5" duration="100"/><frame tileid="40" duration="300"/></animation></tile>
 <tile id="60"><animation><frame tileid="60" duration="200"/><frame tileid="61" duration="200"/></animation></tile>
 <wangsets><wangset name="ground" type="corner" tile="-1"><wangcolor name="grass" color="#00ff00" tile="-1" probability="1"/><wangtile tileid="0" wangid="0,1,0,1,0,1,0,1"/></wangset></wangsets>
</tileset>
)";
    // The editor plays frames that follow their tile along its row, all of
    // one time.
    const auto played = [](const tiled::TileAnimation& a) {
        for (std::size_t f = 0; f < a.frames.size(); ++f)
            if (a.frames[f] != tiled::AnimationFrame{a.tile + static_cast<int>(f), a.frames[0].durationMs})
                return false;
        return true;
    };
    const std::vector<tiled::TileAnimation> animations{{3, {{3, 150}, {4, 150}}}, {90, {{90, 100}, {91, 100}}}};
    const std::string saved = tiled::TilesetTextOver(made, "map", "map.png", Sheet, animations, played);
    EXPECT_EQ(tiled::TilesetTextOver(saved, "map", "map.png", Sheet, animations, played), saved);

    // Made again from the first file: the editor's parts replaced, the rest
    // as it was.
    pugi::xml_document expected, got;
    ASSERT_TRUE(expected.load_string(made.c_str()));
    ASSERT_TRUE(got.load_string(saved.c_str()));
    pugi::xml_node tileset = expected.child("tileset");
    tileset.remove_attribute("spacing");
    tileset.child("image").attribute("source") = "map.png";
    pugi::xml_node water = tileset.find_child_by_attribute("tile", "id", "3");
    pugi::xml_node frames = water.append_child("animation");
    for (int tile : {3, 4}) {
        pugi::xml_node frame = frames.append_child("frame");
        frame.append_attribute("tileid") = tile;
        frame.append_attribute("duration") = 150;
    }
    tileset.remove_child(tileset.find_child_by_attribute("tile", "id", "60"));
    pugi::xml_node added = tileset.insert_child_after("tile", tileset.find_child_by_attribute("tile", "id", "5"));
    added.append_attribute("id") = 90;
    frames = added.append_child("animation");
    for (int tile : {90, 91}) {
        pugi::xml_node frame = frames.append_child("frame");
        frame.append_attribute("tileid") = tile;
        frame.append_attribute("duration") = 100;
    }
    std::ostringstream a, b;
    expected.save(a, " ");
    got.save(b, " ");
    EXPECT_EQ(b.str(), a.str());

    // A map of Tiled's with a second layer and properties: the board's data
    // goes into its tile layer, the rest stays; it is no map of the editor's.
    const std::string map =
        R"(<map version="1.10" tiledversion="1.10.2" orientation="orthogonal" renderorder="left-up" width="2" height="1" tilewidth="16" tileheight="16" infinite="0" nextlayerid="3" nextobjectid="2"><properties><property name="music" value="town"/></properties><tileset firstgid="1" source="old.tsx"/><layer id="1" name="ground" width="2" height="1" opacity="1"><data encoding="base64" compression="zlib">eJxjZGRkAAAACAAD</data></layer><objectgroup id="2" name="doors"><object id="1" x="3" y="4"/></objectgroup></map>)";
    EXPECT_FALSE(tiled::IsOwnMap(map));
    const tiled::MapCell cells[] = {{0}, {}, {31}, {2}};
    const std::string board = tiled::MapTextOver(map, 2, 2, cells, Sheet, "map.tsx");
    EXPECT_FALSE(tiled::IsOwnMap(board));
    EXPECT_TRUE(tiled::IsOwnMap(tiled::MapText(2, 2, cells, Sheet, "map.tsx")));
    ASSERT_TRUE(got.load_string(board.c_str()));
    const pugi::xml_node m = got.child("map");
    EXPECT_STREQ(m.attribute("renderorder").value(), "left-up");
    EXPECT_STREQ(m.attribute("height").value(), "2");
    EXPECT_STREQ(m.child("properties").child("property").attribute("value").value(), "town");
    EXPECT_STREQ(m.child("tileset").attribute("source").value(), "map.tsx");
    EXPECT_STREQ(m.child("layer").attribute("name").value(), "ground");
    EXPECT_STREQ(m.child("layer").child("data").attribute("encoding").value(), "csv");
    EXPECT_FALSE(m.child("layer").child("data").attribute("compression"));
    EXPECT_STREQ(m.child("layer").child_value("data"), "\n1,0,\n32,3\n");
    EXPECT_STREQ(m.child("objectgroup").child("object").attribute("y").value(), "4");
}

}  // namespace
