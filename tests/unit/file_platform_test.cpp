// SPDX-License-Identifier: GPL-3.0-or-later
// The system's file calls behind io/ (io/windows/ on Windows): names in
// UTF-8 with non-ASCII letters, what a save and a read refuse, all-or-none
// saves and the recovery folder's locks, the same on every system.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/PictureReadError.h"
#include "io/AtomicFile.h"
#include "io/FileWriteError.h"
#include "io/RecoveryFolder.h"
#include "io/RegularFile.h"
#include "tests/support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::vector<std::string> Names(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(Utf8(e.path().filename()));
    return names;
}

TEST(FilePlatform, NonAsciiNamesSaveReplaceAndReadBackLeavingNoTemporaryFile) {
    ScratchDirectory scratch;
    const std::string folder = "地図フォルダ";
    fs::create_directory(PathOf(folder));
    std::vector<std::string> paths = {folder + "/地図 1.png"};
    // A Windows path as the system's dialogs and command line give it.
    if (fs::path::preferred_separator == '\\') paths.push_back(folder + "\\チップ.bmp");
    for (const std::string& path : paths) {
        WriteFileAtomically(path, Bytes{1, 2, 3});
        WriteFileAtomically(path, Bytes{4, 5, 6, 7});
        EXPECT_EQ(ReadFileStart(path, 100), (Bytes{4, 5, 6, 7}));
        EXPECT_TRUE(FileHolds(path, Bytes{4, 5, 6, 7}));
    }
    for (const std::string& name : Names(PathOf(folder))) EXPECT_FALSE(name.starts_with(".tessaro-")) << name;
}

TEST(FilePlatform, FoldersAndDevicesAreNeitherReplacedNorRead) {
    ScratchDirectory scratch;
    fs::create_directory("folder.png");
    try {
        WriteFileAtomically("folder.png", Bytes{1});
        ADD_FAILURE() << "a folder was written";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(e.Path(), "folder.png");
    }
    EXPECT_TRUE(fs::is_directory("folder.png"));
    const std::string device = fs::path::preferred_separator == '\\' ? "sub/NUL.png" : "/dev/null";
    for (const std::string& path : {std::string("folder.png"), device}) {
        try {
            RegularFile file(path);
            ADD_FAILURE() << path << " was opened";
        } catch (const PictureReadError& e) {
            EXPECT_EQ(e.Reason(), PictureReadReason::NotAFile) << path << ": " << e.what();
        }
    }
    if (fs::path::preferred_separator == '\\') {
        EXPECT_THROW(WriteFileAtomically("con.bmp", Bytes{1}), FileWriteError);
    }
}

TEST(FilePlatform, AllOrNoneLeavesEveryTargetAsItWasWhenOneFails) {
    ScratchDirectory scratch;
    WriteFileAtomically("kept.bmp", Bytes{9});
    const std::vector<PendingFile> files = {
        {"kept.bmp", Bytes{1}}, {"新しい.bmp", Bytes{2}}, {"no/such/x.bmp", Bytes{3}}};
    EXPECT_THROW(WriteFilesAllOrNone(files), FileWriteError);
    EXPECT_EQ(ReadFileStart("kept.bmp", 10), Bytes{9});
    EXPECT_EQ(Names("."), std::vector<std::string>{"kept.bmp"});
    WriteFilesAllOrNone(std::span(files).first(2));
    EXPECT_EQ(ReadFileStart("kept.bmp", 10), Bytes{1});
    EXPECT_EQ(ReadFileStart("新しい.bmp", 10), Bytes{2});
    EXPECT_EQ(Names(".").size(), 2u);
}

TEST(FilePlatform, RecoveryFolderWritesReadsAndLocksOncePerCopy) {
    ScratchDirectory scratch;
    const recovery::Folder folder(Utf8(scratch.Path() / PathOf("状態/tessaro")));
    const std::string copy = recovery::Folder::NewCopyName();
    folder.Write(copy, Bytes{1, 2});
    folder.Write(copy, Bytes{3});
    EXPECT_EQ(folder.Read(copy, 10), Bytes{3});
    EXPECT_FALSE(folder.Read(copy, 0));
    EXPECT_EQ(folder.Copies(), std::vector<std::string>{copy});
    const int lock = folder.TakeLock(recovery::Folder::LockNameOf(copy));
    ASSERT_GE(lock, 0);
    EXPECT_LT(folder.TakeLock(recovery::Folder::LockNameOf(copy)), 0);
    recovery::Folder::ReleaseLock(lock);
    const int again = folder.TakeLock(recovery::Folder::LockNameOf(copy));
    EXPECT_GE(again, 0);
    recovery::Folder::ReleaseLock(again);
}

}  // namespace
