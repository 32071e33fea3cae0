// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-cli's palette and indexed commands: every palette format written
// and read back, GIMP's and JASC's own layouts read, the refusals that write
// nothing, and PIL (where python3 has it) reading every indexed file back,
// the PNG that convert writes of a sheet of few colours among them.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "io/PaletteFiles.h"
#include "tests/support/PngChunk.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"
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
    // The same colours as Microsoft's RIFF palette (a chunk of its own before
    // the data), and as GIMP text with a byte order mark and CR line ends.
    std::ofstream("riff.pal", std::ios::binary) << std::string(
        "RIFF\x2e\0\0\0PAL info\x01\0\0\0x\0data\x18\0\0\0\0\x03\x05\0"
        "\1\2\3\0\0\x80\0\0\xc8\x64\x32\0\x0a\x14\x1e\0\xff\0\xff\0",
        54);
    std::ofstream("mac.gpl", std::ios::binary)
        << "\xEF\xBB\xBFGIMP Palette\r1 2 3\r0 128 0\r200 100 50\r10 20 30\r255 0 255\r";
    std::ofstream("argb.txt") << "; paint.net\nFF010203\n80008000\nFFC86432\n000A141E\nFFFF00FF\n";
    std::istringstream runs(R"(indexed --key 255,0,255 sheet.bmp -o own.png
convert --key 255,0,255 sheet.bmp converted.png
indexed sheet.bmp -o own.bmp
indexed --key=255,0,255 own.png -o table.bmp
palette own.png --key 255,0,255 -o p.gpl
palette own.png -o p.pal
palette sheet.bmp -o p.hex
indexed sheet.bmp -o gimp.png --palette gimp.gpl
indexed sheet.bmp -o jasc.bmp --palette=jasc.pal
indexed sheet.bmp -o riff.png --palette riff.pal
indexed sheet.bmp -o mac.png --palette mac.gpl)");
    for (std::string line; std::getline(runs, line);) EXPECT_EQ(Cli(Words(line)).first, 0) << line;
    for (const char* written : {"p.gpl", "p.pal", "p.hex"}) EXPECT_EQ(ReadPaletteFile(written), Colours) << written;
    // An 8-bit BMP's table has all 256 entries, black past the palette's end.
    const auto bmpTable = [](Palette p) { return p.resize(256, canvas::Black), p; };
    const Palette reversed(Colours.rbegin(), Colours.rend());
    const std::map<std::string, Palette> indexed = {{"own.png", Colours},           {"converted.png", Colours},
                                                    {"own.bmp", bmpTable(Colours)}, {"table.bmp", bmpTable(Colours)},
                                                    {"gimp.png", reversed},         {"jasc.bmp", bmpTable(reversed)},
                                                    {"riff.png", reversed},         {"mac.png", reversed}};
    for (const auto& [file, palette] : indexed) EXPECT_EQ(ReadPaletteFile(file), palette) << file;
    EXPECT_NE(
        Cli(Words("check -q --key 255,0,255 own.png"))
            .second.find("own.png: 5 colours; indexed, 5 table entries; index 0 is the transparent colour 255,0,255"),
        std::string::npos);
    EXPECT_NE(Cli(Words("check sheet.bmp")).second.find("sheet.bmp: 5 colours; not indexed"), std::string::npos);
    const auto [argbStatus, argbNote] = Cli(Words("indexed sheet.bmp -o argb.png --palette argb.txt"));
    EXPECT_EQ(argbStatus, 0);
    EXPECT_NE(argbNote.find("argb.txt: the alpha of 2 colours was dropped"), std::string::npos) << argbNote;

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
    std::ofstream("huge.act").close();
    fs::resize_file("huge.act", std::uintmax_t{3} << 30);  // sparse: nothing is stored
    const std::map<std::string, std::string> refused = {
        {"indexed sheet.bmp -o out.png --palette short.hex",
         "sheet.bmp: pixel 17,0 has the colour 200,100,50, which is not in the palette of short.hex"},
        {"indexed many.bmp -o out.bmp", "many.bmp: the sheet has 258 colours, more than the 256"},
        {"palette many.bmp -o out.gpl", "many.bmp: the sheet has 258 colours, more than the 256"},
        {"indexed sheet.bmp -o out.png --palette huge.act",
         "huge.act: cannot read the palette: an Adobe colour table is 768 or 772 bytes, not 3221225472"},
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

namespace {

// A PNG of 16384 x 16384 zeros of 8 bits, some 130 KB: grey, or indexed
// with `palette` (RGB triples).
void WriteHugePng(const std::string& path, const std::vector<std::uint8_t>& palette) {
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'}, header, data(1 << 20);
    Put32(header, 16384), Put32(header, 16384);
    header.insert(header.end(), {8, static_cast<std::uint8_t>(palette.empty() ? 0 : 3), 0, 0, 0});
    Chunk(file, "IHDR", header);
    if (!palette.empty()) Chunk(file, "PLTE", palette);
    std::vector<Bytef> row(16385);
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15, 9, Z_RLE);
    z.next_out = data.data(), z.avail_out = static_cast<uInt>(data.size());
    int status = Z_OK;
    for (int y = 0; y < 16384; ++y) {
        z.next_in = row.data(), z.avail_in = static_cast<uInt>(row.size());
        status = deflate(&z, y + 1 < 16384 ? Z_NO_FLUSH : Z_FINISH);
    }
    EXPECT_EQ(status, Z_STREAM_END);
    data.resize(z.total_out);
    deflateEnd(&z);
    Chunk(file, "IDAT", data);
    Chunk(file, "IEND", {});
    WriteFileAtomically(path, file);
}

// Runs `work` in a child process that may map at most 64 MiB beyond what it
// holds when it starts; its result, or false when it is killed.
bool Within64MiB(const std::function<bool()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::ifstream status("/proc/self/status");
        std::uintmax_t kib = 0;
        for (std::string word; status >> word && word != "VmSize:";) {}
        status >> kib;
        const rlimit limit{(kib << 10) + (std::uintmax_t{64} << 20), RLIM_INFINITY};
        ::_exit(kib > 0 && ::setrlimit(RLIMIT_AS, &limit) == 0 && work() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// A small file claiming a huge picture, used as a palette: an indexed one
// gives its colour table without a pixel decoded, any other is refused as
// too large before it is decoded; the command line and the editor's start
// alike stay within 64 MiB, and a start loses none of the keys after it.
TEST(CliPaletteCommands, HugePalettePicturesStayWithin64MiB) {
    ScratchDirectory scratch;
    const Palette redBlue = {canvas::Rgb(255, 0, 0), canvas::Rgb(0, 0, 255)};
    canvas::Picture sheet(480, 256);
    sheet.SetBrushColour(redBlue[1]);
    sheet.FillRect({0, 0, 480, 256});
    WriteFileAtomically("sheet.bmp", bmp::Encode24(sheet));
    WriteHugePng("indexed.png", {255, 0, 0, 0, 0, 255});
    WriteHugePng("grey.png", {});

    EXPECT_TRUE(
        Within64MiB([] { return Cli(Words("indexed sheet.bmp -o out.png --palette indexed.png")).first == 0; }));
    EXPECT_EQ(ReadPaletteFile("out.png"), redBlue);
    EXPECT_TRUE(Within64MiB([] {
        const auto [status, err] = Cli(Words("indexed sheet.bmp -o grey-out.png --palette grey.png"));
        return status == 1 && err.find(
                                  "grey.png: cannot read the palette: the picture is too large (a picture of "
                                  "16384x16384 pixels that is not indexed") != std::string::npos;
    }));
    EXPECT_FALSE(fs::exists("grey-out.png"));
    for (const auto& [file, palette] : {std::pair{"indexed.png", redBlue}, std::pair{"grey.png", Palette{}}}) {
        std::ofstream("tsr.def") << "userpalette=" << file << "\nwide=on\n";
        EXPECT_TRUE(Within64MiB([&palette] {
            StartedEditor started;
            return started->project.UserPalette == palette && started->WideLayoutOn() && started.platform.shown.empty();
        })) << file;
    }
}
