// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTreeView>
#include <QUrl>

#include "ui/AnimationDialog.h"
#include "ui/ApplicationIcon.h"
#include "ui/AutotileDialog.h"
#include "ui/BoardSizeDialog.h"
#include "ui/Language.h"
#include "ui/MenuBuilder.h"
#include "ui/NewSheetDialog.h"
#include "ui/PictureImage.h"
#include "ui/PicturePreview.h"

namespace ui {

QStringList NameFiltersOf(const std::string& windowsFilter) {
    const QStringList parts = QString::fromStdString(windowsFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file there, names without a dot included. Qt
        // would also take its "*" for an extension and, in a save dialog,
        // turn a typed "map.bmp" into "map.*" when this filter is chosen.
        for (QString& pattern : patterns)
            if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
        // The dialog hides the parenthesised patterns of this form, so the
        // user reads the text alone.
        filters << parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

namespace {

QFileDialog* MakeFileDialog(QWidget* parent, QFileDialog::AcceptMode mode) {
    auto* dialog = new QFileDialog(parent);
    // Qt's own dialog on every system: it can hold the preview and be driven
    // alike everywhere.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(mode);
    // The list's columns show the whole size, type and date of a file; the
    // name takes the rest of the width.
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    return dialog;
}

QFileDialog* MakePictureDialog(QWidget* parent, QFileDialog::AcceptMode mode, const char* filter) {
    QFileDialog* dialog = MakeFileDialog(parent, mode);
    dialog->setObjectName(mode == QFileDialog::AcceptOpen ? "BMPLoadDialog" : "BMPSaveDialog");
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters = NameFiltersOf(QtPlatform::Shown(filter));
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.first());
    dialog->setDefaultSuffix(QStringLiteral("bmp"));
    // Choosing the PNG entry makes a name typed without an extension a PNG
    // file; every other entry keeps the bitmap's extension.
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString& filter) {
        dialog->setDefaultSuffix(filter.startsWith(QLatin1String("PNG")) ? QStringLiteral("png")
                                                                         : QStringLiteral("bmp"));
    });
    AddPicturePreview(*dialog);
    // Room for the preview beside the file list.
    dialog->resize(dialog->sizeHint().expandedTo(QSize(820, 440)));
    return dialog;
}

}  // namespace

QtPlatform::QtPlatform(PlatformHost& host) : host_(host) {}

std::string QtPlatform::Shown(const char* text) { return Translated("QtPlatform", text); }

void QtPlatform::ShowLanguage(bool english) {
    UseEnglish(english);
    // The kept dialogs are made anew in the new language; the folders they
    // were left in are kept apart from them.
    for (QWidget* dialog : std::initializer_list<QWidget*>{openDialog_, saveDialog_, numberedDialog_, colourDialog_,
                                                           mapOpenDialog_, mapSaveDialog_})
        delete dialog;
    host_.Retranslate();
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::ShowMessage(const std::string& text) { ShowPlainBox(text, QIcon()); }

void QtPlatform::ShowAbout(const std::string& text) { ShowPlainBox(text, ApplicationIcon()); }

void QtPlatform::ShowPlainBox(const std::string& text, const QIcon& icon) {
    host_.ShowChanges();
    if (messageAnswerer) {
        messageAnswerer(false, text);
        return;
    }
    QMessageBox box(host_.DialogParent());
    box.setWindowTitle(QApplication::applicationName());
    box.setText(QString::fromStdString(text));
    if (icon.isNull())
        box.setIcon(QMessageBox::NoIcon);
    else
        box.setIconPixmap(icon.pixmap(48, 48));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

bool QtPlatform::AskQuestion(const std::string& text) {
    host_.ShowChanges();
    if (messageAnswerer) return messageAnswerer(true, text);
    QMessageBox box(host_.DialogParent());
    box.setWindowTitle(QString::fromStdString(Shown(QuestionTitle)));
    box.setText(QString::fromStdString(text));
    box.setIcon(QMessageBox::Warning);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QString::fromStdString(Shown(CancelText)), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    // Closing the box counts as the cancel button.
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

// The text as rich text in which a line that names a file (in quotes) is
// never broken: the box grows to hold it instead.
static QString WithUnbrokenNames(const std::string& text) {
    QString html;
    for (const QString& line : QString::fromStdString(text).split(QLatin1Char('\n'))) {
        const char* style = line.contains(QLatin1Char('"')) ? "white-space:pre" : "white-space:normal";
        html += QStringLiteral("<p style=\"margin:0; %1\">%2</p>").arg(QLatin1String(style), line.toHtmlEscaped());
    }
    return html;
}

Platform::RestoreAnswer QtPlatform::AskRestore(const std::string& text) {
    host_.ShowChanges();
    if (messageAnswerer) return messageAnswerer(true, text) ? RestoreAnswer::Restore : RestoreAnswer::Later;
    QMessageBox box(host_.DialogParent());
    box.setWindowTitle(QString::fromStdString(Shown(QuestionTitle)));
    box.setTextFormat(Qt::RichText);
    box.setText(WithUnbrokenNames(text));
    box.setIcon(QMessageBox::Question);
    QPushButton* restore = box.addButton(QString::fromStdString(Shown(RestoreText)), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QString::fromStdString(Shown(DiscardText)), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QString::fromStdString(Shown(LaterText)), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    // Closing the box decides nothing: the copy stays for a later start.
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore) return RestoreAnswer::Restore;
    if (box.clickedButton() == discard) return RestoreAnswer::Discard;
    return RestoreAnswer::Later;
}

QFileDialog& QtPlatform::OpenDialog() {
    if (!openDialog_) openDialog_ = MakePictureDialog(host_.DialogParent(), QFileDialog::AcceptOpen, LoadFilter);
    return *openDialog_;
}

QFileDialog& QtPlatform::SaveDialog() {
    if (!saveDialog_) saveDialog_ = MakePictureDialog(host_.DialogParent(), QFileDialog::AcceptSave, SaveFilter);
    return *saveDialog_;
}

QFileDialog& QtPlatform::NumberedDialog() {
    if (!numberedDialog_) {
        numberedDialog_ = MakeFileDialog(host_.DialogParent(), QFileDialog::AcceptSave);
        numberedDialog_->setObjectName("SaveDialog");
        numberedDialog_->setWindowTitle(QString::fromStdString(Shown(NumberedSaveTitle)));
        numberedDialog_->setFileMode(QFileDialog::AnyFile);
        // The editor asks once itself about existing numbered files.
        numberedDialog_->setOption(QFileDialog::DontConfirmOverwrite);
    }
    return *numberedDialog_;
}

QColorDialog& QtPlatform::ColourPicker() {
    if (!colourDialog_) {
        colourDialog_ = new QColorDialog(host_.DialogParent());
        colourDialog_->setObjectName("ColorDialog1");
        colourDialog_->setOption(QColorDialog::DontUseNativeDialog);
        colourDialog_->setOption(QColorDialog::ShowAlphaChannel, false);
    }
    return *colourDialog_;
}

std::optional<std::string> QtPlatform::RunFileDialog(QFileDialog& dialog, QString& lastPath) {
    host_.ShowChanges();
    if (!lastPath.isEmpty()) dialog.selectFile(lastPath);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    lastPath = files.first();
    return lastPath.toStdString();
}

std::optional<std::string> QtPlatform::PictureOpenDialog() { return RunFileDialog(OpenDialog(), lastOpenPath_); }

std::optional<std::string> QtPlatform::PictureSaveDialog() { return RunFileDialog(SaveDialog(), lastSavePath_); }

std::optional<std::string> QtPlatform::NumberedSaveDialog() {
    return RunFileDialog(NumberedDialog(), lastNumberedPath_);
}

std::optional<canvas::Colour> QtPlatform::ColourDialog(std::optional<canvas::Colour> start) {
    host_.ShowChanges();
    QColorDialog& dialog = ColourPicker();
    // Without a start, opens with the colour last chosen, not whatever a
    // cancelled visit left.
    dialog.setCurrentColor(start ? QColor(canvas::RedOf(*start), canvas::GreenOf(*start), canvas::BlueOf(*start))
                                 : lastColour_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return std::nullopt;
    lastColour_ = chosen.toRgb();
    return canvas::Rgb(lastColour_.red(), lastColour_.green(), lastColour_.blue());
}

QFileDialog& QtPlatform::MapDialog(bool save) {
    QPointer<QFileDialog>& dialog = save ? mapSaveDialog_ : mapOpenDialog_;
    if (!dialog) {
        dialog = MakeFileDialog(host_.DialogParent(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog->setObjectName(save ? "MapSaveDialog" : "MapOpenDialog");
        dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        // The filter's text names its pattern already.
        dialog->setOption(QFileDialog::HideNameFilterDetails);
        dialog->setNameFilters(NameFiltersOf(Shown(MapFilter)));
        dialog->setDefaultSuffix(QStringLiteral("tmx"));
    }
    return *dialog;
}

std::optional<std::string> QtPlatform::MapOpenDialog() { return RunFileDialog(MapDialog(false), lastMapPath_); }

std::optional<std::string> QtPlatform::MapSaveDialog() { return RunFileDialog(MapDialog(true), lastMapPath_); }

QFileDialog& QtPlatform::PaletteDialog(bool save) {
    QPointer<QFileDialog>& dialog = save ? paletteSaveDialog_ : paletteOpenDialog_;
    if (!dialog) {
        dialog = MakeFileDialog(host_.DialogParent(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog->setObjectName(save ? "PaletteSaveDialog" : "PaletteOpenDialog");
        dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog->setOption(QFileDialog::HideNameFilterDetails);
        dialog->setNameFilters(NameFiltersOf(Shown(save ? PaletteSaveFilter : PaletteLoadFilter)));
        if (save) {
            // A name typed without an extension takes the chosen format's.
            dialog->setDefaultSuffix(QStringLiteral("gpl"));
            QFileDialog* d = dialog;
            QObject::connect(d, &QFileDialog::filterSelected, d, [d](const QString& filter) {
                const qsizetype dot = filter.indexOf(QLatin1String("(*."));
                if (dot >= 0) d->setDefaultSuffix(filter.mid(dot + 3, 3));
            });
        }
    }
    return *dialog;
}

std::optional<std::string> QtPlatform::PaletteOpenDialog() {
    return RunFileDialog(PaletteDialog(false), lastPalettePath_);
}

std::optional<std::string> QtPlatform::PaletteSaveDialog() {
    return RunFileDialog(PaletteDialog(true), lastPalettePath_);
}

std::optional<Platform::BoardSize> QtPlatform::BoardSizeDialog(int cols, int rows) {
    host_.ShowChanges();
    return AskBoardSize(host_.DialogParent(), cols, rows);
}

std::optional<Platform::AutotileAnswer> QtPlatform::AutotileDialog(const AutotileAnswer& start) {
    host_.ShowChanges();
    return AskAutotile(host_.DialogParent(), start);
}

std::optional<SheetGeometry> QtPlatform::NewSheetDialog(const SheetGeometry& current) {
    host_.ShowChanges();
    return AskNewSheet(host_.DialogParent(), current);
}

std::optional<ChipAnimation> QtPlatform::AnimationDialog(ChipAnimation current) {
    host_.ShowChanges();
    return AskAnimation(host_.DialogParent(), current);
}

std::optional<ControlId> QtPlatform::PopupMenu(ControlId menu, ControlId origin, int x, int y) {
    host_.ShowChanges();
    QMenu* popup = host_.PopupOf(menu);
    if (!popup) return std::nullopt;
    QWidget* widget = host_.WidgetOf(origin);
    const QPoint at = widget ? widget->mapToGlobal(QPoint(x, y)) : QCursor::pos();
    QAction* chosen = popup->exec(at);
    // Qt may have toggled the chosen item's mark; the editor decides it.
    host_.PopupOf(menu);
    return ControlOfAction(chosen);
}

bool QtPlatform::ClipboardHasBitmap() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

void QtPlatform::ClipboardPut(const canvas::Picture& picture, const std::vector<std::uint8_t>& png) {
    auto* data = new QMimeData;
    data->setImageData(ImageOfPicture(picture));
    // Our own PNG rather than Qt's conversion of the bitmap: it carries the
    // transparent colour as alpha.
    data->setData(QStringLiteral("image/png"),
                  QByteArray(reinterpret_cast<const char*>(png.data()), static_cast<qsizetype>(png.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

std::optional<canvas::Picture> QtPlatform::ClipboardTake() {
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull()) return std::nullopt;
    return PictureOfImage(image);
}

void QtPlatform::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

void QtPlatform::OpenFile(const std::string& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

std::string QtPlatform::ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

void QtPlatform::RequestClose() { host_.Close(); }

}  // namespace ui
