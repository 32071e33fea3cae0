#include "ui/PicturePreview.h"

#include <algorithm>
#include <exception>

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "io/PictureFile.h"
#include "ui/PictureImage.h"

namespace ui {

namespace {

constexpr int PreviewEdge = 160;

// A picture that fits is enlarged by a whole factor, so that every pixel
// becomes a square block of the same size (a chip stays readable); a larger
// one is shrunk smoothly to fit.
QImage FittedImage(const QImage& image, const QSize& room) {
    const int factor = std::min(room.width() / image.width(), room.height() / image.height());
    if (factor >= 1) return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void ShowPreview(QLabel& picture, QLabel& size, const QString& path) {
    picture.clear();
    size.clear();
    if (!QFileInfo(path).isFile()) return;
    QImage image;
    try {
        image = ImageOfPicture(LoadPictureFile(path.toStdString()));
    } catch (const std::exception&) {
        return;  // not a picture we can read: the preview stays empty
    }
    if (image.isNull()) return;
    picture.setPixmap(QPixmap::fromImage(FittedImage(image, picture.contentsRect().size())));
    size.setText(QStringLiteral("%1 × %2").arg(image.width()).arg(image.height()));
}

}  // namespace

QLabel* AddPicturePreview(QFileDialog& dialog) {
    auto* box = new QWidget(&dialog);
    auto* picture = new QLabel(box);
    picture->setObjectName("preview");
    picture->setFixedSize(PreviewEdge, PreviewEdge);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setAlignment(Qt::AlignCenter);
    auto* size = new QLabel(box);
    size->setObjectName("previewSize");
    size->setAlignment(Qt::AlignCenter);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(picture);
    column->addWidget(size);
    column->addStretch();
    // The non-native dialog lays its file list out in row 1 of a grid; the
    // preview takes a new column beside it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(box, 1, grid->columnCount());
    QObject::connect(&dialog, &QFileDialog::currentChanged, picture,
                     [picture, size](const QString& path) { ShowPreview(*picture, *size, path); });
    return picture;
}

}  // namespace ui
