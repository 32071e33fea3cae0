// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QColor>
#include <QPointer>
#include <QStringList>

#include "core/Platform.h"
#include "core/Translation.h"

class QColorDialog;
class QIcon;
class QFileDialog;
class QMenu;
class QWidget;

namespace ui {

// What the platform needs from the window it serves.
class PlatformHost {
public:
    virtual QWidget* DialogParent() = 0;
    virtual QWidget* WidgetOf(ControlId id) = 0;
    // The pop-up menu, its items showing the editor's controls as they are now.
    virtual QMenu* PopupOf(ControlId menu) = 0;
    // Brings the window up to date, so that a modal box or menu shows the
    // state the editor has at that moment (such as the sheet's blue mark).
    virtual void ShowChanges() = 0;
    virtual void Close() = 0;
    // Shows every text anew in the language chosen now.
    virtual void Retranslate() = 0;

protected:
    ~PlatformHost() = default;
};

// The Windows-style filter "text|patterns|text|patterns" as Qt name filters,
// one per entry. The text stays what the user reads; the patterns (";"
// separated) match without regard to case, as on the platform the filters
// were written for.
QStringList NameFiltersOf(const std::string& windowsFilter);

// The editor's door to the outside, made of Qt's message boxes, file and
// colour dialogs, menus, clipboard and desktop services. The dialogs are
// kept for the window's life, so each reopens where it was left.
class QtPlatform : public Platform {
public:
    // Set by tests to answer message boxes instead of showing them: gets
    // whether it is a question and the text; its result is the answer.
    using MessageAnswerer = std::function<bool(bool question, const std::string& text)>;

    // Shown through Shown(), in the window's language.
    static constexpr const char* LoadFilter =
        TSR_TEXT("QtPlatform", "ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)|*.bmp;*.BMP|Jpeg（*.jpg）|*.jpg|PNG (*.png)|*.png;*.PNG");
    static constexpr const char* SaveFilter =
        TSR_TEXT("QtPlatform", "ビットマップ(*.bmp)|*.bmp;*.BMP|すべてのファイル(*.*)|*.*|PNG (*.png)|*.png;*.PNG");
    static constexpr const char* NumberedSaveTitle = TSR_TEXT("QtPlatform", "連番の名前を指定してください");
    static constexpr const char* QuestionTitle = TSR_TEXT("QtPlatform", "警告");
    static constexpr const char* CancelText = TSR_TEXT("QtPlatform", "ｷｬﾝｾﾙ");
    static constexpr const char* RestoreText = TSR_TEXT("QtPlatform", "復元する(&R)");
    static constexpr const char* DiscardText = TSR_TEXT("QtPlatform", "破棄する(&D)");
    static constexpr const char* LaterText = TSR_TEXT("QtPlatform", "後で決める(&L)");
    static constexpr const char* MapFilter = TSR_TEXT("QtPlatform", "Tiled マップ (*.tmx)|*.tmx");
    static std::string Shown(const char* text);
    // A palette is read from a palette file or a picture, and written in
    // one of the three formats that can be written.
    static constexpr const char* PaletteLoadFilter =
        TSR_TEXT("QtPlatform",
                 "パレット (*.gpl *.pal *.txt *.hex *.act)|*.gpl;*.pal;*.txt;*.hex;*.act|"
                 "ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)|*.bmp;*.BMP|Jpeg（*.jpg）|*.jpg|PNG (*.png)|*.png;*.PNG");
    static constexpr const char* PaletteSaveFilter =
        TSR_TEXT("QtPlatform", "GIMP パレット (*.gpl)|*.gpl|JASC パレット (*.pal)|*.pal|16進パレット (*.hex)|*.hex");

    explicit QtPlatform(PlatformHost& host);
    ~QtPlatform() override;

    void ShowMessage(const std::string& text) override;
    void ShowAbout(const std::string& text) override;
    bool AskQuestion(const std::string& text) override;
    RestoreAnswer AskRestore(const std::string& text) override;
    std::optional<std::string> PictureOpenDialog() override;
    std::optional<std::string> PictureSaveDialog() override;
    std::optional<std::string> NumberedSaveDialog() override;
    std::optional<std::string> PaletteOpenDialog() override;
    std::optional<std::string> PaletteSaveDialog() override;
    std::optional<canvas::Colour> ColourDialog(std::optional<canvas::Colour> start) override;
    std::optional<BoardSize> BoardSizeDialog(int cols, int rows) override;
    std::optional<ChipAnimation> AnimationDialog(ChipAnimation current) override;
    std::optional<AutotileAnswer> AutotileDialog(const AutotileAnswer& start) override;
    std::optional<std::string> MapOpenDialog() override;
    std::optional<std::string> MapSaveDialog() override;
    std::optional<ControlId> PopupMenu(ControlId menu, ControlId origin, int x, int y) override;
    bool ClipboardHasBitmap() override;
    void ClipboardPut(const canvas::Picture& picture, const std::vector<std::uint8_t>& png) override;
    std::optional<canvas::Picture> ClipboardTake() override;
    void OpenUrl(const std::string& url) override;
    void OpenFile(const std::string& path) override;
    std::string ProgramFolder() override;
    void RequestClose() override;
    void ShowLanguage(bool english) override;

    MessageAnswerer messageAnswerer;

    // The dialogs, made on first use (for tests that drive them).
    QFileDialog& OpenDialog();
    QFileDialog& SaveDialog();
    QFileDialog& NumberedDialog();
    QColorDialog& ColourPicker();
    QFileDialog& MapDialog(bool save);
    QFileDialog& PaletteDialog(bool save);

private:
    void ShowPlainBox(const std::string& text, const QIcon& icon);
    std::optional<std::string> RunFileDialog(QFileDialog& dialog, QString& lastPath);

    PlatformHost& host_;
    QPointer<QFileDialog> openDialog_;
    QPointer<QFileDialog> saveDialog_;
    QPointer<QFileDialog> numberedDialog_;
    QPointer<QColorDialog> colourDialog_;
    QPointer<QFileDialog> mapOpenDialog_;
    QPointer<QFileDialog> mapSaveDialog_;
    QPointer<QFileDialog> paletteOpenDialog_;
    QPointer<QFileDialog> paletteSaveDialog_;
    QString lastPalettePath_;
    QString lastMapPath_;
    QString lastOpenPath_;
    QString lastSavePath_;
    QString lastNumberedPath_;
    QColor lastColour_ = Qt::black;
};

}  // namespace ui
