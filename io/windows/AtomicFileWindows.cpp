// SPDX-License-Identifier: GPL-3.0-or-later
// The saves of io/AtomicFile.h on Windows: the new content goes to a
// temporary file beside the target, flushed to the disk, which then takes
// the target's place with ReplaceFileW (which keeps the earlier file's
// attributes, security settings and creation time) or, for a new name,
// MoveFileExW. A replaced file's other hard links keep the old content, and
// the file's owner becomes the user who saved it.
#include <cerrno>
#include <exception>
#include <memory>
#include <set>
#include <vector>

#include "io/AtomicFile.h"
#include "io/FileWriteError.h"
#include "io/windows/Win32Files.h"

namespace {

using win32::Handle;
using win32::WidePath;

// Where a save writes: the requested path, or the file a symbolic link
// there leads to.
struct Target {
    std::string requested;
    std::string path;
    std::string directory;
    bool exists = false;

    explicit Target(const std::string& p) : requested(p) {
        if (p.empty() || p.back() == '/' || p.back() == '\\') throw FileWriteError(p, p.empty() ? ENOENT : EISDIR);
        // A device name opens the device, wherever the folder.
        if (win32::NamesDevice(p)) throw FileWriteError(p, EINVAL);
        path = win32::FullPath(p);
        DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_NOT_FOUND) throw FileWriteError(p, win32::ErrnoOf(error));
        } else {
            if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) Follow();
            exists = true;
            attributes = ::GetFileAttributesW(WidePath(path).c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) throw FileWriteError(p, win32::LastErrno());
            if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileWriteError(p, EISDIR);
            // A file the user may not write to stays as it is: a rename would
            // replace it where writing into it could not.
            if (attributes & FILE_ATTRIBUTE_READONLY) throw FileWriteError(p, EACCES);
            CheckDiskFile();
        }
        directory = win32::DirectoryOf(path);
    }

private:
    // The file a link names: a rename over the link would replace the link.
    void Follow() {
        Handle file(::CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file.Valid()) throw FileWriteError(requested, win32::LastErrno());
        std::wstring final(MAX_PATH, L'\0');
        DWORD n = ::GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()), 0);
        if (n >= final.size()) {
            final.assign(n + 1, L'\0');
            n = ::GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()), 0);
        }
        if (n == 0 || n >= final.size()) throw FileWriteError(requested, win32::LastErrno());
        final.resize(n);
        path = win32::Utf8Of(final);
    }

    // Only a file on a disk is replaced, never a pipe or a device.
    void CheckDiskFile() const {
        Handle file(::CreateFileW(WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file.Valid()) throw FileWriteError(requested, win32::LastErrno());
        if (::GetFileType(file.Get()) != FILE_TYPE_DISK) throw FileWriteError(requested, EINVAL);
    }
};

// The new content of one file, written and flushed beside its target until
// Commit() puts it in place.
class PreparedFile {
public:
    PreparedFile(const std::string& path, std::span<const std::uint8_t> bytes, bool clean) : target_(path) {
        if (clean) win32::RemoveAbandonedTemporaryFiles(target_.directory);
        Handle file = win32::CreateOwnFile(target_.directory, "save", temp_);
        if (!file.Valid()) {
            temp_.clear();
            throw FileWriteError(path, win32::LastErrno());
        }
        DWORD error = win32::WriteAll(file.Get(), bytes.data(), bytes.size());
        if (error == 0 && !::FlushFileBuffers(file.Get())) error = ::GetLastError();
        if (const DWORD closing = file.Close(); error == 0) error = closing;
        if (error != 0) throw FileWriteError(path, win32::ErrnoOf(error));
    }
    PreparedFile(const PreparedFile&) = delete;
    PreparedFile& operator=(const PreparedFile&) = delete;
    ~PreparedFile() {
        if (!temp_.empty()) ::DeleteFileW(TempPath().c_str());
        if (!old_.empty()) ::DeleteFileW(WidePath(target_.directory + "\\" + old_).c_str());
    }

    // With `keepOld`, the earlier file stays under a backup name until this
    // object ends, so that Undo() can put it back.
    void Commit(bool keepOld) {
        const std::wstring target = WidePath(target_.path);
        if (target_.exists) {
            std::wstring backup;
            if (keepOld) {
                // ReplaceFileW wants a name that is free: a file made and
                // removed reserves one of the editor's own.
                Handle reserved = win32::CreateOwnFile(target_.directory, "backup", old_);
                if (!reserved.Valid()) throw FileWriteError(target_.requested, win32::LastErrno());
                reserved.Close();
                backup = WidePath(target_.directory + "\\" + old_);
                ::DeleteFileW(backup.c_str());
            }
            if (!::ReplaceFileW(target.c_str(), TempPath().c_str(), keepOld ? backup.c_str() : nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
                old_.clear();
                throw FileWriteError(target_.requested, win32::LastErrno());
            }
        } else if (!::MoveFileExW(TempPath().c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            // Not MOVEFILE_REPLACE_EXISTING: a file that appeared meanwhile
            // is not replaced unseen.
            throw FileWriteError(target_.requested, win32::LastErrno());
        }
        temp_.clear();
        committed_ = true;
    }

    // Undoes a commit: the earlier file comes back, a new file is removed.
    // Should the earlier file not come back, it stays under its backup name.
    void Undo() {
        if (!committed_) return;
        committed_ = false;
        const std::wstring target = WidePath(target_.path);
        if (old_.empty()) {
            ::DeleteFileW(target.c_str());
        } else {
            ::MoveFileExW(WidePath(target_.directory + "\\" + old_).c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
            old_.clear();
        }
    }

private:
    std::wstring TempPath() const { return WidePath(target_.directory + "\\" + temp_); }

    Target target_;
    std::string temp_;  // empty once committed
    std::string old_;   // the earlier file's backup name while kept
    bool committed_ = false;
};

// Prepares the files in order, each folder cleaned of abandoned temporary
// files once; stops at the first failure, which it returns.
std::exception_ptr PrepareAll(std::span<const PendingFile> files, std::vector<std::unique_ptr<PreparedFile>>& prepared,
                              const std::function<void(std::size_t done)>& written = {}) {
    std::set<std::string> cleaned;
    for (const PendingFile& f : files) {
        try {
            prepared.push_back(
                std::make_unique<PreparedFile>(f.path, f.bytes, cleaned.insert(win32::DirectoryOf(f.path)).second));
        } catch (const FileWriteError&) {
            return std::current_exception();
        }
        if (written) written(prepared.size());
    }
    return nullptr;
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    PreparedFile file(path, bytes, true);
    file.Commit(false);
}

void WriteFilesAtomically(std::span<const PendingFile> files) {
    std::vector<std::unique_ptr<PreparedFile>> prepared;
    const std::exception_ptr failure = PrepareAll(files, prepared);
    // The files before a failure are still put in place, as if each had
    // been saved on its own.
    for (auto& file : prepared) file->Commit(false);
    if (failure) std::rethrow_exception(failure);
}

void WriteFilesAllOrNone(std::span<const PendingFile> files, const std::function<void(std::size_t done)>& written) {
    std::vector<std::unique_ptr<PreparedFile>> prepared;
    prepared.reserve(files.size());
    // A failure here removes the temporary files written so far.
    if (const std::exception_ptr failure = PrepareAll(files, prepared, written)) std::rethrow_exception(failure);
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        try {
            prepared[i]->Commit(true);
        } catch (const FileWriteError&) {
            for (std::size_t j = 0; j < i; ++j) prepared[j]->Undo();
            throw;
        }
    }
}
