// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TiledKeep.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <vector>

#include <pugixml.hpp>

namespace tiled {
namespace {

// Comments, processing instructions and the document type are kept too.
constexpr unsigned ParseFlags =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi | pugi::parse_doctype;

bool Load(pugi::xml_document& doc, std::string_view text) {
    return doc.load_buffer(text.data(), text.size(), ParseFlags, pugi::encoding_utf8);
}

std::string Saved(const pugi::xml_document& doc) {
    std::ostringstream out;
    doc.save(out, " ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

std::optional<long long> WholeNumber(const pugi::xml_attribute& a) {
    const std::string_view text = a.value();
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (!a || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (name == n) return true;
    return false;
}

// `fresh`'s attributes on `node`: those named in `theirs` take the fresh
// value, the others only where `node` has none.
void TakeAttributes(pugi::xml_node node, const pugi::xml_node& fresh, std::initializer_list<std::string_view> theirs) {
    for (const pugi::xml_attribute& a : fresh.attributes()) {
        pugi::xml_attribute own = node.attribute(a.name());
        if (own && !IsOneOf(a.name(), theirs)) continue;
        if (!own) own = node.append_attribute(a.name());
        own.set_value(a.value());
    }
}

// The nodes that make a file's shape: elements, comments and the like, not
// their text.
std::vector<pugi::xml_node> Shape(const pugi::xml_node& node) {
    std::vector<pugi::xml_node> nodes;
    for (const pugi::xml_node& child : node.children())
        if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata) nodes.push_back(child);
    return nodes;
}

bool SameShape(const pugi::xml_node& a, const pugi::xml_node& b) {
    if (a.type() != b.type() || std::string_view(a.name()) != b.name()) return false;
    pugi::xml_attribute x = a.first_attribute(), y = b.first_attribute();
    for (; x && y; x = x.next_attribute(), y = y.next_attribute())
        if (std::string_view(x.name()) != y.name()) return false;
    if (x || y) return false;
    const std::vector<pugi::xml_node> as = Shape(a), bs = Shape(b);
    if (as.size() != bs.size()) return false;
    for (std::size_t i = 0; i < as.size(); ++i)
        if (!SameShape(as[i], bs[i])) return false;
    return true;
}

std::optional<TileAnimation> AnimationOf(const pugi::xml_node& tile) {
    const auto id = WholeNumber(tile.attribute("id"));
    if (!id) return std::nullopt;
    TileAnimation a{static_cast<int>(*id), {}};
    for (const pugi::xml_node& frame : tile.child("animation").children("frame")) {
        const auto tileId = WholeNumber(frame.attribute("tileid")), duration = WholeNumber(frame.attribute("duration"));
        if (!tileId || !duration) return std::nullopt;
        a.frames.push_back({static_cast<int>(*tileId), static_cast<int>(*duration)});
    }
    return a;
}

pugi::xml_node TileNamed(const pugi::xml_node& tileset, int id) {
    for (const pugi::xml_node& tile : tileset.children("tile"))
        if (WholeNumber(tile.attribute("id")) == id) return tile;
    return {};
}

// A new <tile> element for `id`, among the others in the order of their ids
// (as Tiled keeps them), else after the image.
pugi::xml_node NewTile(pugi::xml_node tileset, int id) {
    pugi::xml_node last;
    for (const pugi::xml_node& tile : tileset.children("tile")) {
        if (WholeNumber(tile.attribute("id")).value_or(-1) > id) return tileset.insert_child_before("tile", tile);
        last = tile;
    }
    if (!last) last = tileset.child("image");
    return last ? tileset.insert_child_after("tile", last) : tileset.append_child("tile");
}

void WriteAnimation(pugi::xml_node tile, const TileAnimation& a) {
    pugi::xml_node animation = tile.append_child("animation");
    for (const AnimationFrame& f : a.frames) {
        pugi::xml_node frame = animation.append_child("frame");
        frame.append_attribute("tileid") = f.tile;
        frame.append_attribute("duration") = f.durationMs;
    }
}

}  // namespace

bool IsOwnMap(std::string_view existing) {
    pugi::xml_document doc, own;
    const MapCell cell{};
    return Load(doc, existing) && doc.child("map") &&
           Load(own, MapText(1, 1, std::span(&cell, 1), {16, 1, 1, 1}, "x.tsx")) && SameShape(doc, own);
}

std::string MapTextOver(std::string_view existing, int cols, int rows, std::span<const MapCell> cells,
                        const SheetShape& sheet, const std::string& tsxName) {
    const std::string text = MapText(cols, rows, cells, sheet, tsxName);
    pugi::xml_document doc, fresh;
    if (!Load(doc, existing) || !doc.child("map") || !Load(fresh, text)) return text;
    pugi::xml_node map = doc.child("map");
    const pugi::xml_node freshMap = fresh.child("map");
    // Tiled counts the ids of a map's layers and objects itself: a map that
    // has no such count gets none from here.
    const bool counted = map.attribute("nextlayerid"), objectsCounted = map.attribute("nextobjectid");
    TakeAttributes(map, freshMap, {"orientation", "width", "height", "tilewidth", "tileheight", "infinite"});
    if (!counted) map.remove_attribute("nextlayerid");
    if (!objectsCounted) map.remove_attribute("nextobjectid");

    // The first tileset becomes the sheet's file; one written inline gives
    // way to it whole.
    const pugi::xml_node freshTileset = freshMap.child("tileset");
    pugi::xml_node tileset = map.child("tileset");
    if (!tileset) {
        tileset = map.prepend_copy(freshTileset);
    } else if (!tileset.attribute("source")) {
        const pugi::xml_node written = tileset;
        tileset = map.insert_copy_before(freshTileset, written);
        map.remove_child(written);
    } else {
        TakeAttributes(tileset, freshTileset, {"firstgid", "source"});
    }

    // The first tile layer holds the board; its name, id and properties stay.
    const pugi::xml_node freshLayer = freshMap.child("layer");
    pugi::xml_node layer = map.child("layer");
    if (!layer) {
        map.insert_copy_after(freshLayer, tileset);
        return Saved(doc);
    }
    TakeAttributes(layer, freshLayer, {"width", "height"});
    const pugi::xml_node data = layer.child("data");
    if (data) {
        layer.insert_copy_before(freshLayer.child("data"), data);
        layer.remove_child(data);
    } else {
        layer.append_copy(freshLayer.child("data"));
    }
    return Saved(doc);
}

std::string TilesetTextOver(std::string_view existing, const std::string& name, const std::string& imageName,
                            const SheetShape& sheet, std::span<const TileAnimation> animations,
                            const std::function<bool(const TileAnimation&)>& ownAnimation,
                            std::span<const WangSet> wangsets, std::optional<canvas::Colour> transparent) {
    pugi::xml_document doc, fresh;
    if (!Load(doc, existing) || !doc.child("tileset") ||
        !Load(fresh, TilesetText(name, imageName, sheet, {}, wangsets, transparent)))
        return TilesetText(name, imageName, sheet, animations, wangsets, transparent);
    pugi::xml_node tileset = doc.child("tileset");
    const pugi::xml_node freshTileset = fresh.child("tileset");
    TakeAttributes(tileset, freshTileset, {"tilewidth", "tileheight", "tilecount", "columns"});
    // The sheet's picture has its tiles side by side.
    tileset.remove_attribute("spacing");
    tileset.remove_attribute("margin");

    const pugi::xml_node freshImage = freshTileset.child("image");
    if (pugi::xml_node image = tileset.child("image")) {
        TakeAttributes(image, freshImage, {"source", "width", "height", "trans"});
    } else if (const pugi::xml_node first = tileset.find_child([](const pugi::xml_node& n) {
                   return IsOneOf(n.name(), {"tile", "terraintypes", "wangsets", "transformations"});
               })) {
        tileset.insert_copy_before(freshImage, first);
    } else {
        tileset.append_copy(freshImage);
    }

    // The editor's animations go; a tile left with nothing else goes too.
    std::vector<pugi::xml_node> emptied;
    for (pugi::xml_node tile : tileset.children("tile")) {
        const pugi::xml_node animation = tile.child("animation");
        const auto read = animation ? AnimationOf(tile) : std::nullopt;
        if (!read || !ownAnimation(*read)) continue;
        tile.remove_child(animation);
        if (!tile.first_child() && !tile.first_attribute().next_attribute()) emptied.push_back(tile);
    }
    for (const pugi::xml_node& tile : emptied) tileset.remove_child(tile);
    for (const TileAnimation& a : animations) {
        pugi::xml_node tile = TileNamed(tileset, a.tile);
        if (!tile) {
            tile = NewTile(tileset, a.tile);
            tile.append_attribute("id") = a.tile;
        }
        tile.remove_child("animation");
        WriteAnimation(tile, a);
    }

    // The editor's terrains take the place of the sets of their names.
    auto ours = [&wangsets](const pugi::xml_node& set) {
        return std::ranges::any_of(wangsets,
                                   [&set](const WangSet& w) { return w.name == set.attribute("name").value(); });
    };
    pugi::xml_node sets = tileset.child("wangsets");
    for (pugi::xml_node set = sets.child("wangset"); set;) {
        const pugi::xml_node next = set.next_sibling("wangset");
        if (ours(set)) sets.remove_child(set);
        set = next;
    }
    if (!wangsets.empty() && !sets) sets = tileset.append_child("wangsets");
    for (const pugi::xml_node& set : freshTileset.child("wangsets").children("wangset")) sets.append_copy(set);
    return Saved(doc);
}

}  // namespace tiled
