// SPDX-License-Identifier: GPL-3.0-or-later
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

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>

#include <gtest/gtest.h>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "formats/RecoveryFile.h"
#include "io/AtomicFile.h"
#include "io/RecoveryFolder.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScratchDirectory.h"

// The largest single allocation while `watching`: a crafted copy must not
// make the editor allocate what its head claims.
// GCC at -O2 takes the replaced operators below for a mismatched pair.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static bool watching = false;
static std::size_t largest = 0;
void* operator new(std::size_t size) {
    if (watching && size > largest) largest = size;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// The standard library's temporary buffers take the nothrow form and give
// it back through the sized delete: it must come from malloc too.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (watching && size > largest) largest = size;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

namespace fs = std::filesystem;

constexpr const char* Question = "保存されていない編集内容が残っています。復元しますか？";

class RecoveryCopyTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("XDG_STATE_HOME", (scratch.Path() / "state").c_str(), 1); }

    static std::vector<std::string> Copies() {
        std::vector<std::string> paths;
        for (const std::string& name : recovery::Folder(recovery::Directory()).Copies())
            paths.push_back(recovery::Directory() + "/" + name);
        return paths;
    }
    static std::string LockOf(const std::string& copy) {
        return recovery::Directory() + "/" + recovery::Folder::LockNameOf(copy.substr(copy.rfind('/') + 1));
    }

    // A child process with an editor that has drawn on chip (3, 2), zoomed to
    // 7, set options, colours and the board, and kept its copy; it waits until killed. Returns its pid once the
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
            EditorForm form(platform);
            form.FormCreate();
            form.ChangeChip(3, 2).SetPixel(5, 6, 0x00FF00);
            form.Modified = true;
            form.mZoomClick(ControlId::mZoom7);
            form.CurCol = 3;
            form.WrapMenuClick();
            form.TileMenuClick(ControlId::TileNeighbourMenu);
            form.TileMenuClick(ControlId::TileZoom3);
            form.KeysMenuClick();
            form.SetLeftColor(0xFF0000);
            form.project.Sheet.TransparentColor = 0xFF00FF;
            form.project.Board.Resize(40, 30);
            form.project.Board.Place({39, 29}, ChipRef{3, 2});
            form.project.Board.SetZoom(3);
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
        EditorForm other(platform);
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
        EditorForm form(platform);
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
    EditorForm form(platform);
    form.FormCreate();
    form.OfferRecoveryCopies();
    EXPECT_TRUE(platform.questionAnswers.empty());
    EXPECT_EQ(form.Chip(3, 2).GetPixel(5, 6), 0x00FF00u);
    EXPECT_TRUE(form.Modified);
    EXPECT_EQ(form.Def.Zoom, 7);
    EXPECT_EQ(form.CurCol, 3);
    EXPECT_TRUE(form.controls.Checked(ControlId::mZoom7));
    EXPECT_TRUE(form.Options.wrapDrawing && form.Options.tileNeighbours && form.Options.keys);
    EXPECT_EQ(form.Options.tileZoom, 3);
    EXPECT_TRUE(form.controls.Checked(ControlId::TileZoom3));
    EXPECT_EQ(std::tie(form.LeftColor, form.RightColor), std::tuple(0xFF0000u, 0x000000u));
    EXPECT_EQ(form.project.Sheet.TransparentColor, 0xFF00FFu);
    EXPECT_EQ(std::tuple(form.project.Board.Cols(), form.project.Board.Rows(), form.project.Board.Zoom()),
              std::tuple(40, 30, 3));
    EXPECT_EQ(form.project.Board.At({39, 29}), (ChipRef{3, 2}));
    EXPECT_EQ(form.project.Board.At({0, 0}), std::nullopt);
    EXPECT_EQ(form.UndoSteps(), 0);
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(Copies()[0], form.Recovery.copyPath);
    // Saving removes it.
    platform.fileAnswers = {std::string("saved.bmp")};
    form.Click(ControlId::SaveMenu);
    EXPECT_TRUE(Copies().empty());
    EXPECT_FALSE(std::filesystem::exists(LockOf(form.Recovery.copyPath)));
}

// However many copies can't be read, one question: set aside under another
// name (never deleted) and not asked of again, or kept for a later start.
TEST_F(RecoveryCopyTest, UnreadableCopiesTakeOneQuestion) {
    recovery::Folder{recovery::Directory()};  // made as the editor makes it
    for (int i = 0; i < 300; ++i)
        std::ofstream(recovery::Directory() + "/copy-1-2-" + std::to_string(i) + ".tsr") << "tessaro-recovery 1\n\nBM";
    for (const bool setAside : {false, true}) {
        FakePlatform platform;
        platform.questionAnswers = {setAside};
        EditorForm form(platform);
        form.FormCreate();
        form.OfferRecoveryCopies();
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_NE(platform.shown[0].text.find("300 個"), std::string::npos) << platform.shown[0].text;
        EXPECT_EQ(Copies().size(), setAside ? 0u : 300u);
    }
    EXPECT_TRUE(std::filesystem::exists(recovery::Directory() + "/copy-1-2-299.tsr.unreadable"));
}

TEST(RecoveryFile, KeepsTheSheetAndEveryViewSetting) {
    recovery::Record r;
    r.file = "/dir/with\nnewline=.bmp";
    r.zoom = 32;  // as the roomy layout may have it
    r.tool = 4;
    r.gridColour = 0x808080;
    r.sheetGrid = false;
    r.col = 29;
    r.row = 15;
    r.pen = 3;
    r.gridHidden = true;
    r.resizePerChip = false;
    r.sheet = canvas::Picture(480, 256);
    r.sheet.SetPixel(479, 255, 0x123456);
    const std::vector<std::uint8_t> bytes = recovery::Encode(r);
    const recovery::Record back = recovery::Decode(bytes, {});
    EXPECT_EQ(std::tie(back.file, back.zoom, back.tool, back.gridColour, back.sheetGrid, back.col, back.row, back.pen,
                       back.gridHidden, back.resizePerChip),
              std::tie(r.file, r.zoom, r.tool, r.gridColour, r.sheetGrid, r.col, r.row, r.pen, r.gridHidden,
                       r.resizePerChip));
    EXPECT_EQ(back.sheet, r.sheet);
    EXPECT_FALSE(back.session);  // as an earlier version's copy has it
    // The colours and a full board with every chip.
    r.session.emplace();
    auto& s = *r.session;
    s = {0xFF0000, 0x00FF00, 0xFF00FF, 256, 256, 1, {}, {{"水", 0, 0, 2, 0}, {"cliff; edge.", 28, 13, 20, 10}}, {}};
    for (int i = 0; i < 256 * 256; ++i) s.boardCells.push_back(i % 481 - 1);
    for (int i = 0; i < 256 * 256; ++i) s.boardTurns.push_back(static_cast<std::uint8_t>(i % 8));
    EXPECT_EQ(recovery::Decode(recovery::Encode(r), {}).session, r.session);
    s.boardTurns[7] = 8;
    EXPECT_THROW(recovery::Decode(recovery::Encode(r), {}), recovery::FormatError);
    s.boardTurns.clear();
    s.transparent.reset();
    s.boardCells[5] = 480;  // past the last chip
    EXPECT_THROW(recovery::Decode(recovery::Encode(r), {}), recovery::FormatError);
    s.boardCells[5] = -1;
    EXPECT_EQ(recovery::Decode(recovery::Encode(r), {}).session, r.session);
    // Every cut of the file is refused, never half read.
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{200}, bytes.size() - 1})
        EXPECT_THROW(recovery::Decode(std::span(bytes).first(cut), {}), recovery::FormatError) << cut;
}

// A folder or file someone else can reach is never used (the user's own
// folder of a wider mode is made private): the copy is off with one notice,
// nothing is written through a link, no file is created where a planted link
// points, and another user's copy is neither offered nor removed.
TEST_F(RecoveryCopyTest, HostileFoldersAndFilesAreNotUsed) {
    const fs::path dir = recovery::Directory(), victim = scratch.Path() / "victim";
    const fs::path planted = scratch.Path() / "planted", elsewhere = scratch.Path() / "elsewhere", copy = dir / "c.tsr";
    const auto folder = [&] { return recovery::Folder{dir.string()}.Fd() >= 0; };
    // Each plants its trap (false where only root can) and says how many
    // notices it is worth and whether a planted copy stays.
    struct Case {
        std::function<bool()> plant;
        std::size_t notices;
        bool copyStays;
        std::function<void(EditorForm&)> betweenCopies = {};
    };
    const std::vector<Case> cases = {
        {[&] { return fs::create_directories(dir.parent_path()) && (fs::create_symlink(elsewhere, dir), true); }, 1,
         false},
        {[&] { return folder() && (fs::permissions(dir, fs::perms(0755)), true); }, 0, false},
        {[&] { return folder() && chown(dir.c_str(), 65534, 65534) == 0; }, 1, false},
        {[&] {
             folder();
             fs::create_symlink(planted, dir / "c.lock");
             return !!(std::ofstream(copy) << "x");
         },
         0, true},
        {[&] {
             recovery::Record r;
             r.sheet = canvas::Picture(480, 256);
             const auto bytes = recovery::Encode(r);
             return folder() && std::ofstream(copy).write(reinterpret_cast<const char*>(bytes.data()), bytes.size()) &&
                    chown(copy.c_str(), 65534, 65534) == 0;
         },
         0, true},
        {folder, 0, false,
         [&](EditorForm& form) {
             fs::remove(form.Recovery.copyPath);
             fs::create_symlink(victim, form.Recovery.copyPath);
         }},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        fs::remove_all(dir.parent_path());
        fs::remove_all(elsewhere);
        fs::create_directories(elsewhere);
        std::ofstream(victim) << "precious";
        if (!c.plant()) continue;
        FakePlatform platform;
        EditorForm form(platform);
        form.FormCreate();
        form.OfferRecoveryCopies();
        for (const canvas::Colour colour : {0x0000FFu, 0x00FF00u}) {
            form.ChangeChip(0, 0).SetPixel(1, 1, colour);
            form.Modified = true;
            form.KeepRecoveryCopy();
            if (c.betweenCopies && colour == 0x0000FFu) c.betweenCopies(form);
        }
        EXPECT_EQ(platform.shown.size(), c.notices);
        EXPECT_TRUE(fs::is_empty(elsewhere));
        EXPECT_EQ(fs::status(elsewhere).permissions(), fs::perms(0755));
        EXPECT_FALSE(fs::exists(planted));
        EXPECT_EQ(FileBytes(victim), std::vector<std::uint8_t>({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
        EXPECT_EQ(fs::exists(copy), c.copyStays);
        // The user's own folder of another mode is made private, not given up.
        if (c.notices == 0) {
            EXPECT_EQ(fs::status(dir).permissions(), fs::perms(0700));
        }
    }
}

// A copy holds only what the editor makes: a huge picture header or chips of
// another size are refused before anything is allocated; the file a restore
// would save to is shown in the question, and a relative one is dropped.
TEST_F(RecoveryCopyTest, CraftedCopiesAreRefusedOrShown) {
    const auto copy = [](int chip, int cols, const std::string& file) {
        recovery::Record r;
        r.chipSize = chip;
        r.cols = r.rows = cols;
        r.file = file;
        r.sheet = canvas::Picture(cols * chip, cols * chip);
        return recovery::Encode(r);
    };
    std::vector<std::uint8_t> rle = copy(16, 1, "");
    rle.resize(rle.size() - 16 * 16 * 3);  // the sheet's header only: made a run-length 32768 x 8192 one
    const std::size_t bmp = rle.size() - 54;
    for (auto [at, value] : {std::pair{18, 32768}, {22, 8192}, {28, 8}, {30, 1}}) {
        for (int i = 0; i < 4 - 2 * (at == 28); ++i) rle[bmp + at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    rle.resize(rle.size() + 1024 + 2);
    rle.back() = 1;  // end of bitmap
    const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> cases = {
        {rle, "1 個"},
        {copy(256, 1, ""), "1 個"},
        {copy(16, 1, "sheet.bmp"), Question},
        {copy(16, 1, "/home/u/.bashrc"), "上書き保存先: \"/home/u/.bashrc\""},
    };
    recovery::Folder{recovery::Directory()};
    for (const auto& [bytes, shown] : cases) {
        const std::string path = recovery::Directory() + "/copy-1-1-1.tsr";
        std::ofstream(path).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        FakePlatform platform;
        platform.questionAnswers = {false};
        EditorForm form(platform);
        form.FormCreate();
        largest = 0;
        watching = true;
        form.OfferRecoveryCopies();
        watching = false;
        EXPECT_LT(largest, 4u << 20);
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_NE(platform.shown[0].text.find(shown), std::string::npos) << platform.shown[0].text;
    }
}

// A save in place that is killed midway leaves the whole old content in the
// user's recovery folder, and the next editor says where.
TEST_F(RecoveryCopyTest, AKilledSaveInPlaceIsToldOfAtTheNextStart) {
    const fs::path file = scratch.Path() / "sheet.bmp";
    const std::vector<std::uint8_t> old(3000, 'o');
    WriteFileAtomically(file.string(), old);
    fs::create_hard_link(file, scratch.Path() / "other.bmp");  // so written in place
    const pid_t child = fork();
    if (child == 0) {
        WriteFileAtomically((scratch.Path() / "x").string(), old);
        signal(SIGXFSZ, SIG_DFL);  // killed by the size limit in the middle of the write
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        WriteFileAtomically(file.string(), std::vector<std::uint8_t>(10000, 'n'));
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    // Replaced meanwhile, the file can't be given its old content back: the
    // backup stays and is named.
    fs::remove(file);
    WriteFileAtomically(file.string(), std::vector<std::uint8_t>(10, 'r'));
    for (const std::size_t told : {1u, 0u}) {
        FakePlatform platform;
        EditorForm form(platform);
        form.FormCreate();
        form.OfferRecoveryCopies();
        ASSERT_EQ(platform.shown.size(), told);
        if (told == 0) break;
        const std::string& text = platform.shown[0].text;
        const std::size_t at = text.find(recovery::Directory() + "/.tessaro-backup-");
        ASSERT_NE(at, std::string::npos) << text;
        EXPECT_NE(text.find(file.string()), std::string::npos) << text;
        EXPECT_EQ(FileBytes(text.substr(at, text.find('"', at) - at)), old);
    }
}

// A copy that can't be written is told of once, in Japanese, until one is
// written again.
TEST_F(RecoveryCopyTest, AFailedCopyIsToldOfOnce) {
    FakePlatform platform;
    EditorForm form(platform);
    form.FormCreate();
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    canvas::Colour colour = 0;
    for (const rlim_t size : {rlim_t{4096}, rlim_t{4096}, saved.rlim_cur, rlim_t{4096}}) {
        form.ChangeChip(0, 0).SetPixel(0, 0, ++colour);
        form.Modified = true;
        const rlimit limit{size, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        form.KeepRecoveryCopy();
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[1].text, "復元用のコピーを保存できませんでした（ファイルの大きさの上限を超えます）");
}

}  // namespace
