// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ChipDuplicates.h"

#include <algorithm>
#include <utility>

namespace duplicates {
namespace {

constexpr std::size_t Orientations = canvas::OrientationCount;
constexpr std::uint64_t NotHashed = ~std::uint64_t{0};

// splitmix64: the weights of the places of a chip, fixed from run to run.
std::uint64_t Mixed(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// A colour spread over 64 bits, so that a sum of weighted colours tells
// nearby colours apart.
inline std::uint64_t Spread(canvas::Colour c) {
    std::uint64_t v = (c + 1) * 0x9E3779B97F4A7C15ULL;
    return v ^ (v >> 29);
}

// Chip b shows as chip a laid in orientation o, pixel for pixel.
bool ShowsAs(const canvas::Picture& a, const canvas::Picture& b, canvas::Orientation o) {
    const int side = b.Width();
    for (int y = 0; y < side; ++y) {
        const auto row = b.Row(y);
        for (int x = 0; x < side; ++x) {
            const canvas::Point from = canvas::SourceOf(o, x, y, side, side);
            if (a.Row(from.y)[static_cast<std::size_t>(from.x)] != row[static_cast<std::size_t>(x)]) return false;
        }
    }
    return true;
}

// The chips' numbers sorted by a key, those of one key in reading order.
std::vector<std::pair<std::uint64_t, int>> SortedBy(std::vector<std::pair<std::uint64_t, int>> keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace

bool IsEmptyChip(const canvas::Picture& chip, std::optional<canvas::Colour> transparent) {
    bool black = true, clear = transparent.has_value();
    for (int y = 0; y < chip.Height() && (black || clear); ++y)
        for (const canvas::Colour c : chip.Row(y)) {
            black = black && c == canvas::Black;
            clear = clear && c == *transparent;
        }
    return black || clear;
}

const Report& Finder::Update(const SheetDocument& sheet) {
    const SheetGeometry& g = sheet.Geometry();
    bool changed = !valid_ || g != report_.geometry || sheet.TransparentColor != transparent_;
    if (g.chipSize != hashedChipSize_ || sheet.TransparentColor != transparent_) {
        hashes_.assign(sheet::SlotCount, ChipHashes{NotHashed});
        transparent_ = sheet.TransparentColor;
    }
    if (g.chipSize != hashedChipSize_) {
        // Weight of pixel i in orientation o: the weight of the place it
        // lands on in the chip shown that way.
        const int side = g.chipSize;
        const std::size_t pixels = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
        std::vector<std::uint64_t> place(pixels);
        std::uint64_t state = 0x5EED;
        for (std::uint64_t& w : place) w = Mixed(state) | 1;
        weights_.assign(pixels * Orientations, 0);
        for (std::size_t o = 0; o < Orientations; ++o)
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x) {
                    const canvas::Point from = canvas::SourceOf(static_cast<canvas::Orientation>(o), x, y, side, side);
                    const std::size_t source = static_cast<std::size_t>(from.y * side + from.x);
                    weights_[source * Orientations + o] = place[static_cast<std::size_t>(y * side + x)];
                }
        hashedChipSize_ = side;
    }
    for (int row = 0; row < g.rows; ++row)
        for (int col = 0; col < g.cols; ++col) {
            ChipHashes& h = hashes_[sheet::SlotOf(col, row)];
            const std::uint64_t version = sheet.Version(col, row);
            if (h.version == version) continue;
            changed = true;
            h.version = version;
            const canvas::Picture& chip = sheet.Chip(col, row);
            h.empty = IsEmptyChip(chip, transparent_);
            h.hash.fill(0);
            if (h.empty) continue;
            const std::uint64_t* w = weights_.data();
            for (int y = 0; y < chip.Height(); ++y)
                for (const canvas::Colour c : chip.Row(y)) {
                    const std::uint64_t v = Spread(c);
                    for (std::size_t o = 0; o < Orientations; ++o) h.hash[o] += v * w[o];
                    w += Orientations;
                }
        }
    if (changed) Classify(sheet);
    return report_;
}

void Finder::Classify(const SheetDocument& sheet) {
    const SheetGeometry& g = sheet.Geometry();
    report_ = Report{g, std::vector<ChipMatch>(static_cast<std::size_t>(g.ChipCount())), 0, 0, 0};
    auto chipOf = [&](int n) -> const canvas::Picture& { return sheet.Chip(n % g.cols, n / g.cols); };
    auto hashesOf = [&](int n) -> const ChipHashes& { return hashes_[sheet::SlotOf(n % g.cols, n / g.cols)]; };

    std::vector<std::pair<std::uint64_t, int>> exactKeys, shapeKeys;
    for (int n = 0; n < g.ChipCount(); ++n) {
        const ChipHashes& h = hashesOf(n);
        ChipMatch& m = report_.chips[static_cast<std::size_t>(n)];
        m.exactFirst = m.shapeFirst = n;
        if (h.empty) {
            ++report_.empty;
            continue;
        }
        exactKeys.emplace_back(h.hash[0], n);
        // The smallest of the eight hashes is the same for every orientation
        // of a chip.
        shapeKeys.emplace_back(*std::min_element(h.hash.begin(), h.hash.end()), n);
    }

    // Runs of one key: the first chip of each group of equal pixels stays the
    // group's, and each later chip is compared with the groups found so far.
    std::vector<int> firsts;
    const auto exact = SortedBy(std::move(exactKeys));
    for (std::size_t i = 0; i < exact.size(); ++i) {
        if (i == 0 || exact[i].first != exact[i - 1].first) firsts.clear();
        const int n = exact[i].second;
        const auto same = std::find_if(firsts.begin(), firsts.end(), [&](int f) { return chipOf(f) == chipOf(n); });
        if (same != firsts.end())
            report_.chips[static_cast<std::size_t>(n)].exactFirst = *same;
        else
            firsts.push_back(n);
    }
    const auto shape = SortedBy(std::move(shapeKeys));
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (i == 0 || shape[i].first != shape[i - 1].first) firsts.clear();
        const int n = shape[i].second;
        ChipMatch& m = report_.chips[static_cast<std::size_t>(n)];
        const std::uint64_t asIs = hashesOf(n).hash[0];
        for (const int f : firsts) {
            const ChipHashes& first = hashesOf(f);
            for (std::size_t o = 0; o < Orientations && m.shapeFirst == n; ++o) {
                const auto orientation = static_cast<canvas::Orientation>(o);
                if (first.hash[o] == asIs && ShowsAs(chipOf(f), chipOf(n), orientation)) {
                    m.shapeFirst = f;
                    m.orientation = orientation;
                }
            }
            if (m.shapeFirst != n) break;
        }
        if (m.shapeFirst == n) firsts.push_back(n);
    }

    for (int n = 0; n < g.ChipCount(); ++n) {
        ChipMatch& m = report_.chips[static_cast<std::size_t>(n)];
        if (hashesOf(n).empty) continue;
        m.kind = m.exactFirst != n ? Kind::Exact : m.shapeFirst != n ? Kind::Oriented : Kind::Unique;
        report_.uniqueExact += m.exactFirst == n ? 1 : 0;
        report_.uniqueOriented += m.shapeFirst == n ? 1 : 0;
    }
    valid_ = true;
}

Report Find(const SheetDocument& sheet) {
    Finder finder;
    return finder.Update(sheet);
}

Packing Pack(const SheetDocument& sheet, const Report& report, bool exact) {
    const SheetGeometry& g = report.geometry;
    Packing p{g, sheet.TransparentColor.value_or(canvas::Black), {}, {}, {}};
    const auto count = static_cast<std::size_t>(g.ChipCount());
    p.newChip.assign(count, -1);
    p.orientation.assign(count, canvas::Orientation::AsIs);
    auto chipOf = [&](int n) -> const canvas::Picture& { return sheet.Chip(n % g.cols, n / g.cols); };
    auto ofFill = [&](const canvas::Picture& chip) {
        for (int y = 0; y < chip.Height(); ++y)
            for (const canvas::Colour c : chip.Row(y))
                if (c != p.fill) return false;
        return true;
    };
    std::vector<int> fillChips;
    int otherEmpty = -1;  // the first empty chip not of the fill
    for (int n = 0; n < g.ChipCount(); ++n) {
        const ChipMatch& m = report.chips[static_cast<std::size_t>(n)];
        int first = exact ? m.exactFirst : m.shapeFirst;
        if (m.kind == Kind::Empty) {
            if (ofFill(chipOf(n))) {
                fillChips.push_back(n);
                continue;
            }
            if (otherEmpty < 0) otherEmpty = n;
            first = otherEmpty;
        }
        if (first == n) {
            p.newChip[static_cast<std::size_t>(n)] = static_cast<int>(p.sources.size());
            p.sources.push_back(n);
            continue;
        }
        p.newChip[static_cast<std::size_t>(n)] = p.newChip[static_cast<std::size_t>(first)];
        if (!exact && m.kind != Kind::Empty) p.orientation[static_cast<std::size_t>(n)] = m.orientation;
    }
    // An empty chip of the fill is a chip not packed, so the first chip of
    // the fill lies on the sheet.
    for (const int n : fillChips) p.newChip[static_cast<std::size_t>(n)] = static_cast<int>(p.sources.size());
    return p;
}

canvas::Picture Packing::Compose(const SheetDocument& sheet) const {
    canvas::Picture picture(geometry.Width(), geometry.Height());
    picture.SetBrushColour(fill);
    picture.FillRect({0, 0, picture.Width(), picture.Height()});
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const int from = sources[k], to = static_cast<int>(k);
        picture.Draw(to % geometry.cols * geometry.chipSize, to / geometry.cols * geometry.chipSize,
                     sheet.Chip(from % geometry.cols, from / geometry.cols));
    }
    picture.ClearDirty();
    return picture;
}

}  // namespace duplicates
