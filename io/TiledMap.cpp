#include "io/TiledMap.h"

#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <pugixml.hpp>

#include "io/TiledData.h"

namespace tiled {

MapRefused::MapRefused(Refusal w) : std::runtime_error("map refused"), why(w) {}

namespace {

// Larger map files than this are no map of at most 256 x 256 cells.
constexpr std::uintmax_t MaxFileBytes = 16u << 20;

[[noreturn]] void Refuse(Refusal why) { throw MapRefused(why); }

void LoadXml(pugi::xml_document& doc, const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > MaxFileBytes) Refuse(Refusal::Unreadable);
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) Refuse(Refusal::Unreadable);
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

// The tileset element (inline, or the root of a TSX file) must be the sheet;
// returns its image's path as given, made relative to `dir`.
std::string SheetImageOf(const pugi::xml_node& tileset, const std::filesystem::path& dir) {
    constexpr Refusal R = Refusal::Tileset;
    if (IntOf(tileset, "tilewidth", 0, R) != TileSide || IntOf(tileset, "tileheight", 0, R) != TileSide ||
        IntOf(tileset, "spacing", 0, R) != 0 || IntOf(tileset, "margin", 0, R) != 0 ||
        IntOf(tileset, "columns", TilesetColumns, R) != TilesetColumns ||
        IntOf(tileset, "tilecount", TileCount, R) != TileCount)
        Refuse(R);
    const pugi::xml_node image = tileset.child("image");
    const std::string source = image.attribute("source").value();
    if (source.empty() || IntOf(image, "width", TilesetColumns * TileSide, R) < TilesetColumns * TileSide ||
        IntOf(image, "height", TilesetRows * TileSide, R) < TilesetRows * TileSide)
        Refuse(R);
    return (dir / source).lexically_normal().string();
}

std::optional<ChipRef> ChipOfGid(std::uint32_t gid, std::uint32_t firstGid) {
    // Flips (horizontal, vertical, diagonal) and the hexagonal rotation.
    if (gid & 0xF0000000u) Refuse(Refusal::FlippedTile);
    if (gid == 0) return std::nullopt;
    if (gid < firstGid || gid - firstGid >= static_cast<std::uint32_t>(TileCount)) Refuse(Refusal::TileOutsideSheet);
    const int id = static_cast<int>(gid - firstGid);
    return ChipRef{id % TilesetColumns, id / TilesetColumns};
}

void CheckLayerLook(const pugi::xml_node& layer) {
    const std::string_view opacity = layer.attribute("opacity").value();
    if (IntOf(layer, "visible", 1, Refusal::LayerLook) != 1 || (!opacity.empty() && opacity != "1") ||
        IntOf(layer, "offsetx", 0, Refusal::LayerLook) != 0 || IntOf(layer, "offsety", 0, Refusal::LayerLook) != 0)
        Refuse(Refusal::LayerLook);
}

}  // namespace

BoardMap ReadMap(const std::string& tmxPath) {
    pugi::xml_document doc;
    LoadXml(doc, tmxPath);
    const pugi::xml_node map = doc.child("map");
    if (!map) Refuse(Refusal::NotAMap);
    if (std::string_view(map.attribute("orientation").value()) != "orthogonal") Refuse(Refusal::NotOrthogonal);
    if (IntOf(map, "tilewidth", 0, Refusal::TileSize) != TileSide ||
        IntOf(map, "tileheight", 0, Refusal::TileSize) != TileSide)
        Refuse(Refusal::TileSize);
    if (IntOf(map, "infinite", 0, Refusal::Infinite) != 0) Refuse(Refusal::Infinite);
    const long long cols = IntOf(map, "width", 0, Refusal::Size);
    const long long rows = IntOf(map, "height", 0, Refusal::Size);
    if (cols < 1 || rows < 1 || cols > TryOutBoard::MaxSide || rows > TryOutBoard::MaxSide) Refuse(Refusal::Size);

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
        const std::filesystem::path tsxPath = mapDir / source;
        pugi::xml_document tsx;
        try {
            LoadXml(tsx, tsxPath.string());
        } catch (const MapRefused&) {
            Refuse(Refusal::Tileset);
        }
        if (!tsx.child("tileset")) Refuse(Refusal::Tileset);
        result.sheetImagePath = SheetImageOf(tsx.child("tileset"), tsxPath.parent_path());
    } else {
        result.sheetImagePath = SheetImageOf(tileset, mapDir);
    }

    const std::size_t count = static_cast<std::size_t>(cols * rows);
    const std::vector<std::uint32_t> gids = ReadLayerData(layer.child("data"), count);
    result.cols = static_cast<int>(cols);
    result.rows = static_cast<int>(rows);
    result.cells.reserve(count);
    for (std::uint32_t gid : gids) result.cells.push_back(ChipOfGid(gid, static_cast<std::uint32_t>(firstGid)));
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

std::string MapText(const TryOutBoard& board, const std::string& tsxName) {
    pugi::xml_document doc;
    Declare(doc);
    pugi::xml_node map = doc.append_child("map");
    map.append_attribute("version") = "1.8";
    map.append_attribute("orientation") = "orthogonal";
    map.append_attribute("renderorder") = "right-down";
    map.append_attribute("width") = board.Cols();
    map.append_attribute("height") = board.Rows();
    map.append_attribute("tilewidth") = TileSide;
    map.append_attribute("tileheight") = TileSide;
    map.append_attribute("infinite") = 0;
    map.append_attribute("nextlayerid") = 2;
    map.append_attribute("nextobjectid") = 1;
    pugi::xml_node tileset = map.append_child("tileset");
    tileset.append_attribute("firstgid") = 1;
    tileset.append_attribute("source") = tsxName.c_str();
    pugi::xml_node layer = map.append_child("layer");
    layer.append_attribute("id") = 1;
    layer.append_attribute("name") = "board";
    layer.append_attribute("width") = board.Cols();
    layer.append_attribute("height") = board.Rows();
    pugi::xml_node data = layer.append_child("data");
    data.append_attribute("encoding") = "csv";

    // As Tiled writes it: one line per row, every number followed by a comma
    // but the last.
    std::string csv = "\n";
    csv.reserve(static_cast<std::size_t>(board.Cols()) * board.Rows() * 4 + 2);
    for (int r = 0; r < board.Rows(); ++r) {
        for (int c = 0; c < board.Cols(); ++c) {
            const std::optional<ChipRef> chip = board.At({c, r});
            csv += std::to_string(chip ? chip->row * TilesetColumns + chip->col + 1 : 0);
            if (c + 1 < board.Cols() || r + 1 < board.Rows()) csv += ',';
        }
        csv += '\n';
    }
    data.append_child(pugi::node_pcdata).set_value(csv.c_str());
    return Saved(doc);
}

std::string TilesetText(const std::string& name, const std::string& imageName) {
    pugi::xml_document doc;
    Declare(doc);
    pugi::xml_node tileset = doc.append_child("tileset");
    tileset.append_attribute("version") = "1.8";
    tileset.append_attribute("name") = name.c_str();
    tileset.append_attribute("tilewidth") = TileSide;
    tileset.append_attribute("tileheight") = TileSide;
    tileset.append_attribute("tilecount") = TileCount;
    tileset.append_attribute("columns") = TilesetColumns;
    pugi::xml_node image = tileset.append_child("image");
    image.append_attribute("source") = imageName.c_str();
    image.append_attribute("width") = TilesetColumns * TileSide;
    image.append_attribute("height") = TilesetRows * TileSide;
    return Saved(doc);
}

}  // namespace tiled
