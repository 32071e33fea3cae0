// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/DebugLog.h"

#include <cstdio>
#include <cstdlib>

namespace debug_log {

bool On() {
    static const bool on = [] {
        const char* value = std::getenv("TESSARO_DEBUG");
        return value != nullptr && *value != '\0';
    }();
    return on;
}

void Line(std::string_view text) {
    if (!On()) return;
    std::fprintf(stderr, "tessaro: debug: %.*s\n", static_cast<int>(text.size()), text.data());
}

}  // namespace debug_log
