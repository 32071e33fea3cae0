// SPDX-License-Identifier: GPL-3.0-or-later
// tessaro-script SCRIPT...: replays scenario scripts against the headless
// editor and reports the checks that failed.
#include <iostream>
#include <string>
#include <vector>

#include "io/ProgramArguments.h"
#include "io/ShortLivedProcess.h"
#include "tools/tessaro-script/Runner.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: tessaro-script SCRIPT...\n";
        return 2;
    }
    KeepFreedMemoryForReuse();
    const std::vector<std::string> paths = ProgramArguments(argc, argv);
    return script::RunScripts(paths, std::cout);
}
