// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy of unsaved changes: kept while there are any, removed by
// a save and a normal close, offered at start-up when an editor that is gone
// left one behind.
#include <algorithm>
#include <chrono>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "core/Translation.h"
#include "formats/RecoveryFile.h"
#include "io/FileMessages.h"
#include "io/FileWriteError.h"
#include "io/FormWithFiles.h"
#include "io/RecoveryFolder.h"
#include "io/RecoveryRecord.h"

namespace {

constexpr SourceText RestoreQuestion =
    TSR_MESSAGE("Recovery", "保存されていない編集内容が残っています。復元しますか？");

std::uint64_t Checksum(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

// What the worker is given: everything it touches is its own.
struct CopyJob {
    recovery::Folder folder;
    std::string name;
    recovery::Record record;
    std::optional<std::uint64_t> writtenSum;
};

FormWithFiles::RecoveryState::Outcome WriteCopy(CopyJob job) {
    const std::vector<std::uint8_t> bytes = recovery::Encode(job.record);
    const std::uint64_t sum = Checksum(bytes);
    if (job.writtenSum == sum) return {sum, 0, false};
    try {
        job.folder.Write(job.name, bytes);
    } catch (const FileWriteError& e) {
        return {sum, e.SystemError(), false};
    }
    return {sum, 0, true};
}

std::string Quoted(const std::string& path) {
    // Control characters would let a file name push the rest of a question
    // out of sight.
    std::string shown = path;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return "\"" + shown + "\"";
}

std::string RestoreQuestionFor(const recovery::Record& copy) {
    if (copy.file.empty()) return Tr(RestoreQuestion);
    // The file on a line of its own, so that a long path is read whole.
    return Tr(TSR_MESSAGE("Recovery", "保存されていない編集内容が残っています。\n上書き保存先: %1\n復元しますか？"),
              {Quoted(copy.file)});
}

std::string FolderNotice(const recovery::FolderError& e) {
    std::string why;
    switch (e.problem) {
        case recovery::FolderProblem::NoHome: return {};
        case recovery::FolderProblem::CannotCreate: why = SystemReasonText(e.systemError); break;
        case recovery::FolderProblem::NotADirectory:
            why = Tr(TSR_MESSAGE("Recovery", "フォルダではないか、フォルダへのリンクです"));
            break;
        case recovery::FolderProblem::NotOwned:
            why = Tr(TSR_MESSAGE("Recovery", "ほかのユーザーのフォルダです"));
            break;
        case recovery::FolderProblem::NotPrivate:
            why = Tr(TSR_MESSAGE("Recovery", "ほかのユーザーも開けるフォルダです"));
            break;
    }
    return Tr(TSR_MESSAGE("Recovery", "復元用のフォルダ %1 は使えません（%2）。復元用のコピーは作られません"),
              {Quoted(e.path), why});
}

// The folder, or nothing when it can't be used: then the copy is off for
// this editor's life, and the user is told once.
std::optional<recovery::Folder> OpenFolder(FormWithFiles& form) {
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
void SetAsideUnreadable(FormWithFiles& form, const recovery::Folder& folder, const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (!form.platform.AskQuestion(
            Tr(TSR_MESSAGE("Recovery",
                           "読み込めない復元用のコピーが %1 個あります（%2）。名前に .unreadable "
                           "を付けて残し、次からは尋ねないようにしますか？"),
               {std::to_string(names.size()), Quoted(folder.Path())})))
        return;
    for (const std::string& name : names) {
        const int lock = folder.TakeLock(recovery::Folder::LockNameOf(name));
        if (lock < 0) continue;
        folder.Rename(name, name + ".unreadable");
        folder.Remove(recovery::Folder::LockNameOf(name));
        recovery::Folder::ReleaseLock(lock);
    }
}

void TellOfLeftBackups(FormWithFiles& form, const recovery::Folder& folder) {
    std::vector<recovery::LeftBackup> left = recovery::TakeLeftBackups(folder);
    const auto restored = std::stable_partition(left.begin(), left.end(), [](const auto& b) { return b.restored; });
    if (restored != left.begin()) {
        std::string text = Tr(TSR_MESSAGE("Recovery", "保存が途中で止まったファイルを、保存する前の内容に戻しました:"));
        for (auto b = left.begin(); b != restored; ++b) text += "\n" + Quoted(b->file);
        form.platform.ShowMessage(text);
    }
    if (restored == left.end()) return;
    std::string text =
        Tr(TSR_MESSAGE("Recovery", "保存が途中で止まったファイルがあります。元の内容は次のファイルに残っています:"));
    for (auto b = restored; b != left.end(); ++b)
        text += "\n" + (b->file.empty() ? std::string("?") : Quoted(b->file)) + " → " + Quoted(b->backup);
    form.platform.ShowMessage(text);
}

}  // namespace

FormWithFiles::~FormWithFiles() {
    // An editor that ends without a close leaves its copy behind, as a
    // crashed one does; a write under way is let finish first.
    if (Recovery.pending.valid()) Recovery.pending.wait();
    recovery::Folder::ReleaseLock(Recovery.lockFd);
}

void FormWithFiles::KeepRecoveryCopy() {
    FinishRecoveryCopy(true);
    StartRecoveryCopy();
    FinishRecoveryCopy(true);
}

void FormWithFiles::StartRecoveryCopy() {
    FinishRecoveryCopy(false);
    // One write at a time: the next start takes the state as it is then.
    if (Recovery.pending.valid()) return;
    if (!Modified) return DropRecoveryCopy();
    if (Recovery.off) return;
    std::optional<recovery::Folder> folder = OpenFolder(*this);
    if (!folder) return;
    if (Recovery.lockFd < 0) {
        // The lock is taken before the copy exists, so no other editor ever
        // sees this copy without its lock held.
        const std::string name = recovery::Folder::NewCopyName();
        Recovery.lockFd = folder->TakeLock(recovery::Folder::LockNameOf(name));
        if (Recovery.lockFd < 0) return TellRecoveryFailure(errno);
        Recovery.copyPath = folder->Path() + "/" + name;
    }
    CopyJob job{std::move(*folder), NameOf(Recovery.copyPath), recovery::RecordOfEditor(*this),
                Recovery.written ? std::optional(Recovery.writtenSum) : std::nullopt};
    Recovery.pending = std::async(std::launch::async, WriteCopy, std::move(job));
}

void FormWithFiles::FinishRecoveryCopy(bool wait) {
    if (!Recovery.pending.valid()) return;
    if (!wait && Recovery.pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    const RecoveryState::Outcome outcome = Recovery.pending.get();
    if (outcome.error != 0) return TellRecoveryFailure(outcome.error);
    if (!outcome.wrote) return;
    Recovery.written = true;
    Recovery.writtenSum = outcome.sum;
    Recovery.failureTold = false;
}

void FormWithFiles::TellRecoveryFailure(int error) {
    if (Recovery.failureTold) return;
    Recovery.failureTold = true;
    platform.ShowMessage(
        Tr(TSR_MESSAGE("Recovery", "復元用のコピーを保存できませんでした（%1）"), {SystemReasonText(error)}));
}

void FormWithFiles::DropRecoveryCopy() {
    // A write under way would bring the copy back after its removal.
    if (Recovery.pending.valid()) Recovery.pending.wait();
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

void FormWithFiles::OfferRecoveryCopies() {
    const std::optional<recovery::Folder> folder = OpenFolder(*this);
    if (!folder) return;
    const recovery::Limits limits = recovery::EditorLimits();
    std::vector<std::string> unreadable;
    bool restored = false;
    for (const std::string& name : folder->Copies()) {
        if (restored || folder->Path() + "/" + name == Recovery.copyPath) continue;
        // Held by its editor: that editor is running and the copy is its own.
        const int lock = folder->TakeLock(recovery::Folder::LockNameOf(name));
        if (lock < 0) continue;
        std::optional<recovery::Record> copy;
        if (const auto bytes = folder->Read(name, recovery::MaxBytes(limits))) {
            try {
                copy = recovery::Decode(*bytes, limits);
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
        const Platform::RestoreAnswer answer =
            copy ? platform.AskRestore(RestoreQuestionFor(*copy)) : Platform::RestoreAnswer::Later;
        if (answer == Platform::RestoreAnswer::Discard) {
            RemoveCopyAndLock(*folder, name, lock);
            continue;
        }
        if (answer == Platform::RestoreAnswer::Later) {
            recovery::Folder::ReleaseLock(lock);  // kept for a later start
            continue;
        }
        recovery::RestoreEditor(*this, std::move(*copy));
        Modified = true;
        RemoveCopyAndLock(*folder, name, lock);
        // The changes are this editor's now: its own copy replaces the old one.
        KeepRecoveryCopy();
        restored = true;
    }
    SetAsideUnreadable(*this, *folder, unreadable);
    TellOfLeftBackups(*this, *folder);
}
