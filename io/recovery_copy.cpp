// The recovery copy of unsaved changes: kept while there are any, removed by
// a save and a normal close, offered at start-up when an editor that is gone
// left one behind.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/Form.h"
#include "core/ViewMenuItems.h"
#include "formats/RecoveryFile.h"
#include "io/FileMessages.h"
#include "io/FileWriteError.h"
#include "io/RecoveryFolder.h"

namespace {

constexpr const char* RestoreQuestion = "保存されていない編集内容が残っています。復元しますか？";

// The only chip side the editor lays out (core/startup.cpp).
constexpr int ChipSide = 16;

recovery::Limits EditorLimits() {
    return {ChipSide,  TForm1::MaxCols, TForm1::MaxRows, MinZoom, WindowLayout::MaxZoom, tool_mode::LinePending,
            MaxPenSize};
}

std::uint64_t Checksum(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

// The sheet's file is kept as an absolute path: the next editor may start
// in another folder.
std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string() : absolute.lexically_normal().string();
}

recovery::Record RecordOf(const TMemorySnapshot& m) {
    const TDef& d = m.MemDef;
    recovery::Record r;
    r.file = AbsolutePath(d.FileName);
    r.zoom = d.Zoom;
    r.chipSize = d.ChipSize;
    r.cols = d.SheetCols;
    r.rows = d.SheetRows;
    r.tool = d.ToolMode;
    r.gridColour = d.GridLineColor;
    r.sheetGrid = d.SheetGridShown;
    r.col = m.MemCurCol;
    r.row = m.MemCurRow;
    r.pen = m.MemPenSize;
    r.gridHidden = m.MemGridHidden;
    r.resizePerChip = m.MemResizePerChip;
    r.sheet = m.MemSheetImage;
    return r;
}

TMemorySnapshot SnapshotOf(recovery::Record&& r) {
    TMemorySnapshot m;
    TDef& d = m.MemDef;
    d.FileName = std::move(r.file);
    d.Zoom = r.zoom;
    d.ChipSize = r.chipSize;
    d.SheetCols = r.cols;
    d.SheetRows = r.rows;
    d.ToolMode = r.tool;
    d.GridLineColor = r.gridColour;
    d.SheetGridShown = r.sheetGrid;
    m.MemCurCol = r.col;
    m.MemCurRow = r.row;
    m.MemPenSize = r.pen;
    m.MemGridHidden = r.gridHidden;
    m.MemResizePerChip = r.resizePerChip;
    m.MemModified = true;
    m.MemSheetImage = std::move(r.sheet);
    return m;
}

std::string Quoted(const std::string& path) {
    // Control characters would let a file name push the rest of a question
    // out of sight.
    std::string shown = path;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "\"" + shown + "\"";
}

std::string RestoreQuestionFor(const TMemorySnapshot& copy) {
    if (copy.MemDef.FileName.empty()) return RestoreQuestion;
    return "保存されていない編集内容が残っています（上書き保存先: " + Quoted(copy.MemDef.FileName) +
           "）。復元しますか？";
}

std::string FolderNotice(const recovery::FolderError& e) {
    std::string why;
    switch (e.problem) {
        case recovery::FolderProblem::NoHome: return {};
        case recovery::FolderProblem::CannotCreate: why = SystemReasonText(e.systemError); break;
        case recovery::FolderProblem::NotADirectory: why = "フォルダではないか、フォルダへのリンクです"; break;
        case recovery::FolderProblem::NotOwned: why = "ほかのユーザーのフォルダです"; break;
        case recovery::FolderProblem::NotPrivate: why = "ほかのユーザーも開けるフォルダです"; break;
    }
    return "復元用のフォルダ " + Quoted(e.path) + " は使えません（" + why + "）。復元用のコピーは作られません";
}

// The folder, or nothing when it can't be used: then the copy is off for
// this editor's life, and the user is told once.
std::optional<recovery::Folder> OpenFolder(TForm1& form) {
    if (form.Recovery.off) return std::nullopt;
    try {
        std::optional<recovery::Folder> folder;
        folder.emplace(recovery::Directory());
        return folder;
    } catch (const recovery::FolderError& e) {
        form.Recovery.off = true;
        if (const std::string notice = FolderNotice(e); !notice.empty()) form.platform.ShowMessage(notice);
        return std::nullopt;
    }
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

void RemoveCopyAndLock(const recovery::Folder& folder, const std::string& name, int lockFd) {
    folder.Remove(name);
    // The lock file goes while it is still locked, so no editor takes a copy
    // of that name in between.
    folder.Remove(recovery::Folder::LockNameOf(name));
    recovery::Folder::ReleaseLock(lockFd);
}

// One question for all the copies that can't be read: set aside under
// another name, never deleted, and not offered again; or kept as they are.
void SetAsideUnreadable(TForm1& form, const recovery::Folder& folder, const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (!form.platform.AskQuestion("読み込めない復元用のコピーが " + std::to_string(names.size()) + " 個あります（" +
                                   Quoted(folder.Path()) +
                                   "）。名前に .unreadable を付けて残し、次からは尋ねないようにしますか？"))
        return;
    for (const std::string& name : names) {
        const int lock = folder.TakeLock(recovery::Folder::LockNameOf(name));
        if (lock < 0) continue;
        folder.Rename(name, name + ".unreadable");
        folder.Remove(recovery::Folder::LockNameOf(name));
        recovery::Folder::ReleaseLock(lock);
    }
}

void TellOfLeftBackups(TForm1& form, const recovery::Folder& folder) {
    const std::vector<recovery::LeftBackup> left = recovery::TakeLeftBackups(folder);
    if (left.empty()) return;
    std::string text = "保存が途中で止まったファイルがあります。元の内容は次のファイルに残っています:";
    for (const recovery::LeftBackup& b : left)
        text += "\n" + (b.file.empty() ? std::string("?") : Quoted(b.file)) + " → " + Quoted(b.backup);
    form.platform.ShowMessage(text);
}

}  // namespace

TForm1::~TForm1() {
    // An editor that ends without a close leaves its copy behind, as a
    // crashed one does.
    recovery::Folder::ReleaseLock(Recovery.lockFd);
}

void TForm1::KeepRecoveryCopy() {
    if (!Modified) return DropRecoveryCopy();
    if (Recovery.off) return;
    const std::vector<std::uint8_t> bytes = recovery::Encode(RecordOf(Snapshot()));
    const std::uint64_t sum = Checksum(bytes);
    if (Recovery.written && sum == Recovery.writtenSum) return;
    const std::optional<recovery::Folder> folder = OpenFolder(*this);
    if (!folder) return;
    auto tellOnce = [this](const std::string& why) {
        if (Recovery.failureTold) return;
        Recovery.failureTold = true;
        platform.ShowMessage("復元用のコピーを保存できませんでした（" + why + "）");
    };
    if (Recovery.lockFd < 0) {
        // The lock is taken before the copy exists, so no other editor ever
        // sees this copy without its lock held.
        const std::string name = recovery::Folder::NewCopyName();
        Recovery.lockFd = folder->TakeLock(recovery::Folder::LockNameOf(name));
        if (Recovery.lockFd < 0) return tellOnce(SystemReasonText(errno));
        Recovery.copyPath = folder->Path() + "/" + name;
    }
    try {
        folder->Write(NameOf(Recovery.copyPath), bytes);
    } catch (const FileWriteError& e) {
        return tellOnce(SystemReasonText(e.SystemError()));
    }
    Recovery.written = true;
    Recovery.writtenSum = sum;
    Recovery.failureTold = false;
}

void TForm1::DropRecoveryCopy() {
    if (Recovery.lockFd < 0) return;
    try {
        const recovery::Folder folder(recovery::Directory());
        RemoveCopyAndLock(folder, NameOf(Recovery.copyPath), Recovery.lockFd);
    } catch (const recovery::FolderError&) {
        // Nothing is removed from a folder that was swapped meanwhile.
        recovery::Folder::ReleaseLock(Recovery.lockFd);
    }
    const bool off = Recovery.off;
    Recovery = RecoveryState{};
    Recovery.off = off;
}

void TForm1::OfferRecoveryCopies() {
    const std::optional<recovery::Folder> folder = OpenFolder(*this);
    if (!folder) return;
    const recovery::Limits limits = EditorLimits();
    std::vector<std::string> unreadable;
    bool restored = false;
    for (const std::string& name : folder->Copies()) {
        if (restored || folder->Path() + "/" + name == Recovery.copyPath) continue;
        // Held by its editor: that editor is running and the copy is its own.
        const int lock = folder->TakeLock(recovery::Folder::LockNameOf(name));
        if (lock < 0) continue;
        std::optional<TMemorySnapshot> copy;
        if (const auto bytes = folder->Read(name, recovery::MaxBytes(limits))) {
            try {
                copy = SnapshotOf(recovery::Decode(*bytes, limits));
            } catch (const recovery::FormatError&) {
                unreadable.push_back(name);
            }
        } else if (folder->Has(name)) {
            unreadable.push_back(name);
        } else {
            // Removed meanwhile by its editor's close: so is the lock file
            // that taking the lock made anew.
            RemoveCopyAndLock(*folder, name, lock);
            continue;
        }
        if (!copy || !platform.AskQuestion(RestoreQuestionFor(*copy))) {
            recovery::Folder::ReleaseLock(lock);  // kept for a later start
            continue;
        }
        RestoreSnapshot(*copy);
        Modified = true;
        RemoveCopyAndLock(*folder, name, lock);
        // The changes are this editor's now: its own copy replaces the old one.
        KeepRecoveryCopy();
        restored = true;
    }
    SetAsideUnreadable(*this, *folder, unreadable);
    TellOfLeftBackups(*this, *folder);
}
