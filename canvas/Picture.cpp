// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "canvas/Picture.h"

namespace canvas {

Picture::Picture(int width, int height) { SetSize(width, height); }

void Picture::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) {
        width_ = width;
        height_ = height;
        pixels_.clear();
        dirty_ = Rect{};
        return;
    }
    if (width != width_) {
        // Every pixel written once: the kept part copied, the rest black.
        std::vector<Colour> grown;
        grown.reserve(static_cast<std::size_t>(width) * height);
        const int keepW = std::min(width, width_);
        const int keepH = std::min(height, height_);
        for (int y = 0; y < keepH; ++y) {
            grown.insert(grown.end(), RowPtr(y), RowPtr(y) + keepW);
            grown.insert(grown.end(), static_cast<std::size_t>(width - keepW), Black);
        }
        grown.resize(static_cast<std::size_t>(width) * height, Black);
        pixels_.swap(grown);
    } else {
        // Same row length: the kept rows are already in place.
        pixels_.resize(static_cast<std::size_t>(width) * height, Black);
    }
    width_ = width;
    height_ = height;
    dirty_ = Rect{0, 0, width_, height_};
}

void Picture::SetPixel(int x, int y, Colour c) {
    if (!Contains(x, y)) return;
    RowPtr(y)[x] = c & 0xFFFFFF;
    MarkDirty(Rect{x, y, x + 1, y + 1});
}

Colour Picture::GetPixel(int x, int y) const { return Contains(x, y) ? RowPtr(y)[x] : Black; }

void Picture::WriteSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c) {
    if (y < 0 || y >= height_) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, width_);
    if (x0 >= x1) return;
    const int row = static_cast<int>(y);
    std::fill(RowPtr(row) + x0, RowPtr(row) + x1, c);
    MarkDirty(Rect{static_cast<int>(x0), row, static_cast<int>(x1), row + 1});
}

void Picture::FillRect(const Rect& r) {
    const Rect c = Clip(r, width_, height_);
    if (c.IsEmpty()) return;
    if (c.left == 0 && c.right == width_) {
        // Whole rows are one contiguous run.
        std::fill(RowPtr(c.top), RowPtr(c.bottom - 1) + width_, brush_);
    } else {
        for (int y = c.top; y < c.bottom; ++y) std::fill(RowPtr(y) + c.left, RowPtr(y) + c.right, brush_);
    }
    MarkDirty(c);
}

void Picture::FrameRect(const Rect& r) {
    if (r.IsEmpty()) return;
    const std::int64_t left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    WriteSpan(top, left, right, brush_);
    WriteSpan(bottom - 1, left, right, brush_);
    const std::int64_t from = std::max<std::int64_t>(top + 1, 0);
    const std::int64_t to = std::min<std::int64_t>(bottom - 1, height_);
    for (std::int64_t y = from; y < to; ++y) {
        WriteSpan(y, left, left + 1, brush_);
        WriteSpan(y, right - 1, right, brush_);
    }
}

std::span<const Colour> Picture::Row(int y) const {
    if (y < 0 || y >= height_) return {};
    return {RowPtr(y), static_cast<std::size_t>(width_)};
}

void Picture::SetRow(int y, std::span<const Colour> pixels) {
    if (y < 0 || y >= height_) return;
    const int n = static_cast<int>(std::min<std::size_t>(pixels.size(), static_cast<std::size_t>(width_)));
    if (n == 0) return;
    Colour* row = RowPtr(y);
    for (int x = 0; x < n; ++x) row[x] = pixels[x] & 0xFFFFFF;
    MarkDirty(Rect{0, y, n, y + 1});
}

}  // namespace canvas
