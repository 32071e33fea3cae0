#include "io/PictureFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "io/BmpReader.h"
#include "io/JpegReader.h"
#include "io/PictureLimits.h"
#include "io/PictureReadError.h"

namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) throw PictureReadError(path + ": " + std::strerror(errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[65536];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, file.get());
        if (n == 0) break;
        if (static_cast<std::int64_t>(bytes.size() + n) > picture_limits::MaxFileBytes)
            throw PictureReadError(path + ": file too large");
        bytes.insert(bytes.end(), block, block + n);
    }
    // A directory opens on some systems and then fails on the first read.
    if (std::ferror(file.get())) throw PictureReadError(path + ": " + std::strerror(errno));
    return bytes;
}

}  // namespace

bool IsJpegPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = path.substr(dot);
    if (ext.size() != 4) return false;
    static const char lower[] = ".jpg";
    for (std::size_t i = 0; i < 4; ++i) {
        char c = ext[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

canvas::Picture LoadPictureFile(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (IsJpegPath(path)) return jpeg::Decode(bytes);
    return bmp::Decode(bytes);
}
