// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace ui {

namespace {

// Red and blue change places; written on the whole word so that the loops
// below are vectorised.
QRgb RgbOfColour(canvas::Colour c) { return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }

}  // namespace

QRect QRectOf(const canvas::Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

void CopyPictureArea(const canvas::Picture& picture, const QRect& area, QImage& image) {
    const QRect part = area.intersected(QRect(0, 0, picture.Width(), picture.Height())).intersected(image.rect());
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const canvas::Colour* from = picture.Row(y).data();
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = part.left(); x <= part.right(); ++x) line[x] = RgbOfColour(from[x]);
    }
}

void CopyPictureAreaScaled(const canvas::Picture& picture, const QRect& area, QImage& image, int scale) {
    if (scale == 1) return CopyPictureArea(picture, area, image);
    const QRect part = area.intersected(QRect(0, 0, picture.Width(), picture.Height()))
                           .intersected(QRect(0, 0, image.width() / scale, image.height() / scale));
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const canvas::Colour* from = picture.Row(y).data() + part.left();
        auto* first = reinterpret_cast<QRgb*>(image.scanLine(y * scale)) + part.left() * scale;
        QRgb* to = first;
        for (int x = 0; x < part.width(); ++x, to += scale) {
            const QRgb rgb = RgbOfColour(from[x]);
            for (int i = 0; i < scale; ++i) to[i] = rgb;
        }
        // The other rows of the block repeat the first.
        const std::size_t bytes = static_cast<std::size_t>(part.width() * scale) * sizeof(QRgb);
        for (int r = 1; r < scale; ++r)
            std::memcpy(reinterpret_cast<QRgb*>(image.scanLine(y * scale + r)) + part.left() * scale, first, bytes);
    }
}

int PictureCoordinateOf(int device, double factor) {
    // By the device pixel's centre; a hair more, so that a centre on a span's
    // edge counts to the span it starts even where the factor is not exact
    // in binary.
    return static_cast<int>(std::floor((device + 0.5) / factor + 1e-9));
}

int FirstDeviceCoordinateOf(int picture, double factor) {
    int d = static_cast<int>(std::ceil(picture * factor - 0.5));
    while (PictureCoordinateOf(d - 1, factor) >= picture) --d;
    while (PictureCoordinateOf(d, factor) < picture) ++d;
    return d;
}

void CopyPictureAreaResampled(const canvas::Picture& picture, const QRect& area, QImage& image, double factor) {
    const QRect part = area.intersected(QRect(0, 0, picture.Width(), picture.Height()));
    if (part.isEmpty()) return;
    const int left = FirstDeviceCoordinateOf(part.left(), factor);
    const int right = std::min(FirstDeviceCoordinateOf(part.right() + 1, factor), image.width());
    if (left >= right) return;
    const std::size_t bytes = static_cast<std::size_t>(right - left) * sizeof(QRgb);
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const int top = FirstDeviceCoordinateOf(y, factor);
        const int bottom = std::min(FirstDeviceCoordinateOf(y + 1, factor), image.height());
        if (top >= bottom) continue;
        const canvas::Colour* from = picture.Row(y).data();
        auto* first = reinterpret_cast<QRgb*>(image.scanLine(top));
        for (int d = left; d < right; ++d) first[d] = RgbOfColour(from[PictureCoordinateOf(d, factor)]);
        for (int r = top + 1; r < bottom; ++r)
            std::memcpy(reinterpret_cast<QRgb*>(image.scanLine(r)) + left, first + left, bytes);
    }
}

QImage ImageOfPicture(const canvas::Picture& picture) {
    if (picture.IsEmpty()) return QImage();
    QImage image(picture.Width(), picture.Height(), QImage::Format_RGB32);
    CopyPictureArea(picture, image.rect(), image);
    return image;
}

canvas::Picture PictureOfImage(const QImage& image) {
    if (image.isNull()) return canvas::Picture();
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    canvas::Picture picture(rgb.width(), rgb.height());
    std::vector<canvas::Colour> row(static_cast<std::size_t>(rgb.width()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            row[static_cast<std::size_t>(x)] = canvas::Rgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
        picture.SetRow(y, row);
    }
    return picture;
}

}  // namespace ui
