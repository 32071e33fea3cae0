// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario language: words, strings, values and commands.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/ScriptParser.h"
#include "tools/tessaro-script/Tokenizer.h"
#include "tools/tessaro-script/Values.h"

using namespace script;

namespace {

template <typename T>
T Parsed(const std::string& line) {
    const auto command = ParseLine(line);
    EXPECT_TRUE(command.has_value()) << line;
    const T* c = command ? std::get_if<T>(&*command) : nullptr;
    EXPECT_NE(c, nullptr) << line;
    return c ? *c : T{};
}

bool Refused(const std::string& line) {
    try {
        ParseLine(line);
    } catch (const ScriptError&) {
        return true;
    }
    return false;
}

}  // namespace

TEST(Tokenizer, SplitsOnBlanksAndTabsAndStopsAtComments) {
    const auto tokens = Tokenize("  press\tedit  12 -3   left # zoom 5 \"not a string");
    ASSERT_EQ(tokens.size(), 5u);
    EXPECT_EQ(tokens[0].text, "press");
    EXPECT_EQ(tokens[1].text, "edit");
    EXPECT_EQ(tokens[3].text, "-3");
    EXPECT_EQ(tokens[4].text, "left");
    EXPECT_FALSE(tokens[4].quoted);
    EXPECT_TRUE(Tokenize("   # only a comment").empty());
    EXPECT_TRUE(Tokenize("").empty());
    // A comment may follow a word without a blank.
    ASSERT_EQ(Tokenize("close#now").size(), 1u);
}

TEST(Tokenizer, StringsKeepBlanksHashesAndUtf8AndResolveEscapes) {
    const auto tokens = Tokenize(R"(expect question "保存 # \"x\" \\ a\nb\r\tc" # comment)");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_TRUE(tokens[2].quoted);
    EXPECT_EQ(tokens[2].text, "保存 # \"x\" \\ a\nb\r\tc");

    const auto empty = Tokenize(R"(write a.txt "")");
    ASSERT_EQ(empty.size(), 3u);
    EXPECT_TRUE(empty[2].quoted);
    EXPECT_EQ(empty[2].text, "");
    ASSERT_EQ(Tokenize(R"("a"#c)").size(), 1u);
}

TEST(Tokenizer, RefusesBrokenStrings) {
    for (const char* line : {R"(x "open)", R"(x "a\q")", R"(x "ends in \)", R"(x a"b")", R"(x "a"b)"}) {
        EXPECT_THROW(Tokenize(line), ScriptError) << line;
    }
}

TEST(Tokenizer, QuotedTextReadsBackAsItself) {
    for (const std::string text : {"", "plain", "a \"b\" c", "back\\slash", "lines\r\n\tend", "#hash", "ｷｬﾝｾﾙ"}) {
        const auto tokens = Tokenize("x " + Quoted(text));
        ASSERT_EQ(tokens.size(), 2u) << text;
        EXPECT_EQ(tokens[1].text, text);
    }
}

TEST(Values, ColourIsRedGreenBlueWithRedInTheLowByte) {
    EXPECT_EQ(ParseColour("255,0,51"), 0x3300FFu);
    EXPECT_EQ(ParseColour("0,0,0"), 0u);
    EXPECT_EQ(ParseColour("1,2,3"), canvas::Rgb(1, 2, 3));
    EXPECT_EQ(RgbText(ParseColour("255,0,51")), "255,0,51");
    EXPECT_EQ(RgbText(ParseColour("007,08,9")), "7,8,9");
    for (const char* bad : {"256,0,0", "1,2", "1,2,3,4", "1,,3", "-1,0,0", "+1,0,0", "a,b,c", "", "1,2,3,", ",1,2"}) {
        EXPECT_THROW(ParseColour(bad), ScriptError) << bad;
    }
}

TEST(Values, ModsAreSetsInAnyOrder) {
    EXPECT_TRUE(ParseMods("none").IsEmpty());
    EXPECT_EQ(ParseMods("ctrl+left"), ParseMods("left+ctrl"));
    EXPECT_EQ(ParseMods("ctrl+left"), (ShiftState{ShiftKey::Ctrl, ShiftKey::Left}));
    EXPECT_NE(ParseMods("left"), ParseMods("ctrl+left"));
    EXPECT_EQ(ParseMods("double+left"), (ShiftState{ShiftKey::Double, ShiftKey::Left}));
    EXPECT_EQ(ParseMods("shift+alt+right+middle"),
              (ShiftState{ShiftKey::Shift, ShiftKey::Alt, ShiftKey::Right, ShiftKey::Middle}));
    for (const char* bad : {"super", "left+left", "left+", "+left", "Left", "none+left", ""}) {
        EXPECT_THROW(ParseMods(bad), ScriptError) << bad;
    }
}

TEST(Values, IntegersAndCountsAndBooleans) {
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    for (const char* bad : {"2147483648", "5x", "+5", "", "0x10", " 5"}) {
        EXPECT_THROW(ParseInteger(bad), ScriptError) << bad;
    }
    EXPECT_EQ(ParseCount("5000000000"), 5000000000u);
    EXPECT_THROW(ParseCount("-1"), ScriptError);
    EXPECT_TRUE(ParseYesNo("yes"));
    EXPECT_FALSE(ParseYesNo("no"));
    EXPECT_THROW(ParseYesNo("true"), ScriptError);
}

TEST(ScriptParser, BlankAndCommentLinesAreNoCommands) {
    EXPECT_FALSE(ParseLine("").has_value());
    EXPECT_FALSE(ParseLine("  \t ").has_value());
    EXPECT_FALSE(ParseLine("# start").has_value());
}

TEST(ScriptParser, MouseEvents) {
    const auto press = Parsed<cmd::Mouse>("press edit 12 -3 ctrl+left   # pick");
    EXPECT_TRUE(press.press);
    EXPECT_EQ(press.view, View::Edit);
    EXPECT_EQ(press.x, 12);
    EXPECT_EQ(press.y, -3);
    EXPECT_EQ(press.mods, (ShiftState{ShiftKey::Ctrl, ShiftKey::Left}));

    const auto move = Parsed<cmd::Mouse>("move sheet 500 0 none");
    EXPECT_FALSE(move.press);
    EXPECT_EQ(move.view, View::Sheet);
    EXPECT_TRUE(move.mods.IsEmpty());

    EXPECT_EQ(Parsed<cmd::Mouse>("press PenB 3 3 right").view, View::PenB);
    EXPECT_EQ(Parsed<cmd::Mouse>("press palette 1 1 shift+right").view, View::Palette);
    // The palette decides by the one button of the press.
    EXPECT_TRUE(Refused("press palette 1 1 none"));
    EXPECT_TRUE(Refused("press palette 1 1 left+right"));
    EXPECT_FALSE(Refused("move palette 1 1 none"));
    EXPECT_TRUE(Refused("press screen 1 1 left"));
    EXPECT_TRUE(Refused("press edit 1 left"));
    EXPECT_TRUE(Refused("press edit 1 1 left extra"));
}

TEST(ScriptParser, ControlsAreNamedAsTheEditorNamesThem) {
    EXPECT_EQ(Parsed<cmd::Click>("click mZoom7").control, ControlId::mZoom7);
    EXPECT_TRUE(Refused("click mzoom7"));
    EXPECT_TRUE(Refused("click NoSuchControl"));
    EXPECT_EQ(Parsed<cmd::Open>("open EditMenu").menu, ControlId::EditMenu);
    EXPECT_TRUE(Refused("open wakuMenu"));
    // Menus without an open handler open all the same.
    EXPECT_EQ(Parsed<cmd::Open>("open DefMenu").menu, ControlId::DefMenu);
    EXPECT_EQ(Parsed<cmd::Open>("open helpMenu").menu, ControlId::helpMenu);
    EXPECT_TRUE(Refused("open PenB"));
    EXPECT_EQ(Parsed<cmd::DoubleClick>("dblclick rbP").panel, ControlId::rbP);
    EXPECT_TRUE(Refused("dblclick lbcP"));
    EXPECT_TRUE(Parsed<cmd::UpDown>("updown up").up);
    EXPECT_FALSE(Parsed<cmd::UpDown>("updown down").up);
    EXPECT_TRUE(Refused("updown left"));
}

TEST(ScriptParser, AnswersForDialogs) {
    EXPECT_EQ(Parsed<cmd::Answer>("answer ok").kind, cmd::AnswerKind::Ok);
    EXPECT_EQ(Parsed<cmd::Answer>("answer cancel").kind, cmd::AnswerKind::Cancel);
    EXPECT_EQ(Parsed<cmd::Answer>("answer discard").kind, cmd::AnswerKind::Discard);
    EXPECT_TRUE(Refused("answer yes"));
    EXPECT_EQ(Parsed<cmd::FramesAnswer>("frames 4 120").frames, std::pair(4, 120));
    EXPECT_FALSE(Parsed<cmd::FramesAnswer>("frames cancel").frames.has_value());
    EXPECT_TRUE(Refused("frames 4"));
    EXPECT_FALSE(Parsed<cmd::Choose>("choose cancel").path.has_value());
    // A file that happens to be called "cancel" is written in quotes.
    EXPECT_EQ(Parsed<cmd::Choose>("choose \"cancel\"").path, "cancel");
    EXPECT_EQ(Parsed<cmd::Choose>("choose \"my tiles.bmp\"").path, "my tiles.bmp");
    EXPECT_EQ(Parsed<cmd::PickColour>("pickcolor 1,2,3").colour, canvas::Rgb(1, 2, 3));
    EXPECT_FALSE(Parsed<cmd::PickColour>("pickcolor cancel").colour.has_value());
    EXPECT_EQ(Parsed<cmd::Popup>("popup mPen3").item, ControlId::mPen3);
    EXPECT_FALSE(Parsed<cmd::Popup>("popup none").item.has_value());
    EXPECT_TRUE(Refused("popup PenB"));
}

TEST(ScriptParser, FilesAndClipboard) {
    const auto drop = Parsed<cmd::Drop>("drop a.bmp \"b c.bmp\" d.jpg");
    ASSERT_EQ(drop.paths.size(), 3u);
    EXPECT_EQ(drop.paths[1], "b c.bmp");
    EXPECT_TRUE(Refused("drop"));
    const auto write = Parsed<cmd::Write>("write tsr.def \"zoom=7\\r\\nline=red\"");
    EXPECT_EQ(write.path, "tsr.def");
    EXPECT_EQ(write.text, "zoom=7\r\nline=red");
    EXPECT_TRUE(Refused("write tsr.def zoom=7"));
    EXPECT_FALSE(Parsed<cmd::SetClipboard>("clipboard empty").path.has_value());
    EXPECT_FALSE(Parsed<cmd::SetClipboard>("clipboard text \"hello\"").path.has_value());
    EXPECT_EQ(Parsed<cmd::SetClipboard>("clipboard fixtures/a.bmp").path, "fixtures/a.bmp");
    EXPECT_TRUE(Refused("clipboard text hello"));
    const auto dump = Parsed<cmd::Dump>("dump chip 29 15 out.bmp");
    EXPECT_EQ(dump.target.kind, Target::Kind::Chip);
    EXPECT_EQ(dump.target.col, 29);
    EXPECT_EQ(dump.target.row, 15);
    EXPECT_EQ(dump.path, "out.bmp");
}

TEST(ScriptParser, PictureChecks) {
    const auto pixel = Parsed<cmd::ExpectPixel>("expect pixel chip 3 4 1 2 0,0,255");
    EXPECT_EQ(pixel.target.kind, Target::Kind::Chip);
    EXPECT_EQ(pixel.target.col, 3);
    EXPECT_EQ(pixel.target.row, 4);
    EXPECT_EQ(pixel.x, 1);
    EXPECT_EQ(pixel.y, 2);
    EXPECT_EQ(pixel.colour, 0xFF0000u);
    EXPECT_TRUE(Refused("expect pixel chip 64 0 1 1 0,0,0"));
    EXPECT_TRUE(Refused("expect pixel chip 0 64 1 1 0,0,0"));
    EXPECT_TRUE(Refused("expect pixel screen 1 1 0,0,0"));
    const auto size = Parsed<cmd::ExpectSize>("expect size sheetview 481 257");
    EXPECT_EQ(size.target.kind, Target::Kind::SheetView);
    EXPECT_EQ(size.width, 481);
    EXPECT_EQ(size.height, 257);
    const auto same = Parsed<cmd::ExpectSame>("expect same clipboard chip 0 1");
    EXPECT_EQ(same.first.kind, Target::Kind::Clipboard);
    EXPECT_EQ(same.second.kind, Target::Kind::Chip);
    EXPECT_EQ(same.second.row, 1);
}

TEST(ScriptParser, StateChecksHoldTheirValueAsTheDriverPrintsIt) {
    const auto zoom = Parsed<cmd::ExpectState>("expect Zoom 05");
    EXPECT_EQ(zoom.field, StateField::Zoom);
    EXPECT_EQ(zoom.expected, "5");
    EXPECT_EQ(Parsed<cmd::ExpectState>("expect LeftColor 255,255,0255").expected, "255,255,255");
    EXPECT_EQ(Parsed<cmd::ExpectState>("expect Modified no").expected, "no");
    EXPECT_EQ(Parsed<cmd::ExpectState>("expect caption \"Tessaro \\\"x\\\"\"").expected, "\"Tessaro \\\"x\\\"\"");
    EXPECT_EQ(Parsed<cmd::ExpectState>("expect closed yes").field, StateField::Closed);
    EXPECT_TRUE(Refused("expect Zoom five"));
    EXPECT_TRUE(Refused("expect Modified true"));
    EXPECT_TRUE(Refused("expect FileName a.bmp"));
    EXPECT_TRUE(Refused("expect Bogus 1"));
    EXPECT_TRUE(Refused("expect zoom 5"));
}

TEST(ScriptParser, ControlChecks) {
    const auto pressed = Parsed<cmd::ExpectControl>("expect pressed FillB yes");
    EXPECT_EQ(pressed.check, ControlCheck::Pressed);
    EXPECT_EQ(pressed.control, ControlId::FillB);
    EXPECT_EQ(pressed.expected, "yes");
    EXPECT_TRUE(Refused("expect pressed lbP yes"));
    EXPECT_EQ(Parsed<cmd::ExpectControl>("expect text pRate \"×5 \"").expected, "\"×5 \"");
    EXPECT_EQ(Parsed<cmd::ExpectControl>("expect color lbP 255,255,255").expected, "255,255,255");
    EXPECT_EQ(Parsed<cmd::ExpectControl>("expect position udRate 10").expected, "10");
    EXPECT_TRUE(Refused("expect position pRate 10"));
    EXPECT_EQ(Parsed<cmd::ExpectControl>("expect cursor EditI hand").expected, "hand");
    EXPECT_TRUE(Refused("expect cursor EditI cross"));
}

TEST(ScriptParser, MessageChecks) {
    EXPECT_EQ(Parsed<cmd::ExpectMessage>("expect message any").kind, cmd::ExpectMessage::Kind::AnyMessage);
    // In quotes, "any" is the text itself.
    const auto literal = Parsed<cmd::ExpectMessage>("expect message \"any\"");
    EXPECT_EQ(literal.kind, cmd::ExpectMessage::Kind::Message);
    EXPECT_EQ(literal.text, "any");
    const auto question = Parsed<cmd::ExpectMessage>("expect question \"保存しないで\"");
    EXPECT_EQ(question.kind, cmd::ExpectMessage::Kind::Question);
    EXPECT_EQ(question.text, "保存しないで");
    EXPECT_TRUE(Refused("expect question any"));
    EXPECT_TRUE(Refused("expect message"));
}

TEST(ScriptParser, UnknownCommandsAndSurplusArguments) {
    EXPECT_TRUE(Refused("launch"));
    EXPECT_TRUE(Refused("Start"));
    EXPECT_TRUE(Refused("start now"));
    EXPECT_TRUE(Refused("\"start\""));
    EXPECT_TRUE(Refused("close 1"));
    EXPECT_EQ(Parsed<cmd::ExpectFileSize>("expect filesize out.bmp 822").size, 822u);
    EXPECT_TRUE(Refused("expect filesize out.bmp -1"));
    EXPECT_TRUE(Parsed<cmd::ExpectExists>("expect exists \"a b.bmp\" yes").exists);
    EXPECT_EQ(Parsed<cmd::ExpectOpened>("expect opened \"https://x/\"").url, "https://x/");
    EXPECT_TRUE(Refused("expect opened https://x/"));
}
