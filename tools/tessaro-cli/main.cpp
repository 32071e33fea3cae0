// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-cli: the editor's sheet and chip files on the command line.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "io/ProgramArguments.h"
#include "io/ShortLivedProcess.h"
#include "tools/tessaro-cli/Run.h"

int main(int argc, char** argv) {
    KeepFreedMemoryForReuse();
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    const int status = cli::Run(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
    std::cout.flush();
    // Output that could not be written (a full disk, a closed pipe) is a failure.
    return status == 0 && !std::cout ? 1 : status;
}
