// SPDX-License-Identifier: GPL-3.0-or-later
// Saves killed after every one of their steps: once the next run has looked
// at the folder, it holds the earlier files or the new ones, whole, and
// nothing that the killed run left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "core/Form.h"
#include "formats/BmpWriter.h"
#include "io/AtomicFile.h"
#include "io/RecoveryFolder.h"
#include "io/SaveJournal.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"
#include "tools/tessaro-cli/Run.h"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Every file in the folder, hidden ones included; not the folders.
Files Contents(const fs::path& dir) {
    Files files;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.is_regular_file()) files[e.path().filename().string()] = FileBytes(e.path());
    return files;
}

std::string Names(const Files& files) {
    std::string names;
    for (const auto& [name, bytes] : files) names += name + " (" + std::to_string(bytes.size()) + ") ";
    return names;
}

// Runs `save` in a child process killed after `step` steps of saving; true
// when it was killed, false when it ran to its end.
bool KilledAt(int step, const std::function<void()>& save) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("TESSARO_KILL_AT_SAVE_STEP", std::to_string(step).c_str(), 1);
        save();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) {
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The editor's start, with its messages; no recovery copy is restored.
std::vector<FakePlatform::Shown> StartEditor() {
    FakePlatform platform;
    platform.questionAnswers.assign(1000, false);
    TForm1 form(platform);
    form.FormCreate();
    form.OfferRecoveryCopies();
    return platform.shown;
}

// Blocks of 4 x 4 chips: 32 files, so that a run is quick.
void Split(const std::string& sheet, const std::string& base) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"split", "--block", "4x4", sheet, base}, out, err), 0) << err.str();
}

void WriteSheet(const std::string& path, int changedChips) {
    canvas::Picture sheet(480, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 480; ++x) sheet.SetPixel(x, y, canvas::Rgb(x % 256, y, (x / 16 + y / 16) % 7 * 30));
    for (int c = 0; c < changedChips; ++c) sheet.SetPixel(c * 97 % 480, c * 67 % 256, canvas::Rgb(1, 2, 3));
    WriteFileAtomically(path, bmp::Encode24(sheet));
}

TEST(SaveKill, SplitGivesTheEarlierChipsOrTheNewOnes) {
    ScratchDirectory dir;
    WriteSheet("old.bmp", 0);
    WriteSheet("new.bmp", 4);
    fs::create_directories("fresh");
    fs::create_directories("chips");
    Split("new.bmp", "fresh/c");
    Split("old.bmp", "chips/c");
    const Files oldSet = Contents("chips"), newSet = Contents("fresh");
    ASSERT_NE(oldSet, newSet);
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed after step " + std::to_string(step));
        const bool killed = KilledAt(step, [] { Split("new.bmp", "chips/c"); });
        // What the next save into the folder does first.
        const int folder = ::open("chips", O_RDONLY | O_DIRECTORY);
        EXPECT_TRUE(TidyFolder(folder));
        ::close(folder);
        const Files now = Contents("chips");
        EXPECT_TRUE(now == oldSet || now == newSet) << Names(now);
        if (!killed || step > 100) break;
        for (const auto& [name, bytes] : now)
            if (!oldSet.contains(name)) fs::remove(fs::path("chips") / name);
        for (const auto& [name, bytes] : oldSet)
            std::ofstream(fs::path("chips") / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

TEST(SaveKill, BoardSaveGivesTheEarlierMapOrTheNewOne) {
    ScratchDirectory dir;
    const auto saveBoard = [](const std::string& map, int cols) {
        FakePlatform platform;
        platform.questionAnswers.assign(1000, false);
        TForm1 form(platform);
        form.FormCreate();
        form.ChangeChip(1, 0).SetPixel(0, 0, canvas::Rgb(cols, 0, 0));
        form.project.Board.Resize(cols, 2);
        form.project.Board.Place({0, 0}, ChipRef{1, 0});
        platform.fileAnswers.push_back(map);
        form.Click(ControlId::BoardSaveMenu);
    };
    fs::create_directories("new");
    saveBoard("new/map.tmx", 5);
    saveBoard("map.tmx", 3);
    const auto boardFiles = [](const fs::path& dir) {
        Files files = Contents(dir);
        files.erase("tsr.def");
        return files;
    };
    const Files oldSet = boardFiles("."), newSet = boardFiles("new");
    ASSERT_EQ(oldSet.size(), 3u);
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed after step " + std::to_string(step));
        const bool killed = KilledAt(step, [&] { saveBoard("map.tmx", 5); });
        StartEditor();
        const Files now = boardFiles(".");
        EXPECT_TRUE(now == oldSet || now == newSet) << Names(now);
        if (!killed || step > 100) break;
        saveBoard("map.tmx", 3);
    }
}

// A file with a second name is written in place; killed in the middle, the
// next start gives it one content whole, through a path given relative to
// another folder, and clears notes whose backup is gone.
TEST(SaveKill, AFileWrittenInPlaceGetsOneContentWhole) {
    ScratchDirectory dir;
    fs::create_directories("work");
    const std::vector<std::uint8_t> earlier(119106, 7), saved(214, 9);
    const fs::path backups = recovery::Directory();
    fs::create_directories(backups);
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed after step " + std::to_string(step));
        fs::remove("linked.png");
        WriteFileAtomically("work/sheet.png", earlier);
        fs::create_hard_link("work/sheet.png", "linked.png");
        const bool killed = KilledAt(step, [&] { WriteFileAtomically("work/sheet.png", saved); });
        const pid_t gone = ::fork();
        if (gone == 0) ::_exit(0);
        ::waitpid(gone, nullptr, 0);
        std::ofstream(backups / (".tessaro-backup-" + std::to_string(gone) + "-abcdef.file")) << "/nowhere";
        fs::current_path("work");
        const auto shown = StartEditor();
        fs::current_path("..");
        const std::vector<std::uint8_t> now = FileBytes("linked.png");
        EXPECT_TRUE(now == earlier || now == saved) << now.size() << " bytes";
        EXPECT_EQ(shown.size(), now == earlier && killed ? 1u : 0u);
        Files left = Contents(backups);
        std::erase_if(left, [](const auto& f) { return !f.first.starts_with(".tessaro-"); });
        EXPECT_TRUE(left.empty()) << Names(left);
        if (!killed || step > 100) break;
    }
}

}  // namespace
