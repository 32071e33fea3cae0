// SPDX-License-Identifier: GPL-3.0-or-later
// The JPEG reader on files that libjpeg itself writes, then bends: the first
// bytes of the input choose the picture and how it is stored (size,
// sampling, progressive or sequential scans, restart markers, arithmetic
// coding, a scan repeated many times, a frame header claiming a huge
// picture), the rest are byte edits of the file. Random bytes rarely get
// past a JPEG header, and the system libjpeg is not instrumented, so this
// reaches the scan and marker paths that plain fuzzing does not.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/PictureLimits.h"
#include "formats/PictureReadError.h"
#include "formats/PictureReaders.h"
#include "tests/support/CompressedJpeg.h"

namespace {

struct Shape {
    int width, height, quality, sampling, repeats;
    bool progressive, restarts, arithmetic, grey;
    int hugeSide;  // 0, or the side the frame header is made to claim
};

std::vector<std::uint8_t> Compress(const Shape& s, const std::uint8_t* pixels, std::size_t count) {
    static const int samplings[4][2] = {{2, 2}, {2, 1}, {1, 1}, {4, 1}};
    JpegSettings how{.width = s.width,
                     .height = s.height,
                     .input = s.grey ? JCS_GRAYSCALE : JCS_RGB,
                     .components = s.grey ? 1 : 3,
                     .quality = s.quality,
                     .progressive = s.progressive,
                     .restartRows = s.restarts ? 1 : 0,
                     .arithmetic = s.arithmetic};
    if (!s.grey) {
        how.hSampling = samplings[s.sampling][0];
        how.vSampling = samplings[s.sampling][1];
    }
    return CompressJpeg(how, [&](int y, std::span<std::uint8_t> row) {
        const std::size_t start = static_cast<std::size_t>(y) * row.size();
        for (std::size_t x = 0; x < row.size(); ++x) row[x] = count ? pixels[(start + x) % count] : 0;
    });
}

// The last scan (from its SOS marker to the end marker) repeated.
void RepeatLastScan(std::vector<std::uint8_t>& file, int repeats) {
    std::size_t last = 0;
    for (std::size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) last = i;
    if (last == 0 || file.size() < 2) return;
    const std::vector<std::uint8_t> scan(file.begin() + static_cast<long>(last), file.end() - 2);
    file.resize(file.size() - 2);
    for (int i = 0; i < repeats; ++i) file.insert(file.end(), scan.begin(), scan.end());
    file.insert(file.end(), {0xFF, 0xD9});
}

void ClaimSize(std::vector<std::uint8_t>& file, int side) {
    for (std::size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC1 || file[i + 1] == 0xC2 ||
                                file[i + 1] == 0xC9 || file[i + 1] == 0xCA)) {
            file[i + 5] = file[i + 7] = static_cast<std::uint8_t>(side >> 8);
            file[i + 6] = file[i + 8] = static_cast<std::uint8_t>(side);
            return;
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    const std::uint8_t flags = data[0];
    Shape s{1 + data[1] % 64,
            1 + data[2] % 64,
            1 + data[3] % 100,
            (flags >> 4) & 3,
            data[4] % 64 == 0 ? data[5] : 0,
            (flags & 1) != 0,
            (flags & 2) != 0,
            (flags & 4) != 0,
            (flags & 8) != 0,
            (flags & 0xC0) == 0xC0 ? 256 * (1 + data[6] % 128) : 0};
    const std::size_t edits = data[7] % 16;
    const std::uint8_t* rest = data + 8;
    std::size_t restSize = size - 8;
    const std::size_t editBytes = std::min(restSize, edits * 3);
    std::vector<std::uint8_t> file = Compress(s, rest + editBytes, restSize - editBytes);
    if (s.repeats) RepeatLastScan(file, s.repeats);
    if (s.hugeSide) ClaimSize(file, s.hugeSide);
    for (std::size_t e = 0; e + 2 < editBytes; e += 3)
        file[(static_cast<std::size_t>(rest[e]) << 8 | rest[e + 1]) % file.size()] = rest[e + 2];
    for (int keep : {static_cast<int>(picture_limits::MaxSide), 16}) {
        try {
            const canvas::Picture picture = jpeg::Decode(file, keep, keep);
            if (!picture_limits::Acceptable(picture.Width(), picture.Height())) std::abort();
        } catch (const PictureReadError&) {}
    }
    return 0;
}
