// The recovery copy across processes: an editor killed with unsaved changes
// leaves a copy that the next editor offers; a running editor's copy is never
// offered to another; cancelling keeps it; a copy that can't be read is set
// aside, never deleted.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "core/Form.h"
#include "io/RecoveryFile.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"

namespace {

constexpr const char* Question = "保存されていない編集内容が残っています。復元しますか？";

class RecoveryCopyTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", (scratch.Path() / "state").c_str(), 1); }

    std::vector<std::string> Copies() { return recovery::CopiesIn(recovery::Directory()); }

    // A child process with an editor that has drawn on chip (3, 2), zoomed to
    // 7 and kept its copy; it waits until killed. Returns its pid once the
    // copy is on the disk.
    pid_t StartEditorWithChanges() {
        int ready[2];
        if (pipe(ready) != 0) return -1;
        const pid_t child = fork();
        if (child == 0) {
            // Dies with the test, and keeps none of its output open.
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            close(ready[0]);
            FakePlatform platform;
            TForm1 form(platform);
            form.FormCreate();
            form.ChangeChip(3, 2).SetPixel(5, 6, 0x00FF00);
            form.Modified = true;
            form.mZoomClick(ControlId::mZoom7);
            form.CurCol = 3;
            form.KeepRecoveryCopy();
            const char byte = 1;
            if (write(ready[1], &byte, 1) != 1) _exit(1);
            for (;;) pause();
        }
        close(ready[1]);
        char byte = 0;
        const bool ok = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        return ok ? child : -1;
    }

    static void Kill(pid_t child) {
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
    }

    ScratchDirectory scratch;
};

TEST_F(RecoveryCopyTest, AKilledEditorsChangesComeBackAtTheNextStart) {
    const pid_t child = StartEditorWithChanges();
    ASSERT_GT(child, 0);
    // Killed whatever the test's outcome.
    struct Reaper {
        pid_t pid;
        ~Reaper() {
            if (pid > 0) Kill(pid);
        }
    } reaper{child};
    ASSERT_EQ(Copies().size(), 1u);

    // Two editors at once: the running one's copy is not offered.
    {
        FakePlatform platform;
        TForm1 other(platform);
        other.FormCreate();
        other.OfferRecoveryCopies();
        EXPECT_TRUE(platform.shown.empty());
        // Its own copy stays apart from the other editor's.
        other.Modified = true;
        other.KeepRecoveryCopy();
        EXPECT_EQ(Copies().size(), 2u);
        platform.questionAnswers = {true};  // close without saving
        TCloseAction action = TCloseAction::caFree;
        other.FormClose(action);
        EXPECT_EQ(Copies().size(), 1u);
    }

    Kill(reaper.pid);
    reaper.pid = -1;

    // ｷｬﾝｾﾙ keeps the copy for later.
    {
        FakePlatform platform;
        platform.questionAnswers = {false};
        TForm1 form(platform);
        form.FormCreate();
        form.OfferRecoveryCopies();
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(platform.shown[0].text, Question);
        EXPECT_EQ(form.Chip(3, 2).GetPixel(5, 6), 0x000000u);
        EXPECT_FALSE(form.Modified);
        EXPECT_EQ(Copies().size(), 1u);
    }

    // OK loads it as unsaved changes, with its view settings; the editor's
    // own copy takes its place.
    FakePlatform platform;
    platform.questionAnswers = {true};
    TForm1 form(platform);
    form.FormCreate();
    form.OfferRecoveryCopies();
    EXPECT_TRUE(platform.questionAnswers.empty());
    EXPECT_EQ(form.Chip(3, 2).GetPixel(5, 6), 0x00FF00u);
    EXPECT_TRUE(form.Modified);
    EXPECT_EQ(form.Def.Zoom, 7);
    EXPECT_EQ(form.CurCol, 3);
    EXPECT_TRUE(form.controls.Checked(ControlId::mZoom7));
    EXPECT_EQ(form.UndoSteps(), 0);
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(Copies()[0], form.Recovery.copyPath);
    // Saving removes it.
    platform.fileAnswers = {std::string("saved.bmp")};
    form.Click(ControlId::SaveMenu);
    EXPECT_TRUE(Copies().empty());
    EXPECT_FALSE(std::filesystem::exists(recovery::LockPathOf(form.Recovery.copyPath)));
}

TEST_F(RecoveryCopyTest, AnUnreadableCopyIsSetAsideWithAMessage) {
    std::filesystem::create_directories(recovery::Directory());
    const std::string path = recovery::Directory() + "/copy-1-2-3.tsr";
    std::ofstream(path) << "tessaro-recovery 1\nzoom=77\n\nBM";
    FakePlatform platform;
    TForm1 form(platform);
    form.FormCreate();
    form.OfferRecoveryCopies();
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_FALSE(platform.shown[0].question);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::exists(path + ".unreadable"));
    // Not offered again.
    platform.shown.clear();
    form.OfferRecoveryCopies();
    EXPECT_TRUE(platform.shown.empty());
}

TEST(RecoveryFile, KeepsTheSheetAndEveryViewSetting) {
    TMemorySnapshot m;
    m.MemDef.FileName = "dir/with\nnewline=.bmp";
    m.MemDef.Zoom = 9;
    m.MemDef.ToolMode = 4;
    m.MemDef.GridLineColor = 0x808080;
    m.MemDef.SheetGridShown = false;
    m.MemCurCol = 29;
    m.MemCurRow = 15;
    m.MemPenSize = 3;
    m.MemGridHidden = true;
    m.MemResizePerChip = false;
    m.MemSheetImage = canvas::Picture(480, 256);
    m.MemSheetImage.SetPixel(479, 255, 0x123456);
    const TMemorySnapshot back = recovery::Decode(recovery::Encode(m));
    EXPECT_EQ(back.MemDef.FileName, m.MemDef.FileName);
    EXPECT_EQ(back.MemDef.Zoom, 9);
    EXPECT_EQ(back.MemDef.ToolMode, 4);
    EXPECT_EQ(back.MemDef.GridLineColor, 0x808080u);
    EXPECT_FALSE(back.MemDef.SheetGridShown);
    EXPECT_EQ(back.MemCurCol, 29);
    EXPECT_EQ(back.MemCurRow, 15);
    EXPECT_EQ(back.MemPenSize, 3);
    EXPECT_TRUE(back.MemGridHidden);
    EXPECT_FALSE(back.MemResizePerChip);
    EXPECT_TRUE(back.MemModified);
    EXPECT_EQ(back.MemSheetImage, m.MemSheetImage);
    // Every cut of the file is refused, never half read.
    const std::vector<std::uint8_t> bytes = recovery::Encode(m);
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{200}, bytes.size() - 1})
        EXPECT_ANY_THROW(recovery::Decode(std::span(bytes).first(cut))) << cut;
}

}  // namespace
