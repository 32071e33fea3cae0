// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile picture files, loaded as the sheet and read for the open dialog's
// preview: each must be refused or loaded within 50 ms and 64 MiB. Every
// file is made here (large ones sparse, so that nothing big is stored), and
// each row reports whether the load was refused and the process's peak
// memory so far (peak_MiB; run one row alone with --benchmark_filter to see
// its own peak).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/PaletteFiles.h"
#include "io/PictureFile.h"
#include "tests/support/CompressedJpeg.h"
#include "tests/support/FakePlatform.h"

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

// The files live in one directory, removed when the benchmarks end.
const fs::path& ScratchDirectory() {
    static const struct Directory {
        fs::path path = fs::temp_directory_path() / ("tessaro-hostile-" + std::to_string(::getpid()));
        ~Directory() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } dir;
    return dir.path;
}

fs::path Scratch(const std::string& name) {
    fs::create_directories(ScratchDirectory());
    return ScratchDirectory() / name;
}

// The bytes at the start of a file that is `length` bytes long; the rest is
// a hole, zeros that take no disk.
std::string WriteSparse(const std::string& name, const Bytes& start, std::int64_t length) {
    const std::string path = Scratch(name).string();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, start.data(), start.size()) != static_cast<ssize_t>(start.size()) ||
        ::ftruncate(fd, std::max<std::int64_t>(length, static_cast<std::int64_t>(start.size()))) != 0)
        std::perror(path.c_str());
    ::close(fd);
    return path;
}

std::string Write(const std::string& name, const Bytes& bytes) {
    return WriteSparse(name, bytes, static_cast<std::int64_t>(bytes.size()));
}

// A small JPEG written by libjpeg: grey noise, baseline or progressive.
Bytes SmallJpeg(int side, bool progressive) {
    std::uint32_t seed = 7;
    return CompressJpeg({.width = side, .height = side, .progressive = progressive},
                        [&](int, std::span<std::uint8_t> line) {
                            for (std::uint8_t& v : line)
                                v = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
                        });
}

std::size_t Find(const Bytes& b, std::uint8_t marker, std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < b.size(); ++i)
        if (b[i] == 0xFF && b[i + 1] == marker) return i;
    return b.size();
}

void ClaimSize(Bytes& jpeg, int width, int height) {
    std::size_t sof = std::min(Find(jpeg, 0xC0), Find(jpeg, 0xC2));
    jpeg[sof + 5] = static_cast<std::uint8_t>(height >> 8);
    jpeg[sof + 6] = static_cast<std::uint8_t>(height);
    jpeg[sof + 7] = static_cast<std::uint8_t>(width >> 8);
    jpeg[sof + 8] = static_cast<std::uint8_t>(width);
}

// A progressive file claiming 16000 x 16000 whose last scan is repeated
// until it holds `scans` scans; cut after its first scan header when `cut`.
Bytes HugeProgressive(int scans, bool cut) {
    Bytes jpeg = SmallJpeg(256, true);
    ClaimSize(jpeg, 16000, 16000);
    if (cut) {
        jpeg.resize(Find(jpeg, 0xDA) + 14);
        return jpeg;
    }
    std::size_t last = 0;
    for (std::size_t at = Find(jpeg, 0xDA); at < jpeg.size(); at = Find(jpeg, 0xDA, at + 2)) last = at;
    const Bytes scan(jpeg.begin() + static_cast<long>(last), jpeg.end() - 2);
    jpeg.resize(jpeg.size() - 2);
    for (int i = 10; i < scans; ++i) jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

void Le(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// An 8-bit run-length BMP of width x height with two colours and `data`.
Bytes RleBmp(int width, int height, const Bytes& data, std::uint32_t fileSize = 0) {
    Bytes f = {'B', 'M'};
    const std::uint32_t offset = 14 + 40 + 8;
    Le(f, fileSize ? fileSize : offset + static_cast<std::uint32_t>(data.size()), 4);
    Le(f, 0, 4);
    Le(f, offset, 4);
    for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) Le(f, v, 4);
    Le(f, 1, 2);
    Le(f, 8, 2);
    for (std::uint32_t v : {1u, 0u, 0u, 0u, 2u, 0u}) Le(f, v, 4);
    Le(f, 0x000000FF, 4);
    Le(f, 0x0000FF00, 4);
    f.insert(f.end(), data.begin(), data.end());
    return f;
}

std::int64_t PeakMiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

void Report(benchmark::State& state, bool refused) {
    state.counters["refused"] = refused ? 1 : 0;
    state.counters["peak_MiB"] = static_cast<double>(PeakMiB());
}

// The file loaded as the sheet, as the File menu and a drop do.
void LoadAsSheet(benchmark::State& state, const std::string& path) {
    FakePlatform platform;
    EditorForm form(platform);
    form.FormCreate();
    bool refused = false;
    for (auto _ : state) {
        try {
            refused = !form.LoadSheetFile(path);
        } catch (const std::exception&) {
            refused = true;  // faulty data, for the generic error handler
        }
    }
    Report(state, refused);
}

// The file read for the open dialog's preview.
void Preview(benchmark::State& state, const std::string& path) {
    bool refused = false;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(LoadReducedPicture(path, 320).width);
        } catch (const std::exception&) {
            refused = true;
        }
    }
    Report(state, refused);
}

void HostileProgressiveManyScans(benchmark::State& state) {
    LoadAsSheet(state, Write("scans.jpg", HugeProgressive(1000, false)));
}
BENCHMARK(HostileProgressiveManyScans)->Unit(benchmark::kMillisecond);

void HostileProgressiveHeader(benchmark::State& state) {
    LoadAsSheet(state, Write("header.jpg", HugeProgressive(0, true)));
}
BENCHMARK(HostileProgressiveHeader)->Unit(benchmark::kMillisecond);

// 16384 x 16384 in runs of 255 pixels, about 1 KB.
void HostileRlePreview(benchmark::State& state) {
    Bytes runs;
    for (int i = 0; i < 500; ++i) runs.insert(runs.end(), {255, 1});
    runs.insert(runs.end(), {0, 1});
    Preview(state, Write("runs.bmp", RleBmp(16384, 16384, runs)));
}
BENCHMARK(HostileRlePreview)->Unit(benchmark::kMillisecond);

void HostileWideJpegPreview(benchmark::State& state) {
    Bytes jpeg = SmallJpeg(16, false);
    ClaimSize(jpeg, 32768, 8192);
    jpeg.resize(std::min(jpeg.size(), Find(jpeg, 0xDA) + 20));
    Preview(state, Write("wide.jpg", jpeg));
}
BENCHMARK(HostileWideJpegPreview)->Unit(benchmark::kMillisecond);

void HostilePipe(benchmark::State& state) {
    const std::string path = Scratch("tiles.bmp").string();
    ::unlink(path.c_str());
    ::mkfifo(path.c_str(), 0600);
    LoadAsSheet(state, path);
}
BENCHMARK(HostilePipe)->Unit(benchmark::kMillisecond);

void HostileDevices(benchmark::State& state) {
    for (const char* link : {"zero.bmp", "random.jpg"}) {
        const fs::path path = Scratch(link);
        fs::remove(path);
        fs::create_symlink(link[0] == 'z' ? "/dev/zero" : "/dev/urandom", path);
    }
    FakePlatform platform;
    EditorForm form(platform);
    form.FormCreate();
    bool refused = true;
    for (auto _ : state)
        for (const char* link : {"zero.bmp", "random.jpg"})
            refused = !form.LoadSheetFile(Scratch(link).string()) && refused;
    Report(state, refused);
}
BENCHMARK(HostileDevices)->Unit(benchmark::kMillisecond);

// A picture at the start of a 1000 MB file named .jpg.
void HostileLongJpeg(benchmark::State& state) {
    LoadAsSheet(state, WriteSparse("long.jpg", SmallJpeg(512, false), std::int64_t{1000} << 20));
}
BENCHMARK(HostileLongJpeg)->Unit(benchmark::kMillisecond);

// A run-length header followed by 1 GiB of zeros (end-of-line codes).
void HostileRleZeros(benchmark::State& state) {
    const std::int64_t length = std::int64_t{1} << 30;
    LoadAsSheet(state, WriteSparse("zeros.bmp", RleBmp(16384, 16384, {}, static_cast<std::uint32_t>(length)), length));
}
BENCHMARK(HostileRleZeros)->Unit(benchmark::kMillisecond);

// The file read as a palette, as the palette load, userpalette= and
// tessaro-cli's --palette read it.
void ReadAsPalette(benchmark::State& state, const std::string& path) {
    bool refused = false;
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ReadPaletteFile(path).size());
        } catch (const std::exception&) {
            refused = true;
        }
    }
    Report(state, refused);
}

// An indexed picture claiming 16384 x 16384 gives its table from the header.
void HostileIndexedPalettePicture(benchmark::State& state) {
    const Bytes bmp = RleBmp(16384, 16384, {0, 1});
    ReadAsPalette(state, WriteSparse("palette.bmp", bmp, static_cast<std::int64_t>(bmp.size())));
}
BENCHMARK(HostileIndexedPalettePicture)->Unit(benchmark::kMillisecond);

// A picture that is not indexed, claiming as much, is refused before it is
// decoded.
void HostileColourPalettePicture(benchmark::State& state) {
    Bytes jpeg = SmallJpeg(256, false);
    ClaimSize(jpeg, 16384, 16384);
    ReadAsPalette(state, WriteSparse("palette.jpg", jpeg, static_cast<std::int64_t>(jpeg.size())));
}
BENCHMARK(HostileColourPalettePicture)->Unit(benchmark::kMillisecond);

}  // namespace
