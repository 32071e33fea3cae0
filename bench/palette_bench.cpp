// SPDX-License-Identifier: GPL-3.0-or-later
// The artist's own palette: a palette file of 256 colours loaded in each
// format written, and a sheet of few colours saved indexed with its own
// colours beside the plain save of the same sheet (24-bit BMP, and the PNG
// save, which writes few colours indexed itself).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/OwnPalette.h"
#include "io/PaletteFiles.h"
#include "tests/support/FakePlatform.h"

namespace {

std::string ScratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("tessaro-bench-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

// A sheet of map chips drawn with a palette of 15 colours: grass, bricks,
// water, stone and objects on a keyed background, chips of a kind alike.
canvas::Picture FewColours() {
    const canvas::Colour greens[] = {canvas::Rgb(40, 120, 40), canvas::Rgb(56, 144, 48), canvas::Rgb(72, 160, 64)};
    const canvas::Colour blues[] = {canvas::Rgb(32, 64, 200), canvas::Rgb(48, 96, 224), canvas::Rgb(64, 128, 240)};
    canvas::Picture picture(480, 256);
    std::uint32_t seed = 7;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 16; };
    for (int top = 0; top < 256; top += 16)
        for (int left = 0; left < 480; left += 16) {
            const unsigned kind = (left / 64 + top / 16 * 3) % 6;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const bool mortar = y % 4 == 3 || (x + (y / 4 % 2) * 8) % 16 == 15;
                    canvas::Colour c = greens[next() % 3];
                    if (kind == 1) c = mortar ? canvas::Rgb(200, 200, 190) : canvas::Rgb(160, 64, 48);
                    if (kind == 2) c = blues[(x + y + next() % 2) / 3 % 3];
                    if (kind == 3) c = (x * y) % 7 ? canvas::Rgb(128, 128, 128) : canvas::Rgb(96, 96, 96);
                    if (kind == 4)
                        c = (x - 8) * (x - 8) + (y - 8) * (y - 8) > 36 ? canvas::Rgb(255, 0, 255)
                            : (x + y) % 3                              ? canvas::Rgb(220, 180, 40)
                                                                       : canvas::Rgb(180, 120, 20);
                    if (kind == 5 && y > 10) c = canvas::Rgb(90, 60, 30);
                    picture.SetPixel(left + x, top + y, c);
                }
        }
    return picture;
}

// A palette file of 256 distinct colours, read as the palette load reads it.
void PaletteLoadFile(benchmark::State& state) {
    const char* extension[] = {".gpl", ".pal", ".hex"};
    const std::string path = ScratchPath(std::string("palette") + extension[state.range(0)]);
    palette_file::Palette palette;
    for (int i = 0; i < 256; ++i) palette.push_back(canvas::Rgb(i, 255 - i, i * 7 % 256));
    WritePaletteFile(path, palette);
    for (auto _ : state) benchmark::DoNotOptimize(ReadPaletteFile(path).data());
    std::remove(path.c_str());
}
BENCHMARK(PaletteLoadFile)->ArgName("format")->DenseRange(0, 2);

// The sheet's own colours counted and every pixel indexed: what an indexed
// save of the sheet does beyond the plain save's work (compose, write).
void PaletteIndexSheet(benchmark::State& state) {
    const canvas::Picture sheet = FewColours();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            own_palette::IndexWithOwnColours(sheet, canvas::Rgb(255, 0, 255)).picture.indices.data());
}
BENCHMARK(PaletteIndexSheet);

// The sheet saved by a File menu command (compose, encode, write beside the
// old file, flush, rename): indexed with the sheet's own colours (indexed:1),
// or by the plain save (indexed:0); as BMP (png:0) or PNG (png:1).
void PaletteSaveSheet(benchmark::State& state) {
    FakePlatform platform;
    auto form = std::make_unique<EditorForm>(platform);
    form->FormCreate();
    const canvas::Picture sheet = FewColours();
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 30; ++col)
            form->ChangeChip(col, row).CopyRect({0, 0, 16, 16}, sheet,
                                                {col * 16, row * 16, col * 16 + 16, row * 16 + 16});
    form->project.Sheet.TransparentColor = canvas::Rgb(255, 0, 255);
    const bool indexed = state.range(0) != 0;
    const std::string path = ScratchPath(state.range(1) ? "saved.png" : "saved.bmp");
    for (auto _ : state) {
        platform.fileAnswers.push_back(path);
        if (indexed)
            form->SaveWithSheetColours();
        else
            form->Click(ControlId::SaveMenu);
    }
    if (!platform.shown.empty()) state.SkipWithError(("the save failed: " + platform.shown.front().text).c_str());
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(PaletteSaveSheet)->ArgNames({"indexed", "png"})->ArgsProduct({{0, 1}, {0, 1}});

}  // namespace
