// SPDX-License-Identifier: GPL-3.0-or-later
// The File and Help menus where the scenarios can't reach: failed saves over
// directories, a numbered save that stops part-way, the numbered names.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "core/EditorError.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/support/StartedEditor.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A picture in which every pixel differs from its neighbours.
canvas::Picture Pattern(int w, int h) {
    canvas::Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.SetPixel(x, y, canvas::Rgb(x, y * 3, (x ^ y) + 1));
    return p;
}

class SheetFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const canvas::Picture& p) {
        const std::string path = (dir / name).string();
        WriteFileAtomically(path, bmp::Encode24(p));
        return path;
    }
    void Choose(const std::string& path) { platform.fileAnswers.push_back(path); }

    std::string Caption() const { return form->controls.Caption(ControlId::Form1); }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& s : platform.shown) texts.push_back(s.text);
        return texts;
    }

    ScratchDirectory scratch;
    const fs::path& dir = scratch.Path();
    StartedEditor started;
    FakePlatform& platform = started.platform;
    std::unique_ptr<EditorForm>& form = started.form;
};

TEST_F(SheetFiles, FailedSavesKeepTheStateAndTheEarlierFile) {
    const std::string earlier = Write("earlier.bmp", Pattern(5, 5));
    const Bytes earlierBytes = FileBytes(earlier);
    form->project.FileName = earlier;
    form->ShowFileNameInCaption();
    form->Modified = true;

    Choose((dir / "no-such" / "x.bmp").string());
    form->FileMenuClick(ControlId::SaveMenu);
    EXPECT_EQ(Messages(), std::vector<std::string>{"保存できませんでした"});
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->project.FileName, earlier);
    EXPECT_EQ(Caption(), "Tessaro " + earlier);

    // Over a directory: the earlier file beside it and the directory stay.
    Choose(dir.string());
    form->FileMenuClick(ControlId::SaveMenu);
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(FileBytes(earlier), earlierBytes);

    // The overwrite save keeps a name it has just been given.
    form->project.FileName = "";
    Choose((dir / "no-such" / "y.bmp").string());
    form->FileMenuClick(ControlId::OSaveMenu);
    EXPECT_EQ(Messages().back(), "保存できませんでした");
    EXPECT_EQ(form->project.FileName, (dir / "no-such" / "y.bmp").string());
    EXPECT_TRUE(form->Modified);

    form->FileMenuSet();
    EXPECT_TRUE(form->controls.Enabled(ControlId::OSaveMenu));
}

// Loads turn the readers' reasons into the editor's messages and change
// nothing: a pipe is refused at once, a JPEG over the work budget is too
// large, and one cut short within the sheet is faulty data, reported by the
// generic error handler.
TEST_F(SheetFiles, RefusedLoadsSayWhyAndChangeNothing) {
    const fs::path samples = fs::path(TESSARO_TESTDATA) / "jpeg";
    Bytes progressive = FileBytes(samples / "testorig-progressive.jpg");
    for (std::size_t i = 0; i + 9 < progressive.size(); ++i)
        if (progressive[i] == 0xFF && progressive[i + 1] == 0xC2) {
            progressive[i + 5] = progressive[i + 7] = 16000 >> 8;
            progressive[i + 6] = progressive[i + 8] = 16000 & 0xFF;
            break;
        }
    std::ofstream((dir / "huge.jpg").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(progressive.data()), static_cast<std::streamsize>(progressive.size()));
    const Bytes whole = FileBytes(samples / "testorig.jpg");
    std::ofstream((dir / "cut.jpg").string(), std::ios::binary)
        .write(reinterpret_cast<const char*>(whole.data()), 1500);
    ASSERT_EQ(::mkfifo((dir / "pipe.bmp").c_str(), 0600), 0);
    const canvas::Picture before = form->Chip(0, 0);

    EXPECT_FALSE(form->LoadSheetFile((dir / "pipe.bmp").string()));
    EXPECT_FALSE(form->LoadSheetFile((dir / "huge.jpg").string()));
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"ファイルの読み込みに失敗しました", "画像が大きすぎて読み込めません"}));
    try {
        form->LoadSheetFile((dir / "cut.jpg").string());
        ADD_FAILURE() << "loaded";
    } catch (const EditorError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "JPEG のデータが壊れています（Corrupt JPEG data: premature end of data segment）");
    }
    EXPECT_EQ(form->Chip(0, 0), before);
}

TEST_F(SheetFiles, NumberedNames) {
    EXPECT_EQ(FormWithFiles::NumberedChipName("map", 0), "map00.bmp");
    EXPECT_EQ(FormWithFiles::NumberedChipName("map", 9), "map09.bmp");
    EXPECT_EQ(FormWithFiles::NumberedChipName("map", 10), "map10.bmp");
    EXPECT_EQ(FormWithFiles::NumberedChipName("map", 99), "map99.bmp");
    EXPECT_EQ(FormWithFiles::NumberedChipName("map.bmp", 100), "map.bmp100.bmp");
    EXPECT_EQ(FormWithFiles::NumberedChipName("/t/a", 479), "/t/a479.bmp");
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
