// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile PNG files. Damaged ones: a whole load refuses every damage; a load
// of the top rows takes a file damaged only after those rows' data, and says
// so. Costly ones: refused before they cost.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "tests/support/PngChunk.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

enum Damage {
    None,
    FlippedInLastRow,
    SecondIdatSpoilt,
    SpoiltTextAfter,
    NoEnd,
    BadTrns,
    IndexPastTable,
    ManyTexts,
    ChecksumAloneWrong,  // the zlib checksum (Adler-32) wrong, in an IDAT chunk of its own
    LongTrns,            // more alphas than palette entries: passed over, as libpng does
};

// A 16 x 16 picture (8-bit RGB, or indexed with two table entries), its
// rows stored uncompressed in two IDAT chunks, damaged as asked.
Bytes File(Damage damage) {
    const bool indexed = damage == IndexPastTable || damage == LongTrns;
    const int side = 16, rowBytes = 1 + side * (indexed ? 1 : 3);
    Bytes rows;
    for (int y = 0; y < side; ++y) {
        rows.push_back(0);
        for (int x = 1; x < rowBytes; ++x) rows.push_back(static_cast<std::uint8_t>(indexed ? x % 2 : x * 7 + y));
    }
    if (damage == IndexPastTable) rows.back() = 2;
    Bytes packed(compressBound(static_cast<uLong>(rows.size())));
    uLongf size = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &size, rows.data(), static_cast<uLong>(rows.size()), 0);
    packed.resize(size);
    if (damage == FlippedInLastRow) packed[packed.size() - 10] ^= 1;
    if (damage == ChecksumAloneWrong) packed.back() ^= 1;
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, header;
    Put32(header, side), Put32(header, side);
    header.insert(header.end(), {8, static_cast<std::uint8_t>(indexed ? 3 : 2), 0, 0, 0});
    Chunk(file, "IHDR", header);
    if (indexed) Chunk(file, "PLTE", {255, 0, 0, 0, 0, 255});
    if (damage == BadTrns) Chunk(file, "tRNS", {0, 0, 0});
    if (damage == LongTrns) Chunk(file, "tRNS", {0, 0, 0});
    const auto half = packed.end() - (damage == ChecksumAloneWrong ? 4 : static_cast<long>(packed.size() / 2));
    Chunk(file, "IDAT", Bytes(packed.begin(), half));
    Chunk(file, "IDAT", Bytes(half, packed.end()), damage == SecondIdatSpoilt);
    if (damage == SpoiltTextAfter) Chunk(file, "tEXt", {'a', 0, 'b'}, true);
    if (damage == ManyTexts) {
        Bytes text(8'000'000, 'a');
        text[1] = 0;  // after the keyword "a"
        for (int i = 0; i < 5; ++i) Chunk(file, "tEXt", text);
    }
    if (damage != NoEnd) Chunk(file, "IEND", {});
    return file;
}

TEST(PngHostile, WholeLoadsRefuseDamageAndTopRowsTakeDamageAfterThem) {
    enum Outcome { Refused, Clean, Flagged };
    const struct {
        Damage damage;
        Outcome whole, topRows;
    } cases[] = {
        {None, Clean, Clean},
        {FlippedInLastRow, Refused, Refused},  // the checksum of the data: where the damage lies is unknown
        {SecondIdatSpoilt, Refused, Flagged},
        {SpoiltTextAfter, Refused, Flagged},
        {NoEnd, Refused, Flagged},
        {BadTrns, Refused, Refused},
        {IndexPastTable, Refused, Refused},
        {ChecksumAloneWrong, Refused, Refused},
        {LongTrns, Clean, Clean},
    };
    for (const auto& c : cases) {
        const Bytes file = File(c.damage);
        for (const auto& [rows, want] : {std::pair{16, c.whole}, std::pair{2, c.topRows}}) {
            SCOPED_TRACE("damage " + std::to_string(c.damage) + ", rows " + std::to_string(rows));
            try {
                const PictureWithAlpha picture = png::Decode(file, 16, rows);
                EXPECT_EQ(picture.damagedAfterKeptPart ? Flagged : Clean, want);
                EXPECT_EQ(picture.colours.Height(), rows);
                EXPECT_FALSE(picture.HasTransparency());
            } catch (const PictureReadError& e) {
                EXPECT_EQ(want, Refused) << e.what();
                EXPECT_EQ(e.Reason(), PictureReadReason::NotAPicture);
            }
        }
    }
}

// Refused as too large before the cost: an interlaced picture much larger
// than the kept part (its decoding costs the whole picture), and 40 MB of
// text chunks (the decoder would hold them all).
TEST(PngHostile, CostlyFilesAreRefusedAsTooLarge) {
    Bytes interlaced = File(None);
    interlaced[16 + 2] = interlaced[20 + 2] = 0x10, interlaced[28] = 1;  // 4112 x 4112, interlaced
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, interlaced.data() + 12, 17));
    for (int i = 0; i < 4; ++i) interlaced[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    for (const Bytes& file : {interlaced, File(ManyTexts)}) {
        try {
            png::Decode(file, 480, 256);
            ADD_FAILURE() << "loaded";
        } catch (const PictureReadError& e) {
            EXPECT_EQ(e.Reason(), PictureReadReason::TooLarge) << e.what();
        }
    }
}

}  // namespace
