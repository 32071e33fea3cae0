#include "ui/PictureImage.h"

#include <algorithm>
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
