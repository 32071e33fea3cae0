// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-sheet files: the two palette writers building the 8-bit file of
// the sheet, a 480 x 256 BMP, JPEG or PNG loaded as the sheet (read, cut into
// chips, laid out) from a file in the system's temporary directory, the
// sheet saved as PNG there, and the loads and saves per pixel at 2048 x 2048.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/BmpWriter.h"
#include "formats/PaletteBmp.h"
#include "formats/PngWriter.h"
#include "io/AtomicFile.h"
#include "io/PictureSave.h"
#include "tests/support/CompressedJpeg.h"
#include "tests/support/FakePlatform.h"

namespace {

// Smooth shades with a little grain, like a photograph or a painted sheet:
// neighbouring pixels differ, so no run or table trick makes it cheap.
canvas::Picture PhotoLike(int width, int height) {
    canvas::Picture picture(width, height);
    std::vector<canvas::Colour> row(static_cast<std::size_t>(width));
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 28) - 8;
            row[static_cast<std::size_t>(x)] = canvas::Rgb(
                (x * 255 / width + grain) & 0xFF, (y * 255 / height + grain) & 0xFF, ((x + y) / 3 + grain) & 0xFF);
        }
        picture.SetRow(y, row);
    }
    return picture;
}

// A sheet of map chips as they are drawn: flat grounds and walls with a few
// shades, grass and water with grain, objects on a flat background and some
// chips still empty; chips of a kind differ in their shades.
canvas::Picture TileLike(int width, int height) {
    canvas::Picture picture(width, height);
    std::uint32_t seed = 777;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int top = 0; top < height; top += 16)
        for (int left = 0; left < width; left += 16) {
            const int kind = static_cast<int>(next() >> 29);  // 0..7
            const int tint = static_cast<int>(next() >> 27);  // 0..31
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const int grain = static_cast<int>(next() >> 28);  // 0..15
                    const bool mortar = y % 4 == 3 || (x + (y / 4 % 2) * 4) % 8 == 7;
                    const bool object = (x - 8) * (x - 8) + (y - 8) * (y - 8) < 30;
                    canvas::Colour c = canvas::Black;  // kinds 6 and 7: empty
                    switch (kind) {
                        case 0:
                        case 1: c = canvas::Rgb(40 + tint, 120 + grain * 4, 30); break;                 // grass
                        case 2: c = canvas::Rgb(20, 60 + tint, 150 + (y / 3 % 2) * 30 + grain); break;  // water
                        case 3: c = mortar ? canvas::Rgb(200, 200, 190) : canvas::Rgb(150 + tint, 60, 40); break;
                        case 4: c = canvas::Rgb(180 + tint, 160, 110); break;  // ground
                        case 5: c = object ? canvas::Rgb(100 + grain * 8, 80 + tint, 60) : canvas::Rgb(180, 160, 110);
                    }
                    picture.SetPixel(left + x, top + y, c);
                }
        }
    return picture;
}

// A started editor whose chips hold the picture, composed into SheetImage;
// the sheet is made of the shape first when it is not the start's.
struct Editor {
    FakePlatform platform;
    std::unique_ptr<EditorForm> form = std::make_unique<EditorForm>(platform);

    explicit Editor(const canvas::Picture& sheet, const SheetGeometry& g = sheet::Default) {
        form->FormCreate();
        if (g != sheet::Default) form->MakeNewSheet(g);
        const int s = g.chipSize;
        for (int row = 0; row < g.rows; ++row)
            for (int col = 0; col < g.cols; ++col)
                form->ChangeChip(col, row).CopyRect({0, 0, s, s}, sheet, {col * s, row * s, col * s + s, row * s + s});
        form->ComposeSheet();
    }
};

// Every pixel one of the fixed table's colours, the case the exact writer
// accepts; successive pixels take different entries.
canvas::Picture TableColoured(const std::array<std::uint32_t, 256>& table) {
    canvas::Picture picture(480, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
            const std::uint32_t entry = table[static_cast<std::size_t>((x * 7 + y * 13) % 256)];
            picture.SetPixel(x, y,
                             canvas::Rgb(static_cast<int>(entry >> 16 & 0xFF), static_cast<int>(entry >> 8 & 0xFF),
                                         static_cast<int>(entry & 0xFF)));
        }
    return picture;
}

void FilesBuild256Colour(benchmark::State& state) {
    FakePlatform platform;
    EditorForm start(platform);
    start.FormCreate();
    Editor editor(TableColoured(start.Palette256));
    std::optional<canvas::Point> offTable;
    for (auto _ : state) {
        auto file = palette_bmp::Build256ColourBmp(editor.form->SheetImage, editor.form->Palette256, offTable);
        benchmark::DoNotOptimize(file.data());
    }
    if (offTable) state.SkipWithError("the sheet holds a colour outside the table");
}
BENCHMARK(FilesBuild256Colour);

void FilesBuild216Colour(benchmark::State& state) {
    Editor editor(PhotoLike(480, 256));
    for (auto _ : state) {
        auto file = palette_bmp::Build216ColourBmp(editor.form->SheetImage, editor.form->Palette256);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(FilesBuild216Colour);

// The menu command as far as the save dialog (cancelled): compose, then build.
void FilesSave216Command(benchmark::State& state) {
    Editor editor(PhotoLike(480, 256));
    for (auto _ : state) {
        editor.platform.fileAnswers.push_back(std::nullopt);
        editor.form->Click(ControlId::N216R1);
    }
}
BENCHMARK(FilesSave216Command);

// ---- Loads ----

// A file that lives as long as the benchmark.
class ScratchFile {
public:
    ScratchFile(const std::string& name, const std::vector<std::uint8_t>& bytes)
        : path_((std::filesystem::temp_directory_path() / ("tessaro-bench-" + std::to_string(::getpid()) + "-" + name))
                    .string()) {
        WriteFileAtomically(path_, bytes);
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A baseline JPEG of the picture at quality 90 with 2 x 2 chroma subsampling,
// as cameras and painting programs write them.
std::vector<std::uint8_t> EncodeJpeg(const canvas::Picture& picture) {
    const JpegSettings how{.width = picture.Width(), .height = picture.Height(), .quality = 90};
    return CompressJpeg(how, [&](int y, std::span<std::uint8_t> line) {
        const auto row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            line[3 * x] = static_cast<std::uint8_t>(canvas::RedOf(row[x]));
            line[3 * x + 1] = static_cast<std::uint8_t>(canvas::GreenOf(row[x]));
            line[3 * x + 2] = static_cast<std::uint8_t>(canvas::BlueOf(row[x]));
        }
    });
}

void LoadSheet(benchmark::State& state, const ScratchFile& file, const SheetGeometry& g = sheet::Default) {
    FakePlatform platform;
    EditorForm form(platform);
    form.FormCreate();
    if (g != sheet::Default) form.MakeNewSheet(g);
    for (auto _ : state) form.LoadSheetFile(file.Path());
    // A load that failed shows a message; its time would say nothing.
    if (!platform.shown.empty()) state.SkipWithError(("the load failed: " + platform.shown.front().text).c_str());
    benchmark::DoNotOptimize(form.ScreenI.GetPixel(5, 5));
}

void FilesLoadSheetBmp(benchmark::State& state) {
    const ScratchFile file("sheet.bmp", bmp::Encode24(PhotoLike(480, 256)));
    LoadSheet(state, file);
}
BENCHMARK(FilesLoadSheetBmp);

void FilesLoadSheetJpeg(benchmark::State& state) {
    const ScratchFile file("sheet.jpg", EncodeJpeg(PhotoLike(480, 256)));
    LoadSheet(state, file);
}
BENCHMARK(FilesLoadSheetJpeg);

void FilesLoadSheetPng(benchmark::State& state) {
    const ScratchFile file("sheet.png", png::EncodeRgb(TileLike(480, 256), std::nullopt));
    LoadSheet(state, file);
}
BENCHMARK(FilesLoadSheetPng);

// ---- Saves ----

// The sheet saved as a PNG file by the menu command: compose, encode, write
// beside the old file, flush and rename over it.
void FilesSaveSheetPng(benchmark::State& state) {
    Editor editor(TileLike(480, 256));
    const ScratchFile file("saved.png", {});
    for (auto _ : state) {
        editor.platform.fileAnswers.push_back(file.Path());
        editor.form->Click(ControlId::SaveMenu);
    }
    if (!editor.platform.shown.empty())
        state.SkipWithError(("the save failed: " + editor.platform.shown.front().text).c_str());
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file.Path()));
}
BENCHMARK(FilesSaveSheetPng);

// The PNG file of the composed sheet alone, without the write and the flush.
void FilesEncodeSheetPng(benchmark::State& state) {
    Editor editor(TileLike(480, 256));
    for (auto _ : state) {
        auto file =
            EncodePictureFile("sheet.png", editor.form->SheetImage, editor.form->project.Sheet.TransparentColor);
        benchmark::DoNotOptimize(file.data());
    }
}
BENCHMARK(FilesEncodeSheetPng);

// ---- Per pixel: the start's 480 x 256 sheet against the largest ----

// The row's sheet: the start's, or 2048 x 2048 (64 x 64 chips of 32); its
// file BMP (a photo-like picture, 24-bit) or PNG (map chips), as the rows
// above. `per_pixel` is the time of one pixel, which should not grow with
// the sheet.
struct SheetRow {
    SheetGeometry shape;
    bool png;
    canvas::Picture picture;
    std::string name;

    explicit SheetRow(benchmark::State& state)
        : shape(state.range(1) ? SheetGeometry{32, 64, 64} : sheet::Default),
          png(state.range(0) != 0),
          picture(png ? TileLike(shape.Width(), shape.Height()) : PhotoLike(shape.Width(), shape.Height())),
          name(png ? "sheet.png" : "sheet.bmp") {
        state.counters["per_pixel"] =
            benchmark::Counter(static_cast<double>(shape.Width()) * shape.Height(),
                               benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
    std::vector<std::uint8_t> File() const {
        return png ? png::EncodeRgb(picture, std::nullopt) : bmp::Encode24(picture);
    }
};

void FilesLoadSheetPerPixel(benchmark::State& state) {
    const SheetRow row(state);
    const ScratchFile file(row.name, row.File());
    LoadSheet(state, file, row.shape);
}
BENCHMARK(FilesLoadSheetPerPixel)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"png", "largest"});

// The Save command over a file of the same type, as FilesSaveSheetPng.
void FilesSaveSheetPerPixel(benchmark::State& state) {
    const SheetRow row(state);
    Editor editor(row.picture, row.shape);
    const ScratchFile file("saved-" + row.name, {});
    for (auto _ : state) {
        editor.platform.fileAnswers.push_back(file.Path());
        editor.form->Click(ControlId::SaveMenu);
    }
    if (!editor.platform.shown.empty())
        state.SkipWithError(("the save failed: " + editor.platform.shown.front().text).c_str());
}
BENCHMARK(FilesSaveSheetPerPixel)->ArgsProduct({{0, 1}, {0, 1}})->ArgNames({"png", "largest"});

}  // namespace
