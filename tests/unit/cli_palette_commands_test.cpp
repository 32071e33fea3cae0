// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-cli's palette and indexed commands: every palette format written
// and read back, GIMP's and JASC's own layouts read, the refusals that write
// nothing, and PIL (where python3 has it) reading every indexed file back,
// the PNG that convert writes of a sheet of few colours among them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "io/PaletteFiles.h"
#include "tests/support/ScratchDirectory.h"
#include "tools/tessaro-cli/Run.h"

namespace fs = std::filesystem;
using palette_file::Palette;

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    return {std::istream_iterator<std::string>(in), {}};
}

// The exit status and what went to standard error.
std::pair<int, std::string> Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, err.str()};
}

const canvas::Colour Key = canvas::Rgb(255, 0, 255);
// In order of first appearance on a sheet of chips coloured by (col + row) % 4,
// with the key on the top-left pixel of every chip.
const Palette Colours = {Key, canvas::Rgb(10, 20, 30), canvas::Rgb(200, 100, 50), canvas::Rgb(0, 128, 0),
                         canvas::Rgb(1, 2, 3)};

}  // namespace

TEST(CliPaletteCommands, PalettesRoundTripPilReadsTheFilesAndEveryRefusalWritesNothing) {
    ScratchDirectory scratch;
    canvas::Picture sheet(480, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x)
            sheet.SetPixel(x, y, x % 16 == 0 && y % 16 == 0 ? Key : Colours[1 + (x / 16 + y / 16) % 4]);
    WriteFileAtomically("sheet.bmp", bmp::Encode24(sheet));
    std::ofstream("gimp.gpl") << "GIMP Palette\nName: Test\nColumns: 5\n#\n  1   2   3\tUntitled\n  0 128   0\tgreen\n"
                                 "200 100  50\n 10  20  30\n255   0 255\tkey\n";
    std::ofstream("jasc.pal", std::ios::binary)
        << "JASC-PAL\r\n0100\r\n5\r\n1 2 3\r\n0 128 0\r\n200 100 50\r\n10 20 30\r\n255 0 255\r\n";
    std::istringstream runs(R"(indexed --key 255,0,255 sheet.bmp -o own.png
convert --key 255,0,255 sheet.bmp converted.png
indexed sheet.bmp -o own.bmp
indexed --key=255,0,255 own.png -o table.bmp
palette own.png --key 255,0,255 -o p.gpl
palette own.png -o p.pal
palette sheet.bmp -o p.hex
indexed sheet.bmp -o gimp.png --palette gimp.gpl
indexed sheet.bmp -o jasc.bmp --palette=jasc.pal)");
    for (std::string line; std::getline(runs, line);) EXPECT_EQ(Cli(Words(line)).first, 0) << line;
    for (const char* written : {"p.gpl", "p.pal", "p.hex"}) EXPECT_EQ(ReadPaletteFile(written), Colours) << written;
    // An 8-bit BMP's table has all 256 entries, black past the palette's end.
    const auto bmpTable = [](Palette p) { return p.resize(256, canvas::Black), p; };
    const Palette reversed(Colours.rbegin(), Colours.rend());
    const std::map<std::string, Palette> indexed = {{"own.png", Colours},           {"converted.png", Colours},
                                                    {"own.bmp", bmpTable(Colours)}, {"table.bmp", bmpTable(Colours)},
                                                    {"gimp.png", reversed},         {"jasc.bmp", bmpTable(reversed)}};
    for (const auto& [file, palette] : indexed) EXPECT_EQ(ReadPaletteFile(file), palette) << file;
    EXPECT_NE(
        Cli(Words("check -q --key 255,0,255 own.png"))
            .second.find("own.png: 5 colours; indexed, 5 table entries; index 0 is the transparent colour 255,0,255"),
        std::string::npos);
    EXPECT_NE(Cli(Words("check sheet.bmp")).second.find("sheet.bmp: 5 colours; not indexed"), std::string::npos);

    // PIL reads each file in mode P, its indices through its palette give the
    // sheet's pixels back, and its own GIMP reader reads the .gpl.
    std::string python;
    for (const char* candidate : {"python3", "/usr/bin/python3"})
        if (python.empty() && std::system((std::string(candidate) + " -c 'import PIL' 2>/dev/null").c_str()) == 0)
            python = candidate;
    std::ofstream("check.py") << R"(import sys
from PIL import Image, GimpPaletteFile
im = Image.open(sys.argv[1])
pal = im.getpalette()
assert im.mode == 'P' and [tuple(pal[3 * i:3 * i + 3]) for i in im.getdata()] == list(Image.open('sheet.bmp').getdata())
with open('p.gpl', 'rb') as f:  # older Pillow counts the Name, Columns and '#' lines as entries
    assert bytes(Image.open('own.png').getpalette()[:15]) in GimpPaletteFile.GimpPaletteFile(f).getpalette()[0][:30]
)";
    if (python.empty()) std::cout << "PIL's reading of the files skipped: no python3 with PIL\n";
    for (const auto& [file, palette] : python.empty() ? decltype(indexed){} : indexed)
        EXPECT_EQ(std::system((python + " check.py " + file).c_str()), 0) << file;

    canvas::Picture many(480, 256);
    for (int x = 0; x < 257; ++x) many.SetPixel(x, 0, canvas::Rgb(x % 256, x / 256, 7));
    WriteFileAtomically("many.bmp", bmp::Encode24(many));
    std::ofstream("short.hex") << "ff00ff\n0a141e\n";
    const std::map<std::string, std::string> refused = {
        {"indexed sheet.bmp -o out.png --palette short.hex",
         "sheet.bmp: pixel 17,0 has the colour 200,100,50, which is not in the palette of short.hex"},
        {"indexed many.bmp -o out.bmp", "many.bmp: the sheet has 258 colours, more than the 256"},
        {"palette many.bmp -o out.gpl", "many.bmp: the sheet has 258 colours, more than the 256"},
        {"palette sheet.bmp -o out.png", "cannot write out.png: palettes are saved as .gpl, .pal or .hex"},
        {"indexed sheet.bmp -o out.png --palette none.gpl",
         "none.gpl: cannot read the palette: No such file or directory"},
    };
    for (const auto& [line, message] : refused) {
        const auto [status, err] = Cli(Words(line));
        EXPECT_EQ(status, 1) << line;
        EXPECT_NE(err.find(message), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(Words(line)[3])) << line;
    }
}
