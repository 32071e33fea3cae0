// SPDX-License-Identifier: GPL-3.0-or-later
// Saves killed after every one of their steps: once the next run has looked
// at the folder, it holds the earlier files or the new ones, whole, and
// nothing that the killed run left behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "core/Form.h"
#include "edit/EditorForm.h"
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
    EditorForm form(platform);
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
    // One of the files that change has a second name: it is written in place.
    std::string linked;
    for (const auto& [name, bytes] : oldSet)
        if (newSet.at(name) != bytes) linked = name;
    fs::create_hard_link(fs::path("chips") / linked, "linked.bmp");
    for (int step = 1;; ++step) {
        SCOPED_TRACE("killed after step " + std::to_string(step));
        const bool killed = KilledAt(step, [] { Split("new.bmp", "chips/c"); });
        // What the next save into the folder does first.
        const int folder = ::open("chips", O_RDONLY | O_DIRECTORY);
        EXPECT_TRUE(TidyFolder(folder));
        ::close(folder);
        const Files now = Contents("chips");
        EXPECT_TRUE(now == oldSet || now == newSet) << Names(now);
        EXPECT_EQ(FileBytes("linked.bmp"), now.at(linked));
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
        EditorForm form(platform);
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

// Where names can't be swapped the earlier file is moved aside before the
// new one takes its name: a run that ends after either rename is taken back.
TEST(SaveKill, AnEarlierFileMovedAsideComesBack) {
    ScratchDirectory dir;
    const std::vector<std::uint8_t> earlier(300, 1), saved(200, 2);
    for (const bool newInPlace : {false, true}) {
        WriteFileAtomically("a.bmp", earlier);
        const pid_t child = ::fork();
        if (child == 0) {
            const std::string id = std::to_string(::getpid()) + "-abcdef";
            const std::string temp = ".tessaro-save-" + id, aside = ".tessaro-aside-" + id;
            std::ofstream(temp, std::ios::binary).write(reinterpret_cast<const char*>(saved.data()), 200);
            struct stat st {};
            ::stat(temp.c_str(), &st);
            SaveJournal journal({{fs::current_path().string(), "a.bmp", temp, aside, st.st_dev, st.st_ino, true}},
                                true);
            fs::rename("a.bmp", aside);
            if (newInPlace) fs::rename(temp, "a.bmp");
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
        EXPECT_TRUE(TidyFolder(folder));
        ::close(folder);
        EXPECT_EQ(Names(Contents(".")), "a.bmp (300) ");
        EXPECT_EQ(FileBytes("a.bmp"), earlier);
    }
}

// A file with a second name is written in place; killed in the middle, the
// next start gives it one content whole, through a path given relative to
// another folder, and clears notes whose backup is gone.
TEST(SaveKill, AFileWrittenInPlaceGetsOneContentWhole) {
    ScratchDirectory dir;
    // A recovery folder of its own: no backup another test left is told of.
    const std::string state = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
    ::setenv("XDG_STATE_HOME", (dir.Path() / "state").c_str(), 1);
    struct Restore {
        std::string state;
        ~Restore() { state.empty() ? ::unsetenv("XDG_STATE_HOME") : ::setenv("XDG_STATE_HOME", state.c_str(), 1); }
    } restore{state};
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
