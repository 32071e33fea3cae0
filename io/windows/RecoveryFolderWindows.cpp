// SPDX-License-Identifier: GPL-3.0-or-later
// io/RecoveryFolder.h on Windows: the folder is %LOCALAPPDATA%\Tessaro,
// which Windows keeps to the user. A lock is a byte-range lock that the
// system lets go of when the process ends, however it ends; the descriptors
// handed out are C runtime descriptors over the handles.
#include <io.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <utility>

#include "io/FileWriteError.h"
#include "io/RecoveryFolder.h"
#include "io/windows/Win32Files.h"

namespace recovery {

namespace {

using win32::Handle;

constexpr std::string_view CopySuffix = ".tsr";
constexpr std::string_view LockSuffix = ".lock";
constexpr std::string_view BackupPrefix = ".tessaro-backup-";
constexpr std::string_view NoteSuffix = ".file";
constexpr std::string_view ToldSuffix = ".told";

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The plain files in the folder, each with its last write time.
std::vector<std::pair<std::string, std::uint64_t>> Files(const std::string& folder) {
    std::vector<std::pair<std::string, std::uint64_t>> found;
    WIN32_FIND_DATAW entry{};
    Handle search(::FindFirstFileW(win32::WidePath(folder + "\\*").c_str(), &entry));
    if (!search.Valid()) return found;
    do {
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const std::uint64_t written = (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
                                      entry.ftLastWriteTime.dwLowDateTime;
        found.emplace_back(win32::Utf8Of(entry.cFileName), written);
    } while (::FindNextFileW(search.Get(), &entry));
    ::FindClose(search.Release());
    return found;
}

int DescriptorOf(Handle& file, int flags) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file.Get()), flags | _O_BINARY);
    if (fd >= 0) file.Release();
    return fd;
}

}  // namespace

std::string Directory() {
    const wchar_t* local = ::_wgetenv(L"LOCALAPPDATA");
    if (!local || !local[0]) return {};
    return win32::Utf8Of(local) + "\\Tessaro";
}

Folder::Folder(const std::string& path) : path_(path) {
    if (path.empty()) throw FolderError{FolderProblem::NoHome, path};
    // Each missing folder on the way, from the top.
    for (std::size_t at = path.find_first_of("/\\", 3);; at = path.find_first_of("/\\", at + 1)) {
        const std::string part = path.substr(0, at);
        if (!::CreateDirectoryW(win32::WidePath(part).c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            throw FolderError{FolderProblem::CannotCreate, path, win32::LastErrno()};
        if (at == std::string::npos) break;
    }
    const DWORD attributes = ::GetFileAttributesW(win32::WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        throw FolderError{FolderProblem::NotADirectory, path};
}

Folder::Folder(Folder&& other) noexcept : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

Folder::~Folder() = default;

std::vector<std::string> Folder::Copies() const {
    auto found = Files(path_);
    std::erase_if(found, [](const auto& f) { return !f.first.ends_with(CopySuffix); });
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<std::string> names;
    for (auto& f : found) names.push_back(std::move(f.first));
    return names;
}

std::string Folder::NewCopyName() {
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return "copy-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(now) + "-" +
           std::to_string(counter++) + std::string(CopySuffix);
}

std::string Folder::LockNameOf(const std::string& copyName) {
    const std::string stem =
        copyName.ends_with(CopySuffix) ? copyName.substr(0, copyName.size() - CopySuffix.size()) : copyName;
    return stem + std::string(LockSuffix);
}

int Folder::TakeLock(const std::string& name) const {
    Handle file(::CreateFileW(win32::WidePath(path_ + "\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, ShareAll,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK) return -1;
    OVERLAPPED whole{};
    if (!::LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) return -1;
    return DescriptorOf(file, _O_RDWR);
}

void Folder::ReleaseLock(int fd) {
    if (fd >= 0) ::_close(fd);
}

std::optional<std::vector<std::uint8_t>> Folder::Read(const std::string& name, std::size_t maxBytes) const {
    Handle file(::CreateFileW(win32::WidePath(path_ + "\\" + name).c_str(), GENERIC_READ, ShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.Valid() || ::GetFileType(file.Get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        info.nFileSizeHigh != 0 || info.nFileSizeLow > maxBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes(info.nFileSizeLow);
    if (win32::ReadAt(file.Get(), bytes.data(), bytes.size(), 0) != 0) return std::nullopt;
    return bytes;
}

void Folder::Write(const std::string& name, std::span<const std::uint8_t> bytes) const {
    const std::string path = path_ + "\\" + name;
    std::string temp;
    Handle file = win32::CreateOwnFile(path_, "save", temp);
    if (!file.Valid()) throw FileWriteError(path, win32::LastErrno());
    DWORD error = win32::WriteAll(file.Get(), bytes.data(), bytes.size());
    if (error == 0 && !::FlushFileBuffers(file.Get())) error = ::GetLastError();
    if (const DWORD closing = file.Close(); error == 0) error = closing;
    // A rename replaces whatever has the name, a link included, and never
    // writes where a link points.
    if (error == 0 && !::MoveFileExW(win32::WidePath(path_ + "\\" + temp).c_str(), win32::WidePath(path).c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = ::GetLastError();
    if (error != 0) {
        ::DeleteFileW(win32::WidePath(path_ + "\\" + temp).c_str());
        throw FileWriteError(path, win32::ErrnoOf(error));
    }
}

void Folder::Remove(const std::string& name) const { ::DeleteFileW(win32::WidePath(path_ + "\\" + name).c_str()); }

bool Folder::Has(const std::string& name) const {
    return ::GetFileAttributesW(win32::WidePath(path_ + "\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Folder::Rename(const std::string& from, const std::string& to) const {
    return ::MoveFileExW(win32::WidePath(path_ + "\\" + from).c_str(), win32::WidePath(path_ + "\\" + to).c_str(),
                         MOVEFILE_REPLACE_EXISTING) != 0;
}

int Folder::CreateBackup(const std::string& file, std::string& name) const {
    Handle backup = win32::CreateOwnFile(path_, "backup", name);
    if (!backup.Valid()) {
        errno = win32::LastErrno();
        return -1;
    }
    Handle note(::CreateFileW(win32::WidePath(path_ + "\\" + name + std::string(NoteSuffix)).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error =
        !note.Valid() ? ::GetLastError()
                      : win32::WriteAll(note.Get(), reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    note.Close();
    if (error != 0) {
        backup.Close();
        RemoveBackup(name);
        errno = win32::ErrnoOf(error);
        return -1;
    }
    return DescriptorOf(backup, _O_RDWR);
}

void Folder::RemoveBackup(const std::string& name) const {
    Remove(name);
    Remove(name + std::string(NoteSuffix));
}

std::vector<LeftBackup> TakeLeftBackups(const Folder& folder) {
    std::vector<LeftBackup> left;
    for (const auto& [name, written] : Files(folder.Path())) {
        if (!name.starts_with(BackupPrefix) || name.find('.', BackupPrefix.size()) != std::string::npos) continue;
        char* end = nullptr;
        const unsigned long pid = std::strtoul(name.c_str() + BackupPrefix.size(), &end, 10);
        // A save that is running now may yet remove it.
        if (pid == 0 || *end != '-' || win32::ProcessRunning(pid)) continue;
        const std::string note = name + std::string(NoteSuffix);
        const auto file = folder.Read(note, 4096);
        if (!file) continue;  // told before
        folder.Rename(note, name + std::string(ToldSuffix));
        left.push_back({folder.Path() + "\\" + name, std::string(file->begin(), file->end())});
    }
    std::sort(left.begin(), left.end(), [](const auto& a, const auto& b) { return a.backup < b.backup; });
    return left;
}

}  // namespace recovery
