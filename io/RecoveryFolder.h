// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The folder of the recovery copies: $XDG_STATE_HOME/tessaro, or
// ~/.local/state/tessaro. It is used only when it is a real directory (not a
// link) owned by the user; its mode is set to 0700 when it has another, so
// that no one else can plant, read or swap a file in it; it is created so
// when missing. Every name in it
// is taken relative to the open folder, and no file in it is followed through
// a link or read when another user owns it.
//
// Each editor's copy has a lock file beside it that the editor holds locked
// while it runs; the system lets go of the lock when the process ends,
// however it ends. So a copy whose lock can be taken was left by an editor
// that is gone, and while one editor holds that lock to offer the copy, no
// other editor can take it.
namespace recovery {

// Empty when neither variable gives an absolute path.
std::string Directory();

// Why the folder can't be used.
enum class FolderProblem {
    NoHome,         // no folder is named
    CannotCreate,   // it or a parent could not be made (errno in FolderError)
    NotADirectory,  // a link, a file or anything but a directory
    NotOwned,       // another user's
    NotPrivate,     // others may enter it, and its mode could not be set to 0700
};

struct FolderError {
    FolderProblem problem;
    std::string path;
    int systemError = 0;
};

class Folder {
public:
    // Opens the folder, creating it (and its missing parents, 0700) first.
    // Throws FolderError.
    explicit Folder(const std::string& path);
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&&) = delete;

    const std::string& Path() const { return path_; }
    int Fd() const { return fd_; }

    // The copies (".tsr") of this user, newest first, by name.
    std::vector<std::string> Copies() const;
    // A name for a new copy of this process, unique among the running editors.
    static std::string NewCopyName();
    // The lock file of a copy ("x.tsr" -> "x.lock").
    static std::string LockNameOf(const std::string& copyName);

    // Opens (creating) and locks the file; the descriptor, or -1 when another
    // process holds the lock or the file is no regular file of the user's.
    int TakeLock(const std::string& name) const;
    static void ReleaseLock(int fd);

    // The bytes of a regular file of the user's of at most `maxBytes`;
    // nothing when it is gone, larger, or anything else.
    std::optional<std::vector<std::uint8_t>> Read(const std::string& name, std::size_t maxBytes) const;
    // Replaces the file whole: a new file (created exclusively) written,
    // flushed and renamed over the name, which a link there does not
    // redirect. Throws FileWriteError naming the path.
    void Write(const std::string& name, std::span<const std::uint8_t> bytes) const;
    void Remove(const std::string& name) const;
    bool Has(const std::string& name) const;
    bool Rename(const std::string& from, const std::string& to) const;

    // A backup of `file` before it is written in place: created exclusively
    // (".tessaro-backup-PID-XXXXXX", mode 0600), with `note` beside it (the
    // file's absolute path, and the write's InPlaceNote where it has one) so
    // that a backup a killed save left can be put back or told of.
    // The descriptor, or -1 with errno set.
    int CreateBackup(const std::string& file, std::string& name) const;
    void RemoveBackup(const std::string& name) const;

private:
    std::string path_;
    int fd_ = -1;
};

// What a backup's note says of the write in place after the file's path, so
// that the next start can tell whether the write ended: the file itself and
// the sizes before and after, and a hash of the new content.
struct InPlaceWrite {
    std::uint64_t device = 0;
    std::uint64_t file = 0;
    std::uint64_t oldSize = 0;
    std::uint64_t newSize = 0;
    std::uint64_t newHash = 0;
};
std::uint64_t ContentHash(std::span<const std::uint8_t> bytes);
// The note's text: the path, a line end, the write.
std::string InPlaceNote(const std::string& absolutePath, const InPlaceWrite& write);

// The backups of files written in place that a killed save left here, with
// the file each was the content of (empty when unknown). A file whose write
// did not end is given its backup's content back (`restored`) and its backup
// goes; one whose write ended loses only its backup, and is not listed.
// Others are listed once: afterwards they are marked as told. Notes whose
// backup is gone are removed, and so are the batches of files that a killed
// save left half swapped (see SaveJournal.h), before any backup is looked at.
struct LeftBackup {
    std::string backup;
    std::string file;
    bool restored = false;
};
std::vector<LeftBackup> TakeLeftBackups(const Folder& folder);

}  // namespace recovery
