// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "canvas/Colour.h"

namespace canvas {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right column and bottom row excluded, as in GDI.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The union of two rectangles; an empty one adds nothing. Inline: every
// written span joins the dirty rectangle through it.
inline Rect Union(const Rect& a, const Rect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top, a.right > b.right ? a.right : b.right,
            a.bottom > b.bottom ? a.bottom : b.bottom};
}
// The part of r that lies inside (0, 0)-(width, height).
Rect Clip(const Rect& r, int width, int height);

// v taken round a ring of n positions (n > 0): 0 <= result < n, also for
// negative v.
inline int Wrapped(std::int64_t v, int n) {
    const std::int64_t r = v % n;
    return static_cast<int>(r < 0 ? r + n : r);
}

// A raster of 24-bit colours with a pen colour and a brush colour. Its
// operations are the only code that writes pixels; every one of them clips to
// the raster, so no position, however far outside, is unsafe.
//
// The picture also remembers the rectangle its operations changed since the
// last ClearDirty(), so that a view showing it repaints only that part.
enum class Orientation : std::uint8_t;

class Picture {
public:
    Picture() = default;
    // A new picture is black.
    Picture(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Colour PenColour() const { return pen_; }
    Colour BrushColour() const { return brush_; }
    void SetPenColour(Colour c) { pen_ = c & 0xFFFFFF; }
    void SetBrushColour(Colour c) { brush_ = c & 0xFFFFFF; }

    // Takes the new size and keeps the old pixels at the top-left, cut to the
    // new size; a grown area is black. Negative sizes count as 0.
    void SetSize(int width, int height);

    // Outside the raster: SetPixel changes nothing, GetPixel returns black.
    void SetPixel(int x, int y, Colour c);
    Colour GetPixel(int x, int y) const;

    // Every pixel of r inside the raster takes the brush colour.
    void FillRect(const Rect& r);
    // The one-pixel border of r takes the brush colour (not the pen colour).
    void FrameRect(const Rect& r);
    // A one-pixel line in the pen colour from a towards b, b itself excluded.
    void Polyline(Point a, Point b);
    // Line from the current position to (x, y), end excluded; the current
    // position becomes (x, y).
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // The corners are put in order; the inscribed ellipse gets a one-pixel
    // outline in the pen colour and an interior in the brush colour. Zero
    // width or height draws nothing.
    void Ellipse(int x1, int y1, int x2, int y2);
    // Every pixel of colour `surface` 4-connected to (x, y) takes the brush
    // colour. A start outside the raster, or on a pixel not of colour
    // `surface`, changes nothing; so does a surface of the brush colour.
    void FloodFillSurface(int x, int y, Colour surface);
    // Copies all of src with its top-left corner at (x, y); what falls outside
    // is dropped, uncovered pixels keep their colour.
    void Draw(int x, int y, const Picture& src);
    // Scales all of src to dest by repeating pixels, without blending.
    void StretchDraw(const Rect& dest, const Picture& src);
    // StretchDraw of src as it shows in orientation o (Orientation.h): each
    // target pixel read straight from src, so that no turned copy is made.
    void StretchDrawOriented(const Rect& dest, const Picture& src, Orientation o);
    // Copies srcRect of src to dest of this picture (equal sizes in use;
    // unequal sizes are scaled like StretchDraw).
    void CopyRect(const Rect& dest, const Picture& src, const Rect& srcRect);

    // Wrap-around variants, as if the picture were a torus: what the plain
    // operation would put past one edge lands at the opposite edge instead
    // of being clipped. Shapes more than WrappedExtent pixels across are
    // traced over that many pixels only (no view gives such positions).
    static constexpr std::int64_t WrappedExtent = std::int64_t{1} << 16;
    void PolylineWrapped(Point a, Point b);
    void LineToWrapped(int x, int y);
    void EllipseWrapped(int x1, int y1, int x2, int y2);
    // 4-connected across the edges too: the left column touches the right
    // one and the top row the bottom one.
    void FloodFillSurfaceWrapped(int x, int y, Colour surface);
    // src (of this picture's size or smaller) rotated by (x, y): every pixel
    // moves x right and y down, and what leaves one edge comes in at the
    // opposite one.
    void DrawWrapped(int x, int y, const Picture& src);

    // Whole rows, for codecs and for showing the picture on screen.
    std::span<const Colour> Row(int y) const;
    // Replaces row y from the left with `pixels` (cut to the width).
    void SetRow(int y, std::span<const Colour> pixels);

    // What changed since the last ClearDirty(); a size change marks all.
    Rect Dirty() const { return dirty_; }
    void ClearDirty() { dirty_ = Rect{}; }

    friend bool operator==(const Picture& a, const Picture& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }

private:
    // A rectangle in 64-bit coordinates, so that sums and differences of any
    // two int positions stay exact before they are clipped.
    struct Area {
        std::int64_t left, top, right, bottom;
    };

    void MarkDirty(const Rect& r) { dirty_ = Union(dirty_, r); }
    Colour* RowPtr(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Colour* RowPtr(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    // The one writer of spans: columns x0..x1-1 of row y take colour c, cut to
    // the raster, and the written part joins the dirty rectangle.
    void WriteSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c);
    // The span writer of the wrap-around variants: the row and the columns
    // are taken round the picture; a span as wide as the picture fills the row.
    void WriteSpanWrapped(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour c);
    // The scanline fill of both flood fills; Neighbours says which column
    // and row lie next to a pixel (FloodFill.cpp).
    template <class Neighbours>
    void ScanlineFill(int x, int y, Colour surface);
    // Copies srcArea of src onto dest of this picture, repeating pixels when
    // the sizes differ; source positions outside src leave their target as is.
    void CopyScaled(const Area& dest, const Picture& src, const Area& srcArea);

    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
    Colour pen_ = Black;
    Colour brush_ = White;
    Point position_;
    Rect dirty_;
};

}  // namespace canvas
