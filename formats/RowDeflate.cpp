// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/RowDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace png {
namespace {

constexpr std::size_t ShortestMatch = 4;
constexpr std::size_t LongestMatch = 258;
constexpr std::size_t Window = 32768;
// Places go into the hash chain by their next five bytes: with four, grain of
// few colours fills the chains with short matches that cost more than the
// literals they replace; with six, photo-like indices find too few.
constexpr std::size_t HashedBytes = 5;
constexpr int HashBits = 15;
// Grain of a few colours fills every chain: past eight places the search
// costs more than its matches save.
constexpr int ChainDepth = 8;
// A match this long ends the search. Longer searches find longer matches on
// sheets of map chips but make the file larger: their matches come from
// farther back and cost more bits of distance.
constexpr std::size_t EnoughLength = 64;
// Distances tried before the chain at every place: the row above, the chip
// row above, and the last distances matched, where a chip that differs from
// an earlier one in a few pixels goes on matching it.
constexpr std::size_t RecentDistances = 4;
// Symbols per block: each block gets codes of its own.
constexpr std::size_t BlockSymbols = std::size_t{1} << 15;

constexpr int LengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int DistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                  33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                  1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int DistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which the lengths of the code-length code are sent.
constexpr int CodeLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

constexpr std::array<std::uint8_t, LongestMatch + 1> MakeLengthCodes() {
    std::array<std::uint8_t, LongestMatch + 1> codes{};
    for (int code = 0; code < 28; ++code)
        for (int n = LengthBase[code]; n < LengthBase[code] + (1 << LengthExtra[code]); ++n)
            codes[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(code);
    codes[LongestMatch] = 28;  // 258 has a code of its own
    return codes;
}
constexpr std::array<std::uint8_t, LongestMatch + 1> LengthCodeOf = MakeLengthCodes();

int DistanceCodeOf(std::size_t distance) {
    const auto x = static_cast<std::uint32_t>(distance - 1);
    if (x < 4) return static_cast<int>(x);
    const int top = std::bit_width(x) - 1;
    return 2 * top + static_cast<int>((x >> (top - 1)) & 1);
}

std::uint64_t Load64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

// How many bytes from `a` and `b` on are the same, up to `limit`; both have
// at least `limit` bytes.
std::size_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t limit) {
    std::size_t n = 0;
    for (; n + 8 <= limit; n += 8) {
        const std::uint64_t x = Load64(a + n), y = Load64(b + n);
        if (x != y) {
            const std::uint64_t differ = x ^ y;
            // The first differing byte: the lowest in memory order.
            const int bit =
                std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
            return n + static_cast<std::size_t>(bit >> 3);
        }
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

// A literal (distance 0, `value` the byte) or a match (`value` its length).
struct Symbol {
    std::uint16_t value;
    std::uint16_t distance;
};

struct Match {
    std::size_t length = 0, distance = 0;
};

class MatchFinder {
public:
    MatchFinder(std::span<const std::uint8_t> data, std::size_t rowBytes, std::size_t chipRows)
        : data_(data), head_(std::size_t{1} << HashBits, -1), previous_(new std::int32_t[Window]) {
        // A chip row of one row is the row above, tried once.
        for (const std::size_t rows : {std::size_t{1}, chipRows})
            if (rowBytes > 0 && rows > 0 && rowBytes * rows <= Window && (rows > 1 || fixedCount_ == 0))
                distances_[fixedCount_++] = rowBytes * rows;
    }

    // The longest match at `at`, none when shorter than ShortestMatch; of
    // equal lengths the nearest.
    Match Find(std::size_t at) {
        InsertUpTo(at);
        Match best;
        const std::size_t limit = std::min(LongestMatch, data_.size() - at);
        if (limit < 8) return best;
        const std::uint8_t* here = data_.data() + at;
        auto consider = [&](std::size_t distance) {
            if (distance == 0 || distance > at) return;
            const std::uint8_t* there = here - distance;
            // A quick look at one byte rules out most places: a farther one
            // must be longer, so must match at best.length; a nearer one
            // need only be as long, so must match at best.length - 1. Nearer
            // distances take fewer extra bits.
            if (distance >= best.distance ? best.length == limit || there[best.length] != here[best.length]
                                          : best.length > 0 && there[best.length - 1] != here[best.length - 1])
                return;
            const std::size_t n = CommonLength(here, there, limit);
            if (n > best.length || (n == best.length && distance < best.distance)) best = {n, distance};
        };
        for (std::size_t i = 0; i < fixedCount_ + RecentDistances; ++i) consider(distances_[i]);
        const std::size_t enough = std::min(limit, EnoughLength);
        std::int32_t from = head_[Hash(here)];
        for (int depth = 0; depth < ChainDepth && from >= 0 && best.length < enough; ++depth) {
            const auto place = static_cast<std::size_t>(from);
            // A place from an older turn of the ring is not in the chain.
            if (place >= at || at - place > Window) break;
            consider(at - place);
            from = previous_[place & (Window - 1)];
        }
        if (best.length < ShortestMatch) best = {};
        return best;
    }

    // A match taken: its distance goes first among the recent ones.
    void Took(std::size_t distance) {
        std::size_t* recent = distances_.data() + fixedCount_;
        std::size_t* end = recent + RecentDistances;
        std::size_t* same = std::find(recent, end, distance);
        if (same == end) same = end - 1;
        std::rotate(recent, same, same + 1);
        *recent = distance;
    }

private:
    static std::uint32_t Hash(const std::uint8_t* p) {
        constexpr std::uint64_t mask = (std::uint64_t{1} << (8 * HashedBytes)) - 1;
        const std::uint64_t bytes = std::endian::native == std::endian::little ? Load64(p) & mask : Load64(p) >> 24;
        return static_cast<std::uint32_t>((bytes * 0x9E3779B97F4A7C15ull) >> (64 - HashBits));
    }

    // Puts the places before `at` into the chain. A place inside a run of
    // one byte (its first four bytes the same as the place before's) is left
    // out: the run's start stands for it, and the chain keeps room for
    // places that differ.
    void InsertUpTo(std::size_t at) {
        const std::size_t end = std::min(at, data_.size() >= 8 ? data_.size() - 7 : 0);
        for (; inserted_ < end; ++inserted_) {
            const std::uint8_t* p = data_.data() + inserted_;
            if (inserted_ > 0 && std::memcmp(p - 1, p, 4) == 0) continue;
            std::int32_t& first = head_[Hash(p)];
            previous_[inserted_ & (Window - 1)] = first;
            first = static_cast<std::int32_t>(inserted_);
        }
    }

    std::span<const std::uint8_t> data_;
    std::vector<std::int32_t> head_;
    // Each place's link is written when the place goes into the chain, before
    // any walk reads it: no need to clear the ring first.
    std::unique_ptr<std::int32_t[]> previous_;
    std::size_t inserted_ = 0;
    // The fixed distances first, then the recent ones (0: none yet).
    std::array<std::size_t, 2 + RecentDistances> distances_{};
    std::size_t fixedCount_ = 0;
};

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void Put(std::uint32_t bits, int count) {
        buffer_ |= static_cast<std::uint64_t>(bits) << filled_;
        filled_ += count;
        while (filled_ >= 8) {
            out_.push_back(static_cast<std::uint8_t>(buffer_));
            buffer_ >>= 8;
            filled_ -= 8;
        }
    }
    void Flush() {
        if (filled_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_));
        buffer_ = 0;
        filled_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

// Huffman code lengths of at most `maxBits` bits for the symbols with these
// frequencies (unused symbols 0). At least two symbols are used, so the code
// is complete, as inflaters require.
void CodeLengths(std::span<const std::uint32_t> frequencies, int maxBits, std::span<std::uint8_t> lengths) {
    std::fill(lengths.begin(), lengths.end(), 0);
    struct Leaf {
        std::uint32_t frequency;
        int symbol;
    };
    std::vector<Leaf> leaves;
    for (std::size_t s = 0; s < frequencies.size(); ++s)
        if (frequencies[s] > 0) leaves.push_back({frequencies[s], static_cast<int>(s)});
    std::stable_sort(leaves.begin(), leaves.end(), [](Leaf a, Leaf b) { return a.frequency < b.frequency; });
    const std::size_t m = leaves.size();
    // Two queues, the sorted leaves and the inner nodes in the order they
    // are made (by weight); a parent always comes after its children.
    std::vector<std::uint64_t> weight(2 * m - 1);
    std::vector<std::size_t> parent(2 * m - 1, 0);
    for (std::size_t i = 0; i < m; ++i) weight[i] = leaves[i].frequency;
    std::size_t leaf = 0, inner = m;
    for (std::size_t next = m; next < 2 * m - 1; ++next) {
        auto take = [&] {
            if (leaf < m && (inner >= next || weight[leaf] <= weight[inner])) return leaf++;
            return inner++;
        };
        const std::size_t a = take(), b = take();
        weight[next] = weight[a] + weight[b];
        parent[a] = parent[b] = next;
    }
    std::vector<int> depth(2 * m - 1, 0);
    std::array<int, 64> count{};
    for (std::size_t k = 2 * m - 1; k-- > 0;) {
        if (k != 2 * m - 2) depth[k] = depth[parent[k]] + 1;
        if (k < m) ++count[static_cast<std::size_t>(std::min(depth[k], maxBits))];
    }
    // Codes cut to maxBits overfill the code space; each round moves one
    // code a level down until it is exactly full again.
    std::uint64_t total = 0;
    for (int bits = 1; bits <= maxBits; ++bits) total += static_cast<std::uint64_t>(count[bits]) << (maxBits - bits);
    while (total > (std::uint64_t{1} << maxBits)) {
        --count[maxBits];
        for (int bits = maxBits - 1; bits > 0; --bits)
            if (count[bits] > 0) {
                --count[bits];
                count[bits + 1] += 2;
                break;
            }
        --total;
    }
    // The rarest symbols get the longest codes.
    std::size_t i = 0;
    for (int bits = maxBits; bits > 0; --bits)
        for (int n = 0; n < count[bits]; ++n)
            lengths[static_cast<std::size_t>(leaves[i++].symbol)] = static_cast<std::uint8_t>(bits);
}

// The canonical codes of these lengths, bit-reversed as deflate sends them.
void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
    std::array<std::uint16_t, 16> count{}, next{};
    for (const std::uint8_t n : lengths) ++count[n];
    count[0] = 0;
    std::uint32_t code = 0;
    for (int bits = 1; bits < 16; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = static_cast<std::uint16_t>(code);
    }
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const int n = lengths[s];
        if (n == 0) continue;
        std::uint32_t c = next[n]++, reversed = 0;
        for (int b = 0; b < n; ++b, c >>= 1) reversed = (reversed << 1) | (c & 1);
        codes[s] = static_cast<std::uint16_t>(reversed);
    }
}

void UseAtLeastTwo(std::span<std::uint32_t> frequencies) {
    int used = 0;
    for (const std::uint32_t f : frequencies) used += f > 0;
    for (std::size_t s = 0; used < 2 && s < frequencies.size(); ++s)
        if (frequencies[s] == 0) {
            frequencies[s] = 1;
            ++used;
        }
}

// One block with dynamic Huffman codes.
void WriteBlock(BitWriter& bits, std::span<const Symbol> symbols, bool last) {
    std::array<std::uint32_t, 286> literalCount{};
    std::array<std::uint32_t, 30> distanceCount{};
    for (const Symbol s : symbols) {
        if (s.distance == 0) {
            ++literalCount[s.value];
        } else {
            ++literalCount[257 + std::size_t{LengthCodeOf[s.value]}];
            ++distanceCount[static_cast<std::size_t>(DistanceCodeOf(s.distance))];
        }
    }
    literalCount[256] = 1;  // the end of the block
    UseAtLeastTwo(literalCount);
    UseAtLeastTwo(distanceCount);
    std::array<std::uint8_t, 286 + 30> lengths{};
    const std::span<std::uint8_t> literalLengths(lengths.data(), 286), distanceLengths(lengths.data() + 286, 30);
    CodeLengths(literalCount, 15, literalLengths);
    CodeLengths(distanceCount, 15, distanceLengths);
    std::size_t literals = 286, distances = 30;
    while (literals > 257 && literalLengths[literals - 1] == 0) --literals;
    while (distances > 1 && distanceLengths[distances - 1] == 0) --distances;

    // The code lengths as sent: both tables in one run, repeats and runs of
    // zeros shortened (symbols 16, 17 and 18 with their extra bits).
    std::array<std::uint8_t, 286 + 30> sent{};
    std::copy_n(literalLengths.begin(), literals, sent.begin());
    std::copy_n(distanceLengths.begin(), distances, sent.begin() + static_cast<std::ptrdiff_t>(literals));
    const std::size_t sentCount = literals + distances;
    struct LengthSymbol {
        std::uint8_t symbol, extra;
    };
    std::vector<LengthSymbol> runs;
    std::array<std::uint32_t, 19> lengthCount{};
    auto emit = [&](std::size_t symbol, std::size_t extra) {
        runs.push_back({static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(extra)});
        ++lengthCount[symbol];
    };
    for (std::size_t i = 0; i < sentCount;) {
        const std::uint8_t n = sent[i];
        std::size_t run = 1;
        while (i + run < sentCount && sent[i + run] == n) ++run;
        i += run;
        if (n == 0) {
            for (std::size_t step; run >= 11; run -= step) emit(18, (step = std::min<std::size_t>(run, 138)) - 11);
            if (run >= 3) {
                emit(17, run - 3);
                run = 0;
            }
        } else {
            emit(n, 0);
            --run;
            for (std::size_t step; run >= 3; run -= step) emit(16, (step = std::min<std::size_t>(run, 6)) - 3);
        }
        for (; run > 0; --run) emit(n, 0);
    }
    UseAtLeastTwo(lengthCount);
    std::array<std::uint8_t, 19> lengthLengths{};
    CodeLengths(lengthCount, 7, lengthLengths);
    std::size_t lengthCodes = 19;
    while (lengthCodes > 4 && lengthLengths[static_cast<std::size_t>(CodeLengthOrder[lengthCodes - 1])] == 0)
        --lengthCodes;

    std::array<std::uint16_t, 286> literalCodes{};
    std::array<std::uint16_t, 30> distanceCodes{};
    std::array<std::uint16_t, 19> lengthCodesOf{};
    CanonicalCodes(literalLengths, literalCodes);
    CanonicalCodes(distanceLengths, distanceCodes);
    CanonicalCodes(lengthLengths, lengthCodesOf);

    bits.Put(last ? 1 : 0, 1);
    bits.Put(2, 2);  // dynamic Huffman codes
    bits.Put(static_cast<std::uint32_t>(literals - 257), 5);
    bits.Put(static_cast<std::uint32_t>(distances - 1), 5);
    bits.Put(static_cast<std::uint32_t>(lengthCodes - 4), 4);
    for (std::size_t i = 0; i < lengthCodes; ++i)
        bits.Put(lengthLengths[static_cast<std::size_t>(CodeLengthOrder[i])], 3);
    constexpr int RepeatExtraBits[3] = {2, 3, 7};  // symbols 16, 17, 18
    for (const LengthSymbol r : runs) {
        bits.Put(lengthCodesOf[r.symbol], lengthLengths[r.symbol]);
        if (r.symbol >= 16) bits.Put(r.extra, RepeatExtraBits[r.symbol - 16]);
    }
    for (const Symbol s : symbols) {
        if (s.distance == 0) {
            bits.Put(literalCodes[s.value], literalLengths[s.value]);
            continue;
        }
        const std::size_t lengthSymbol = 257 + std::size_t{LengthCodeOf[s.value]};
        const int lengthCode = LengthCodeOf[s.value];
        bits.Put(literalCodes[lengthSymbol], literalLengths[lengthSymbol]);
        bits.Put(static_cast<std::uint32_t>(s.value - LengthBase[lengthCode]), LengthExtra[lengthCode]);
        const auto distanceCode = static_cast<std::size_t>(DistanceCodeOf(s.distance));
        bits.Put(distanceCodes[distanceCode], distanceLengths[distanceCode]);
        bits.Put(static_cast<std::uint32_t>(s.distance - DistanceBase[distanceCode]), DistanceExtra[distanceCode]);
    }
    bits.Put(literalCodes[256], literalLengths[256]);
}

}  // namespace

std::vector<std::uint8_t> DeflateRows(std::span<const std::uint8_t> data, std::size_t rowBytes, std::size_t chipRows) {
    std::vector<std::uint8_t> out = {0x78, 0xDA};  // deflate, a 32 KiB window, the best compression
    out.reserve(data.size() / 8 + 64);
    BitWriter bits(out);
    MatchFinder finder(data, rowBytes, chipRows);
    std::vector<Symbol> symbols;
    symbols.reserve(std::min(BlockSymbols, data.size() + 1));
    std::size_t at = 0;
    while (at < data.size()) {
        Match match = finder.Find(at);
        if (match.length == 0) {
            symbols.push_back({data[at++], 0});
        } else {
            // Lazy matching: a longer match one place on is worth a literal.
            while (at + 1 < data.size()) {
                const Match next = finder.Find(at + 1);
                if (next.length <= match.length) break;
                symbols.push_back({data[at++], 0});
                match = next;
            }
            symbols.push_back({static_cast<std::uint16_t>(match.length), static_cast<std::uint16_t>(match.distance)});
            finder.Took(match.distance);
            at += match.length;
        }
        if (symbols.size() >= BlockSymbols) {
            WriteBlock(bits, symbols, false);
            symbols.clear();
        }
    }
    WriteBlock(bits, symbols, true);
    bits.Flush();
    const auto checksum = static_cast<std::uint32_t>(adler32_z(adler32(0, nullptr, 0), data.data(), data.size()));
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(checksum >> shift));
    return out;
}

bool InflatesTo(std::span<const std::uint8_t> stream, std::span<const std::uint8_t> data) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    std::array<std::uint8_t, 16384> part;
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    std::size_t done = 0;
    int status = Z_OK;
    bool same = stream.size() <= 0xFFFFFFFFu;
    while (same && status == Z_OK) {
        z.next_out = part.data();
        z.avail_out = static_cast<uInt>(part.size());
        status = inflate(&z, Z_NO_FLUSH);
        const std::size_t n = part.size() - z.avail_out;
        same = (status == Z_OK || status == Z_STREAM_END) && n <= data.size() - done &&
               std::equal(part.begin(), part.begin() + static_cast<std::ptrdiff_t>(n), data.begin() + done);
        done += n;
        if (status == Z_OK && n == 0 && z.avail_in == 0) same = false;  // cut short
    }
    inflateEnd(&z);
    return same && status == Z_STREAM_END && done == data.size();
}

}  // namespace png
