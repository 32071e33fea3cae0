// SPDX-License-Identifier: GPL-3.0-or-later
// English on: every text of the windows, dialogs and boxes, and every
// message and question that the scenarios reach, without a Japanese
// character; and back to the Japanese texts exactly as written.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QToolButton>

#include "tools/tessaro-script/Runner.h"
#include "tools/tessaro-script/Session.h"
#include "ui/BoardWindow.h"
#include "ui/Language.h"
#include "ui/TilePreviewWindow.h"
#include "WindowFixture.h"

namespace {

using enum ControlId;
namespace fs = std::filesystem;

bool Japanese(const QString& text) {
    static const QRegularExpression kana("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]");
    return text.contains(kana);
}

class EnglishTest : public WindowTest {
protected:
    void TearDown() override {
        if (window) form().SetEnglish(false);
        WindowTest::TearDown();
    }
};

TEST_F(EnglishTest, EveryTextOfTheWindowsIsEnglishAndFitsAndJapaneseComesBackAsWritten) {
    Choose(LangEnMenu);
    EXPECT_TRUE(action(LangEnMenu)->isChecked());
    Choose(TileViewMenu);
    Choose(BoardMenu);
    QStringList texts;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const auto id = static_cast<ControlId>(i);
        for (QAction* a : {action(id), window->TileWindow()->ActionOf(id), window->Board()->ActionOf(id)})
            if (a) texts << a->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget(id))) {
            texts << button->text() << button->toolTip();
            const int room = button->width() - 6;
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove('&')), room) << NameOf(id);
        }
        if (auto* panel = qobject_cast<QLabel*>(widget(id))) texts << panel->text();
        // No two items of a menu share an accelerator letter.
        QStringList keys;
        for (QAction* a : window->MenuOf(id) ? window->MenuOf(id)->actions() : QList<QAction*>{})
            if (const qsizetype at = a->text().indexOf('&'); at >= 0) keys << a->text().mid(at + 1, 1).toLower();
        EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size())
            << NameOf(id) << " " << keys.join(",").toStdString();
    }
    EXPECT_LE(window->menuBar()->sizeHint().width(), window->width());
    ui::QtPlatform& platform = window->Platform();
    texts << window->windowTitle() << window->TileWindow()->windowTitle() << window->Board()->windowTitle()
          << platform.OpenDialog().nameFilters() << platform.SaveDialog().nameFilters()
          << platform.NumberedDialog().windowTitle() << platform.MapDialog(false).nameFilters();
    Choose(aboutMenu);
    WhenShown<QDialog> sizeDialog([&](QDialog& dialog) {
        texts << dialog.windowTitle();
        for (QWidget* child : dialog.findChildren<QWidget*>())
            if (auto* label = qobject_cast<QLabel*>(child)) texts << label->text();
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) texts << button->text();
        dialog.reject();
    });
    window->Board()->ActionOf(BoardSizeMenu)->trigger();
    EXPECT_TRUE(sizeDialog.Acted());
    for (const Message& m : messages) texts << QString::fromStdString(m.text);
    EXPECT_GT(texts.size(), 120);
    for (const QString& text : texts) EXPECT_FALSE(Japanese(text)) << text.toStdString();

    Choose(LangEnMenu);
    for (std::size_t i = 0; i < ControlCount; ++i) {
        if (QAction* a = action(static_cast<ControlId>(i)); a && !a->isSeparator()) {
            EXPECT_EQ(a->text().toStdString(), Text(static_cast<ControlId>(i)));
        }
    }
    EXPECT_EQ(window->TileWindow()->windowTitle().toStdString(), "タイル確認");
}

TEST_F(EnglishTest, SettingsFileStartsInEnglish) {
    window.reset();
    std::ofstream("tsr.def") << "zoom=4\nlang=en\n";
    StartWindow();
    EXPECT_TRUE(action(LangEnMenu)->isChecked());
    EXPECT_EQ(window->MenuOf(FileMenu)->title(), "&File");
    EXPECT_EQ(static_cast<QToolButton*>(widget(FillB))->toolTip(), "Flood fill");
}

// The scenarios run through the driver with English on: every message and
// question they reach, in English.
TEST(EnglishScenarios, EveryMessageAndQuestionIsEnglish) {
    ASSERT_TRUE(ui::UseEnglish(true));
    const fs::path home = fs::current_path();
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    std::size_t shown = 0;
    for (const auto& entry : fs::directory_iterator(TESSARO_SCENARIOS)) {
        if (entry.path().extension() != ".scn") continue;
        const fs::path work = home / "english" / entry.path().stem();
        fs::create_directories(work);
        fs::create_directory_symlink(TESSARO_FIXTURES, work / "fixtures");
        fs::create_directory_symlink(TESSARO_TESTDATA, work / "testdata");
        fs::current_path(work);
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString((work / "state").string()));
        // A first run each time: nothing kept from an earlier run of this test.
        fs::remove_all(work / "config");
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((work / "config").string()));
        std::ostringstream text, out;
        text << std::ifstream(entry.path()).rdbuf();
        script::Session session;
        script::RunScriptIn(session, entry.path().filename().string(), text.str(), out);
        for (const auto& m : session.platform.AllShown())
            EXPECT_FALSE(Japanese(QString::fromStdString(m.text))) << entry.path().filename() << ": " << m.text;
        shown += session.platform.AllShown().size();
        fs::current_path(home);
    }
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString((home / "state").string()));
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_GT(shown, 100u);
    ui::UseEnglish(false);
}

}  // namespace
