// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <set>

#include "io/FileWriteError.h"
#include "io/RecoveryFolder.h"
#include "io/RemoveFiles.h"
#include "io/SaveJournal.h"
#include "io/SaveSteps.h"
#include "io/SaveTarget.h"

namespace {

// The mode a newly created file gets.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Gives the new file what the user sees of the old one: owner, group and
// extended attributes (ACLs among them). False when that is not possible,
// as when the user may not give a file away; the save then writes in place.
bool TakeOverAttributes(int fd, const SaveTarget& t) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) return false;
    if ((now.st_uid != t.old.st_uid || now.st_gid != t.old.st_gid) && ::fchown(fd, t.old.st_uid, t.old.st_gid) != 0)
        return false;
    const std::string path = t.directory + "/" + t.name;
    // Most files have no or few attributes: one call lists them.
    std::string names(256, '\0');
    ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
    while (got < 0 && errno == ERANGE) {
        const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
        if (size < 0) return false;
        names.assign(static_cast<std::size_t>(size), '\0');
        got = ::listxattr(path.c_str(), names.data(), names.size());
    }
    if (got < 0) return errno == ENOTSUP;
    names.resize(static_cast<std::size_t>(got));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t length = ::getxattr(path.c_str(), name, nullptr, 0);
        if (length < 0) return false;
        std::string value(static_cast<std::size_t>(length), '\0');
        const ssize_t read = ::getxattr(path.c_str(), name, value.data(), value.size());
        if (read < 0 || ::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(read), 0) != 0) return false;
    }
    return true;
}

// The new content of one file, ready to take its place. It is written to a
// temporary file beside the target, which Commit() renames over it (or swaps
// with it, when the earlier file is to be kept or removed later), when that
// keeps everything the user sees: the same owner and group, the
// attributes, and no other name (hard link) of the file left with the old
// content. Otherwise, or when the folder takes no new file, Commit() writes
// into the file itself, after a copy of its old content that puts it back
// if the write fails and is removed once the new content is complete.
class PreparedFile {
public:
    PreparedFile(const std::string& path, std::span<const std::uint8_t> bytes, bool flush, bool clean,
                 OpenFolders* folders = nullptr)
        : target_(path, folders), bytes_(bytes) {
        // A batch that a killed run left is settled first: until then its
        // temporary files may hold the only copies of earlier files.
        if (clean) TidyFolder(target_.directoryFd);
        if (target_.exists && target_.old.st_nlink > 1) return;  // in place
        const int fd = CreateOwnFile(target_.directoryFd, "save", temp_);
        if (fd < 0) {
            temp_.clear();
            const bool folderClosed = errno == EACCES || errno == EPERM || errno == EROFS;
            if (target_.exists && folderClosed) return;  // in place
            throw FileWriteError(path, errno);
        }
        int error = WriteAllAt(fd, bytes.data(), bytes.size(), 0);
        if (error == 0 && ::fstat(fd, &written_) != 0) error = errno;
        bool keepsAll = true;
        if (error == 0 && target_.exists) keepsAll = TakeOverAttributes(fd, target_);
        const mode_t mode = target_.exists ? target_.old.st_mode & 07777 : NewFileMode();
        if (error == 0 && keepsAll && ::fchmod(fd, mode) != 0) error = errno;
        if (error == 0 && keepsAll && flush && ::fsync(fd) != 0) error = errno;
        if (::close(fd) != 0 && error == 0) error = errno;
        if (error != 0 || !keepsAll) {
            ::unlinkat(target_.directoryFd, temp_.c_str(), 0);
            temp_.clear();
            if (error != 0) throw FileWriteError(path, error);
        }
    }
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;
    ~PreparedFile() {
        if (!temp_.empty()) ::unlinkat(target_.directoryFd, temp_.c_str(), 0);
        if (!old_.empty()) ::unlinkat(target_.directoryFd, old_.c_str(), 0);
        if (!staged_.empty()) ::unlinkat(target_.directoryFd, staged_.c_str(), 0);
    }

    int DirectoryFd() const { return target_.directoryFd; }
    bool InPlace() const { return temp_.empty(); }

    void Commit() {
        if (InPlace()) return WriteInPlace();
        if (oldMode_ != OldFile::Replace && target_.exists && Exchange()) return SaveStepDone();
        if (oldMode_ == OldFile::Keep && target_.exists) MoveOldAside();
        if (::renameat(target_.directoryFd, temp_.c_str(), target_.directoryFd, target_.name.c_str()) != 0) {
            const int error = errno;
            if (!old_.empty() &&
                ::renameat(target_.directoryFd, old_.c_str(), target_.directoryFd, target_.name.c_str()) == 0)
                old_.clear();
            throw FileWriteError(target_.requested, error);
        }
        temp_.clear();
        renamed_ = true;
        SaveStepDone();
    }

    // The file as a journal names it before the commit. Throws
    // FileWriteError when its folder has no absolute name.
    JournalEntry Journaled() const {
        char* absolute = ::realpath(target_.directory.c_str(), nullptr);
        if (!absolute) throw FileWriteError(target_.requested, errno);
        JournalEntry e{absolute, target_.name, temp_, AsideName(), written_.st_dev, written_.st_ino, target_.exists};
        std::free(absolute);
        if (InPlace()) e = {e.directory, target_.name, staged_, "", target_.old.st_dev, target_.old.st_ino, true, true};
        return e;
    }

    // A journal took over: nothing of this file is removed or put back here.
    void Forget() {
        temp_.clear();
        old_.clear();
        staged_.clear();
        renamed_ = false;
    }

    // For a file to be written in place in a batch: a flushed copy of its
    // earlier content beside it, under a temporary name, that a journal can
    // put back. False, with nothing made, where the folder takes no new file
    // or the copy fails: the file is then written in place as on its own.
    bool StageEarlier() {
        const int dir = target_.directoryFd;
        const int from = ::openat(dir, target_.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (from < 0) return false;
        struct stat st {};
        const int to = ::fstat(from, &st) == 0 && S_ISREG(st.st_mode) && st.st_ino == target_.old.st_ino
                           ? CreateOwnFile(dir, "save", staged_)
                           : -1;
        const bool copied = to >= 0 && CopyContent(from, to, st.st_size) == 0 && ::fsync(to) == 0;
        if (to >= 0) ::close(to);
        ::close(from);
        if (!copied && to >= 0) ::unlinkat(dir, staged_.c_str(), 0);
        if (!copied) staged_.clear();
        return copied;
    }

    // Keeps the file a commit replaces under a second name until this object
    // ends, so that Undo() can put it back.
    void KeepOldUntilDone() { oldMode_ = OldFile::Keep; }

    // Swaps the new file in where the file system can, so that the earlier
    // file is removed by ReleaseOld()'s caller, not by the rename.
    void SwapWherePossible() { oldMode_ = OldFile::Swap; }

    // Hands the removal of the kept earlier file over to the caller.
    std::optional<FileInFolder> ReleaseOld() {
        if (!staged_.empty()) {
            FileInFolder staged{target_.directoryFd, std::move(staged_)};
            staged_.clear();
            return staged;
        }
        if (old_.empty()) return std::nullopt;
        FileInFolder old{target_.directoryFd, std::move(old_)};
        old_.clear();
        return old;
    }

    // Undoes a commit by rename: the earlier file comes back (where it was
    // kept), a new file is removed. A file written in place keeps its new
    // content. Should the earlier file not come back, it stays under its
    // second name rather than be removed.
    void Undo() {
        if (!renamed_) return;
        renamed_ = false;
        const int dir = target_.directoryFd;
        if (old_.empty()) {
            ::unlinkat(dir, target_.name.c_str(), 0);
        } else {
            ::renameat(dir, old_.c_str(), dir, target_.name.c_str());
            old_.clear();
        }
    }

private:
    // Swaps the new file and the earlier one in a single step: the earlier
    // file then has the temporary name until this object ends, and the
    // file system allocates no inode for a second name and frees none.
    // False, with nothing changed, where the file system can't swap or the
    // earlier file is gone; the commit then goes the long way.
    bool Exchange() {
#ifndef RENAME_EXCHANGE
        return false;
#else
        const int dir = target_.directoryFd;
        if (::renameat2(dir, temp_.c_str(), dir, target_.name.c_str(), RENAME_EXCHANGE) != 0) {
            if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == ENOENT) return false;
            throw FileWriteError(target_.requested, errno);
        }
        // A directory that took the file's place meanwhile goes back, as no
        // rename would replace it; anything else is replaced as a rename
        // would.
        struct stat st {};
        if (::fstatat(dir, temp_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode)) {
            const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
            if (::renameat2(dir, temp_.c_str(), dir, target_.name.c_str(), RENAME_EXCHANGE) != 0) temp_.clear();
            throw FileWriteError(target_.requested, error);
        }
        old_ = std::move(temp_);
        temp_.clear();
        renamed_ = true;
        return true;
#endif
    }

    void WriteInPlace();

    // The name the earlier file is moved to where names can't be swapped:
    // the temporary file's with "aside" for "save", so that the journal can
    // name it before the move and no cleaning of temporary files takes it.
    std::string AsideName() const {
        const std::string save = ".tessaro-save-";
        return temp_.starts_with(save) ? ".tessaro-aside-" + temp_.substr(save.size()) : std::string();
    }

    // Moves the earlier file to its aside name; the new one then takes its
    // place. Between the two renames the name is free: a journal puts the
    // earlier file back should the run end there.
    void MoveOldAside() {
        const std::string aside = AsideName();
        if (::renameat(target_.directoryFd, target_.name.c_str(), target_.directoryFd, aside.c_str()) != 0)
            throw FileWriteError(target_.requested, errno);
        old_ = aside;
        SaveStepDone();
    }

    SaveTarget target_;
    std::span<const std::uint8_t> bytes_;
    std::string temp_;        // empty once committed, or when written in place
    std::string old_;         // the earlier file's second name while kept
    std::string staged_;      // the earlier content of a file written in place in a batch
    struct stat written_ {};  // of the new file
    enum class OldFile { Replace, Swap, Keep } oldMode_ = OldFile::Replace;
    bool renamed_ = false;
};

// Where the copy of a file's old content goes before the file is written in
// place: the user's recovery folder, where a copy that a killed save leaves
// behind is told of at the next start and nobody else can read it; beside
// the file only when there is no such folder.
class Backup {
public:
    Backup(const std::string& note, int fileFolder, const std::string& fileDirectory) {
        try {
            folder_.emplace(recovery::Directory());
            fd_ = folder_->CreateBackup(note, name_);
            if (fd_ >= 0) path_ = folder_->Path() + "/" + name_;
            return;
        } catch (const recovery::FolderError&) {
            folder_.reset();
        }
        fileFolder_ = fileFolder;
        fd_ = CreateOwnFile(fileFolder, "backup", name_);
        if (fd_ >= 0) path_ = fileDirectory + "/" + name_;
    }
    Backup(const Backup&) = delete;
    Backup& operator=(const Backup&) = delete;
    ~Backup() {
        if (fd_ >= 0) ::close(fd_);
        if (fd_ >= 0 && !keep_) {
            if (folder_)
                folder_->RemoveBackup(name_);
            else
                ::unlinkat(fileFolder_, name_.c_str(), 0);
        }
    }
    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // It outlives this object: it holds the only whole old content.
    void Keep() { keep_ = true; }

private:
    std::optional<recovery::Folder> folder_;
    int fileFolder_ = -1;
    int fd_ = -1;
    std::string name_;
    std::string path_;
    bool keep_ = false;
};

void PreparedFile::WriteInPlace() {
    const std::string& path = target_.requested;
    const int fd = ::openat(target_.directoryFd, target_.name.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY);
    if (fd < 0) throw FileWriteError(path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISREG(st.st_mode) ? errno : EINVAL;
        ::close(fd);
        throw FileWriteError(path, error);
    }
    // The note names the file by its absolute path, and tells the next
    // start how to know whether this write ended, should it be killed.
    char* absolute = ::realpath(target_.directory.c_str(), nullptr);
    const std::string file = (absolute ? std::string(absolute) : target_.directory) + "/" + target_.name;
    std::free(absolute);
    const recovery::InPlaceWrite write{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                                       static_cast<std::uint64_t>(st.st_size), bytes_.size(),
                                       recovery::ContentHash(bytes_)};
    Backup backup(recovery::InPlaceNote(file, write), target_.directoryFd, target_.directory);
    if (backup.Fd() < 0) {
        const int error = errno;
        ::close(fd);
        throw FileWriteError(path, error);
    }
    int error = CopyContent(fd, backup.Fd(), st.st_size);
    if (error == 0 && ::fsync(backup.Fd()) != 0) error = errno;
    // Room for the new content first, where the file system can promise it:
    // a full disk then fails before the old content is touched.
    const auto size = static_cast<off_t>(bytes_.size());
    if (error == 0 && size > st.st_size && ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP)
        error = errno;
    if (error != 0) {
        ::close(fd);
        throw FileWriteError(path, error);
    }
    SaveStepDone();
    // Killed from here on, the file may hold a part of each content: the
    // next start gives it the backup's back (recovery::TakeLeftBackups).
    error = WriteAllAt(fd, bytes_.data(), bytes_.size(), 0);
    if (error == 0) SaveStepDone();
    if (error == 0 && ::ftruncate(fd, size) != 0) error = errno;
    if (error == 0) SaveStepDone();
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (error == 0) {
        ::close(fd);
        return;
    }
    // The old content back; the copy stays only if that fails too.
    const bool restored =
        CopyContent(backup.Fd(), fd, st.st_size) == 0 && ::ftruncate(fd, st.st_size) == 0 && ::fsync(fd) == 0;
    if (restored) {
        ::close(fd);
        throw FileWriteError(path, error);
    }
    backup.Keep();
    ::close(fd);
    throw FileWriteError(path, error, backup.Path());
}

// The renames themselves reach the disk with their directories. A failure
// here leaves complete files in place, so it is not reported.
void FlushDirectories(const std::set<int>& directories) {
    for (const int dir : directories) ::fsync(dir);
}

// Flushes the written temporary files (and a journal beside them) to the
// disk: one flush of each file system on Linux, one per file elsewhere. 0
// or the errno value.
int FlushAll(const std::vector<std::unique_ptr<PreparedFile>>& files) {
#ifdef __linux__
    std::set<int> directories;
    for (const auto& f : files) directories.insert(f->DirectoryFd());
    std::set<dev_t> flushed;
    for (const int dir : directories) {
        struct stat st {};
        if (::fstat(dir, &st) != 0) return errno;
        if (flushed.insert(st.st_dev).second && ::syncfs(dir) != 0) return errno;
    }
#else
    (void)files;  // each file was flushed when it was written
#endif
    return 0;
}

// The earlier files that the commits kept, all at once now that the new
// ones are in place for good.
void RemoveEarlierFiles(std::vector<std::unique_ptr<PreparedFile>>& files) {
    std::vector<FileInFolder> earlier;
    for (auto& file : files)
        if (auto old = file->ReleaseOld()) earlier.push_back(std::move(*old));
    RemoveFiles(earlier);
}

#ifdef __linux__
constexpr bool FlushEachFile = false;
#else
constexpr bool FlushEachFile = true;
#endif

// Prepares the files in order, each folder cleaned of abandoned temporary
// files once; stops at the first failure, which it returns.
std::exception_ptr PrepareAll(std::span<const PendingFile> files, std::vector<std::unique_ptr<PreparedFile>>& prepared,
                              OpenFolders& folders, const std::function<void(std::size_t done)>& written = {}) {
    std::set<std::string> cleaned;
    for (const PendingFile& f : files) {
        try {
            const std::string dir = f.path.find('/') == std::string::npos ? "." : f.path.substr(0, f.path.rfind('/'));
            prepared.push_back(
                std::make_unique<PreparedFile>(f.path, f.bytes, FlushEachFile, cleaned.insert(dir).second, &folders));
        } catch (const FileWriteError&) {
            return std::current_exception();
        }
        if (written) written(prepared.size());
    }
    return nullptr;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    IgnoreFileSizeSignal();
    PreparedFile file(path, bytes, true, true);
    file.Commit();
    FlushDirectories({file.DirectoryFd()});
}

void WriteFilesAtomically(std::span<const PendingFile> files) {
    IgnoreFileSizeSignal();
    OpenFolders folders;  // outlives the prepared files, which use them
    std::vector<std::unique_ptr<PreparedFile>> prepared;
    std::exception_ptr failure = PrepareAll(files, prepared, folders);
    // The files before a failure are still put in place, as if each had
    // been saved on its own.
    if (const int error = FlushAll(prepared)) throw FileWriteError(files.front().path, error);
    for (auto& file : prepared) file->SwapWherePossible();
    std::set<int> directories;
    for (auto& file : prepared) {
        file->Commit();
        directories.insert(file->DirectoryFd());
    }
    FlushDirectories(directories);
    RemoveEarlierFiles(prepared);
    if (failure) std::rethrow_exception(failure);
}

void WriteFilesAllOrNone(std::span<const PendingFile> files, const std::function<void(std::size_t done)>& written) {
    IgnoreFileSizeSignal();
    OpenFolders folders;  // outlives the prepared files, which use them
    std::vector<std::unique_ptr<PreparedFile>> prepared;
    prepared.reserve(files.size());
    // A failure here removes the temporary files written so far.
    if (std::exception_ptr failure = PrepareAll(files, prepared, folders, written)) std::rethrow_exception(failure);
    for (auto& file : prepared) file->KeepOldUntilDone();
    // The swaps are written down before the first: a run killed among them
    // is taken back (or, once all are done, finished) by the next one. The
    // journal reaches the disk with the new files, in one flush.
    std::vector<JournalEntry> entries;
    for (const auto& file : prepared)
        if (!file->InPlace() || file->StageEarlier()) entries.push_back(file->Journaled());
    std::optional<SaveJournal> journal;
    if (!entries.empty()) journal.emplace(std::move(entries), FlushEachFile);
    std::set<int> directories;
    try {
        if (const int error = FlushAll(prepared)) throw FileWriteError(files.front().path, error);
        // Files written in place come after the renames, which can be taken
        // back should one of them fail.
        std::vector<PreparedFile*> renamed, inPlace;
        for (auto& file : prepared) (file->InPlace() ? inPlace : renamed).push_back(file.get());
        for (const auto& pass : {renamed, inPlace})
            for (PreparedFile* file : pass) {
                file->Commit();
                directories.insert(file->DirectoryFd());
            }
        FlushDirectories(directories);
        if (journal) journal->Commit();
    } catch (const FileWriteError&) {
        if (journal && journal->TakeBack())
            for (auto& file : prepared) file->Forget();
        else
            for (auto& file : prepared) file->Undo();
        throw;
    }
    RemoveEarlierFiles(prepared);
    if (journal) journal->Finish();
}
