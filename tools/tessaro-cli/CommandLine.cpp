// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/tessaro-cli/CommandLine.h"

#include <array>
#include <charconv>
#include <string_view>

#include "core/SheetGeometry.h"

namespace cli {
namespace {

struct CommandShape {
    std::string_view name;
    std::size_t minFiles, maxFiles;
    bool takesOutput, takesSkipEmpty;
    std::string_view outputName = "SHEET";  // in the message when -o is missing
    bool takesPalette = false;
    bool takesTerrain = false;
    bool takesChip = false;
};

constexpr std::size_t Many = static_cast<std::size_t>(-1);

constexpr std::array<CommandShape, 10> Commands{{
    {"split", 2, 2, false, true, "SHEET", false, false, true},
    {"join", 1, Many, true, false, "SHEET", false, false, true},
    {"convert", 2, 2, false, false, "SHEET", false, false, true},
    {"reduce216", 2, 2, false, false},
    {"palette256", 2, 2, false, false},
    {"check", 1, 1, false, false, "SHEET", false, false, true},
    {"palette", 1, 1, true, false, "OUT.gpl|.pal|.hex"},
    {"indexed", 1, 1, true, false, "OUT.png|.bmp", true},
    {"autotile", 1, 1, true, false, "OUT", false, true},
    {"dedupe", 1, 1, true, false, "OUT.png|.bmp", false, false, true},
}};

[[noreturn]] void Usage(const std::string& text) { throw UsageError(text); }

const CommandShape& ShapeOf(const std::string& name) {
    for (const CommandShape& shape : Commands)
        if (shape.name == name) return shape;
    Usage("unknown command \"" + name + "\"");
}

}  // namespace

std::optional<BlockSize> ParseBlock(const std::string& value) {
    const auto x = value.find_first_of("xX");
    auto side = [](const std::string& digits) {
        return digits.size() == 1 && digits[0] >= '1' && digits[0] <= '4' ? digits[0] - '0' : 0;
    };
    if (x == std::string::npos) return std::nullopt;
    const int cols = side(value.substr(0, x)), rows = side(value.substr(x + 1));
    if (cols == 0 || rows == 0) return std::nullopt;
    return BlockSize{cols, rows};
}

// "C,R": a column 0..29 and a row 0..15 of the sheet.
std::optional<SheetChip> ParsePlace(const std::string& value) {
    const auto comma = value.find(',');
    if (comma == std::string::npos) return std::nullopt;
    SheetChip p;
    const char* end = value.data() + value.size();
    const auto [a, e1] = std::from_chars(value.data(), value.data() + comma, p.col);
    const auto [b, e2] = std::from_chars(value.data() + comma + 1, end, p.row);
    if (e1 != std::errc() || e2 != std::errc() || a != value.data() + comma || b != end || comma == 0 ||
        comma + 1 == value.size() || p.col < 0 || p.row < 0 || p.col > 29 || p.row > 15)
        return std::nullopt;
    return p;
}

// A whole number from `low` to `high` in plain digits.
std::optional<int> NumberIn(const std::string& value, int low, int high) {
    int n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (error != std::errc() || end != value.data() + value.size() || value.empty() || n < low || n > high)
        return std::nullopt;
    return n;
}

std::optional<TransparentKey> ParseKey(const std::string& value) {
    if (value == "none") return TransparentKey{};
    std::array<int, 3> parts{};
    const char* p = value.data();
    const char* end = value.data() + value.size();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != ',') return std::nullopt;
            ++p;
        }
        // from_chars takes no sign or blank, so "+1" and " 1" are refused.
        const auto [next, error] = std::from_chars(p, end, parts[i]);
        if (error != std::errc() || next == p || parts[i] < 0 || parts[i] > 255) return std::nullopt;
        p = next;
    }
    if (p != end) return std::nullopt;
    return TransparentKey{false, canvas::Rgb(parts[0], parts[1], parts[2])};
}

Invocation ParseCommandLine(const std::vector<std::string>& args) {
    Invocation inv;
    std::vector<std::string> words;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            words.push_back(a);
            continue;
        }
        // The value of an option: the next argument, or after "=".
        auto value = [&](const std::string& option) -> std::string {
            if (a.size() > option.size() && a[option.size()] == '=') return a.substr(option.size() + 1);
            if (i + 1 >= args.size()) Usage(option + " needs a value");
            return args[++i];
        };
        if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help" || a == "-h") {
            inv.help = true;
        } else if (a == "--version" || a == "-v") {
            inv.version = true;
        } else if (a == "--quiet" || a == "-q") {
            inv.quiet = true;
        } else if (a == "--skip-empty") {
            inv.skipEmpty = true;
        } else if (a == "-o" || a.starts_with("-o=")) {
            if (inv.output) Usage("-o is given twice");
            inv.output = value("-o");
        } else if (a == "--palette" || a.starts_with("--palette=")) {
            if (inv.palette) Usage("--palette is given twice");
            inv.palette = value("--palette");
        } else if (a == "--block" || a.starts_with("--block=")) {
            const std::string v = value("--block");
            inv.block = ParseBlock(v);
            if (!inv.block) Usage("--block takes WxH (each 1 to 4), not \"" + v + "\"");
        } else if (a == "--source" || a.starts_with("--source=") || a == "--to" || a.starts_with("--to=")) {
            const bool isSource = a.starts_with("--source");
            const std::string option = isSource ? "--source" : "--to";
            const std::string v = value(option);
            std::optional<SheetChip>& place = isSource ? inv.source : inv.to;
            if (place) Usage(option + " is given twice");
            place = ParsePlace(v);
            if (!place) Usage(option + " takes C,R (column 0 to 29, row 0 to 15), not \"" + v + "\"");
        } else if (a == "--tsx" || a.starts_with("--tsx=")) {
            if (inv.tsx) Usage("--tsx is given twice");
            inv.tsx = value("--tsx");
        } else if (a == "--name" || a.starts_with("--name=")) {
            if (inv.name) Usage("--name is given twice");
            inv.name = value("--name");
        } else if (a == "--chip" || a.starts_with("--chip=")) {
            const std::string v = value("--chip");
            inv.chip = NumberIn(v, sheet::MinChipSize, sheet::MaxChipSize);
            if (!inv.chip)
                Usage("--chip takes a side of " + std::to_string(sheet::MinChipSize) + " to " +
                      std::to_string(sheet::MaxChipSize) + " pixels, not \"" + v + "\"");
        } else if (a == "--cols" || a.starts_with("--cols=") || a == "--rows" || a.starts_with("--rows=")) {
            const bool cols = a.starts_with("--cols");
            const std::string option = cols ? "--cols" : "--rows";
            const std::string v = value(option);
            (cols ? inv.cols : inv.rows) = NumberIn(v, 1, cols ? sheet::MaxCols : sheet::MaxRows);
            if (!(cols ? inv.cols : inv.rows))
                Usage(option + " takes 1 to " + std::to_string(cols ? sheet::MaxCols : sheet::MaxRows) + ", not \"" +
                      v + "\"");
        } else if (a == "--map" || a.starts_with("--map=")) {
            if (inv.map) Usage("--map is given twice");
            inv.map = value("--map");
        } else if (a == "-m" || a.starts_with("-m=")) {
            if (inv.mapOutput) Usage("-m is given twice");
            inv.mapOutput = value("-m");
        } else if (a == "--exact") {
            inv.exact = true;
        } else if (a == "--budget" || a.starts_with("--budget=")) {
            const std::string v = value("--budget");
            inv.budget = NumberIn(v, 0, sheet::SlotCount);
            if (!inv.budget)
                Usage("--budget takes a number of chips, 0 to " + std::to_string(sheet::SlotCount) + ", not \"" + v +
                      "\"");
        } else if (a == "--key" || a.starts_with("--key=")) {
            const std::string v = value("--key");
            inv.key = ParseKey(v);
            if (!inv.key) Usage("--key takes R,G,B (each 0 to 255) or none, not \"" + v + "\"");
        } else {
            Usage("unknown option \"" + a + "\"");
        }
    }
    if ((inv.help || inv.version) && words.empty()) return inv;
    if (words.empty()) Usage("no command given");
    inv.command = words.front();
    inv.operands.assign(words.begin() + 1, words.end());
    const CommandShape& shape = ShapeOf(inv.command);
    if (inv.help) return inv;

    const std::size_t n = inv.operands.size();
    if (n < shape.minFiles || n > shape.maxFiles)
        Usage(inv.command + ": wrong number of files (" + std::to_string(n) + ")");
    if (inv.output && !shape.takesOutput) Usage(inv.command + " takes no -o");
    if (shape.takesOutput && !inv.output) Usage(inv.command + " needs -o " + std::string(shape.outputName));
    if (inv.skipEmpty && !shape.takesSkipEmpty) Usage("--skip-empty is for split only");
    if (inv.block && !shape.takesSkipEmpty) Usage("--block is for split only");
    if (inv.palette && !shape.takesPalette) Usage("--palette is for indexed only");
    if ((inv.source || inv.to || inv.tsx || inv.name) && !shape.takesTerrain)
        Usage("--source, --to, --tsx and --name are for autotile only");
    if (shape.takesTerrain && (!inv.source || !inv.to)) Usage("autotile needs --source C,R and --to C,R");
    if (inv.chip && !shape.takesChip) Usage("--chip is for split, join, convert, check and dedupe only");
    if ((inv.map || inv.mapOutput) && inv.command != "dedupe") Usage("--map and -m are for dedupe only");
    if (inv.map.has_value() != inv.mapOutput.has_value()) Usage("dedupe takes --map MAP.tmx and -m OUT.tmx together");
    if (inv.exact && inv.command != "dedupe" && inv.command != "check") Usage("--exact is for dedupe and check only");
    if (inv.budget && inv.command != "check") Usage("--budget is for check only");
    if ((inv.cols || inv.rows) && inv.command != "join") Usage("--cols and --rows are for join only");
    if (inv.command == "join") {
        const SheetGeometry g{inv.chip.value_or(sheet::Default.chipSize), inv.cols.value_or(sheet::Default.cols),
                              inv.rows.value_or(sheet::Default.rows)};
        if (!sheet::Fits(g))
            Usage("a sheet of " + std::to_string(g.cols) + " x " + std::to_string(g.rows) + " chips of " +
                  std::to_string(g.chipSize) + " pixels is larger than " + std::to_string(sheet::MaxSide) + " x " +
                  std::to_string(sheet::MaxSide));
    }
    return inv;
}

}  // namespace cli
