#include "io/PngRowFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace png {
namespace {

// |r| of the residual r taken as a signed byte.
inline int Magnitude(int r) { return 128 - std::abs(128 - (r & 0xFF)); }

struct Sums {
    int of[5] = {};

    // x with its left neighbour a, upper neighbour b and upper-left one c.
    // Branch-free, so that the compiler runs the loop below on vectors: on
    // picture rows a branching Paeth predictor mispredicts at every other
    // byte.
    void Add(int x, int a, int b, int c) {
        const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
        const int paeth = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
        of[0] += Magnitude(x);
        of[1] += Magnitude(x - a);
        of[2] += Magnitude(x - b);
        of[3] += Magnitude(x - ((a + b) >> 1));
        of[4] += Magnitude(x - paeth);
    }
};

}  // namespace

int BestRowFilter(std::span<const std::uint8_t> row, std::span<const std::uint8_t> previous, int bytesPerPixel) {
    const std::size_t n = row.size(), bpp = std::min(static_cast<std::size_t>(bytesPerPixel), n);
    const std::uint8_t* x = row.data();
    const std::uint8_t* b = previous.data();
    Sums sums;
    // The first pixel has nothing on its left.
    for (std::size_t i = 0; i < bpp; ++i) sums.Add(x[i], 0, b[i], 0);
    Sums rest;
    for (std::size_t i = bpp; i < n; ++i) rest.Add(x[i], x[i - bpp], b[i], b[i - bpp]);
    for (int f = 0; f < 5; ++f) sums.of[f] += rest.of[f];
    return static_cast<int>(std::min_element(sums.of, sums.of + 5) - sums.of);
}

}  // namespace png
