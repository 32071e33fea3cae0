// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ApplicationIcon.h"

#include <algorithm>
#include <iterator>

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace ui {

namespace {

// The sizes drawn for the icon (data/icons), smallest first.
constexpr int DrawnSizes[] = {16, 32, 48, 64, 128, 256};

QString DrawnFile(int size) { return QStringLiteral(":/icons/hicolor/%1x%1/apps/org.example.tessaro.png").arg(size); }

// Reads a drawn size only when a picture of the icon is asked for, and keeps
// nothing: the window system copies the pictures it is given, and Qt's own
// engine would decode every size at start-up, probing every image plug-in for
// the format, and keep them all for the life of the program.
class DrawnSizesEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // The smallest drawn size that covers the request, else the largest;
        // the small sizes are drawn for their size and stay sharp.
        int chosen = DrawnSizes[std::size(DrawnSizes) - 1];
        for (int drawn : DrawnSizes)
            if (drawn >= size.width() && drawn >= size.height()) {
                chosen = drawn;
                break;
            }
        QPixmap picture(DrawnFile(chosen), "PNG");
        if (picture.size() != size) picture = picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return picture;
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min({size.width(), size.height(), DrawnSizes[std::size(DrawnSizes) - 1]});
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int drawn : DrawnSizes) sizes.append(QSize(drawn, drawn));
        return sizes;
    }
    QIconEngine* clone() const override { return new DrawnSizesEngine; }
    QString key() const override { return QStringLiteral("TessaroDrawnSizes"); }
};

}  // namespace

QIcon ApplicationIcon() { return QIcon(new DrawnSizesEngine); }

}  // namespace ui
