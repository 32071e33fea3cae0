// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/TiledData.h"

#include <charconv>
#include <string_view>

#include <zlib.h>

#include "formats/TiledMap.h"

namespace tiled {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }

std::vector<std::uint32_t> FromCsv(std::string_view text, std::size_t count) {
    std::vector<std::uint32_t> gids;
    gids.reserve(count);
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) break;
        std::uint64_t value = 0;
        std::size_t digits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
            value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
            if (value > 0xFFFFFFFFu) Refuse(Refusal::Data);
        }
        if (digits == 0 || gids.size() == count) Refuse(Refusal::Data);
        gids.push_back(static_cast<std::uint32_t>(value));
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) break;
        if (text[i++] != ',') Refuse(Refusal::Data);
    }
    if (gids.size() != count) Refuse(Refusal::Data);
    return gids;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::vector<std::uint8_t> FromBase64(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int held = 0;
    bool padded = false;
    for (char c : text) {
        if (IsBlank(c)) continue;
        if (c == '=') {
            padded = true;
            continue;
        }
        const int v = Base64Value(c);
        if (v < 0 || padded) Refuse(Refusal::Data);
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<std::uint8_t>(bits >> held));
        }
    }
    return bytes;
}

// zlib or gzip data (told apart by their headers) inflated to exactly
// `size` bytes; more or less is broken data.
std::vector<std::uint8_t> Inflate(const std::vector<std::uint8_t>& packed, std::size_t size) {
    std::vector<std::uint8_t> out(size + 1);
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) Refuse(Refusal::Data);
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const std::size_t produced = out.size() - z.avail_out;
    inflateEnd(&z);
    if (status != Z_STREAM_END || produced != size) Refuse(Refusal::Data);
    out.resize(size);
    return out;
}

std::vector<std::uint32_t> FromBytes(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    if (bytes.size() != count * 4) Refuse(Refusal::Data);
    std::vector<std::uint32_t> gids(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* b = bytes.data() + i * 4;
        gids[i] = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    return gids;
}

// A <tile> element's gid: absent for an empty cell, else decimal digits
// only, as in CSV data ("-1", "0x20", "32.9" or "" are broken data, not an
// empty cell or tile 32).
std::uint32_t GidOf(const pugi::xml_node& tile) {
    const pugi::xml_attribute gid = tile.attribute("gid");
    if (!gid) return 0;
    const std::string_view text = gid.value();
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) Refuse(Refusal::Data);
    return value;
}

std::vector<std::uint32_t> FromTiles(const pugi::xml_node& data, std::size_t count) {
    std::vector<std::uint32_t> gids;
    gids.reserve(count);
    for (const pugi::xml_node& tile : data.children("tile")) {
        if (gids.size() == count) Refuse(Refusal::Data);
        gids.push_back(GidOf(tile));
    }
    if (gids.size() != count) Refuse(Refusal::Data);
    return gids;
}

}  // namespace

std::vector<std::uint32_t> ReadLayerData(const pugi::xml_node& data, std::size_t count) {
    if (!data || data.child("chunk")) Refuse(Refusal::Encoding);
    const std::string_view encoding = data.attribute("encoding").value();
    const std::string_view compression = data.attribute("compression").value();
    if (encoding.empty() && compression.empty()) return FromTiles(data, count);
    if (encoding == "csv" && compression.empty()) return FromCsv(data.text().get(), count);
    if (encoding != "base64") Refuse(Refusal::Encoding);
    const std::vector<std::uint8_t> bytes = FromBase64(data.text().get());
    if (compression.empty()) return FromBytes(bytes, count);
    if (compression == "zlib" || compression == "gzip") return FromBytes(Inflate(bytes, count * 4), count);
    Refuse(Refusal::Encoding);
}

}  // namespace tiled
