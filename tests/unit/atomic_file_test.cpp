// Saves replace a file whole or not at all.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "core/EditorError.h"
#include "io/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

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
    EXPECT_EQ(Bytes(file), Pattern(5000, 1));
    WriteFileAtomically(file.string(), Pattern(10, 2));
    EXPECT_EQ(Bytes(file), Pattern(10, 2));
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
    EXPECT_EQ(Bytes(real), Pattern(9, 2));
}

TEST_F(AtomicFile, MissingDirectoryFailsWithTheFileNamed) {
    const std::string path = (dir_ / "no-such-dir" / "sheet.bmp").string();
    try {
        WriteFileAtomically(path, Pattern(10, 0));
        FAIL() << "no error";
    } catch (const EditorError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(AtomicFile, ADirectoryOrADeviceIsNeverReplaced) {
    const fs::path sub = dir_ / "chips";
    fs::create_directory(sub);
    fs::create_directory(sub / "inside");
    EXPECT_THROW(WriteFileAtomically(sub.string(), Pattern(10, 0)), EditorError);
    EXPECT_TRUE(fs::is_directory(sub / "inside"));

    const fs::path pipe = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_THROW(WriteFileAtomically(pipe.string(), Pattern(10, 0)), EditorError);
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
    EXPECT_THROW(WriteFileAtomically(file.string(), Pattern(200000, 4)), EditorError);
    EXPECT_EQ(Bytes(file), Pattern(20000, 3));
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
    } catch (const EditorError& e) {
        EXPECT_NE(std::string(e.what()).find((mount / "c").string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(Bytes(mount / "a"), Pattern(1000, 1));
    EXPECT_EQ(Bytes(mount / "b"), Pattern(1000, 1));
    EXPECT_EQ(Bytes(mount / "c"), Pattern(100, 9));
    EXPECT_EQ(Listing(mount), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(AtomicFile, BatchWritesEveryFile) {
    std::vector<PendingFile> files;
    for (int i = 0; i < 50; ++i) files.push_back({(dir_ / ("chip" + std::to_string(i))).string(), Pattern(64, i)});
    WriteFilesAtomically(files);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(Bytes(dir_ / ("chip" + std::to_string(i))), Pattern(64, i));
    EXPECT_EQ(Listing(dir_).size(), 50u);
}

// A file the user may not write to is not replaced by a new one beside it
// (for a user other than root).
TEST_F(AtomicFile, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions don't stop root";
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(100, 3));
    fs::permissions(file, fs::perms(0444));
    EXPECT_THROW(WriteFileAtomically(file.string(), Pattern(50, 4)), EditorError);
    EXPECT_EQ(Bytes(file), Pattern(100, 3));
    EXPECT_EQ(Listing(dir_), std::vector<std::string>{"sheet.bmp"});
}

// A directory that refuses new files (for a user other than root).
TEST_F(AtomicFile, ReadOnlyDirectoryLeavesTheEarlierFileWhole) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions don't stop root";
    const fs::path file = dir_ / "sheet.bmp";
    WriteFileAtomically(file.string(), Pattern(100, 3));
    fs::permissions(dir_, fs::perms(0555));
    EXPECT_THROW(WriteFileAtomically(file.string(), Pattern(50, 4)), EditorError);
    fs::permissions(dir_, fs::perms(0755));
    EXPECT_EQ(Bytes(file), Pattern(100, 3));
}

}  // namespace
