#include "ui/PicturePreview.h"

#include <exception>

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "io/PictureFile.h"
#include "ui/PictureImage.h"

namespace ui {

namespace {

constexpr int PreviewEdge = 160;

void ShowPreview(QLabel& label, const QString& path) {
    label.clear();
    if (!QFileInfo(path).isFile()) return;
    QImage image;
    try {
        image = ImageOfPicture(LoadPictureFile(path.toStdString()));
    } catch (const std::exception&) {
        return;  // not a picture we can read: the preview stays empty
    }
    if (image.isNull()) return;
    const QSize room = label.contentsRect().size();
    // Enlarged pixels stay sharp; a large sheet is shrunk smoothly.
    const bool enlarging = image.width() <= room.width() && image.height() <= room.height();
    label.setPixmap(QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio,
                                                    enlarging ? Qt::FastTransformation : Qt::SmoothTransformation)));
}

}  // namespace

QLabel* AddPicturePreview(QFileDialog& dialog) {
    auto* label = new QLabel(&dialog);
    label->setObjectName("preview");
    label->setFixedSize(PreviewEdge, PreviewEdge);
    label->setFrameShape(QFrame::StyledPanel);
    label->setAlignment(Qt::AlignCenter);
    // The non-native dialog lays its file list out in row 1 of a grid; the
    // preview takes a new column beside it.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(label, 1, grid->columnCount(), Qt::AlignTop);
    QObject::connect(&dialog, &QFileDialog::currentChanged, label,
                     [label](const QString& path) { ShowPreview(*label, path); });
    return label;
}

}  // namespace ui
