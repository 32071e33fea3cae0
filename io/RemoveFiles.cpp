// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/RemoveFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

#include "io/SaveSteps.h"

void RemoveFiles(std::span<const FileInFolder> files) {
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < files.size(); i = next++)
            if (::unlinkat(files[i].directoryFd, files[i].name.c_str(), 0) == 0) SaveStepDone();
    };
    // About 30 files a thread, at most 16 threads: more overlap little more.
    const std::size_t helpers = std::min<std::size_t>(15, files.size() / 30);
    std::vector<std::thread> threads;
    threads.reserve(helpers);
    try {
        while (threads.size() < helpers) threads.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones running and this one do it.
    }
    work();
    for (std::thread& t : threads) t.join();
}
