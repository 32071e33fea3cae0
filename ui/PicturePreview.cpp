// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PicturePreview.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QThreadPool>
#include <QVBoxLayout>

#include "io/PictureFile.h"
#include "ui/PictureImage.h"

namespace ui {

namespace {

constexpr int PreviewEdge = 160;
// Pictures are decoded at up to twice the preview's size (libjpeg's scaled
// decoding, BMP rows skipped) and then shrunk smoothly to fit.
constexpr int DecodedEdge = 2 * PreviewEdge;
// Every file is decoded away from the event loop: a small file may still
// be a costly picture (an interlaced PNG of millions of pixels takes
// seconds). The window waits this long for it, so that a picture that
// decodes at once shows without a blank moment, and no longer.
constexpr auto WaitedFor = std::chrono::milliseconds(100);

// A picture that fits is enlarged by a whole factor, so that every pixel
// becomes a square block of the same size (a chip stays readable); a larger
// one is shrunk smoothly to fit.
QImage FittedImage(const QImage& image, const QSize& room) {
    const int factor = std::min(room.width() / image.width(), room.height() / image.height());
    if (factor >= 1) return image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A decoded preview: the picture reduced, with the whole picture's size;
// a null image when the file can't be read.
struct Decoded {
    QImage image;
    int width = 0, height = 0;
};

Decoded Decode(const QString& path) {
    Decoded d;
    try {
        const ReducedPicture reduced = LoadReducedPicture(path.toStdString(), DecodedEdge);
        d.image = ImageOfPicture(reduced.picture);
        d.width = reduced.width;
        d.height = reduced.height;
    } catch (const std::exception&) {
        // not a picture we can read: the preview stays empty
    }
    return d;
}

// The preview beside a dialog's file list: follows the current file, and
// shows the one the dialog opens on.
class Preview : public QObject {
public:
    Preview(QFileDialog& dialog, QLabel& picture, QLabel& size)
        : QObject(&dialog), dialog_(dialog), picture_(&picture), size_(&size) {
        dialog.installEventFilter(this);
        QObject::connect(&dialog, &QFileDialog::currentChanged, this, [this](const QString& path) { Show(path); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A dialog that reopens on the file chosen last time shows it.
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            const QStringList selected = dialog_.selectedFiles();
            Show(selected.isEmpty() ? QString() : selected.first());
        }
        return false;
    }

private:
    void Show(const QString& path) {
        const int request = ++requests_;
        picture_->clear();
        size_->clear();
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile()) return;
        // Results arrive on the event loop through the application object,
        // which outlives every dialog; a preview gone or moved on drops them.
        QPointer<Preview> self(this);
        auto job = std::make_shared<Job>();
        QThreadPool::globalInstance()->start([self, request, path, job] {
            Decoded d = Decode(path);
            {
                const std::lock_guard lock(job->mutex);
                job->result = d;
                job->done = true;
            }
            job->finished.notify_one();
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, request, d = std::move(d)] {
                    if (self) self->Put(request, d);
                },
                Qt::QueuedConnection);
        });
        std::unique_lock lock(job->mutex);
        if (job->finished.wait_for(lock, WaitedFor, [&] { return job->done; })) Put(request, job->result);
    }

    // A decode on its way: the window waits for it a moment.
    struct Job {
        std::mutex mutex;
        std::condition_variable finished;
        bool done = false;
        Decoded result;
    };

    void Put(int request, const Decoded& d) {
        if (request != requests_ || d.image.isNull() || !picture_ || !size_) return;
        picture_->setPixmap(QPixmap::fromImage(FittedImage(d.image, picture_->contentsRect().size())));
        size_->setText(QStringLiteral("%1 × %2").arg(d.width).arg(d.height));
    }

    QFileDialog& dialog_;
    QPointer<QLabel> picture_;
    QPointer<QLabel> size_;
    int requests_ = 0;
};

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
    new Preview(dialog, *picture, *size);
    return picture;
}

}  // namespace ui
