// SPDX-License-Identifier: GPL-3.0-or-later
// The window benchmarks run the real window on Qt's offscreen platform (unless
// QT_QPA_PLATFORM names another), in a scratch working directory, so that no
// ./tsr.def changes the view they measure.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "tests/support/OffscreenApplication.h"

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    if (!app.Ready()) return EXIT_FAILURE;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
