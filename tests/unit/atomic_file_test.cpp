// SPDX-License-Identifier: GPL-3.0-or-later
// Saves replace a file whole or not at all.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "io/AtomicFile.h"
#include "io/FileWriteError.h"
#include "tests/support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("tessaro-atomic-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (mounted_) ::umount2(mounted_->c_str(), MNT_DETACH);
        fs::remove_all(dir_);
    }
    // Nothing but the named files: no temporary file is left behind.
    std::vector<std::string> Listing(const fs::path& dir) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir_;
    std::optional<fs::path> mounted_;
};

TEST_F(AtomicFile, WritesAndReplacesWholeFiles) {
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(5000, 1));
    EXPECT_EQ(FileBytes(file), Pattern(5000, 1));
    WriteFileAtomically(file.string(), Pattern(10, 2));
    EXPECT_EQ(FileBytes(file), Pattern(10, 2));
    WriteFileAtomically(file.string(), {});
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"sheet.bmp"});
}

TEST_F(AtomicFile, NewFilesGetTheUsualPermissionsAndOldOnesKeepTheirs) {
    const fs::path fresh = dir_ / "new.bmp";
    const mode_t mask = ::umask(022);
    WriteFileAtomically(fresh.string(), Pattern(3, 0));
    ::umask(mask);
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0644));

    const fs::path kept = dir_ / "kept.bmp";
    WriteFileAtomically(kept.string(), Pattern(3, 0));
    fs::permissions(kept, fs::perms(0600));
    WriteFileAtomically(kept.string(), Pattern(4, 0));
    EXPECT_EQ(fs::status(kept).permissions(), fs::perms(0600));
}

TEST_F(AtomicFile, SavingThroughALinkReplacesTheFileItNames) {
    const fs::path real = dir_ / "real.bmp";
    const fs::path link = dir_ / "link.bmp";
    WriteFileAtomically(real.string(), Pattern(8, 1));
    fs::create_symlink(real, link);
    WriteFileAtomically(link.string(), Pattern(9, 2));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileBytes(real), Pattern(9, 2));
}

TEST_F(AtomicFile, MissingDirectoryFailsWithTheFileNamed) {
    const std::string path = (dir_ / "no-such-dir" / "sheet.bmp").string();
    try {
        WriteFileAtomically(path, Pattern(10, 0));
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(AtomicFile, ADirectoryOrADeviceIsNeverReplaced) {
    const fs::path sub = dir_ / "chips";
    fs::create_directory(sub);
    fs::create_directory(sub / "inside");
    EXPECT_THROW(WriteFileAtomically(sub.string(), Pattern(10, 0)), FileWriteError);
    EXPECT_TRUE(fs::is_directory(sub / "inside"));

    const fs::path pipe = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(WriteFileAtomically(pipe.string(), Pattern(10, 0)), FileWriteError);
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"chips", "pipe"}));
}

// A full disk: the write fails part-way, and the earlier file is untouched.
TEST_F(AtomicFile, FullDiskLeavesTheEarlierFileWhole) {
    const fs::path mount = dir_ / "small";
    fs::create_directory(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    mounted_ = mount;
    const fs::path file = mount / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(20000, 3));
    EXPECT_THROW(WriteFileAtomically(file.string(), Pattern(200000, 4)), FileWriteError);
    EXPECT_EQ(FileBytes(file), Pattern(20000, 3));
    EXPECT_EQ(Listing(mount), std::vector<std::string>{"sheet.bmp"});
}

// A batch: the files before a failed one are in place, the failed one keeps
// its earlier content, the ones after it are not written.
TEST_F(AtomicFile, BatchStopsAtTheFirstFailure) {
    const fs::path mount = dir_ / "small";
    fs::create_directory(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no small file system can be mounted here";
    mounted_ = mount;
    WriteFileAtomically((mount / "c").string(), Pattern(100, 9));
    std::vector<PendingFile> files;
    for (const char* name : {"a", "b", "c", "d"})
        files.push_back({(mount / name).string(), Pattern(name[0] == 'c' ? 100000 : 1000, 1)});
    try {
        WriteFilesAtomically(files);
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find((mount / "c").string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(FileBytes(mount / "a"), Pattern(1000, 1));
    EXPECT_EQ(FileBytes(mount / "b"), Pattern(1000, 1));
    EXPECT_EQ(FileBytes(mount / "c"), Pattern(100, 9));
    EXPECT_EQ(Listing(mount), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(AtomicFile, BatchWritesEveryFile) {
    std::vector<PendingFile> files;
    for (int i = 0; i < 50; ++i) files.push_back({(dir_ / ("chip" + std::to_string(i))).string(), Pattern(64, i)});
    WriteFilesAtomically(files);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(FileBytes(dir_ / ("chip" + std::to_string(i))), Pattern(64, i));
    EXPECT_EQ(Listing(dir_).size(), 50u);
}

// All or none: the earlier files go once all new ones are in place; a rename
// that fails after others succeeded brings the files they replaced back and
// removes a new one, and leaves no second name or temporary file behind.
TEST_F(AtomicFile, AllOrNoneTakesBackEarlierRenames) {
    std::vector<PendingFile> files;
    for (const char* name : {"a", "b", "c"}) {
        WriteFileAtomically((dir_ / name).string(), Pattern(100, 1));
        files.push_back({(dir_ / name).string(), Pattern(50, 3)});
    }
    WriteFilesAllOrNone(files);
    EXPECT_EQ(FileBytes(dir_ / "b"), Pattern(50, 3));
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"a", "b", "c"}));
    for (auto& f : files) {
        WriteFileAtomically(f.path, Pattern(100, 1));
        f.bytes = Pattern(200, 2);
    }
    files.insert(files.begin() + 1, {(dir_ / "new").string(), Pattern(10, 4)});
    // Once all are written beside their targets, the last target becomes a
    // directory, which no rename replaces.
    const auto blockLast = [&](std::size_t done) {
        if (done < files.size()) return;
        fs::remove(dir_ / "c");
        fs::create_directories(dir_ / "c" / "inside");
    };
    EXPECT_THROW(WriteFilesAllOrNone(files, blockLast), FileWriteError);
    EXPECT_EQ(FileBytes(dir_ / "a"), Pattern(100, 1));
    EXPECT_EQ(FileBytes(dir_ / "b"), Pattern(100, 1));
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"a", "b", "c"}));
}

// A file the user may not write to is not replaced by a new one beside it
// (for a user other than root).
TEST_F(AtomicFile, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions don't stop root";
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(100, 3));
    fs::permissions(file, fs::perms(0444));
    EXPECT_THROW(WriteFileAtomically(file.string(), Pattern(50, 4)), FileWriteError);
    EXPECT_EQ(FileBytes(file), Pattern(100, 3));
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"sheet.bmp"});
}

// A directory that refuses new files (for a user other than root): the file
// itself is written.
TEST_F(AtomicFile, ReadOnlyDirectoryTakesAWriteInPlace) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions don't stop root";
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(100, 3));
    fs::permissions(dir_, fs::perms(0555));
    EXPECT_NO_THROW(WriteFileAtomically(file.string(), Pattern(50, 4)));
    fs::permissions(dir_, fs::perms(0755));
    EXPECT_EQ(FileBytes(file), Pattern(50, 4));
}

// Runs `save` in a child process, as an unprivileged user (nobody, without
// groups) when `drop`; its exit reports whether it returned true, and a
// signal counts as false.
bool InChild(const std::function<bool()>& save, bool drop = true) {
    const pid_t child = ::fork();
    if (child == 0) {
        drop = !drop || ::geteuid() != 0 ||
               (::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0 &&
                ::setresuid(65534, 65534, 65534) == 0);
        ::_exit(drop && save() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Saves(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    try {
        WriteFileAtomically(path.string(), bytes);
        return true;
    } catch (const FileWriteError&) {
        return false;
    }
}

// A save keeps what the user sees of the file: its owner and group, its
// attributes, its other hard links, and a dangling link stays a link.
TEST_F(AtomicFile, SavesKeepOwnerGroupAttributesLinks) {
    const fs::path file = dir_ / "sheet.bmp", other = dir_ / "other.bmp", link = dir_ / "link.bmp";
    WriteFileAtomically(file.string(), Pattern(10, 1));
    fs::create_hard_link(file, other);
    if (::setxattr(file.c_str(), "user.tessaro", "kept", 4, 0) != 0) GTEST_SKIP() << "no extended attributes here";
    fs::create_symlink("target.bmp", link);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    ::stat(file.c_str(), &before);
    WriteFileAtomically(file.string(), Pattern(20, 2));
    WriteFileAtomically(link.string(), Pattern(30, 3));
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(FileBytes(other), Pattern(20, 2));
    EXPECT_EQ(std::make_pair(after.st_uid, after.st_gid), std::make_pair(before.st_uid, before.st_gid));
    char value[8] = {};
    EXPECT_EQ(::getxattr(file.c_str(), "user.tessaro", value, sizeof value), 4);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileBytes(dir_ / "target.bmp"), Pattern(30, 3));
    fs::remove(other);  // one name left: replaced by rename, attributes copied
    WriteFileAtomically(file.string(), Pattern(40, 4));
    ::stat(file.c_str(), &after);
    EXPECT_EQ(std::make_pair(after.st_uid, after.st_gid), std::make_pair(before.st_uid, before.st_gid));
    EXPECT_EQ(::getxattr(file.c_str(), "user.tessaro", value, sizeof value), 4);
    EXPECT_EQ(Listing(dir_), (std::vector<std::string>{"link.bmp", "sheet.bmp", "target.bmp"}));
}

// A writable file in a folder the user can't add to, or owned by someone
// else in a sticky folder, or of a group the user writes through: written in
// place, owner and group kept, no copy left anywhere.
TEST_F(AtomicFile, WritableFilesAreWrittenWhereARenameCantBe) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files of other owners";
    const fs::path closed = dir_ / "closed", sticky = dir_ / "sticky";
    fs::create_directories(closed);
    fs::create_directories(sticky);
    fs::permissions(dir_, fs::perms(0755));
    fs::permissions(closed, fs::perms(0755));
    fs::permissions(sticky, fs::perms(01777));
    // The backup of the old content goes to the user's own recovery folder.
    const fs::path state = dir_ / "state";
    fs::create_directories(state / "tessaro");
    fs::permissions(state / "tessaro", fs::perms(0700));
    ASSERT_EQ(::chown((state / "tessaro").c_str(), 65534, 65534), 0);
    for (const fs::path& file : {closed / "a.bmp", sticky / "b.bmp", sticky / "c.bmp"}) {
        SCOPED_TRACE(file.string());
        WriteFileAtomically(file.string(), Pattern(5000, 1));
        fs::permissions(file, fs::perms(file.filename() == "c.bmp" ? 0664 : 0666));
        if (file.filename() == "c.bmp") {
            ASSERT_EQ(::chown(file.c_str(), 0, 65534), 0);
        }
        EXPECT_TRUE(
            InChild([&] { return setenv("XDG_STATE_HOME", state.c_str(), 1) == 0 && Saves(file, Pattern(300, 2)); }));
        EXPECT_EQ(FileBytes(file), Pattern(300, 2));
        struct stat st {};
        ::stat(file.c_str(), &st);
        EXPECT_EQ(st.st_uid, 0u);
    }
    EXPECT_EQ(Listing(closed), std::vector<std::string>{"a.bmp"});
    EXPECT_EQ(Listing(sticky), (std::vector<std::string>{"b.bmp", "c.bmp"}));
    EXPECT_TRUE(fs::is_empty(state / "tessaro"));
}

// A file-size limit makes the save fail with a message instead of killing
// the editor; a full disk fails a write in place with the old content back.
TEST_F(AtomicFile, SizeLimitsAndFullDisksFailCleanly) {
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(1000, 1));
    EXPECT_TRUE(InChild(
        [&] {
            const rlimit limit{4096, 4096};
            return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && !Saves(file, Pattern(10000, 2)) &&
                   FileBytes(file) == Pattern(1000, 1);
        },
        false));
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"sheet.bmp"});
    const fs::path mount = dir_ / "small";
    fs::create_directory(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0) GTEST_SKIP() << "no small file system here";
    mounted_ = mount;
    WriteFileAtomically((mount / "a").string(), Pattern(20000, 3));
    fs::create_hard_link(mount / "a", mount / "b");  // written in place from now on
    EXPECT_THROW(WriteFileAtomically((mount / "a").string(), Pattern(200000, 4)), FileWriteError);
    EXPECT_EQ(FileBytes(mount / "b"), Pattern(20000, 3));
    EXPECT_EQ(Listing(mount), (std::vector<std::string>{"a", "b"}));
}

// A path just within the length limit saves, however long the temporary
// file's name; temporary files of a dead process go at the next save there.
TEST_F(AtomicFile, LongPathsAndAbandonedTemporaryFiles) {
    std::string path = dir_.string();
    while (path.size() + 200 < PATH_MAX - 10) {
        path += "/" + std::string(198, 'd');
        ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
    }
    path += "/" + std::string(PATH_MAX - 2 - path.size(), 'f');
    ASSERT_EQ(path.size(), static_cast<std::size_t>(PATH_MAX - 1));
    WriteFileAtomically(path, Pattern(100, 1));
    EXPECT_EQ(FileBytes(path), Pattern(100, 1));

    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ::waitpid(dead, nullptr, 0);
    const std::string abandoned = ".tessaro-save-" + std::to_string(dead) + "-abcdef";
    const std::string alive = ".tessaro-save-1-abcdef";
    for (const std::string& name : {abandoned, alive}) std::ofstream(dir_ / name) << "x";
    WriteFileAtomically((dir_ / "sheet.bmp").string(), Pattern(10, 1));
    EXPECT_FALSE(fs::exists(dir_ / abandoned));
    EXPECT_TRUE(fs::exists(dir_ / alive));
}

}  // namespace
