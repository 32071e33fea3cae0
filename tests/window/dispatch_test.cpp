// SPDX-License-Identifier: GPL-3.0-or-later
// Every menu item, button and pop-up item of the window reaches its handler:
// each is chosen as the user would and its effect is checked on what the
// window shows or holds. File dialogs are the real ones, driven like a user.
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include "core/ControlTable.h"
#include "io/PictureFile.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;

// Receives the web addresses the desktop services are asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler("https", this, "Catch"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler("https"); }
    QList<QUrl> urls;
public slots:
    void Catch(const QUrl& url) { urls << url; }
};

class DispatchTest : public WindowTest {
protected:
    // Chooses `item` and answers the file dialog it opens with `path`.
    void ChooseWithFile(ControlId item, const QString& path) {
        WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, path); });
        Choose(item);
        EXPECT_TRUE(dialog.Acted()) << "no file dialog for " << NameOf(item);
    }
    // Opens the sheet's pop-up menu on chip (col, row) and picks `item`.
    void PopupOnChip(int col, int row, ControlId item) {
        WhenShown<QMenu> menu([&](QMenu& m) {
            ASSERT_TRUE(window->ActionOf(item)->isEnabled()) << NameOf(item);
            ClickMenuItem(m, window->ActionOf(item));
            chosen_ = item;
        });
        Press(ScreenI, {col * 16 + 5, row * 16 + 5}, Qt::RightButton);
        Release(ScreenI, {col * 16 + 5, row * 16 + 5}, Qt::RightButton);
        EXPECT_TRUE(menu.Acted()) << "the sheet's pop-up menu did not open";
    }
    canvas::Picture& Chip(int c, int r) { return form().ChangeChip(c, r); }
    // A pen press with the left button (white) on chip pixel (x, y) at zoom 5.
    void PenAt(int x, int y) { Click(EditI, {x * 5 + 2, y * 5 + 2}); }

    ControlId chosen_ = Form1;
};

QImage ClipboardImage() { return QGuiApplication::clipboard()->image(); }

TEST_F(DispatchTest, LineColourItemsRecolourTheEditGridAndEraseIt) {
    const std::pair<ControlId, QColor> colours[] = {{RedMenu, QColor(255, 0, 0)},
                                                    {GreenMenu, QColor(0, 128, 0)},
                                                    {BlueMenu, QColor(0, 0, 255)},
                                                    {GrayMenu, QColor(128, 128, 128)},
                                                    {WhiteMenu, QColor(255, 255, 255)}};
    for (const auto& [item, colour] : colours) {
        Choose(item);
        EXPECT_TRUE(action(item)->isChecked()) << NameOf(item);
        EXPECT_EQ(Shown(EditI).pixelColor(0, 7), colour) << NameOf(item);
    }
    Choose(UnMenu);
    EXPECT_TRUE(action(UnMenu)->isChecked());
    EXPECT_FALSE(action(WhiteMenu)->isChecked());
    EXPECT_EQ(widget(EditI)->size(), QSize(80, 80));
    EXPECT_EQ(Shown(EditI).pixelColor(0, 7), QColor(0, 0, 0));
}

TEST_F(DispatchTest, ZoomItemsResizeTheEditAreaAndShowTheZoom) {
    const ControlId items[] = {mZoom2, mZoom3, mZoom4, mZoom5, mZoom6, mZoom7, mZoom8, mZoom9, mZoom10};
    for (int zoom = 2; zoom <= 10; ++zoom) {
        const ControlId item = items[zoom - 2];
        Choose(item);
        EXPECT_EQ(widget(EditI)->size(), QSize(16 * zoom + 1, 16 * zoom + 1)) << NameOf(item);
        EXPECT_EQ(static_cast<QLabel*>(widget(pRate))->text(), QString("×%1 ").arg(zoom));
        EXPECT_EQ(form().controls.Position(), zoom);
        for (ControlId other : items) EXPECT_EQ(action(other)->isChecked(), other == item);
    }
}

TEST_F(DispatchTest, PenSizeItemsSetTheWidthInBothMenus) {
    const ControlId sizes[] = {mPSize1, mPSize2, mPSize3, mPSize4};
    const ControlId popups[] = {mPen1, mPen2, mPen3, mPen4};
    for (int i : {2, 0, 3, 1}) {
        Choose(sizes[i]);
        EXPECT_EQ(form().PenSize, i + 1);
        EXPECT_TRUE(action(sizes[i])->isChecked());
        EXPECT_TRUE(action(popups[i])->isChecked());
    }
}

TEST_F(DispatchTest, FrameAndResizeItemsFlipTheirMarks) {
    Choose(wakuMenu);
    EXPECT_FALSE(action(wakuMenu)->isChecked());
    EXPECT_EQ(widget(ScreenI)->size(), QSize(480, 256));
    Choose(wakuMenu);
    EXPECT_TRUE(action(wakuMenu)->isChecked());
    EXPECT_EQ(widget(ScreenI)->size(), QSize(481, 257));
    Choose(chrSMenu);
    EXPECT_FALSE(action(chrSMenu)->isChecked());
    Choose(chrSMenu);
    EXPECT_TRUE(action(chrSMenu)->isChecked());
}

TEST_F(DispatchTest, MoveItemsTransformTheChipBeingEdited) {
    PenAt(2, 5);
    const canvas::Colour white = canvas::White;
    Choose(UpMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 4), white);
    Choose(RightMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(3, 4), white);
    Choose(DownMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(3, 5), white);
    Choose(LeftMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 5), white);
    Choose(XYMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(5, 2), white);
    Choose(UpsetMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(5, 13), white);
    Choose(VrevMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(10, 13), white);
    EXPECT_EQ(Chip(0, 0).GetPixel(5, 13), canvas::Black);
    // The views follow the chip: its block in the edit area, its pixel on the sheet.
    EXPECT_EQ(Shown(EditI).pixelColor(10 * 5 + 3, 13 * 5 + 3), QColor(255, 255, 255));
    EXPECT_EQ(Shown(ScreenI).pixelColor(10, 13), QColor(255, 255, 255));
}

TEST_F(DispatchTest, UndoItemIsOfferedAfterAFillAndPutsTheChipBack) {
    Click(FillB, {5, 5});
    EXPECT_EQ(form().Def.ToolMode, 1);
    PenAt(3, 3);  // the fill turns the whole black chip white
    EXPECT_EQ(Chip(0, 0).GetPixel(15, 15), canvas::White);
    emit window->MenuOf(EditMenu)->aboutToShow();
    EXPECT_TRUE(action(UndoMenu)->isEnabled());
    Choose(UndoMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(15, 15), canvas::Black);
    emit window->MenuOf(EditMenu)->aboutToShow();
    EXPECT_FALSE(action(UndoMenu)->isEnabled());
}

TEST_F(DispatchTest, ToolButtonsChooseTheToolAndTheEditCursor) {
    const std::tuple<ControlId, int, Qt::CursorShape> tools[] = {{FillB, 1, Qt::PointingHandCursor},
                                                                 {CircleB, 2, Qt::PointingHandCursor},
                                                                 {LineB, 4, Qt::PointingHandCursor},
                                                                 {PenB, 0, Qt::ArrowCursor}};
    for (const auto& [button, mode, cursor] : tools) {
        Click(button, {14, 14});
        EXPECT_EQ(form().Def.ToolMode, mode) << NameOf(button);
        EXPECT_EQ(widget(EditI)->cursor().shape(), cursor) << NameOf(button);
        for (const auto& [other, m, c] : tools)
            EXPECT_EQ(static_cast<QToolButton*>(widget(other))->isChecked(), other == button) << NameOf(other);
    }
}

TEST_F(DispatchTest, MemoryButtonsStoreAndReplayAfterTheQuestion) {
    PenAt(1, 1);
    Click(MemSaveB, {10, 10});
    EXPECT_TRUE(widget(MemLoadB)->isEnabled());
    PenAt(4, 4);
    EXPECT_EQ(Chip(0, 0).GetPixel(4, 4), canvas::White);

    answers = {false};
    Click(MemLoadB, {10, 10});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].question);
    EXPECT_EQ(Chip(0, 0).GetPixel(4, 4), canvas::White);

    answers = {true};
    Click(MemLoadB, {10, 10});
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(Chip(0, 0).GetPixel(4, 4), canvas::Black);
    EXPECT_EQ(Chip(0, 0).GetPixel(1, 1), canvas::White);
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));
}

TEST_F(DispatchTest, HelpItemsShowTheVersionAndOpenTheMakersPage) {
    Choose(aboutMenu);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].question);
    EXPECT_EQ(messages[0].text.rfind("Tessaro Version 1.00", 0), 0u) << messages[0].text;

    UrlCatcher catcher;
    Choose(mGo);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl(QString::fromUtf8(TForm1::MakerUrl)));
}

TEST_F(DispatchTest, SheetLoadAndSaveItemsGoThroughTheFileDialogs) {
    const QString sheet = WritePicture("sheet.bmp", 480, 256, QColor(0, 0, 255));
    ChooseWithFile(LoadMenu, sheet);
    EXPECT_EQ(Chip(0, 0).GetPixel(1, 0), canvas::Rgb(255, 0, 0));
    EXPECT_EQ(Chip(29, 15).GetPixel(15, 15), canvas::Rgb(0, 0, 255));
    EXPECT_EQ(window->windowTitle(), "Tessaro " + sheet);
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));

    PenAt(0, 0);
    const QString saved = ScratchPath("saved.bmp");
    ChooseWithFile(SaveMenu, saved);
    EXPECT_FALSE(form().Modified);
    EXPECT_EQ(window->windowTitle(), "Tessaro " + saved);
    EXPECT_EQ(LoadPictureFile(saved.toStdString()).GetPixel(0, 0), canvas::White);

    // Overwrite save writes to the file of the caption without asking.
    PenAt(15, 15);
    Choose(OSaveMenu);
    EXPECT_FALSE(form().Modified);
    EXPECT_EQ(LoadPictureFile(saved.toStdString()).GetPixel(15, 15), canvas::White);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DispatchTest, ChipLoadAndSaveItemsUseTheChipBeingEdited) {
    const QString chip = WritePicture("chip.bmp", 16, 16, QColor(0, 255, 0));
    ChooseWithFile(chrLoadMenu, chip);
    EXPECT_EQ(Chip(0, 0).GetPixel(5, 5), canvas::Rgb(0, 255, 0));
    EXPECT_TRUE(form().Modified);
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));

    const QString saved = ScratchPath("chip-out.bmp");
    ChooseWithFile(chrSaveMenu, saved);
    const canvas::Picture written = LoadPictureFile(saved.toStdString());
    EXPECT_EQ(written, Chip(0, 0));
}

TEST_F(DispatchTest, NumberedAndPaletteSavesWriteTheirFiles) {
    const QString base = ScratchPath("num");
    ChooseWithFile(renMenu, base);
    EXPECT_TRUE(QFileInfo::exists(base + "00.bmp"));
    EXPECT_TRUE(QFileInfo::exists(base + "479.bmp"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "全キャラクタをnum00.bmp ～ num479.bmpに保存しました。");

    // The black sheet lies inside the fixed colour table: 8-bit files with
    // their 256-entry table.
    for (ControlId item : {mem256S, N216R1}) {
        const QString path = ScratchPath(QString("%1.bmp").arg(NameOf(item).data()));
        ChooseWithFile(item, path);
        EXPECT_EQ(QFileInfo(path).size(), 14 + 40 + 256 * 4 + 480 * 256) << NameOf(item);
    }
}

TEST_F(DispatchTest, EditItemsCopyAndPasteThroughTheClipboard) {
    PenAt(2, 3);
    Choose(chrCopyMenu);
    QImage copied = ClipboardImage();
    ASSERT_EQ(copied.size(), QSize(16, 16));
    EXPECT_EQ(copied.pixelColor(2, 3), QColor(255, 255, 255));
    EXPECT_EQ(copied.pixelColor(3, 3), QColor(0, 0, 0));

    Choose(AllCopyMenu);
    copied = ClipboardImage();
    ASSERT_EQ(copied.size(), QSize(480, 256));
    EXPECT_EQ(copied.pixelColor(2, 3), QColor(255, 255, 255));

    QImage patch(8, 8, QImage::Format_RGB32);
    patch.fill(QColor(255, 0, 51));
    QGuiApplication::clipboard()->setImage(patch);
    emit window->MenuOf(EditMenu)->aboutToShow();
    EXPECT_TRUE(action(PasteChrMenu)->isEnabled());
    EXPECT_TRUE(action(ReplaceMenu)->isEnabled());
    Choose(PasteChrMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(7, 7), canvas::Rgb(255, 0, 51));
    EXPECT_EQ(Chip(0, 0).GetPixel(8, 8), canvas::Black);
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));

    Choose(ReplaceMenu);
    EXPECT_EQ(Chip(0, 0).GetPixel(7, 7), canvas::Rgb(255, 0, 51));
    EXPECT_EQ(Chip(0, 0).GetPixel(2, 3), canvas::Rgb(255, 0, 51));
    EXPECT_EQ(Chip(1, 0).GetPixel(0, 0), canvas::Black);

    QGuiApplication::clipboard()->setText("no picture");
    emit window->MenuOf(EditMenu)->aboutToShow();
    EXPECT_FALSE(action(PasteChrMenu)->isEnabled());
    EXPECT_FALSE(action(ReplaceMenu)->isEnabled());
}

TEST_F(DispatchTest, ExitItemClosesAnUnchangedWindow) {
    Choose(ExitMenu);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(DispatchTest, SheetPopupItemsActOnTheChipUnderThePointer) {
    PenAt(4, 4);
    PopupOnChip(0, 0, popCopyMenu);
    EXPECT_EQ(chosen_, popCopyMenu);
    ASSERT_EQ(ClipboardImage().size(), QSize(16, 16));
    EXPECT_EQ(ClipboardImage().pixelColor(4, 4), QColor(255, 255, 255));

    PopupOnChip(3, 2, popPasteMenu);
    EXPECT_EQ(Chip(3, 2), Chip(0, 0));
    EXPECT_EQ(form().CurCol, 0);
    // The blue mark of the open menu is gone again.
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));
    EXPECT_EQ(Shown(ScreenI).pixelColor(3 * 16, 2 * 16 + 5), QColor(192, 192, 192));

    const QString chip = WritePicture("popup-chip.bmp", 16, 16, QColor(0, 255, 0));
    {
        WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, chip); });
        PopupOnChip(5, 1, popLoadMenu);
        EXPECT_TRUE(dialog.Acted());
    }
    EXPECT_EQ(Chip(5, 1).GetPixel(8, 8), canvas::Rgb(0, 255, 0));

    for (ControlId item : {popSaveMenu, pop256SaveMenu}) {
        const QString path = ScratchPath(QString("%1.bmp").arg(NameOf(item).data()));
        WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, path); });
        PopupOnChip(3, 2, item);
        EXPECT_TRUE(dialog.Acted()) << NameOf(item);
        if (item == popSaveMenu) {
            EXPECT_EQ(LoadPictureFile(path.toStdString()), Chip(3, 2));
        } else {
            // Pure white lies in the fixed table: an 8-bit file of one chip.
            EXPECT_EQ(QFileInfo(path).size(), 14 + 40 + 256 * 4 + 16 * 16);
        }
    }
}

TEST_F(DispatchTest, PenButtonPopupSetsThePenWidth) {
    WhenShown<QMenu> menu([&](QMenu& m) {
        EXPECT_EQ(&m, window->MenuOf(mPen));
        // The menu opens at the press, in screen coordinates.
        EXPECT_EQ(m.pos(), widget(PenB)->mapToGlobal(QPoint(6, 7)));
        ClickMenuItem(m, action(mPen3));
    });
    // A right press with Ctrl held opens nothing.
    Click(PenB, {6, 7}, Qt::RightButton, Qt::ControlModifier);
    EXPECT_FALSE(menu.Acted());
    Press(PenB, {6, 7}, Qt::RightButton);
    ASSERT_TRUE(menu.Acted());
    Release(PenB, {6, 7}, Qt::RightButton);
    EXPECT_EQ(form().PenSize, 3);
    EXPECT_TRUE(action(mPSize3)->isChecked());
    EXPECT_EQ(static_cast<QToolButton*>(widget(PenB))->isChecked(), true);
}

}  // namespace

#include "dispatch_test.moc"
