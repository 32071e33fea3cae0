#include "ui/ApplicationIcon.h"

namespace ui {

QIcon ApplicationIcon() {
    // The drawn sizes rather than one scaled picture: the small ones are
    // drawn for their size and stay sharp.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/org.example.tessaro.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace ui
