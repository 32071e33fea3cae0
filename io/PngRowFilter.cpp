#include "io/PngRowFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace png {
namespace {

// |r| of the residual r taken as a signed byte.
inline std::int16_t Magnitude(int r) { return static_cast<std::int16_t>(128 - std::abs(128 - (r & 0xFF))); }

// The residuals' magnitudes of the five filters over bytes [from, to) of the
// row x below b, bpp bytes a pixel, added to sums. Branch-free in 16-bit
// lanes with 16-bit sums (at most 255 bytes of at most 128 each), so that the
// compiler runs the loop on vectors: on picture rows a branching Paeth
// predictor mispredicts at every other byte.
void AddSpan(const std::uint8_t* x, const std::uint8_t* b, std::size_t from, std::size_t to, std::size_t bpp,
             int (&sums)[5]) {
    std::uint16_t none = 0, sub = 0, up = 0, average = 0, paeth = 0;
    for (std::size_t i = from; i < to; ++i) {
        const std::int16_t xi = x[i], a = x[i - bpp], bi = b[i], c = b[i - bpp];
        const std::int16_t pa = static_cast<std::int16_t>(std::abs(bi - c));
        const std::int16_t pb = static_cast<std::int16_t>(std::abs(a - c));
        const std::int16_t pc = static_cast<std::int16_t>(std::abs(a + bi - 2 * c));
        const std::int16_t predicted = pa <= pb && pa <= pc ? a : pb <= pc ? bi : c;
        none = static_cast<std::uint16_t>(none + Magnitude(xi));
        sub = static_cast<std::uint16_t>(sub + Magnitude(xi - a));
        up = static_cast<std::uint16_t>(up + Magnitude(xi - bi));
        average = static_cast<std::uint16_t>(average + Magnitude(xi - ((a + bi) >> 1)));
        paeth = static_cast<std::uint16_t>(paeth + Magnitude(xi - predicted));
    }
    sums[0] += none, sums[1] += sub, sums[2] += up, sums[3] += average, sums[4] += paeth;
}

}  // namespace

int BestRowFilter(std::span<const std::uint8_t> row, std::span<const std::uint8_t> previous, int bytesPerPixel) {
    const std::size_t n = row.size(), bpp = std::min(static_cast<std::size_t>(bytesPerPixel), n);
    const std::uint8_t* x = row.data();
    const std::uint8_t* b = previous.data();
    int sums[5] = {};
    // The first pixel has nothing on its left: a and c are 0, so the Paeth
    // predictor is b.
    for (std::size_t i = 0; i < bpp; ++i) {
        sums[0] += Magnitude(x[i]);
        sums[1] += Magnitude(x[i]);
        sums[2] += Magnitude(x[i] - b[i]);
        sums[3] += Magnitude(x[i] - (b[i] >> 1));
        sums[4] += Magnitude(x[i] - b[i]);
    }
    for (std::size_t from = bpp; from < n; from += 255) AddSpan(x, b, from, std::min(n, from + 255), bpp, sums);
    return static_cast<int>(std::min_element(sums, sums + 5) - sums);
}

}  // namespace png
