// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/ChipOrder.h"

#include <algorithm>
#include <map>
#include <optional>

#include "io/FormWithFiles.h"
#include "tools/tessaro-cli/CommandLine.h"

namespace cli {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every (base, number) below `chips` whose numbered name is `path`. The
// candidates come from the digits before the extension; the naming rule
// itself is only ever applied, never restated, so whatever it does with
// the extension (a base "map.png" may name "map00.png") is followed.
std::map<std::string, int> NumberedReadings(const std::string& path, int chips) {
    std::map<std::string, int> readings;
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return readings;
    std::size_t first = dot;
    while (first > 0 && IsDigit(path[first - 1]) && dot - first < 3) --first;
    for (std::size_t start = first; start < dot; ++start) {
        const int n = std::stoi(path.substr(start, dot - start));
        if (n >= chips) continue;
        const std::string prefix = path.substr(0, start);
        for (const std::string& base : {prefix, prefix + path.substr(dot)})
            if (FormWithFiles::NumberedChipName(base, n) == path) readings.emplace(base, n);
    }
    return readings;
}

// The base that names every path, the shortest when several do.
std::optional<std::string> CommonBase(const std::vector<std::map<std::string, int>>& readings) {
    std::optional<std::string> best;
    for (const auto& [base, n] : readings.front()) {
        const bool everywhere =
            std::all_of(readings.begin(), readings.end(), [&](const auto& r) { return r.contains(base); });
        if (everywhere && (!best || base.size() < best->size())) best = base;
    }
    return best;
}

}  // namespace

std::vector<ChipPlace> PlaceChips(const std::vector<std::string>& paths, int cols, int rows) {
    const int chips = cols * rows;
    if (paths.size() > static_cast<std::size_t>(chips))
        throw UsageError("more chip files (" + std::to_string(paths.size()) + ") than the sheet holds (" +
                         std::to_string(chips) + ")");
    std::vector<ChipPlace> places;
    if (paths.empty()) return places;

    std::vector<std::map<std::string, int>> readings;
    for (const std::string& p : paths) readings.push_back(NumberedReadings(p, chips));
    const std::optional<std::string> base = CommonBase(readings);

    std::vector<const std::string*> taken(static_cast<std::size_t>(chips), nullptr);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const int n = base ? readings[i].at(*base) : static_cast<int>(i);
        const std::string*& owner = taken[static_cast<std::size_t>(n)];
        if (owner) throw UsageError(*owner + " and " + paths[i] + " are both chip " + std::to_string(n));
        owner = &paths[i];
        places.push_back({paths[i], n % cols, n / cols});
    }
    return places;
}

}  // namespace cli
