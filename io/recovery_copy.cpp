// The recovery copy of unsaved changes: kept while there are any, removed by
// a save and a normal close, offered at start-up when an editor that is gone
// left one behind.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/EditorError.h"
#include "core/Form.h"
#include "formats/PictureReadError.h"
#include "io/AtomicFile.h"
#include "io/RecoveryFile.h"

namespace {

constexpr const char* RestoreQuestion = "保存されていない編集内容が残っています。復元しますか？";
constexpr std::uintmax_t MaxCopyBytes = 16 << 20;

std::uint64_t Checksum(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

TMemorySnapshot SnapshotOf(TForm1& form) {
    TMemorySnapshot m;
    form.ComposeSheet();
    m.MemSheetImage = form.SheetImage;
    m.MemCurCol = form.CurCol;
    m.MemCurRow = form.CurRow;
    m.MemGridHidden = form.controls.Checked(ControlId::UnMenu);
    m.MemModified = true;
    m.MemResizePerChip = form.controls.Checked(ControlId::chrSMenu);
    m.MemPenSize = form.PenSize;
    m.MemDef = form.Def;
    return m;
}

std::optional<std::vector<std::uint8_t>> ReadSmallFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > MaxCopyBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes;
}

void RemoveCopyAndLock(const std::string& copyPath, int lockFd) {
    std::error_code error;
    std::filesystem::remove(copyPath, error);
    // The lock file goes while it is still locked, so no editor takes a copy
    // of that name in between.
    std::filesystem::remove(recovery::LockPathOf(copyPath), error);
    recovery::ReleaseLock(lockFd);
}

}  // namespace

TForm1::~TForm1() {
    // An editor that ends without a close leaves its copy behind, as a
    // crashed one does.
    recovery::ReleaseLock(Recovery.lockFd);
}

void TForm1::KeepRecoveryCopy() {
    if (!Modified) return DropRecoveryCopy();
    const std::vector<std::uint8_t> bytes = recovery::Encode(SnapshotOf(*this));
    const std::uint64_t sum = Checksum(bytes);
    if (Recovery.written && sum == Recovery.writtenSum) return;
    if (Recovery.lockFd < 0) {
        const std::string directory = recovery::Directory();
        if (directory.empty()) return;  // no home to keep it in
        std::error_code error;
        std::filesystem::create_directories(directory, error);
        std::filesystem::permissions(directory, std::filesystem::perms::owner_all, error);
        // The lock is taken before the copy exists, so no other editor ever
        // sees this copy without its lock held.
        Recovery.copyPath = recovery::NewCopyPath(directory);
        Recovery.lockFd = recovery::TakeLock(recovery::LockPathOf(Recovery.copyPath));
        if (Recovery.lockFd < 0) throw EditorError("復元用のコピーを作れませんでした（" + directory + "）");
    }
    WriteFileAtomically(Recovery.copyPath, bytes);
    Recovery.written = true;
    Recovery.writtenSum = sum;
}

void TForm1::DropRecoveryCopy() {
    if (Recovery.lockFd < 0) return;
    RemoveCopyAndLock(Recovery.copyPath, Recovery.lockFd);
    Recovery = RecoveryState{};
}

void TForm1::OfferRecoveryCopies() {
    const std::string directory = recovery::Directory();
    if (directory.empty()) return;
    for (const std::string& path : recovery::CopiesIn(directory)) {
        if (path == Recovery.copyPath) continue;
        // Held by its editor: that editor is running and the copy is its own.
        const int lock = recovery::TakeLock(recovery::LockPathOf(path));
        if (lock < 0) continue;
        std::optional<TMemorySnapshot> copy;
        if (const auto bytes = ReadSmallFile(path)) {
            try {
                copy = recovery::Decode(*bytes);
            } catch (const PictureReadError&) {
            } catch (const EditorError&) {}
        }
        if (!copy) {
            // Removed meanwhile by its editor's close, or not a copy: a copy
            // that can't be read is set aside under another name, never
            // deleted, and not offered again.
            std::error_code error;
            if (std::filesystem::exists(path, error)) {
                std::filesystem::rename(path, path + ".unreadable", error);
                platform.ShowMessage("復元用のコピーを読み込めませんでした: " + path);
            }
            std::filesystem::remove(recovery::LockPathOf(path), error);
            recovery::ReleaseLock(lock);
            continue;
        }
        if (!platform.AskQuestion(RestoreQuestion)) {
            recovery::ReleaseLock(lock);  // kept for a later start
            continue;
        }
        RestoreSnapshot(*copy);
        Modified = true;
        RemoveCopyAndLock(path, lock);
        // The changes are this editor's now: its own copy replaces the old one.
        KeepRecoveryCopy();
        return;
    }
}
