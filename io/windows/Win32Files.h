// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

// What the Windows file code shares. Paths inside the editor are UTF-8 with
// '/' or '\' between names; Windows is given UTF-16 with '\'.
namespace win32 {

std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);
std::wstring WidePath(const std::string& path);
// The whole path of a relative one, in UTF-8 (unchanged when Windows can't
// tell): ReplaceFileW wants whole paths.
std::string FullPath(const std::string& path);

// The folder part of a path ("." for a bare name) and its last name.
std::string DirectoryOf(const std::string& path);
std::string NameOf(const std::string& path);

// True when the last name is one of the device names every folder has (CON,
// NUL, COM1 ..., with any extension): opening it opens the device.
bool NamesDevice(const std::string& path);

// The errno value closest to a Windows error, for the messages, which are
// worded from errno values.
int ErrnoOf(DWORD error);
// The same for GetLastError(), for callers that throw right after a call.
int LastErrno();

bool ProcessRunning(unsigned long pid);

// A handle closed when it goes.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() { Close(); }
    Handle(Handle&& other) noexcept : h_(other.Release()) {}
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Close();
            h_ = other.Release();
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE Get() const { return h_; }
    HANDLE Release() {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }
    // False with the error when closing failed.
    DWORD Close() {
        DWORD error = 0;
        if (Valid() && !::CloseHandle(h_)) error = ::GetLastError();
        h_ = INVALID_HANDLE_VALUE;
        return error;
    }

private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// Creates a file of the editor's own in `directory`, exclusively:
// ".tessaro-KIND-PID-XXXXXX"; its name goes to `name`. An invalid handle
// with GetLastError() set when no name could be had.
Handle CreateOwnFile(const std::string& directory, const char* kind, std::string& name);

// Writes all of `bytes` from the handle's current position; 0 or the
// Windows error.
DWORD WriteAll(HANDLE file, const std::uint8_t* bytes, std::size_t count);

// Reads `count` bytes at `offset`; 0, the Windows error, or ERROR_HANDLE_EOF
// when the file is shorter.
DWORD ReadAt(HANDLE file, std::uint8_t* into, std::size_t count, std::uint64_t offset);

// Removes the temporary files ".tessaro-save-PID-*" that processes no longer
// running left in the directory (a save that was killed).
void RemoveAbandonedTemporaryFiles(const std::string& directory);

}  // namespace win32
