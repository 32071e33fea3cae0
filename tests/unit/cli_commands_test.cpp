// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-cli run in-process: split and join give back the sheet, the palette
// commands write the editor's own files byte for byte, every refusal leaves
// no file and says why, and usage errors exit with 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/BmpWriter.h"
#include "formats/PaletteBmp.h"
#include "io/AtomicFile.h"
#include "io/PictureFile.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"
#include "tools/tessaro-cli/ChipOrder.h"
#include "tools/tessaro-cli/CommandLine.h"
#include "tools/tessaro-cli/Progress.h"
#include "tools/tessaro-cli/Run.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Result {
    int status;
    std::string out, err;
};

Result Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = cli::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// A 480 x 256 sheet of noise, with every third chip black; `tableOnly` keeps
// to colours of the fixed table.
void WriteSheet(const std::string& path, bool tableOnly, unsigned seed = 7) {
    canvas::Picture sheet(480, 256);
    std::mt19937 random(seed);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
            const bool black = (x / 16 + y / 16) % 3 == 0;
            const auto v = [&] {
                return static_cast<int>(random() % 256) / (tableOnly ? 51 : 1) * (tableOnly ? 51 : 1);
            };
            sheet.SetPixel(x, y, black ? canvas::Black : canvas::Rgb(v(), v(), v()));
        }
    WriteFileAtomically(path, bmp::Encode24(sheet));
}

std::size_t FilesIn(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// The editor's own file for a File menu command on a loaded sheet.
Bytes EditorFile(const std::string& sheet, ControlId command, const std::string& out = "editor.out") {
    StartedEditor started;
    EditorForm& form = *started;
    EXPECT_TRUE(form.LoadSheetFile(sheet));
    started.platform.fileAnswers.push_back(out);
    form.Click(command);
    return FileBytes(out);
}

}  // namespace

TEST(CliCommands, SplitThenJoinGivesBackTheSheetInAnyOrderAndWithEmptyChipsLeftOut) {
    ScratchDirectory scratch;
    WriteSheet("sheet.bmp", false);
    fs::create_directories("all");
    fs::create_directories("some");
    ASSERT_EQ(Cli({"split", "sheet.bmp", "all/map2"}).status, 0);
    ASSERT_EQ(Cli({"--skip-empty", "split", "sheet.bmp", "some/c"}).status, 0);
    EXPECT_EQ(FilesIn("all"), 480u);
    EXPECT_EQ(FilesIn("some"), 320u);  // every third chip is black
    EXPECT_TRUE(fs::exists("all/map200.bmp") && fs::exists("all/map2479.bmp"));
    ASSERT_EQ(Cli({"convert", "sheet.bmp", "expected.bmp"}).status, 0);

    std::vector<std::string> all, some;
    for (const auto& e : fs::directory_iterator("all")) all.push_back(e.path().string());
    for (const auto& e : fs::directory_iterator("some")) some.push_back(e.path().string());
    std::shuffle(all.begin(), all.end(), std::mt19937(3));
    all.insert(all.begin(), {"join", "-o", "joined.bmp"});
    some.insert(some.begin(), {"join", "--quiet", "-o=joined-some.bmp", "--"});
    ASSERT_EQ(Cli(all).status, 0);
    ASSERT_EQ(Cli(some).status, 0);
    EXPECT_EQ(FileBytes("joined.bmp"), FileBytes("expected.bmp"));
    EXPECT_EQ(FileBytes("joined-some.bmp"), FileBytes("expected.bmp"));

    // Names that are no numbered chip names fill the sheet in the order given.
    fs::rename("all/map200.bmp", "first.bmp");
    fs::rename("all/map201.bmp", "second.bmp");
    ASSERT_EQ(Cli({"join", "first.bmp", "second.bmp", "-o", "two.bmp"}).status, 0);
    ASSERT_EQ(Cli({"split", "two.bmp", "two-"}).status, 0);
    EXPECT_EQ(FileBytes("two-00.bmp"), FileBytes("first.bmp"));
    EXPECT_EQ(FileBytes("two-01.bmp"), FileBytes("second.bmp"));

    // Blocks of 4 x 3 chips, named after their top-left chips: 8 x 6 of
    // them, the last column 2 chips wide and the last row 1 chip high. A
    // block split again as a sheet gives back the sheet's chips.
    fs::create_directories("blocks");
    ASSERT_EQ(Cli({"split", "--block", "4x3", "sheet.bmp", "blocks/b"}).status, 0);
    EXPECT_EQ(FilesIn("blocks"), 48u);
    ASSERT_EQ(Cli({"split", "blocks/b00.bmp", "first-block"}).status, 0);
    EXPECT_EQ(FileBytes("first-block61.bmp"), FileBytes("all/map261.bmp"));  // chip (1, 2)
    ASSERT_EQ(Cli({"split", "blocks/b478.bmp", "last-block"}).status, 0);
    EXPECT_EQ(FileBytes("last-block01.bmp"), FileBytes("all/map2479.bmp"));    // chip (29, 15)
    EXPECT_EQ(FileBytes("last-block30.bmp"), FileBytes("last-block479.bmp"));  // below it: black
}

TEST(CliCommands, SkipEmptyRemovesOnlyTheFilesSplitWroteSoThatJoinGivesBackTheSheetInAReusedFolder) {
    ScratchDirectory scratch;
    WriteSheet("old.bmp", false);
    canvas::Picture emptier = LoadPictureFile("old.bmp");
    emptier.SetBrushColour(canvas::Black);
    emptier.FillRect({16, 0, 32, 16});  // chips 1 and 4 become empty
    emptier.FillRect({64, 0, 80, 16});
    WriteFileAtomically("new.bmp", bmp::Encode24(emptier));
    fs::create_directories("chips");
    ASSERT_EQ(Cli({"split", "old.bmp", "chips/c"}).status, 0);
    const Result again = Cli({"split", "--skip-empty", "new.bmp", "chips/c"});
    EXPECT_NE(again.err.find("0 chip files written, 318 unchanged, 162 files of empty chips removed"),
              std::string::npos)
        << again.err;
    std::vector<std::string> join = {"join", "-o", "joined.bmp"};
    for (const auto& e : fs::directory_iterator("chips")) join.push_back(e.path().string());
    ASSERT_EQ(Cli(join).status, 0);
    ASSERT_EQ(Cli({"convert", "new.bmp", "expected.bmp"}).status, 0);
    EXPECT_EQ(FileBytes("joined.bmp"), FileBytes("expected.bmp"));
    // A file of an empty chip's name that split would not write is the
    // user's: refused, named, and nothing changes; without it, one goes.
    WriteFileAtomically("chips/c04.bmp", bmp::Encode24(canvas::Picture(17, 16)));
    emptier.FillRect({0, 16, 16, 32});
    WriteFileAtomically("new.bmp", bmp::Encode24(emptier));
    const Result refused = Cli({"split", "--skip-empty", "new.bmp", "chips/c"});
    EXPECT_TRUE(refused.status == 1 && refused.err.find("chips/c04.bmp") != std::string::npos) << refused.err;
    EXPECT_TRUE(fs::exists("chips/c30.bmp"));
    fs::remove("chips/c04.bmp");
    EXPECT_NE(Cli({"split", "--skip-empty", "new.bmp", "chips/c"}).err.find("317 unchanged, 1 file of empty"),
              std::string::npos);
}

TEST(CliCommands, PngChipsCarryTheKeyAsAlphaAndJoinBackWithIt) {
    ScratchDirectory scratch;
    WriteSheet("sheet.bmp", false);
    fs::create_directories("png");
    ASSERT_EQ(Cli({"split", "--key", "0,0,0", "sheet.bmp", "png/c.png"}).status, 0);
    EXPECT_EQ(FilesIn("png"), 480u);
    const PictureWithAlpha black = LoadPictureWithAlpha("png/c00.png"), noise = LoadPictureWithAlpha("png/c01.png");
    EXPECT_EQ(black.alpha, std::vector<std::uint8_t>(256, 0));
    EXPECT_FALSE(noise.HasTransparency());

    std::vector<std::string> chips = {"join", "-o", "back.png", "--key=0,0,0"};
    for (const auto& e : fs::directory_iterator("png")) chips.push_back(e.path().string());
    ASSERT_EQ(Cli(chips).status, 0);
    ASSERT_EQ(Cli({"convert", "--key", "0,0,0", "back.png", "back.bmp"}).status, 0);
    ASSERT_EQ(Cli({"convert", "sheet.bmp", "expected.bmp"}).status, 0);
    EXPECT_EQ(FileBytes("back.bmp"), FileBytes("expected.bmp"));

    // Without a key the first transparent pixels choose one, as in the editor.
    const Result chosen = Cli({"convert", "back.png", "magenta.bmp"});
    EXPECT_EQ(chosen.status, 0);
    EXPECT_NE(chosen.err.find("back.png: transparent pixels now stand as 255,0,255"), std::string::npos) << chosen.err;
    EXPECT_EQ(LoadPictureWithAlpha("magenta.bmp").colours.GetPixel(0, 0), canvas::Rgb(255, 0, 255));
    EXPECT_EQ(Cli({"convert", "-q", "back.png", "quiet.bmp"}).err, "");
}

// convert --chip N keeps the whole chips of N pixels that the picture holds,
// here past the 480 x 256 a sheet of 16-pixel chips takes, into the PNG.
TEST(CliCommands, ConvertWithAChipSizeKeepsTheWholeChipsOfThatSize) {
    ScratchDirectory scratch;
    canvas::Picture picture(8 * 64, 8 * 33);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.SetPixel(x, y, canvas::Rgb(x / 8 % 5 * 50, y / 8 % 3 * 90, 7));
    WriteFileAtomically("wide.bmp", bmp::Encode24(picture));
    ASSERT_EQ(Cli({"convert", "--chip", "8", "wide.bmp", "wide.png"}).status, 0);
    const canvas::Picture back = LoadPictureWithAlpha("wide.png").colours;
    EXPECT_EQ(back, picture);
}

TEST(CliCommands, PaletteCommandsWriteTheEditorsFilesByteForByte) {
    ScratchDirectory scratch;
    WriteSheet("photo.bmp", false);
    WriteSheet("table.bmp", true);
    const std::string jpeg = std::string(TESSARO_TESTDATA) + "/jpeg/testorig.jpg";
    for (const std::string& in : {std::string("photo.bmp"), jpeg}) {
        ASSERT_EQ(Cli({"reduce216", in, "cli.bmp"}).status, 0) << in;
        EXPECT_EQ(FileBytes("cli.bmp"), EditorFile(in, ControlId::N216R1)) << in;
    }
    ASSERT_EQ(Cli({"reduce216", "photo.bmp", "cli.png"}).status, 0);
    EXPECT_EQ(FileBytes("cli.png"), EditorFile("photo.bmp", ControlId::N216R1, "editor.png"));
    ASSERT_EQ(Cli({"palette256", "table.bmp", "cli.bmp"}).status, 0);
    EXPECT_EQ(FileBytes("cli.bmp"), EditorFile("table.bmp", ControlId::mem256S));
    const Result check = Cli({"check", "table.bmp"});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, "");
}

TEST(CliCommands, EveryRefusalLeavesNoFileAndSaysWhy) {
    ScratchDirectory scratch;
    WriteSheet("sheet.bmp", false);
    std::ofstream("broken.bmp") << "BM not really";
    canvas::Picture offTable(480, 256);
    offTable.SetPixel(12, 5, canvas::Rgb(0, 0, 8));
    offTable.SetPixel(3, 7, canvas::Rgb(1, 2, 3));
    WriteFileAtomically("off.bmp", bmp::Encode24(offTable));
    fs::create_directories("chips/c300.bmp");  // a directory where a chip file would go
    fs::create_directories("taken.bmp");       // and one where a sheet would

    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"convert", "missing.bmp", "out.bmp"}, "missing.bmp: cannot read the picture: No such file or directory"},
        {{"split", "broken.bmp", "out"}, "broken.bmp: cannot read the picture: not a picture file"},
        {{"reduce216", "broken.bmp", "out.bmp"}, "broken.bmp: cannot read the picture: not a picture file"},
        {{"join", "sheet.bmp", "broken.bmp", "-o", "out.bmp"}, "broken.bmp: cannot read the picture: "},
        {{"palette256", "off.bmp", "out.bmp"},
         "off.bmp: pixel 12,5 has the colour 0,0,8, which is not in the 256-colour table (2 such pixels)"},
        {{"split", "sheet.bmp", "chips/c"}, "chips/c300.bmp: Is a directory; no chip file was written"},
        {{"convert", "sheet.bmp", "taken.bmp"}, "cannot write taken.bmp: Is a directory; nothing was written"},
        {{"reduce216", "sheet.bmp", "taken.bmp"}, "cannot write taken.bmp: Is a directory; nothing was written"},
    };
    for (const Case& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(r.err.find("tessaro-cli: "), 0u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists("out.bmp"));
        EXPECT_FALSE(fs::exists("out00.bmp"));
        EXPECT_EQ(FilesIn("chips"), 1u) << "only the directory that was in the way";
        EXPECT_EQ(FilesIn("."), 5u) << "no temporary file is left";
    }

    // check lists the pixels in the writer's order and exits with 1.
    const Result check = Cli({"check", "off.bmp"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.out, "12,5 0,0,8\n3,7 1,2,3\n");
}

TEST(CliCommands, UsageErrorsExitWith2AndHelpWith0) {
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate", "a"},
        {"split", "a.bmp"},
        {"convert", "a", "b", "c"},
        {"join", "a.bmp"},
        {"convert", "a", "b", "-o", "c"},
        {"reduce216", "--skip-empty", "a", "b"},
        {"check", "a", "--key", "256,0,0"},
        {"check", "a", "--key"},
        {"check", "a", "--bogus"},
        {"convert", "a", "b", "--palette", "p.gpl"},
        {"split", "a", "b", "--block", "5x1"},
        {"convert", "a", "b", "--block", "2x2"},
        {"join", "x00.bmp", "x00.bmp", "-o", "s.bmp"},
    };
    for (const auto& args : wrong) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]);
        EXPECT_NE(r.err.find("tessaro-cli --help"), std::string::npos);
    }
    const Result help = Cli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: tessaro-cli"), std::string::npos);
    EXPECT_NE(Cli({"split", "--help"}).out.find("--skip-empty"), std::string::npos);

    ASSERT_TRUE(cli::ParseKey("255,0,51"));
    EXPECT_EQ(cli::ParseKey("255,0,51")->colour, canvas::Rgb(255, 0, 51));
    EXPECT_TRUE(cli::ParseKey("none")->none);
    for (const char* bad : {"", "1,2", "1,2,3,4", "-1,0,0", "1, 2,3", "+1,2,3", "1,2,3x"})
        EXPECT_FALSE(cli::ParseKey(bad)) << bad;
}

// An output named for another format, or one that is an input (also through
// a symbolic or hard link, or under another spelling), is a usage error:
// nothing is written and no input changes.
TEST(CliCommands, OutputsAreNamedForTheirFormatAndAreNeverAnInput) {
    ScratchDirectory scratch;
    WriteSheet("sheet.bmp", true);
    WriteSheet("map00.bmp", true, 3);
    std::ofstream("p.gpl") << "GIMP Palette\n0 0 0\n";
    fs::create_symlink("sheet.bmp", "link.bmp");
    fs::create_hard_link("sheet.bmp", "hard.bmp");
    const Bytes sheet = FileBytes("sheet.bmp"), palette = FileBytes("p.gpl");
    const std::vector<std::vector<std::string>> refused = {
        {"convert", "sheet.bmp", "out.jpg"},
        {"join", "sheet.bmp", "-o", "out"},
        {"reduce216", "sheet.bmp", "out.gif"},
        {"indexed", "sheet.bmp", "-o", "p.gpl", "--palette", "p.gpl"},
        {"palette", "sheet.bmp", "-o", "out.png"},
        {"palette", "sheet.bmp", "-o", "out.txt"},
        {"convert", "sheet.bmp", "link.bmp"},
        {"palette256", "sheet.bmp", "hard.bmp"},
        {"join", "map00.bmp", "sheet.bmp", "-o", "./sheet.bmp"},
        {"indexed", "sheet.bmp", "-o", "hard.bmp", "--palette", "p.gpl"},
        {"split", "map00.bmp", "map"},
        {"autotile", "sheet.bmp", "--source", "0,0", "--to", "2,0", "-o", "out.jpg"},
        {"autotile", "sheet.bmp", "--source", "0,0", "--to", "2,0", "-o", "hard.bmp"},
        {"autotile", "sheet.bmp", "--source", "0,0", "--to", "2,0", "-o", "out.png", "--tsx", "out.xml"},
    };
    const std::size_t files = FilesIn(".");
    for (const auto& args : refused) {
        const Result r = Cli(args);
        EXPECT_EQ(r.status, 2) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_NE(r.err.find("nothing was written"), std::string::npos) << r.err;
    }
    EXPECT_EQ(FilesIn("."), files);
    EXPECT_EQ(FileBytes("sheet.bmp"), sheet);
    EXPECT_EQ(FileBytes("p.gpl"), palette);
    EXPECT_EQ(Cli({"convert", "sheet.bmp", "OUT.PNG"}).status, 0);
    EXPECT_EQ(Cli({"palette", "sheet.bmp", "-o", "OUT.Hex"}).status, 0);
    EXPECT_EQ(FilesIn("."), files + 2);
}

TEST(CliCommands, JoinPlacesEveryNumberedNameOfAnyBaseAtItsNumber) {
    std::mt19937 random(11);
    for (const std::string base : {"map", "dir/t7", "a.bmp", "x1", "9"}) {
        std::vector<int> numbers(480);
        for (int n = 0; n < 480; ++n) numbers[static_cast<std::size_t>(n)] = n;
        std::shuffle(numbers.begin(), numbers.end(), random);
        numbers.resize(1 + random() % 480);
        std::vector<std::string> names;
        for (const int n : numbers) names.push_back(FormWithFiles::NumberedChipName(base, n));
        const auto places = cli::PlaceChips(names, 30, 16);
        ASSERT_EQ(places.size(), names.size());
        // A few names can be read with a longer base too (map100.bmp is chip
        // 0 of map1); the whole list has one base only when it is long.
        if (names.size() < 40) continue;
        for (std::size_t i = 0; i < places.size(); ++i)
            EXPECT_EQ(places[i].row * 30 + places[i].col, numbers[i]) << names[i];
    }
}

TEST(CliCommands, ProgressShowsOnlyAfterASecondAndEndsItsLine) {
    using namespace std::chrono_literals;
    const auto t0 = cli::Progress::Clock::time_point{};
    std::ostringstream log, terminal, quiet;
    cli::Progress toLog(log, true, false, t0), toTerminal(terminal, true, true, t0), off(quiet, false, true, t0);
    for (auto [p, stream] : {std::pair{&toLog, &log}, {&toTerminal, &terminal}, {&off, &quiet}}) {
        p->Update("files", 1, 3, t0 + 500ms);
        EXPECT_EQ(stream->str(), "") << "nothing within the first second";
        p->Update("files", 2, 3, t0 + 1200ms);
        p->Update("files", 3, 3, t0 + 1300ms);
        p->Finish();
    }
    EXPECT_EQ(log.str(), "tessaro-cli: 2/3 files\ntessaro-cli: 3/3 files\n");
    EXPECT_EQ(terminal.str(), "\rtessaro-cli: 2/3 files\rtessaro-cli: 3/3 files\n");
    EXPECT_EQ(quiet.str(), "");
}
