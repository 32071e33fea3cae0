// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt platform as the user meets it: message boxes, the file and colour
// dialogs, closing the window, and files dropped onto it.
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "WindowFixture.h"

namespace {

using enum ControlId;

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

class PlatformTest : public WindowTest {
protected:
    ui::QtPlatform& platform() { return window->Platform(); }
    // The real boxes instead of the scripted answers.
    void ShowRealBoxes() { platform().messageAnswerer = nullptr; }

    static QStringList ButtonTexts(QMessageBox& box) {
        QStringList texts;
        for (QAbstractButton* b : box.buttons()) texts << b->text();
        return texts;
    }
    static QAbstractButton* ButtonWithText(QMessageBox& box, const QString& text) {
        for (QAbstractButton* b : box.buttons())
            if (b->text() == text) return b;
        return nullptr;
    }

    // Drops the files as a drag offering `actions` would, with the keys
    // held that choose its proposed action; returns the action the window
    // reported to the drag's source (none if it refused the drag). The
    // window reads the file once the drop is over.
    Qt::DropAction Drop(const QStringList& paths, Qt::DropActions actions = Qt::CopyAction,
                        Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        const QPointF at(100, 100);
        QDragEnterEvent enter(at.toPoint(), actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted()) return Qt::IgnoreAction;
        QDropEvent drop(at, actions, &data, Qt::LeftButton, keys);
        QApplication::sendEvent(window.get(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    }
};

TEST_F(PlatformTest, PlainMessagesAreTitledWithTheApplicationTitleAndHaveOneOkButton) {
    ShowRealBoxes();
    QString title, text;
    QStringList buttons;
    WhenShown<QMessageBox> box([&](QMessageBox& b) {
        title = b.windowTitle();
        text = b.text();
        buttons = ButtonTexts(b);
        b.buttons().first()->click();
    });
    platform().ShowMessage("保存できませんでした");
    ASSERT_TRUE(box.Acted());
    EXPECT_EQ(title, Q("Velmira"));
    EXPECT_EQ(text, Q("保存できませんでした"));
    EXPECT_EQ(buttons, QStringList{"OK"});
}

TEST_F(PlatformTest, TheWindowAndTheAboutBoxShowTheApplicationIconInEveryDrawnSize) {
    const QList<QSize> drawn{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    EXPECT_EQ(window->windowIcon().availableSizes(), drawn);
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), drawn);

    ShowRealBoxes();
    QString text;
    bool iconShown = false;
    WhenShown<QMessageBox> box([&](QMessageBox& b) {
        text = b.text();
        iconShown = !b.iconPixmap().isNull() && b.icon() == QMessageBox::NoIcon;
        b.buttons().first()->click();
    });
    Choose(ControlId::aboutMenu);
    ASSERT_TRUE(box.Acted());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Tessaro Version 1.00")));
    EXPECT_TRUE(iconShown);
}

TEST_F(PlatformTest, QuestionsAreWarningsWhereOnlyOkSaysYes) {
    ShowRealBoxes();
    QStringList buttons;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    {
        WhenShown<QMessageBox> box([&](QMessageBox& b) {
            title = b.windowTitle();
            icon = b.icon();
            buttons = ButtonTexts(b);
            ButtonWithText(b, "OK")->click();
        });
        EXPECT_TRUE(platform().AskQuestion("よろしいですか？"));
        ASSERT_TRUE(box.Acted());
    }
    EXPECT_EQ(title, Q("警告"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons.size(), 2);
    EXPECT_TRUE(buttons.contains("OK"));
    EXPECT_TRUE(buttons.contains(Q("ｷｬﾝｾﾙ")));
    {
        WhenShown<QMessageBox> box([&](QMessageBox& b) { ButtonWithText(b, Q("ｷｬﾝｾﾙ"))->click(); });
        EXPECT_FALSE(platform().AskQuestion("よろしいですか？"));
    }
    {
        // Closing the box (Escape) is no.
        WhenShown<QMessageBox> box([&](QMessageBox& b) { QTest::keyClick(&b, Qt::Key_Escape); });
        EXPECT_FALSE(platform().AskQuestion("よろしいですか？"));
        EXPECT_TRUE(box.Acted());
    }
}

TEST_F(PlatformTest, TheRestoreQuestionRestoresDiscardsOrWaitsAndShowsItsPathWhole) {
    ShowRealBoxes();
    using Answer = Platform::RestoreAnswer;
    const QString path = QStringLiteral(
        "\"/home/artist/projects/a-rather-long-folder-name/with/several/levels/of/folders/map-chips.png\"");
    const std::string text =
        "保存されていない編集内容が残っています。\n上書き保存先: " + path.toStdString() + "\n復元しますか？";
    const struct {
        const char* button;  // empty: the box is closed with Escape
        Answer answer;
    } cases[] = {{"復元する(&R)", Answer::Restore},
                 {"破棄する(&D)", Answer::Discard},
                 {"後で決める(&L)", Answer::Later},
                 {"", Answer::Later}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        QStringList buttons;
        int labelWidth = 0, pathWidth = 1;
        WhenShown<QMessageBox> box([&](QMessageBox& b) {
            buttons = ButtonTexts(b);
            if (auto* label = b.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                labelWidth = label->width();
                pathWidth = label->fontMetrics().horizontalAdvance(path);
            }
            if (*c.button)
                ButtonWithText(b, Q(c.button))->click();
            else
                QTest::keyClick(&b, Qt::Key_Escape);
        });
        EXPECT_EQ(platform().AskRestore(text), c.answer);
        ASSERT_TRUE(box.Acted());
        EXPECT_EQ(buttons.size(), 3);
        // The path fits on one line of the box's text.
        EXPECT_GE(labelWidth, pathWidth);
    }
}

TEST_F(PlatformTest, WindowsFiltersBecomeQtFiltersThatShowTheSameText) {
    EXPECT_EQ(
        ui::NameFiltersOf(ui::QtPlatform::LoadFilter),
        (QStringList{Q("ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp) (*.bmp *.BMP)"), Q("Jpeg（*.jpg） (*.jpg)"), Q("PNG (*.png) (*.png *.PNG)")}));
    EXPECT_EQ(ui::NameFiltersOf(ui::QtPlatform::SaveFilter),
              (QStringList{Q("ビットマップ(*.bmp) (*.bmp *.BMP)"), Q("すべてのファイル(*.*) (*)"),
                           Q("PNG (*.png) (*.png *.PNG)")}));
    EXPECT_TRUE(ui::NameFiltersOf("").isEmpty());
}

TEST_F(PlatformTest, PictureDialogsAreSetUpAsDescribed) {
    QFileDialog& open = platform().OpenDialog();
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.nameFilters(), ui::NameFiltersOf(ui::QtPlatform::LoadFilter));
    // The first filter is chosen, and the user reads its text alone.
    EXPECT_EQ(open.selectedNameFilter(), Q("ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)"));
    EXPECT_EQ(open.defaultSuffix(), "bmp");
    EXPECT_TRUE(open.testOption(QFileDialog::HideNameFilterDetails));

    QFileDialog& save = platform().SaveDialog();
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save.nameFilters(), ui::NameFiltersOf(ui::QtPlatform::SaveFilter));
    EXPECT_EQ(save.selectedNameFilter(), Q("ビットマップ(*.bmp)"));
    EXPECT_EQ(save.defaultSuffix(), "bmp");
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    // The PNG entry makes png the extension of a name typed without one.
    for (QFileDialog* dialog : {&open, &save}) {
        emit dialog->filterSelected(Q("PNG (*.png)"));
        EXPECT_EQ(dialog->defaultSuffix(), "png");
        emit dialog->filterSelected(dialog->nameFilters().first());
        EXPECT_EQ(dialog->defaultSuffix(), "bmp");
    }

    QFileDialog& numbered = platform().NumberedDialog();
    EXPECT_EQ(numbered.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(numbered.windowTitle(), Q("連番の名前を指定してください"));
    EXPECT_EQ(numbered.defaultSuffix(), QString());
    EXPECT_TRUE(numbered.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(numbered.nameFilters().size(), 1);  // Qt's "all files" only
}

TEST_F(PlatformTest, TheMapAndPaletteDialogsShowTheirFileTypesAsWritten) {
    for (bool save : {false, true}) {
        auto* types = platform().MapDialog(save).findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        EXPECT_EQ(types->currentText(), Q("Tiled マップ (*.tmx)"));
    }
    EXPECT_EQ(platform().PaletteDialog(false).nameFilters().first(),
              Q("パレット (*.gpl *.pal *.txt *.hex *.act) (*.gpl *.pal *.txt *.hex *.act)"));
    QFileDialog& paletteSave = platform().PaletteDialog(true);
    EXPECT_EQ(paletteSave.nameFilters().size(), 3);
    emit paletteSave.filterSelected(Q("JASC パレット (*.pal)"));
    EXPECT_EQ(paletteSave.defaultSuffix(), "pal");
}

TEST_F(PlatformTest, SaveDialogAddsTheSuffixAndReopensAtTheLastPath) {
    const QString typed = ScratchPath("typed");
    std::optional<std::string> chosen;
    {
        WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, typed); });
        chosen = platform().PictureSaveDialog();
    }
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QString::fromStdString(*chosen), typed + ".bmp");
    QString offered;
    {
        WhenShown<QFileDialog> dialog([&](QFileDialog& d) {
            offered = d.selectedFiles().value(0);
            d.reject();
        });
        EXPECT_FALSE(platform().PictureSaveDialog().has_value());
    }
    EXPECT_EQ(offered, typed + ".bmp");
}

TEST_F(PlatformTest, ChoosingAllFilesInTheSaveDialogKeepsTheTypedName) {
    QFileDialog& save = platform().SaveDialog();
    auto* name = save.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("map.bmp");
    save.selectNameFilter(save.nameFilters().at(1));
    ASSERT_EQ(save.selectedNameFilter(), Q("すべてのファイル(*.*)"));
    EXPECT_EQ(name->text(), "map.bmp");
    save.selectNameFilter(save.nameFilters().at(0));
    EXPECT_EQ(name->text(), "map.bmp");
}

TEST_F(PlatformTest, OpenDialogRefusesMissingFilesAndPreviewsPictures) {
    const QString picture = WritePicture("preview.bmp", 32, 16, QColor(0, 0, 255));
    QFileDialog& open = platform().OpenDialog();
    auto* preview = open.findChild<QLabel*>("preview");
    ASSERT_NE(preview, nullptr);
    emit open.currentChanged(picture);
    ASSERT_FALSE(preview->pixmap().isNull());
    const QImage shown = preview->pixmap().toImage();
    // Scaled to fit the preview, keeping its shape, blue with its red pixel.
    EXPECT_EQ(shown.width(), 2 * shown.height());
    EXPECT_EQ(shown.pixelColor(shown.width() - 1, shown.height() - 1), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(shown.width() * 3 / 64, 0), QColor(255, 0, 0));
    // Enlarged by a whole factor, every pixel one square block, with the
    // picture's size beside it.
    EXPECT_EQ(shown.width() % 32, 0);
    EXPECT_GE(shown.width(), 4 * 32);
    auto* size = open.findChild<QLabel*>("previewSize");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->text(), Q("32 × 16"));
    emit open.currentChanged(ScratchPath("missing.bmp"));
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_TRUE(size->text().isEmpty());

    // A name that does not exist is not accepted (the dialog says so); the
    // user cancels then.
    bool stillOpen = false;
    bool warned = false;
    WhenShown<QFileDialog> dialog([&](QFileDialog& d) {
        WhenShown<QMessageBox> warning([&](QMessageBox& b) { b.buttons().first()->click(); });
        AnswerFileDialog(d, ScratchPath("missing.bmp"));
        warned = warning.Acted();
        stillOpen = d.isVisible();
        d.reject();
    });
    EXPECT_FALSE(platform().PictureOpenDialog().has_value());
    EXPECT_TRUE(warned);
    EXPECT_TRUE(stillOpen);
}

TEST_F(PlatformTest, ColourDialogStartsBlackAndReopensWithTheLastChosenColour) {
    QColor offered;
    WhenShown<QColorDialog> first([&](QColorDialog& d) {
        offered = d.currentColor();
        EXPECT_FALSE(d.testOption(QColorDialog::ShowAlphaChannel));
        d.setCurrentColor(QColor(255, 0, 51));
        d.accept();
    });
    QTest::mouseDClick(widget(lbP), Qt::LeftButton, Qt::NoModifier, {10, 10});
    ASSERT_TRUE(first.Acted());
    EXPECT_EQ(offered, QColor(0, 0, 0));
    EXPECT_EQ(form().LeftColor, canvas::Rgb(255, 0, 51));
    EXPECT_EQ(widget(lbP)->palette().color(QPalette::Window), QColor(255, 0, 51));

    // From the other swatch: it offers the colour chosen last; a cancel
    // changes nothing, not even what it offers next time.
    WhenShown<QColorDialog> second([&](QColorDialog& d) {
        offered = d.currentColor();
        d.setCurrentColor(QColor(1, 2, 3));
        d.reject();
    });
    QTest::mouseDClick(widget(rbP), Qt::LeftButton, Qt::NoModifier, {10, 10});
    ASSERT_TRUE(second.Acted());
    EXPECT_EQ(offered, QColor(255, 0, 51));
    EXPECT_EQ(form().RightColor, canvas::Black);
    WhenShown<QColorDialog> third([&](QColorDialog& d) {
        offered = d.currentColor();
        d.reject();
    });
    QTest::mouseDClick(widget(rbP), Qt::LeftButton, Qt::NoModifier, {10, 10});
    EXPECT_EQ(offered, QColor(255, 0, 51));
}

TEST_F(PlatformTest, AnUnchangedWindowClosesWithoutAsking) {
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(PlatformTest, AChangedWindowAsksAndStaysOpenOnCancel) {
    Click(EditI, {7, 7});
    const canvas::Picture chip = form().Chip(0, 0);
    answers = {false};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].question);
    EXPECT_EQ(messages[0].text, "保存しないでこのまま終了してよろしいですか？");
    EXPECT_EQ(form().Chip(0, 0), chip);

    answers = {true};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(window->isVisible());
}

// A large file is decoded away from the event loop at a reduced size; a
// dialog that reopens on the file chosen last time shows its preview.
TEST_F(PlatformTest, LargePicturesPreviewLaterAndTheLastChoiceOnReopening) {
    const QString big = WritePicture("big.bmp", 3000, 200, QColor(0, 255, 0));
    QFileDialog& open = platform().OpenDialog();
    auto* preview = open.findChild<QLabel*>("preview");
    auto* size = open.findChild<QLabel*>("previewSize");
    ASSERT_TRUE(preview && size);
    const auto waitForPreview = [&] {
        for (int i = 0; i < 500 && preview->pixmap().isNull(); ++i) QTest::qWait(10);
        return !preview->pixmap().isNull();
    };
    emit open.currentChanged(big);
    EXPECT_TRUE(waitForPreview());
    EXPECT_EQ(size->text(), Q("3000 × 200"));
    EXPECT_EQ(preview->pixmap().toImage().pixelColor(80, 5), QColor(0, 255, 0));

    WhenShown<QFileDialog> choose([&](QFileDialog& d) { AnswerFileDialog(d, big); });
    ASSERT_TRUE(platform().PictureOpenDialog().has_value());
    emit open.currentChanged(QString());
    bool shown = false;
    WhenShown<QFileDialog> reopen([&](QFileDialog& d) {
        shown = waitForPreview() && size->text() == Q("3000 × 200");
        d.reject();
    });
    EXPECT_FALSE(platform().PictureOpenDialog().has_value());
    EXPECT_TRUE(shown);
}

TEST_F(PlatformTest, ADroppedFileLoadsAsTheSheetOnlyTheFirst) {
    const QString first = WritePicture("first.bmp", 480, 256, QColor(0, 0, 255));
    const QString second = WritePicture("second.bmp", 480, 256, QColor(0, 255, 0));
    EXPECT_EQ(Drop({first, second}), Qt::CopyAction);
    EXPECT_EQ(form().Chip(10, 10).GetPixel(3, 3), canvas::Rgb(0, 0, 255));
    EXPECT_EQ(window->windowTitle(), "Tessaro " + first);
    EXPECT_EQ(Shown(ScreenI), Expected(form().ScreenI));
    EXPECT_EQ(Shown(EditI), Expected(form().EditI));

    // A file that is no picture: the message, and nothing changes.
    QFile junk(ScratchPath("junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    EXPECT_EQ(Drop({junk.fileName()}), Qt::CopyAction);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ファイルの読み込みに失敗しました");
    EXPECT_EQ(form().Chip(10, 10).GetPixel(3, 3), canvas::Rgb(0, 0, 255));
}

// The transparent colour's message comes over the loaded sheet, so that the
// colour it names is there to see.
TEST_F(PlatformTest, TheTransparencyMessageShowsOverTheLoadedSheet) {
    QImage tiles(32, 16, QImage::Format_ARGB32);
    tiles.fill(QColor(0, 128, 0));
    tiles.setPixelColor(4, 3, QColor(0, 0, 0, 0));
    const QString path = ScratchPath("tiles.png");
    ASSERT_TRUE(tiles.save(path, "PNG"));
    QImage behind;
    window->Platform().messageAnswerer = [&](bool, const std::string&) {
        behind = Shown(ScreenI);
        return true;
    };
    EXPECT_EQ(Drop({path}), Qt::CopyAction);
    ASSERT_FALSE(behind.isNull());
    EXPECT_EQ(behind, Expected(form().ScreenI));
    EXPECT_EQ(form().Chip(0, 0).GetPixel(4, 3), canvas::Rgb(255, 0, 255));

    // A chip load: the sheet behind shows the new chip.
    Choose(KeyNoneMenu);
    Click(ScreenI, {40, 8});
    WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, path); });
    behind = QImage();
    Choose(chrLoadMenu);
    ASSERT_FALSE(behind.isNull());
    EXPECT_EQ(form().Chip(2, 0).GetPixel(4, 3), canvas::Rgb(255, 0, 255));
    EXPECT_EQ(behind, Expected(form().ScreenI));
}

TEST_F(PlatformTest, TheTransparentColourIsCheckedInTheMenuAndShownBesideTheColourPanels) {
    auto* swatch = window->findChild<QLabel*>(QStringLiteral("KeySwatch"));
    ASSERT_NE(swatch, nullptr);
    auto expectShown = [&](bool set, const char* tip) {
        EXPECT_EQ(action(KeyPickMenu)->isChecked(), set);
        EXPECT_EQ(action(KeyNoneMenu)->isChecked(), !set);
        EXPECT_EQ(swatch->isVisible(), set);
        if (set) {
            EXPECT_EQ(swatch->toolTip(), Q(tip));
        }
    };
    expectShown(false, "");
    // The dialog starts at the transparent colour, not at the colour last
    // chosen for a colour panel.
    QColor offered;
    for (auto [item, colour, accept] :
         {std::tuple(KeyPickMenu, QColor(255, 0, 255), true), std::tuple(lbP, QColor(1, 2, 3), true),
          std::tuple(KeyPickMenu, QColor(), false)}) {
        WhenShown<QColorDialog> dialog([&](QColorDialog& d) {
            offered = d.currentColor();
            d.setCurrentColor(colour);
            accept ? d.accept() : d.reject();
        });
        item == lbP ? QTest::mouseDClick(widget(lbP), Qt::LeftButton, Qt::NoModifier, {10, 10}) : Choose(item);
    }
    EXPECT_EQ(offered, QColor(255, 0, 255));
    expectShown(true, "255,0,255");
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(255, 0, 255));
    EXPECT_GT(swatch->x(), widget(rbP)->geometry().right());
    Choose(KeyNoneMenu);
    expectShown(false, "");
}

TEST_F(PlatformTest, ADropIsTakenAsACopyEvenWhenItsSourceProposesAMove) {
    const QString sheet = WritePicture("moved.bmp", 480, 256, QColor(0, 255, 0));
    // Shift held proposes a move; a source told "moved" may delete its file.
    EXPECT_EQ(Drop({sheet}, Qt::CopyAction | Qt::MoveAction, Qt::ShiftModifier), Qt::CopyAction);
    EXPECT_EQ(form().Chip(0, 0).GetPixel(5, 5), canvas::Rgb(0, 255, 0));
    // A drag that cannot be a copy is refused and changes nothing.
    const QString other = WritePicture("moveonly.bmp", 480, 256, QColor(0, 0, 255));
    EXPECT_EQ(Drop({other}, Qt::MoveAction), Qt::IgnoreAction);
    EXPECT_EQ(form().Chip(0, 0).GetPixel(5, 5), canvas::Rgb(0, 255, 0));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PlatformTest, AFailureInAHandlerIsShownWithItsTextAndTheWindowGoesOn) {
    // A chip save to a directory that does not exist fails in the writer;
    // the generic error report shows the error's text.
    WhenShown<QFileDialog> dialog([&](QFileDialog& d) { AnswerFileDialog(d, ScratchPath("no/such/dir/chip.bmp")); });
    Choose(chrSaveMenu);
    if (!dialog.Acted()) GTEST_SKIP() << "the dialog refused the path itself";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].question);
    EXPECT_FALSE(messages[0].text.empty());
    Click(EditI, {7, 7});
    EXPECT_EQ(form().Chip(0, 0).GetPixel(1, 1), canvas::White);
}

TEST_F(PlatformTest, SettingsFilePresetsWhatTheWindowShowsAtStart) {
    window.reset();
    QFile settings("tsr.def");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("zoom=7\r\nline=red\r\nbox=off\r\n");
    settings.close();
    StartWindow();
    QFile::remove("tsr.def");
    EXPECT_EQ(static_cast<QLabel*>(widget(pRate))->text(), Q("×7 "));
    EXPECT_EQ(widget(EditI)->size(), QSize(113, 113));
    EXPECT_EQ(widget(ScreenI)->size(), QSize(480, 256));
    EXPECT_TRUE(action(mZoom7)->isChecked());
    EXPECT_TRUE(action(RedMenu)->isChecked());
    EXPECT_FALSE(action(wakuMenu)->isChecked());
    EXPECT_EQ(Shown(EditI).pixelColor(0, 0), QColor(255, 0, 0));
}

TEST_F(PlatformTest, ClipboardRoundTripKeepsEveryColour) {
    canvas::Picture picture(3, 2);
    picture.SetPixel(0, 0, canvas::Rgb(255, 0, 51));
    picture.SetPixel(2, 1, canvas::Rgb(1, 2, 3));
    const std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G'};
    platform().ClipboardPut(picture, png);
    EXPECT_TRUE(platform().ClipboardHasBitmap());
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("image/png"), QByteArray("\x89PNG", 4));
    const auto back = platform().ClipboardTake();
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, picture);
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(platform().ClipboardHasBitmap());
    EXPECT_FALSE(platform().ClipboardTake().has_value());
}

}  // namespace
