// The File and Help menus: loads of sheets and chips, the saves and their
// failures, the numbered save.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "core/EditorError.h"
#include "core/Form.h"
#include "io/AtomicFile.h"
#include "io/BmpReader.h"
#include "io/BmpWriter.h"
#include "tests/support/FakePlatform.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

const fs::path Jpegs = fs::path(TESSARO_TESTDATA) / "jpeg";
constexpr const char* ReadFailed = "ファイルの読み込みに失敗しました";

Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A picture in which every pixel differs from its neighbours.
canvas::Picture Pattern(int w, int h, int seed = 0) {
    canvas::Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, canvas::Rgb(x + seed, y * 3 + seed, (x ^ y) + 1));
    return p;
}

class SheetFiles : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::string templ = (fs::temp_directory_path() / "tessaro-sheetfiles-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        dir = templ;
        fs::current_path(dir);
        form = std::make_unique<TForm1>(platform);
        form->FormCreate();
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir);
    }

    std::string Write(const std::string& name, const canvas::Picture& p) {
        const std::string path = (dir / name).string();
        WriteFileAtomically(path, bmp::Encode24(p));
        return path;
    }
    void Choose(const std::string& path) { platform.fileAnswers.push_back(path); }
    void Cancel() { platform.fileAnswers.push_back(std::nullopt); }

    // Pixel (x, y) of the sheet as the chips hold it.
    canvas::Colour SheetPixel(int x, int y) const { return form->Chip(x / 16, y / 16).GetPixel(x % 16, y % 16); }

    std::vector<canvas::Picture> AllChips() const { return {form->Chips.begin(), form->Chips.end()}; }
    std::string Caption() const { return form->controls.Caption(ControlId::Form1); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& s : platform.shown) texts.push_back(s.text);
        return texts;
    }

    FakePlatform platform;
    std::unique_ptr<TForm1> form;
    fs::path dir;

private:
    fs::path previous_;
};

TEST_F(SheetFiles, WholeSheetLoadsAndSavesTheSamePixels) {
    const canvas::Picture sheet = Pattern(480, 256);
    const std::string path = Write("sheet.bmp", sheet);
    form->Modified = true;
    form->UndoAvailable = true;
    Choose(path);
    form->FileMenuClick(ControlId::LoadMenu);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) ASSERT_EQ(SheetPixel(x, y), sheet.GetPixel(x, y)) << x << "," << y;
    EXPECT_EQ(form->Def.FileName, path);
    EXPECT_EQ(Caption(), "Tessaro " + path);
    EXPECT_FALSE(form->UndoAvailable);
    EXPECT_TRUE(form->Modified);  // a load leaves it

    const std::string copy = (dir / "copy.bmp").string();
    Choose(copy);
    form->FileMenuClick(ControlId::SaveMenu);
    EXPECT_EQ(Read(copy), Read(path));
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(form->Def.FileName, copy);
    EXPECT_EQ(Caption(), "Tessaro " + copy);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(SheetFiles, SmallPictureSitsTopLeftOnBlack) {
    for (auto& chip : form->Chips) chip.SetPixel(5, 5, canvas::White);  // gone after the load
    const canvas::Picture small = Pattern(100, 40, 7);
    Choose(Write("small.bmp", small));
    form->FileMenuClick(ControlId::LoadMenu);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) {
            const canvas::Colour want = x < 100 && y < 40 ? small.GetPixel(x, y) : canvas::Black;
            ASSERT_EQ(SheetPixel(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(form->Def.SheetCols, 30);
    EXPECT_EQ(form->Def.SheetRows, 16);
}

TEST_F(SheetFiles, LargePictureKeepsItsTopLeftPart) {
    const canvas::Picture big = Pattern(1000, 1000, 3);
    Choose(Write("big.bmp", big));
    form->FileMenuClick(ControlId::LoadMenu);
    for (int y = 0; y < 256; y += 5)
        for (int x = 0; x < 480; x += 3) ASSERT_EQ(SheetPixel(x, y), big.GetPixel(x, y));
    EXPECT_EQ(form->Chip(29, 15).Width(), 16);
    EXPECT_EQ(form->Def.ChipSize, 16);
}

TEST_F(SheetFiles, JpegSheetLeavesNoFileNameSoTheOverwriteSaveAsks) {
    const fs::path jpg = dir / "rose.JPG";
    fs::copy_file(Jpegs / "testorig.jpg", jpg);
    form->Def.FileName = "earlier.bmp";
    Choose(jpg.string());
    form->FileMenuClick(ControlId::LoadMenu);
    EXPECT_EQ(form->Def.FileName, "");
    EXPECT_EQ(Caption(), "Tessaro ");
    EXPECT_NE(SheetPixel(100, 100), canvas::Black);

    const std::string saved = (dir / "rose.bmp").string();
    Choose(saved);
    form->Modified = true;
    form->FileMenuClick(ControlId::OSaveMenu);
    EXPECT_EQ(form->Def.FileName, saved);
    EXPECT_EQ(Caption(), "Tessaro " + saved);
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(Read(jpg), Read(Jpegs / "testorig.jpg"));
    form->ComposeSheet();
    EXPECT_EQ(bmp::Decode(Read(saved)), form->SheetImage);
}

TEST_F(SheetFiles, UnreadableFilesChangeNothing) {
    const fs::path jpeg = dir / "rose.jpeg";  // read as BMP
    fs::copy_file(Jpegs / "testorig.jpg", jpeg);
    const fs::path broken = dir / "broken.bmp";
    Bytes half = bmp::Encode24(Pattern(480, 256));
    half.resize(half.size() / 2);
    std::ofstream(broken, std::ios::binary).write(reinterpret_cast<const char*>(half.data()), static_cast<long>(half.size()));

    form->Chip(3, 3).SetPixel(1, 1, canvas::White);
    form->Def.FileName = "before.bmp";
    form->ShowFileNameInCaption();
    form->Def.ToolMode = 5;
    form->UndoAvailable = true;
    const auto chips = AllChips();
    for (const std::string& path :
         {jpeg.string(), broken.string(), (dir / "missing.bmp").string(), dir.string(), (Jpegs / "monkey12.jpg").string()}) {
        SCOPED_TRACE(path);
        platform.shown.clear();
        Choose(path);
        form->FileMenuClick(ControlId::LoadMenu);
        Choose(path);
        form->FileMenuClick(ControlId::chrLoadMenu);
        EXPECT_EQ(Messages(), (std::vector<std::string>{ReadFailed, ReadFailed}));
    }
    EXPECT_EQ(AllChips(), chips);
    EXPECT_EQ(form->Def.FileName, "before.bmp");
    EXPECT_EQ(Caption(), "Tessaro before.bmp");
    EXPECT_EQ(form->Def.ToolMode, 5);
    EXPECT_TRUE(form->UndoAvailable);
    EXPECT_FALSE(form->Modified);
}

TEST_F(SheetFiles, FaultyJpegDataLeaveTheHandlerBeforeAnyChipChanges) {
    Bytes bytes = Read(Jpegs / "testorig-progressive.jpg");
    std::size_t scans = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA && ++scans == 2) {
            bytes[i + 8] = 0x50;  // the second scan's spectral end past 63
            break;
        }
    const fs::path bad = dir / "bad.jpg";
    std::ofstream(bad, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    const auto chips = AllChips();
    Choose(bad.string());
    EXPECT_THROW(form->FileMenuClick(ControlId::LoadMenu), EditorError);
    Choose(bad.string());
    EXPECT_THROW(form->FileMenuClick(ControlId::chrLoadMenu), EditorError);
    EXPECT_EQ(AllChips(), chips);
    EXPECT_FALSE(form->Modified);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(SheetFiles, WholeSheetLoadDropsAPendingPoint) {
    const std::string path = Write("s.bmp", Pattern(20, 20));
    for (auto [before, after] : std::vector<std::pair<int, int>>{{5, 4}, {3, 2}, {4, 4}, {0, 0}}) {
        form->Def.ToolMode = before;
        Choose(path);
        form->FileMenuClick(ControlId::LoadMenu);
        EXPECT_EQ(form->Def.ToolMode, after) << before;
    }
}

TEST_F(SheetFiles, ChipLoadsCoverOnlyTheirTopLeft) {
    form->CurCol = 2;
    form->CurRow = 1;
    canvas::Picture& chip = form->Chip(2, 1);
    chip.SetBrushColour(canvas::White);
    chip.FillRect({0, 0, 16, 16});
    form->Def.FileName = "sheet.bmp";
    form->UndoAvailable = true;
    const auto others = [&] {
        auto all = AllChips();
        all[static_cast<std::size_t>(2 * 16 + 1)] = canvas::Picture();
        return all;
    };
    const auto before = others();

    const canvas::Picture small = Pattern(8, 8, 40);
    Choose(Write("small.bmp", small));
    form->FileMenuClick(ControlId::chrLoadMenu);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(chip.GetPixel(x, y), x < 8 && y < 8 ? small.GetPixel(x, y) : canvas::White) << x << "," << y;
    EXPECT_TRUE(form->Modified);
    EXPECT_FALSE(form->UndoAvailable);  // the undo copy predates the load
    EXPECT_EQ(form->Def.FileName, "sheet.bmp");

    const canvas::Picture big = Pattern(32, 32, 90);
    Choose(Write("big.bmp", big));
    form->FileMenuClick(ControlId::chrLoadMenu);
    EXPECT_EQ(chip.Width(), 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_EQ(chip.GetPixel(x, y), big.GetPixel(x, y));
    EXPECT_EQ(others(), before);

    Cancel();
    form->Modified = false;
    form->FileMenuClick(ControlId::chrLoadMenu);
    EXPECT_FALSE(form->Modified);
}

TEST_F(SheetFiles, ChipSaveWritesTheChipBeingEdited) {
    form->CurCol = 29;
    form->CurRow = 15;
    form->Chip(29, 15).SetPixel(3, 4, canvas::Rgb(1, 2, 3));
    form->Modified = true;
    const std::string path = (dir / "chip.bmp").string();
    Choose(path);
    form->FileMenuClick(ControlId::chrSaveMenu);
    EXPECT_EQ(bmp::Decode(Read(path)), form->Chip(29, 15));
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->Def.FileName, "");

    Choose((dir / "no" / "chip.bmp").string());
    EXPECT_THROW(form->FileMenuClick(ControlId::chrSaveMenu), EditorError);
}

TEST_F(SheetFiles, FailedSavesKeepTheStateAndTheEarlierFile) {
    const std::string earlier = Write("earlier.bmp", Pattern(5, 5));
    const Bytes earlierBytes = Read(earlier);
    form->Def.FileName = earlier;
    form->ShowFileNameInCaption();
    form->Modified = true;

    Choose((dir / "no-such" / "x.bmp").string());
    form->FileMenuClick(ControlId::SaveMenu);
    EXPECT_EQ(Messages(), std::vector<std::string>{"保存できませんでした"});
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->Def.FileName, earlier);
    EXPECT_EQ(Caption(), "Tessaro " + earlier);

    // Over a directory: the earlier file beside it and the directory stay.
    Choose(dir.string());
    form->FileMenuClick(ControlId::SaveMenu);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Read(earlier), earlierBytes);

    // The overwrite save keeps a name it has just been given.
    form->Def.FileName = "";
    Choose((dir / "no-such" / "y.bmp").string());
    form->FileMenuClick(ControlId::OSaveMenu);
    EXPECT_EQ(Messages().back(), "保存できませんでした");
    EXPECT_EQ(form->Def.FileName, (dir / "no-such" / "y.bmp").string());
    EXPECT_TRUE(form->Modified);

    form->FileMenuSet();
    EXPECT_TRUE(form->controls.Enabled(ControlId::OSaveMenu));
}

TEST_F(SheetFiles, OverwriteSaveWritesTheCurrentFileOrAsksOnce) {
    const std::string path = Write("sheet.bmp", Pattern(480, 256));
    Choose(path);
    form->FileMenuClick(ControlId::LoadMenu);
    form->Chip(0, 0).SetPixel(0, 0, canvas::Rgb(9, 9, 9));
    form->Modified = true;
    form->FileMenuSet();
    EXPECT_TRUE(form->controls.Enabled(ControlId::OSaveMenu));
    form->FileMenuClick(ControlId::OSaveMenu);  // no dialog: FakePlatform would throw
    EXPECT_EQ(bmp::Decode(Read(path)).GetPixel(0, 0), canvas::Rgb(9, 9, 9));
    EXPECT_FALSE(form->Modified);
    form->FileMenuSet();
    EXPECT_FALSE(form->controls.Enabled(ControlId::OSaveMenu));

    // No name and a cancelled dialog: not even the sheet is composed.
    form->Def.FileName = "";
    form->SheetImage.SetSize(3, 3);
    Cancel();
    form->FileMenuClick(ControlId::OSaveMenu);
    EXPECT_EQ(form->SheetImage.Width(), 3);
    EXPECT_EQ(form->Def.FileName, "");
}

TEST_F(SheetFiles, NumberedNames) {
    EXPECT_EQ(TForm1::NumberedChipName("map", 0), "map00.bmp");
    EXPECT_EQ(TForm1::NumberedChipName("map", 9), "map09.bmp");
    EXPECT_EQ(TForm1::NumberedChipName("map", 10), "map10.bmp");
    EXPECT_EQ(TForm1::NumberedChipName("map", 99), "map99.bmp");
    EXPECT_EQ(TForm1::NumberedChipName("map.bmp", 100), "map.bmp100.bmp");
    EXPECT_EQ(TForm1::NumberedChipName("/t/a", 479), "/t/a479.bmp");
}

TEST_F(SheetFiles, NumberedSaveWritesEveryChipInRowOrder) {
    for (int row = 0; row < 16; ++row)
        for (int col = 0; col < 30; ++col) form->Chip(col, row).SetPixel(0, 0, canvas::Rgb(col, row, 1));
    fs::create_directory(dir / "chips");
    platform.fileAnswers.push_back((dir / "chips" / "map").string());
    form->FileMenuClick(ControlId::renMenu);
    EXPECT_EQ(Messages(), std::vector<std::string>{"全キャラクタをmap00.bmp ～ map479.bmpに保存しました。"});
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "chips"), fs::directory_iterator()), 480);
    // Number 63 = row 2 * 30 + column 3.
    EXPECT_EQ(bmp::Decode(Read(dir / "chips" / "map63.bmp")), form->Chip(3, 2));
    EXPECT_EQ(bmp::Decode(Read(dir / "chips" / "map07.bmp")).GetPixel(0, 0), canvas::Rgb(7, 0, 1));
}

TEST_F(SheetFiles, NumberedSaveAsksOnceAndCancelWritesNothing) {
    const std::string base = (dir / "a").string();
    std::ofstream(dir / "a123.bmp") << "old";
    platform.fileAnswers.push_back(base);
    platform.questionAnswers.push_back(false);
    form->FileMenuClick(ControlId::renMenu);
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_TRUE(platform.shown[0].question);
    EXPECT_EQ(platform.shown[0].text, "同名のファイルが存在します。上書きして良いですか？");
    EXPECT_EQ(platform.shown[1].text, "保存を中止しました。");
    EXPECT_FALSE(fs::exists(dir / "a00.bmp"));
    EXPECT_EQ(Read(dir / "a123.bmp").size(), 3u);

    platform.shown.clear();
    platform.fileAnswers.push_back(base);
    platform.questionAnswers.push_back(true);
    form->FileMenuClick(ControlId::renMenu);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"同名のファイルが存在します。上書きして良いですか？",
                                                     "全キャラクタをa00.bmp ～ a479.bmpに保存しました。"}));
    EXPECT_EQ(bmp::Decode(Read(dir / "a123.bmp")), form->Chip(3, 4));

    platform.shown.clear();
    platform.fileAnswers.push_back(std::nullopt);
    form->FileMenuClick(ControlId::renMenu);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(SheetFiles, NumberedSaveStopsAtAFailedFile) {
    fs::create_directory(dir / "b05.bmp");  // chip 5 can't be written over a directory
    platform.fileAnswers.push_back((dir / "b").string());
    platform.questionAnswers.push_back(true);
    EXPECT_THROW(form->FileMenuClick(ControlId::renMenu), EditorError);
    EXPECT_TRUE(fs::exists(dir / "b04.bmp"));
    EXPECT_FALSE(fs::exists(dir / "b06.bmp"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"同名のファイルが存在します。上書きして良いですか？"});
}

TEST_F(SheetFiles, HelpAndExit) {
    form->helpMenuClick(ControlId::helpMenu);
    EXPECT_TRUE(platform.shown.empty());
    form->helpMenuClick(ControlId::aboutMenu);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.shown[0].text.rfind("Tessaro Version 1.00", 0), 0u);
    form->helpMenuClick(ControlId::mGo);
    EXPECT_EQ(platform.openedUrls, std::vector<std::string>{TForm1::MakerUrl});
    form->FileMenuClick(ControlId::ExitMenu);
    EXPECT_EQ(platform.closeRequests, 1);
}

}  // namespace
