// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/windows/Win32Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace win32 {

std::wstring WideOf(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8Of(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide = WideOf(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    return wide;
}

std::string FullPath(const std::string& path) {
    const std::wstring wide = WidePath(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.assign(n + 1, L'\0');
        n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (n == 0 || n >= full.size()) return path;
    full.resize(n);
    return Utf8Of(full);
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    return path.substr(slash + 1);
}

bool NamesDevice(const std::string& path) {
    std::string stem = NameOf(path);
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$" || stem == "CONOUT$")
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
}

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME: return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_PRIVILEGE_NOT_HELD: return EACCES;
        case ERROR_WRITE_PROTECT: return EROFS;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
        case ERROR_DIRECTORY: return ENOTDIR;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME: return EINVAL;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS: return EEXIST;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY: return ENOMEM;
        default: return EIO;
    }
}

int LastErrno() { return ErrnoOf(::GetLastError()); }

bool ProcessRunning(unsigned long pid) {
    if (pid == ::GetCurrentProcessId()) return true;
    Handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    // A process that can't be asked (another user's) counts as running.
    if (!process.Valid()) return ::GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    return !::GetExitCodeProcess(process.Get(), &code) || code == STILL_ACTIVE;
}

Handle CreateOwnFile(const std::string& directory, const char* kind, std::string& name) {
    static thread_local std::mt19937 random{std::random_device{}()};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = std::string(".tessaro-") + kind + "-" + std::to_string(::GetCurrentProcessId()) + "-";
        for (int i = 0; i < 6; ++i) name += letters[random() % (sizeof letters - 1)];
        Handle file(::CreateFileW(WidePath(directory + "\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid() || ::GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    ::SetLastError(ERROR_FILE_EXISTS);
    return Handle();
}

DWORD WriteAll(HANDLE file, const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t done = 0; done < count;) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes + done, part, &written, nullptr)) return ::GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        done += written;
    }
    return 0;
}

DWORD ReadAt(HANDLE file, std::uint8_t* into, std::size_t count, std::uint64_t offset) {
    for (std::size_t done = 0; done < count;) {
        OVERLAPPED at{};
        const std::uint64_t position = offset + done;
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file, into + done, part, &read, &at)) return ::GetLastError();
        if (read == 0) return ERROR_HANDLE_EOF;
        done += read;
    }
    return 0;
}

void RemoveAbandonedTemporaryFiles(const std::string& directory) {
    const std::string prefix = ".tessaro-save-";
    WIN32_FIND_DATAW found{};
    Handle search(::FindFirstFileW(WidePath(directory + "\\" + prefix + "*").c_str(), &found));
    if (!search.Valid()) return;
    std::vector<std::string> abandoned;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) continue;
        const std::string name = Utf8Of(found.cFileName);
        char* end = nullptr;
        const unsigned long pid = std::strtoul(name.c_str() + prefix.size(), &end, 10);
        // A process that still runs may be saving right now.
        if (pid != 0 && *end == '-' && !ProcessRunning(pid)) abandoned.push_back(name);
    } while (::FindNextFileW(search.Get(), &found));
    ::FindClose(search.Release());
    for (const std::string& name : abandoned) ::DeleteFileW(WidePath(directory + "\\" + name).c_str());
}

}  // namespace win32
