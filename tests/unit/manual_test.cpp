// SPDX-License-Identifier: GPL-3.0-or-later
// The manual: every menu item is described in it under its English and its
// Japanese name, and the Help menu opens it. (A picture it lacks fails
// the build of manual.html.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "core/ControlTable.h"
#include "core/Form.h"
#include "edit/EditorForm.h"
#include "io/ManualFile.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/ScratchDirectory.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string Unescaped(std::string text) {
    static const std::pair<const char*, const char*> entities[] = {{"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (std::size_t at = 0; (at = text.find(entity, at)) != std::string::npos; at += std::strlen(plain))
            text.replace(at, std::strlen(entity), plain);
    return text;
}

// The English captions of the control table, by their Japanese source.
std::map<std::string, std::string> EnglishCaptions() {
    const std::string ts = ReadText(fs::path(TESSARO_SOURCE_DIR) / "translations" / "tessaro_en.ts");
    const std::size_t begin = ts.find("<name>Controls</name>");
    const std::size_t end = ts.find("</context>", begin);
    const std::string controls = ts.substr(begin, end - begin);
    const std::regex message(R"(<source>([^<]*)</source>\s*<translation>([^<]*)</translation>)");
    std::map<std::string, std::string> english;
    for (std::sregex_iterator it(controls.begin(), controls.end(), message), last; it != last; ++it)
        english[Unescaped((*it)[1])] = Unescaped((*it)[2]);
    return english;
}

// A caption as the manual writes it: without the accelerator, its marker
// and the dots of an item that opens a dialog.
std::string AsWritten(std::string caption) {
    caption = std::regex_replace(caption, std::regex(R"((\(|（)&?[0-9A-Z](\)|）))"), "");
    caption = std::regex_replace(caption, std::regex(R"(\.\.\.$)"), "");
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    return caption;
}

TEST(Manual, NamesEveryMenuAndItemInEnglishAndJapanese) {
    const std::string manual = ReadText(fs::path(TESSARO_SOURCE_DIR) / "docs" / "manual.md");
    const auto english = EnglishCaptions();
    ASSERT_FALSE(english.empty());
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlInfo& control = InfoOf(static_cast<ControlId>(i));
        if (control.kind != ControlKind::Menu && control.kind != ControlKind::MenuItem) continue;
        const std::string source(control.caption);
        const auto translated = english.find(source);
        const std::string japanese = AsWritten(source);
        const std::string inEnglish = AsWritten(translated == english.end() ? source : translated->second);
        EXPECT_NE(manual.find(japanese), std::string::npos) << control.name << ": \"" << japanese << "\"";
        EXPECT_NE(manual.find(inEnglish), std::string::npos) << control.name << ": \"" << inEnglish << "\"";
    }
}

class ProgramInFolder : public FakePlatform {
public:
    explicit ProgramInFolder(std::string folder) : folder_(std::move(folder)) {}
    std::string ProgramFolder() override { return folder_; }

private:
    std::string folder_;
};

TEST(Manual, HelpMenuOpensTheManualBesideTheProgramOrSaysWhereItBelongs) {
    ScratchDirectory dir;
    ProgramInFolder platform(dir.Path().string());
    EditorForm form(platform);
    form.FormCreate();

    form.helpMenuClick(ControlId::ManualMenu);
    if (fs::is_regular_file(InstalledManual)) {
        EXPECT_EQ(platform.openedUrls, std::vector<std::string>{std::string("file://") + InstalledManual});
    } else {
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_NE(platform.shown[0].text.find(InstalledManual), std::string::npos) << platform.shown[0].text;
        EXPECT_TRUE(platform.openedUrls.empty());
    }

    std::ofstream(dir.Path() / "manual.html") << "<html></html>\n";
    platform.openedUrls.clear();
    form.helpMenuClick(ControlId::ManualMenu);
    EXPECT_EQ(platform.openedUrls, std::vector<std::string>{"file://" + (dir.Path() / "manual.html").string()});
}

}  // namespace
