// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/SaveJournal.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include "io/FileWriteError.h"
#include "io/RecoveryFolder.h"
#include "io/SaveSteps.h"
#include "io/SaveTarget.h"

namespace {

constexpr std::string_view JournalPrefix = ".tessaro-journal-";
constexpr std::string_view CommittedPrefix = ".tessaro-committed-";
constexpr std::string_view GuardPrefix = ".tessaro-guard-";
constexpr std::string_view FirstLine = "tessaro-journal 1";

std::string JournalName(const std::string& id) { return std::string(JournalPrefix) + id; }
std::string CommittedName(const std::string& id) { return std::string(CommittedPrefix) + id; }
std::string GuardName(const std::string& id) { return std::string(GuardPrefix) + id; }

// Names may hold any byte but '/' and NUL: tabs and line ends are escaped.
std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\')
            out += '\\';
        else if (text[i] == 't')
            out += '\t';
        else if (text[i] == 'n')
            out += '\n';
        else
            return std::nullopt;
    }
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
        if (end == std::string_view::npos) return parts;
        at = end + 1;
    }
}

std::string TextOf(const std::vector<JournalEntry>& entries) {
    std::string text = std::string(FirstLine) + "\n";
    for (const JournalEntry& e : entries)
        text += Escaped(e.directory) + "\t" + Escaped(e.target) + "\t" + Escaped(e.temp) + "\t" + Escaped(e.aside) +
                "\t" + std::to_string(e.device) + "\t" + std::to_string(e.newFile) + "\t" + (e.existed ? "1" : "0") +
                (e.inPlace ? "\tp\n" : "\tr\n");
    return text;
}

std::optional<std::vector<JournalEntry>> EntriesOf(const std::string& text) {
    std::vector<std::string_view> lines = Split(text, '\n');
    if (lines.empty() || lines.front() != FirstLine || !lines.back().empty()) return std::nullopt;
    std::vector<JournalEntry> entries;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::vector<std::string_view> fields = Split(lines[i], '\t');
        if (fields.size() != 8 || (fields[7] != "r" && fields[7] != "p")) return std::nullopt;
        JournalEntry e;
        const auto directory = Unescaped(fields[0]), target = Unescaped(fields[1]), temp = Unescaped(fields[2]),
                   aside = Unescaped(fields[3]);
        if (!directory || !target || !temp || !aside || directory->empty() || directory->front() != '/') return {};
        for (const std::string* name : {&*target, &*temp, &*aside})
            if (name->find('/') != std::string::npos || *name == "." || *name == "..") return std::nullopt;
        if (target->empty() || temp->empty()) return std::nullopt;
        char* end = nullptr;
        const std::string device(fields[4]), file(fields[5]);
        e.device = static_cast<dev_t>(std::strtoull(device.c_str(), &end, 10));
        if (device.empty() || *end != '\0') return std::nullopt;
        e.newFile = static_cast<ino_t>(std::strtoull(file.c_str(), &end, 10));
        if (file.empty() || *end != '\0' || (fields[6] != "0" && fields[6] != "1")) return std::nullopt;
        e.directory = *directory;
        e.target = *target;
        e.temp = *temp;
        e.aside = *aside;
        e.existed = fields[6] == "1";
        e.inPlace = fields[7] == "p";
        entries.push_back(std::move(e));
    }
    return entries;
}

// Writes a new file of the user's whole, flushed if asked (it must not
// exist).
int WriteNewFile(int folder, const std::string& name, const std::string& text, bool flush) {
    const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    int error = WriteAllAt(fd, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), 0);
    if (error == 0 && flush && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) ::unlinkat(folder, name.c_str(), 0);
    return error;
}

// A regular file of the user's, read whole (journals are small).
std::optional<std::string> ReadOwnFile(int folder, const std::string& name) {
    const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    std::optional<std::string> text;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_size < (64 << 20)) {
        text.emplace(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t done = 0;
        while (done < text->size()) {
            const ssize_t n = ::pread(fd, text->data() + done, text->size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        if (done != text->size()) text.reset();
    }
    ::close(fd);
    return text;
}

struct Found {
    bool exists = false;
    struct stat st {};
};

Found Look(int folder, const std::string& name) {
    Found f;
    if (!name.empty()) f.exists = ::fstatat(folder, name.c_str(), &f.st, AT_SYMLINK_NOFOLLOW) == 0;
    return f;
}

bool IsNew(const Found& f, const JournalEntry& e) {
    return f.exists && f.st.st_dev == e.device && f.st.st_ino == e.newFile;
}

bool Renamed(int folder, const std::string& from, const std::string& to) {
    if (::renameat(folder, from.c_str(), folder, to.c_str()) != 0) return false;
    SaveStepDone();
    return true;
}

bool Removed(int folder, const std::string& name) {
    if (::unlinkat(folder, name.c_str(), 0) != 0) return errno == ENOENT;
    SaveStepDone();
    return true;
}

// Takes back a file written in place: the copy of its earlier content is
// written back into it, and goes. Not into a file that has been replaced
// since: the copy then stays.
bool TakeBackInPlace(int folder, const JournalEntry& e) {
    if (!Look(folder, e.temp).exists) return true;
    const int from = ::openat(folder, e.temp.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const int to = ::openat(folder, e.target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    struct stat earlier {};
    struct stat file {};
    const bool copied = from >= 0 && to >= 0 && ::fstat(from, &earlier) == 0 && ::fstat(to, &file) == 0 &&
                        S_ISREG(file.st_mode) && file.st_dev == e.device && file.st_ino == e.newFile &&
                        CopyContent(from, to, earlier.st_size) == 0 && ::ftruncate(to, earlier.st_size) == 0 &&
                        ::fsync(to) == 0;
    if (from >= 0) ::close(from);
    if (to >= 0) ::close(to);
    if (!copied) return false;
    SaveStepDone();
    return Removed(folder, e.temp);
}

// Takes one file back: the earlier file returns to its name, the new one
// goes. Each step leaves a state that this function settles again.
bool TakeBackEntry(int folder, const JournalEntry& e) {
    if (e.inPlace) return TakeBackInPlace(folder, e);
    const Found target = Look(folder, e.target), temp = Look(folder, e.temp), aside = Look(folder, e.aside);
    if (IsNew(target, e)) {
        // The new file is in place: the earlier one is under the temporary
        // name (swapped) or the aside name (moved), or there was none.
        if (temp.exists && !IsNew(temp, e)) return Renamed(folder, e.temp, e.target);
        if (aside.exists) return Renamed(folder, e.aside, e.target);
        if (!e.existed) return Removed(folder, e.target);
        return false;  // the earlier file is nowhere: leave everything as it is
    }
    // Not in place: the earlier file may be moved aside, the new one waits.
    if (!target.exists && aside.exists && !Renamed(folder, e.aside, e.target)) return false;
    return !IsNew(temp, e) || Removed(folder, e.temp);
}

// Finishes one file: the earlier file, under the temporary or aside name,
// goes. Only while the new file is in place: otherwise someone changed the
// folder since, and nothing is removed.
bool FinishEntry(int folder, const JournalEntry& e) {
    if (e.inPlace) return !Look(folder, e.temp).exists || Removed(folder, e.temp);
    const Found target = Look(folder, e.target), temp = Look(folder, e.temp), aside = Look(folder, e.aside);
    if (!IsNew(target, e)) return !temp.exists && !aside.exists;
    return (!temp.exists || Removed(folder, e.temp)) && (!aside.exists || Removed(folder, e.aside));
}

// Opens each folder of the batch once.
class BatchFolders {
public:
    ~BatchFolders() {
        for (const auto& [path, fd] : fds_) ::close(fd);
    }
    int Open(const std::string& path) {
        if (auto found = fds_.find(path); found != fds_.end()) return found->second;
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) fds_.emplace(path, fd);
        return fd;
    }
    void Flush() const {
        for (const auto& [path, fd] : fds_) ::fsync(fd);
    }

private:
    std::map<std::string, int> fds_;
};

bool SettleEntries(const std::vector<JournalEntry>& entries, bool committed) {
    BatchFolders folders;
    bool settled = true;
    for (const JournalEntry& e : entries) {
        const int folder = folders.Open(e.directory);
        if (folder < 0) {
            settled = false;
            continue;
        }
        if (!(committed ? FinishEntry(folder, e) : TakeBackEntry(folder, e))) settled = false;
    }
    folders.Flush();
    return settled;
}

std::optional<recovery::Folder> RecoveryFolder() {
    try {
        return recovery::Folder(recovery::Directory());
    } catch (const recovery::FolderError&) {
        return std::nullopt;
    }
}

// The other folders of the batch, where its guards lie.
std::set<std::string> GuardedFolders(const std::vector<JournalEntry>& entries) {
    std::set<std::string> folders;
    for (const JournalEntry& e : entries)
        if (e.directory != entries.front().directory) folders.insert(e.directory);
    return folders;
}

std::set<std::string> FoldersOf(const std::vector<JournalEntry>& entries) {
    std::set<std::string> folders;
    for (const JournalEntry& e : entries) folders.insert(e.directory);
    return folders;
}

// The temporary files of one process (ended) in a folder.
void RemoveTemporaryFilesOf(int folder, const std::string& pid) {
    const int fd = ::dup(folder);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (!dir) {
        if (fd >= 0) ::close(fd);
        return;
    }
    ::rewinddir(dir);
    const std::string prefix = ".tessaro-save-" + pid + "-";
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir))
        if (std::string_view(e->d_name).starts_with(prefix)) names.emplace_back(e->d_name);
    ::closedir(dir);
    for (const std::string& name : names) Removed(folder, name);
}

void RemoveGuards(const std::vector<JournalEntry>& entries, const std::string& id) {
    const std::string guard = GuardName(id);
    for (const std::string& path : GuardedFolders(entries)) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        if (Removed(fd, guard)) ::fsync(fd);
        ::close(fd);
    }
    if (const auto folder = RecoveryFolder(); folder && folder->Has(guard)) {
        folder->Remove(guard);
        SaveStepDone();
    }
}

bool Running(const std::string& id) {
    char* end = nullptr;
    const long pid = std::strtol(id.c_str(), &end, 10);
    if (pid <= 0 || *end != '-') return true;  // not ours to judge
    return pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// Settles the journal ID in the folder, if it is there in either state.
// True once it is gone.
bool SettleJournal(int folder, const std::string& id) {
    bool committed = true;
    std::optional<std::string> text = ReadOwnFile(folder, CommittedName(id));
    if (!text) {
        committed = false;
        text = ReadOwnFile(folder, JournalName(id));
    }
    if (!text) return !Look(folder, JournalName(id)).exists && !Look(folder, CommittedName(id)).exists;
    // An empty journal: its run ended before the first swap.
    const auto entries = text->empty() && !committed ? std::vector<JournalEntry>() : EntriesOf(*text);
    if (!entries || !SettleEntries(*entries, committed)) return false;
    // The journal before its guards, which lead the editor's start to it.
    const bool removed = Removed(folder, committed ? CommittedName(id) : JournalName(id));
    ::fsync(folder);
    if (!removed) return false;
    RemoveGuards(*entries, id);
    // The batch's own temporary files are of no use now.
    const std::string pid = id.substr(0, id.find('-'));
    RemoveTemporaryFilesOf(folder, pid);
    for (const std::string& directory : FoldersOf(*entries)) {
        const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        RemoveTemporaryFilesOf(fd, pid);
        ::close(fd);
    }
    return true;
}

// A guard leads to its journal: "FOLDER\nID".
bool SettleGuard(int folder, const std::string& name, const std::string& id) {
    const std::optional<std::string> text = ReadOwnFile(folder, name);
    if (!text) return false;
    const std::size_t line = text->rfind('\n');
    if (line == std::string::npos || text->substr(line + 1) != id) return false;
    const auto journalFolder = Unescaped(text->substr(0, line));
    if (!journalFolder || journalFolder->empty() || journalFolder->front() != '/') return false;
    const int fd = ::open(journalFolder->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // A journal whose folder is gone has nothing left to settle.
    const bool settled = fd < 0 ? errno == ENOENT : SettleJournal(fd, id);
    if (fd >= 0) ::close(fd);
    return settled && Removed(folder, name);
}

}  // namespace

SaveJournal::SaveJournal(std::vector<JournalEntry> entries, bool flush) : entries_(std::move(entries)) {
    const std::string& directory = entries_.front().directory;
    folderFd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) throw FileWriteError(directory, errno);
    // The journal's name first, then the guards that lead to it, then its
    // text: an empty journal (a run killed before its text) has swapped
    // nothing and goes at the next settling, as a guard whose journal is gone.
    std::string name;
    const int fd = CreateOwnFile(folderFd_, "journal", name);
    if (fd < 0) {
        const int error = errno;
        ::close(folderFd_);
        throw FileWriteError(directory + "/" + name, error);
    }
    id_ = name.substr(JournalPrefix.size());
    const std::string guard = Escaped(directory) + "\n" + id_;
    int error = 0;
    std::string failed;
    for (const std::string& path : GuardedFolders(entries_)) {
        const int other = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error = other < 0 ? errno : WriteNewFile(other, GuardName(id_), guard, flush);
        if (other >= 0) {
            if (flush) ::fsync(other);
            ::close(other);
        }
        if (error != 0) {
            failed = path;
            break;
        }
        SaveStepDone();
    }
    // Not flushed: lost with a power cut, it leaves only the editor's start
    // without the way to the journal; the next save into the batch's
    // folders finds it all the same.
    if (const auto folder = RecoveryFolder(); error == 0 && folder) {
        if (WriteNewFile(folder->Fd(), GuardName(id_), guard, false) == 0) SaveStepDone();
    }
    if (error == 0) {
        const std::string text = TextOf(entries_);
        error = WriteAllAt(fd, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), 0);
        if (error == 0 && flush && ::fsync(fd) != 0) error = errno;
        failed = directory + "/" + name;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        RemoveGuards(entries_, id_);
        ::unlinkat(folderFd_, name.c_str(), 0);
        ::close(folderFd_);
        throw FileWriteError(failed, error);
    }
    if (flush) ::fsync(folderFd_);
    SaveStepDone();
}

void SaveJournal::Commit() {
    if (::renameat(folderFd_, JournalName(id_).c_str(), folderFd_, CommittedName(id_).c_str()) != 0)
        throw FileWriteError(entries_.front().directory + "/" + JournalName(id_), errno);
    ::fsync(folderFd_);
    SaveStepDone();
}

void SaveJournal::Finish() {
    Removed(folderFd_, CommittedName(id_));
    RemoveGuards(entries_, id_);
    ::fsync(folderFd_);
    ::close(folderFd_);
    folderFd_ = -1;
}

bool SaveJournal::TakeBack() {
    const bool settled = SettleJournal(folderFd_, id_);
    ::close(folderFd_);
    folderFd_ = -1;
    return settled;
}

bool SettleJournals(int directoryFd) {
    const int fd = ::dup(directoryFd);
    if (fd < 0) return false;
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    ::rewinddir(dir);
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir)) {
        const std::string_view n = e->d_name;
        if (n.starts_with(JournalPrefix) || n.starts_with(CommittedPrefix) || n.starts_with(GuardPrefix))
            names.emplace_back(n);
    }
    ::closedir(dir);
    bool settled = true;
    for (const std::string& name : names) {
        const std::string_view prefix = name.starts_with(GuardPrefix)     ? GuardPrefix
                                        : name.starts_with(JournalPrefix) ? JournalPrefix
                                                                          : CommittedPrefix;
        const std::string id = name.substr(prefix.size());
        // A save under way: its temporary files are its own, and kept.
        if (Running(id)) continue;
        if (!(prefix == GuardPrefix ? SettleGuard(directoryFd, name, id) : SettleJournal(directoryFd, id)))
            settled = false;
    }
    return settled;
}

bool TidyFolder(int directoryFd) {
    if (!SettleJournals(directoryFd)) return false;
    RemoveAbandonedTemporaryFiles(directoryFd);
    return true;
}
