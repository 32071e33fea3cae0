// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PngRowFilter.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Bytewise: where `mask` is set, t, elsewhere e.
inline __m128i Choose(__m128i mask, __m128i t, __m128i e) {
    return _mm_or_si128(_mm_and_si128(mask, t), _mm_andnot_si128(mask, e));
}

// The five sums over whole 16-byte blocks from `from` on, in byte lanes: a
// residual's magnitude is the smaller of it and its negation as unsigned
// bytes, and psadbw adds sixteen of them at once. Returns where the blocks
// end.
std::size_t AddAllOnVectors(const std::uint8_t* x, const std::uint8_t* b, std::size_t from, std::size_t to,
                            std::size_t bpp, int (&sums)[5]) {
    const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi8(1);
    const auto magnitudes = [&](__m128i r) { return _mm_sad_epu8(_mm_min_epu8(r, _mm_sub_epi8(zero, r)), zero); };
    __m128i none = zero, sub = zero, up = zero, average = zero, paeth = zero;
    std::size_t i = from;
    for (; i + 16 <= to; i += 16) {
        const __m128i xi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i));
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + i - bpp));
        const __m128i bi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        // (a + b) >> 1: the rounded-up mean less the dropped half.
        const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(a, bi), _mm_and_si128(_mm_xor_si128(a, bi), one));
        // Paeth in byte lanes: pa = |b - c| and pb = |a - c| fit a byte;
        // pc = |(b - c) + (a - c)| is their sum where both differences have
        // the same sign (saturated at 255, which keeps every comparison
        // with pa and pb right, as pc >= both then) and their difference
        // otherwise.
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i - bpp));
        const __m128i pa = _mm_or_si128(_mm_subs_epu8(bi, c), _mm_subs_epu8(c, bi));
        const __m128i pb = _mm_or_si128(_mm_subs_epu8(a, c), _mm_subs_epu8(c, a));
        const __m128i bAtLeastC = _mm_cmpeq_epi8(_mm_max_epu8(bi, c), bi);
        const __m128i aAtLeastC = _mm_cmpeq_epi8(_mm_max_epu8(a, c), a);
        const __m128i sameSign = _mm_cmpeq_epi8(bAtLeastC, aAtLeastC);
        const __m128i apart = _mm_or_si128(_mm_subs_epu8(pa, pb), _mm_subs_epu8(pb, pa));
        const __m128i pc = Choose(sameSign, _mm_adds_epu8(pa, pb), apart);
        const __m128i paSmallest =
            _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(pa, pb), pa), _mm_cmpeq_epi8(_mm_min_epu8(pa, pc), pa));
        const __m128i pbNotAbovePc = _mm_cmpeq_epi8(_mm_min_epu8(pb, pc), pb);
        const __m128i predicted = Choose(paSmallest, a, Choose(pbNotAbovePc, bi, c));
        paeth = _mm_add_epi64(paeth, magnitudes(_mm_sub_epi8(xi, predicted)));
        none = _mm_add_epi64(none, magnitudes(xi));
        sub = _mm_add_epi64(sub, magnitudes(_mm_sub_epi8(xi, a)));
        up = _mm_add_epi64(up, magnitudes(_mm_sub_epi8(xi, bi)));
        average = _mm_add_epi64(average, magnitudes(_mm_sub_epi8(xi, mean)));
    }
    const auto total = [](__m128i v) {
        return static_cast<int>(_mm_cvtsi128_si32(v) + _mm_cvtsi128_si32(_mm_unpackhi_epi64(v, v)));
    };
    sums[0] += total(none), sums[1] += total(sub), sums[2] += total(up), sums[3] += total(average);
    sums[4] += total(paeth);
    return i;
}
#endif

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
#if defined(__SSE2__)
    // Whole blocks on byte vectors, the last bytes the plain way.
    const std::size_t end = AddAllOnVectors(x, b, bpp, n, bpp, sums);
    if (end < n) AddSpan(x, b, end, n, bpp, sums);
#else
    for (std::size_t from = bpp; from < n; from += 255) AddSpan(x, b, from, std::min(n, from + 255), bpp, sums);
#endif
    return static_cast<int>(std::min_element(sums, sums + 5) - sums);
}

}  // namespace png
