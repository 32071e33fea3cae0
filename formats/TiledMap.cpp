// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TiledMap.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include <pugixml.hpp>

#include "formats/TiledData.h"

namespace tiled {

MapRefused::MapRefused(Refusal w) : std::runtime_error("map refused"), why(w) {}

[[noreturn]] void Refuse(Refusal why) { throw MapRefused(why); }

namespace {

// Larger map files than this are no map of at most 256 x 256 cells (as
// <tile> elements, one per line, such a map takes under 2 MB).
constexpr std::uintmax_t MaxFileBytes = 4u << 20;
// Nor are files of more elements than this: a map's cells and a tileset's
// tiles with their properties. The parsed tree takes some 60 bytes an
// element, so the count is checked before parsing.
constexpr std::size_t MaxElements = 2 * 256 * 256 + 4096;

void LoadXml(pugi::xml_document& doc, const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) Refuse(Refusal::Unreadable);
    if (size > MaxFileBytes) Refuse(Refusal::TooLarge);
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) Refuse(Refusal::Unreadable);
    if (static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '<')) > MaxElements) Refuse(Refusal::TooLarge);
    if (!doc.load_buffer(bytes.data(), bytes.size())) Refuse(Refusal::NotAMap);
}

// An attribute as an integer; `fallback` when it is absent, a refusal for
// `why` when it is there but no integer.
long long IntOf(const pugi::xml_node& node, const char* name, long long fallback, Refusal why) {
    const pugi::xml_attribute a = node.attribute(name);
    if (!a) return fallback;
    const std::string_view text = a.value();
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) Refuse(why);
    return value;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (name == n) return true;
    return false;
}

// `source` (a file a map names) taken from `dir`, when it lies in `folder`
// or below it once every link is followed; a refusal otherwise.
std::filesystem::path Inside(const std::filesystem::path& folder, const std::filesystem::path& dir,
                             const std::string& source) {
    namespace fs = std::filesystem;
    const fs::path named(source);
    if (named.has_root_path()) Refuse(Refusal::OutsideFolder);
    // Both made absolute first: the part of a path that does not exist is
    // taken as it stands, so a relative one would never lie in the folder.
    const auto resolved = [](const fs::path& path) {
        std::error_code error;
        const fs::path absolute = fs::absolute(path.empty() ? fs::path(".") : path, error);
        if (error || absolute.empty()) Refuse(Refusal::OutsideFolder);
        fs::path full = fs::weakly_canonical(absolute, error);
        if (error || full.empty()) Refuse(Refusal::OutsideFolder);
        return full;
    };
    const fs::path root = resolved(folder);
    const fs::path target = resolved(dir / named);
    const auto [inRoot, inTarget] = std::mismatch(root.begin(), root.end(), target.begin(), target.end());
    if (inRoot != root.end()) Refuse(Refusal::OutsideFolder);
    return (dir / named).lexically_normal();
}

// The tileset element (inline, or the root of a TSX file) must be the sheet;
// returns its image's path as given, made relative to `dir`, which must lie
// in `folder`.
std::string SheetImageOf(const pugi::xml_node& tileset, const std::filesystem::path& dir,
                         const std::filesystem::path& folder, const SheetShape& sheet) {
    constexpr Refusal R = Refusal::Tileset;
    const int width = sheet.columns * sheet.tileSide, height = sheet.rows * sheet.tileSide;
    if (IntOf(tileset, "tilewidth", 0, R) != sheet.tileSide || IntOf(tileset, "tileheight", 0, R) != sheet.tileSide ||
        IntOf(tileset, "spacing", 0, R) != 0 || IntOf(tileset, "margin", 0, R) != 0 ||
        IntOf(tileset, "columns", sheet.columns, R) != sheet.columns ||
        IntOf(tileset, "tilecount", sheet.TileCount(), R) != sheet.TileCount())
        Refuse(R);
    const pugi::xml_node image = tileset.child("image");
    const std::string source = image.attribute("source").value();
    if (source.empty() || IntOf(image, "width", width, R) < width || IntOf(image, "height", height, R) < height)
        Refuse(R);
    return Inside(folder, dir, source).string();
}

// The image's "trans": six hex digits, red first, with or without '#'.
std::optional<canvas::Colour> TransparentOf(const pugi::xml_node& tileset) {
    std::string text = tileset.child("image").attribute("trans").value();
    if (!text.empty() && text.front() == '#') text.erase(0, 1);
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return std::nullopt;
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    return static_cast<canvas::Colour>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// The top three bits are the orientation; the fourth turns hexagonal tiles
// and means nothing on an orthogonal map, so it is cleared as Tiled does.
MapCell CellOfGid(std::uint32_t gid, std::uint32_t firstGid, int tileCount) {
    const std::uint32_t id = gid & 0x0FFFFFFFu;
    if (id == 0) return {};
    if (id < firstGid || id - firstGid >= static_cast<std::uint32_t>(tileCount)) Refuse(Refusal::TileOutsideSheet);
    return {static_cast<int>(id - firstGid), OrientationOfGid(gid)};
}

std::vector<TileAnimation> AnimationsOf(const pugi::xml_node& tileset, int tileCount) {
    std::vector<TileAnimation> animations;
    auto isTile = [tileCount](long long id) { return id >= 0 && id < tileCount; };
    for (const pugi::xml_node& tile : tileset.children("tile")) {
        // A number that is no whole number is broken data, here as
        // everywhere else in the file.
        const long long id = IntOf(tile, "id", -1, Refusal::Data);
        const pugi::xml_node animation = tile.child("animation");
        if (!animation || !isTile(id)) continue;
        TileAnimation a;
        a.tile = static_cast<int>(id);
        bool usable = true;
        for (const pugi::xml_node& frame : animation.children("frame")) {
            const long long frameTile = IntOf(frame, "tileid", -1, Refusal::Data);
            const long long duration = IntOf(frame, "duration", 0, Refusal::Data);
            if (!isTile(frameTile) || duration <= 0 || duration > 0x7FFFFFFF) usable = false;
            if (usable) a.frames.push_back({static_cast<int>(frameTile), static_cast<int>(duration)});
        }
        if (usable && !a.frames.empty()) animations.push_back(std::move(a));
    }
    return animations;
}

// "0,1,0,..." of eight colours, each 0 or 1 in a set of one colour.
std::optional<std::array<std::uint8_t, 8>> WangIdOf(std::string_view text) {
    std::array<std::uint8_t, 8> id{};
    std::size_t n = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(','), text.size());
        std::string_view part = text.substr(0, comma);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        if (n == id.size() || (part != "0" && part != "1")) return std::nullopt;
        id[n++] = static_cast<std::uint8_t>(part[0] - '0');
        if (comma == text.size()) break;
        text.remove_prefix(comma + 1);
    }
    if (n != id.size()) return std::nullopt;
    return id;
}

std::vector<WangSet> WangSetsOf(const pugi::xml_node& tileset, int tileCount) {
    std::vector<WangSet> sets;
    auto isTile = [tileCount](long long id) { return id >= 0 && id < tileCount; };
    for (const pugi::xml_node& set : tileset.child("wangsets").children("wangset")) {
        const auto colours = set.children("wangcolor");
        if (std::distance(colours.begin(), colours.end()) != 1) continue;
        const pugi::xml_node colour = *colours.begin();
        WangSet w;
        w.name = set.attribute("name").value();
        w.colour = colour.attribute("color").value();
        const long long icon = colour.attribute("tile").as_llong(set.attribute("tile").as_llong(-1));
        w.iconTile = isTile(icon) ? static_cast<int>(icon) : -1;
        for (const pugi::xml_node& tile : set.children("wangtile")) {
            const long long id = tile.attribute("tileid").as_llong(-1);
            const auto wangid = WangIdOf(tile.attribute("wangid").value());
            if (isTile(id) && wangid) w.tiles.push_back({static_cast<int>(id), *wangid});
        }
        sets.push_back(std::move(w));
    }
    return sets;
}

void CheckLayerLook(const pugi::xml_node& layer) {
    const std::string_view opacity = layer.attribute("opacity").value();
    if (IntOf(layer, "visible", 1, Refusal::LayerLook) != 1 || (!opacity.empty() && opacity != "1") ||
        IntOf(layer, "offsetx", 0, Refusal::LayerLook) != 0 || IntOf(layer, "offsety", 0, Refusal::LayerLook) != 0)
        Refuse(Refusal::LayerLook);
}

}  // namespace

BoardMap ReadMap(const std::string& tmxPath, const SheetShape& sheet) {
    pugi::xml_document doc;
    LoadXml(doc, tmxPath);
    const pugi::xml_node map = doc.child("map");
    if (!map) Refuse(Refusal::NotAMap);
    if (std::string_view(map.attribute("orientation").value()) != "orthogonal") Refuse(Refusal::NotOrthogonal);
    if (IntOf(map, "tilewidth", 0, Refusal::TileSize) != sheet.tileSide ||
        IntOf(map, "tileheight", 0, Refusal::TileSize) != sheet.tileSide)
        Refuse(Refusal::TileSize);
    if (IntOf(map, "infinite", 0, Refusal::Infinite) != 0) Refuse(Refusal::Infinite);
    const long long cols = IntOf(map, "width", 0, Refusal::Size);
    const long long rows = IntOf(map, "height", 0, Refusal::Size);
    if (cols < 1 || rows < 1 || cols > sheet.maxMapSide || rows > sheet.maxMapSide) Refuse(Refusal::Size);

    pugi::xml_node tileset, layer;
    int tilesets = 0, layers = 0;
    for (const pugi::xml_node& child : map.children()) {
        const std::string_view name = child.name();
        if (name == "tileset") {
            ++tilesets;
            tileset = child;
        } else if (name == "layer") {
            ++layers;
            layer = child;
        } else if (IsOneOf(name, {"objectgroup", "imagelayer", "group"})) {
            Refuse(Refusal::Layers);
        }
    }
    if (layers != 1) Refuse(Refusal::Layers);
    if (tilesets != 1) Refuse(Refusal::Tileset);
    CheckLayerLook(layer);
    if (IntOf(layer, "width", cols, Refusal::Size) != cols || IntOf(layer, "height", rows, Refusal::Size) != rows)
        Refuse(Refusal::Size);

    const long long firstGid = IntOf(tileset, "firstgid", 0, Refusal::Tileset);
    if (firstGid < 1 || firstGid > 0x0FFFFFFF) Refuse(Refusal::Tileset);
    const std::filesystem::path mapDir = std::filesystem::path(tmxPath).parent_path();
    BoardMap result;
    if (const char* source = tileset.attribute("source").value(); *source != '\0') {
        const std::filesystem::path tsxPath = Inside(mapDir, mapDir, source);
        pugi::xml_document tsx;
        try {
            LoadXml(tsx, tsxPath.string());
        } catch (const MapRefused& e) {
            // A tileset past the limits is too large, not some other sheet.
            Refuse(e.why == Refusal::TooLarge ? Refusal::TooLarge : Refusal::Tileset);
        }
        if (!tsx.child("tileset")) Refuse(Refusal::Tileset);
        result.sheetImagePath = SheetImageOf(tsx.child("tileset"), tsxPath.parent_path(), mapDir, sheet);
        result.animations = AnimationsOf(tsx.child("tileset"), sheet.TileCount());
        result.wangsets = WangSetsOf(tsx.child("tileset"), sheet.TileCount());
        result.transparent = TransparentOf(tsx.child("tileset"));
    } else {
        result.sheetImagePath = SheetImageOf(tileset, mapDir, mapDir, sheet);
        result.animations = AnimationsOf(tileset, sheet.TileCount());
        result.wangsets = WangSetsOf(tileset, sheet.TileCount());
        result.transparent = TransparentOf(tileset);
    }

    const std::size_t count = static_cast<std::size_t>(cols * rows);
    const std::vector<std::uint32_t> gids = ReadLayerData(layer.child("data"), count);
    result.cols = static_cast<int>(cols);
    result.rows = static_cast<int>(rows);
    result.cells.reserve(count);
    for (std::uint32_t gid : gids)
        result.cells.push_back(CellOfGid(gid, static_cast<std::uint32_t>(firstGid), sheet.TileCount()));
    return result;
}

namespace {

std::string Saved(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, " ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

void Declare(pugi::xml_document& doc) {
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
}

}  // namespace

std::string MapText(int cols, int rows, std::span<const MapCell> cells, const SheetShape& sheet,
                    const std::string& tsxName) {
    pugi::xml_document doc;
    Declare(doc);
    pugi::xml_node map = doc.append_child("map");
    map.append_attribute("version") = "1.8";
    map.append_attribute("orientation") = "orthogonal";
    map.append_attribute("renderorder") = "right-down";
    map.append_attribute("width") = cols;
    map.append_attribute("height") = rows;
    map.append_attribute("tilewidth") = sheet.tileSide;
    map.append_attribute("tileheight") = sheet.tileSide;
    map.append_attribute("infinite") = 0;
    map.append_attribute("nextlayerid") = 2;
    map.append_attribute("nextobjectid") = 1;
    pugi::xml_node tileset = map.append_child("tileset");
    tileset.append_attribute("firstgid") = 1;
    tileset.append_attribute("source") = tsxName.c_str();
    pugi::xml_node layer = map.append_child("layer");
    layer.append_attribute("id") = 1;
    layer.append_attribute("name") = "board";
    layer.append_attribute("width") = cols;
    layer.append_attribute("height") = rows;
    pugi::xml_node data = layer.append_child("data");
    data.append_attribute("encoding") = "csv";

    // As Tiled writes it: one line per row, every number followed by a comma
    // but the last.
    std::string csv = "\n";
    csv.reserve(static_cast<std::size_t>(cols) * rows * 4 + 2);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const MapCell cell = cells[static_cast<std::size_t>(r) * cols + c];
            csv += std::to_string(cell.tile == EmptyCell
                                      ? 0u
                                      : (static_cast<std::uint32_t>(cell.tile) + 1) | FlagBitsOf(cell.orientation));
            if (c + 1 < cols || r + 1 < rows) csv += ',';
        }
        csv += '\n';
    }
    data.append_child(pugi::node_pcdata).set_value(csv.c_str());
    return Saved(doc);
}

std::string TilesetText(const std::string& name, const std::string& imageName, const SheetShape& sheet,
                        std::span<const TileAnimation> animations, std::span<const WangSet> wangsets,
                        std::optional<canvas::Colour> transparent) {
    pugi::xml_document doc;
    Declare(doc);
    pugi::xml_node tileset = doc.append_child("tileset");
    tileset.append_attribute("version") = "1.8";
    tileset.append_attribute("name") = name.c_str();
    tileset.append_attribute("tilewidth") = sheet.tileSide;
    tileset.append_attribute("tileheight") = sheet.tileSide;
    tileset.append_attribute("tilecount") = sheet.TileCount();
    tileset.append_attribute("columns") = sheet.columns;
    pugi::xml_node image = tileset.append_child("image");
    image.append_attribute("source") = imageName.c_str();
    image.append_attribute("width") = sheet.columns * sheet.tileSide;
    image.append_attribute("height") = sheet.rows * sheet.tileSide;
    if (transparent) {
        char trans[8];
        const canvas::Colour t = *transparent;
        std::snprintf(trans, sizeof trans, "%02x%02x%02x", t & 0xFF, (t >> 8) & 0xFF, (t >> 16) & 0xFF);
        image.append_attribute("trans") = trans;
    }
    for (const TileAnimation& a : animations) {
        pugi::xml_node tile = tileset.append_child("tile");
        tile.append_attribute("id") = a.tile;
        pugi::xml_node animation = tile.append_child("animation");
        for (const AnimationFrame& f : a.frames) {
            pugi::xml_node frame = animation.append_child("frame");
            frame.append_attribute("tileid") = f.tile;
            frame.append_attribute("duration") = f.durationMs;
        }
    }
    if (!wangsets.empty()) {
        // As Tiled writes a terrain set of one colour that has edges and corners.
        pugi::xml_node sets = tileset.append_child("wangsets");
        for (const WangSet& w : wangsets) {
            pugi::xml_node set = sets.append_child("wangset");
            set.append_attribute("name") = w.name.c_str();
            set.append_attribute("type") = "mixed";
            set.append_attribute("tile") = w.iconTile;
            pugi::xml_node colour = set.append_child("wangcolor");
            colour.append_attribute("name") = w.name.c_str();
            colour.append_attribute("color") = w.colour.c_str();
            colour.append_attribute("tile") = w.iconTile;
            colour.append_attribute("probability") = 1;
            for (const WangTile& t : w.tiles) {
                std::string id;
                for (std::uint8_t c : t.wangid) id += std::string(id.empty() ? "" : ",") + static_cast<char>('0' + c);
                pugi::xml_node tile = set.append_child("wangtile");
                tile.append_attribute("tileid") = t.tile;
                tile.append_attribute("wangid") = id.c_str();
            }
        }
    }
    return Saved(doc);
}

}  // namespace tiled
