#include "io/RecoveryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "formats/BmpWriter.h"
#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"

namespace recovery {

namespace {

constexpr std::string_view Magic = "tessaro-recovery 1\n";
constexpr const char* CopySuffix = ".tsr";
constexpr const char* LockSuffix = ".lock";

std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string FromHex(std::string_view hex) {
    auto value = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        throw PictureReadError("not a recovery copy");
    };
    if (hex.size() % 2 != 0) throw PictureReadError("not a recovery copy");
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) out += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return out;
}

int Number(const std::map<std::string, std::string, std::less<>>& head, std::string_view key, int lo, int hi) {
    const auto it = head.find(key);
    if (it == head.end()) throw PictureReadError("not a recovery copy");
    long long n = 0;
    const std::string& s = it->second;
    if (s.empty() || s.size() > 10) throw PictureReadError("not a recovery copy");
    for (char c : s) {
        if (c < '0' || c > '9') throw PictureReadError("not a recovery copy");
        n = n * 10 + (c - '0');
    }
    if (n < lo || n > hi) throw PictureReadError("not a recovery copy");
    return static_cast<int>(n);
}

}  // namespace

std::string Directory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/tessaro";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/tessaro";
    return {};
}

std::vector<std::uint8_t> Encode(const TMemorySnapshot& copy) {
    const TDef& d = copy.MemDef;
    std::string head(Magic);
    auto line = [&head](const char* key, const std::string& value) { head += std::string(key) + "=" + value + "\n"; };
    line("file", Hex(d.FileName));
    line("zoom", std::to_string(d.Zoom));
    line("chipsize", std::to_string(d.ChipSize));
    line("cols", std::to_string(d.SheetCols));
    line("rows", std::to_string(d.SheetRows));
    line("tool", std::to_string(d.ToolMode));
    line("gridcolour", std::to_string(d.GridLineColor & 0xFFFFFF));
    line("sheetgrid", d.SheetGridShown ? "1" : "0");
    line("col", std::to_string(copy.MemCurCol));
    line("row", std::to_string(copy.MemCurRow));
    line("pen", std::to_string(copy.MemPenSize));
    line("gridhidden", copy.MemGridHidden ? "1" : "0");
    line("resizeperchip", copy.MemResizePerChip ? "1" : "0");
    head += "\n";
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    const std::vector<std::uint8_t> sheet = bmp::Encode24(copy.MemSheetImage);
    bytes.insert(bytes.end(), sheet.begin(), sheet.end());
    return bytes;
}

TMemorySnapshot Decode(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!text.starts_with(Magic)) throw PictureReadError("not a recovery copy");
    const std::size_t end = text.find("\n\n");
    if (end == std::string_view::npos) throw PictureReadError("not a recovery copy");
    std::map<std::string, std::string, std::less<>> head;
    for (std::size_t at = Magic.size(); at < end + 1;) {
        const std::size_t eol = text.find('\n', at);
        const std::string_view entry = text.substr(at, eol - at);
        const std::size_t eq = entry.find('=');
        if (eq == std::string_view::npos) throw PictureReadError("not a recovery copy");
        head.emplace(std::string(entry.substr(0, eq)), std::string(entry.substr(eq + 1)));
        at = eol + 1;
    }
    TMemorySnapshot copy;
    TDef& d = copy.MemDef;
    d.FileName = FromHex(head.count("file") ? head["file"] : "");
    d.Zoom = Number(head, "zoom", 2, 10);
    d.ChipSize = Number(head, "chipsize", 1, 256);
    d.SheetCols = Number(head, "cols", 1, TForm1::MaxCols);
    d.SheetRows = Number(head, "rows", 1, TForm1::MaxRows);
    d.ToolMode = Number(head, "tool", 0, 5);
    d.GridLineColor = static_cast<TColor>(Number(head, "gridcolour", 0, 0xFFFFFF));
    d.SheetGridShown = Number(head, "sheetgrid", 0, 1) == 1;
    copy.MemCurCol = Number(head, "col", 0, d.SheetCols - 1);
    copy.MemCurRow = Number(head, "row", 0, d.SheetRows - 1);
    copy.MemPenSize = Number(head, "pen", 1, 4);
    copy.MemGridHidden = Number(head, "gridhidden", 0, 1) == 1;
    copy.MemResizePerChip = Number(head, "resizeperchip", 0, 1) == 1;
    copy.MemModified = true;
    copy.MemSheetImage = bmp::Decode(bytes.subspan(end + 2));
    if (copy.MemSheetImage.Width() != d.SheetCols * d.ChipSize ||
        copy.MemSheetImage.Height() != d.SheetRows * d.ChipSize)
        throw PictureReadError("not a recovery copy");
    return copy;
}

std::string LockPathOf(const std::string& copyPath) {
    const std::string stem = copyPath.ends_with(CopySuffix)
                                 ? copyPath.substr(0, copyPath.size() - std::string_view(CopySuffix).size())
                                 : copyPath;
    return stem + LockSuffix;
}

int TakeLock(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void ReleaseLock(int fd) {
    if (fd >= 0) ::close(fd);
}

std::vector<std::string> CopiesIn(const std::string& directory) {
    namespace fs = std::filesystem;
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() != CopySuffix || !it->is_regular_file(error)) continue;
        found.emplace_back(it->last_write_time(error), it->path().string());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> paths;
    for (auto& f : found) paths.push_back(std::move(f.second));
    return paths;
}

std::string NewCopyPath(const std::string& directory) {
    // The process id tells running editors apart; the time and a counter,
    // the editors one process has had.
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return directory + "/copy-" + std::to_string(::getpid()) + "-" + std::to_string(now) + "-" +
           std::to_string(counter++) + CopySuffix;
}

}  // namespace recovery
