// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A batch of files that take their places all or none (a split's chips, the
// board's map, tileset and picture) is written down before the first of them
// is put in place, so that a run killed in the middle is finished or taken
// back by the next one: the next save into one of its folders, or the
// editor's next start.
//
// The journal (".tessaro-journal-ID", ".tessaro-committed-ID" once every new
// file is in place) lies in the folder of the batch's first file. Every
// other folder of the batch and the user's recovery folder get a guard
// (".tessaro-guard-ID") that names it: the guard keeps a later save from
// cleaning away the earlier files that a swap left under temporary names,
// and leads the editor's start to the journal. ID is "PID-XXXXXX"; a journal
// is settled only once its process has ended.

// One file of the batch.
struct JournalEntry {
    std::string directory;  // absolute, without links
    std::string target;     // the file's name in it
    std::string temp;       // the new file's temporary name; the earlier file's once the two are swapped
    std::string aside;      // the earlier file's name while it is moved aside (where names can't be swapped)
    dev_t device = 0;
    ino_t newFile = 0;  // the new file, as its file system numbers it
    bool existed = false;
    // Written in place: `temp` is a copy of the earlier content, and
    // `device` and `newFile` name the file itself.
    bool inPlace = false;
};

class SaveJournal {
public:
    // Writes the journal and its guards, and flushes them with `flush`;
    // without, the caller flushes them with the temporary files before the
    // first swap (one flush of each file system). The guard in the recovery
    // folder is not flushed. Throws FileWriteError.
    SaveJournal(std::vector<JournalEntry> entries, bool flush);
    SaveJournal(const SaveJournal&) = delete;
    SaveJournal& operator=(const SaveJournal&) = delete;

    // Every new file is in place: from here on the batch is finished, not
    // taken back. Throws FileWriteError (the batch is then still uncommitted).
    void Commit();
    // The earlier files are gone: the journal and its guards go too.
    void Finish();
    // Puts the earlier files back and removes the new ones, as the next run
    // would; the journal goes when that succeeded. True then.
    bool TakeBack();

private:
    std::vector<JournalEntry> entries_;
    std::string id_;
    int folderFd_ = -1;  // of the journal's folder
};

// Settles the journals and guards of ended processes in the folder: a
// committed batch is finished (the earlier files removed), any other taken
// back (the earlier files back in place, the new ones removed). False when
// one could not be settled; its files then stay as they are, and the
// folder's temporary files must not be cleaned away.
bool SettleJournals(int directoryFd);

// What every save does first in a folder: the journals of ended runs
// settled, then their temporary files removed, unless a journal could not
// be settled. False then.
bool TidyFolder(int directoryFd);
