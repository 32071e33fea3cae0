// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <spng.h>

#include <array>
#include <cstdint>
#include <string>

#include "formats/PictureReadError.h"

namespace png {

// An indexed picture's table with its alpha, turning rows of indices (1, 2,
// 4 or 8 bits, as the file stores them) into RGBA rows. An index past the
// table is no colour: the file is refused, as the BMP reader refuses one.
class Palette {
public:
    Palette(const spng_plte& plte, const spng_trns* trns, int depth) : entries_(plte.n_entries), depth_(depth) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            const spng_plte_entry& e = plte.entries[i < plte.n_entries ? i : 0];
            const std::uint8_t alpha = trns && i < trns->n_type3_entries ? trns->type3_alpha[i] : 255;
            rgba_[i] = {e.red, e.green, e.blue, alpha};
        }
    }

    // Some indices the pixels can hold name no entry.
    bool Short() const { return entries_ < (1u << depth_); }

    // The pixels from `first` on, `step` apart, of a row `width` wide; the
    // others of `out` stay as they were.
    void Expand(const std::uint8_t* indices, std::uint8_t* out, int width, int first, int step) const {
        const int perByte = 8 / depth_;
        const unsigned mask = (1u << depth_) - 1;
        for (int x = first; x < width; x += step) {
            const unsigned shift = static_cast<unsigned>(8 - depth_ * (x % perByte + 1));
            const unsigned index = static_cast<unsigned>(indices[x / perByte] >> shift) & mask;
            if (index >= entries_)
                throw PictureReadError("PNG: palette index " + std::to_string(index) + " past the table of " +
                                       std::to_string(entries_));
            const auto& c = rgba_[index];
            std::copy(c.begin(), c.end(), out + 4 * static_cast<std::size_t>(x));
        }
    }

private:
    std::array<std::array<std::uint8_t, 4>, 256> rgba_{};
    std::uint32_t entries_;
    int depth_;
};

}  // namespace png
