// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario driver on scripts written inline: what it counts, what it
// prints, and which faults of a script it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "tools/tessaro-script/Actions.h"
#include "tools/tessaro-script/Runner.h"
#include "tools/tessaro-script/ScriptError.h"
#include "tools/tessaro-script/Session.h"

using namespace script;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    ScriptResult result;
    std::string output;
};

Outcome RunText(const std::string& text) {
    std::ostringstream out;
    Outcome run;
    run.result = RunScriptText("t.scn", text, out);
    run.output = out.str();
    return run;
}

Outcome RunIn(Session& session, const std::string& text) {
    std::ostringstream out;
    Outcome run;
    run.result = RunScriptIn(session, "t.scn", text, out);
    run.output = out.str();
    return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A directory of its own for the files a test makes, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        path_ = fs::temp_directory_path() /
                ("tessaro-script-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

}  // namespace

TEST(ScriptDriver, CountsPassedChecksAndPrintsNothingForThem) {
    const Outcome run = RunText(
        "# the start-up state\n"
        "start\n"
        "expect Zoom 5\r\n"  // CR LF line ends are fine
        "expect size sheetview 481 257\n"
        "\n"
        "expect caption \"Tessaro\"\n");
    EXPECT_EQ(run.result.passed, 3);
    EXPECT_EQ(run.result.failed, 0);
    EXPECT_FALSE(run.result.error);
    EXPECT_EQ(run.output, "");
}

TEST(ScriptDriver, AFailedCheckShowsTheLineAndTheActualValueAndTheScriptGoesOn) {
    const Outcome run = RunText(
        "start\n"
        "   expect Zoom 6   # wrong on purpose\n"
        "expect pixel sheetview 480 5 0,0,0\n"
        "expect caption \"Velmira\"\n"
        "expect pixel sheetview 481 0 0,0,0\n"
        "expect Modified no\n");
    EXPECT_EQ(run.result.passed, 1);
    EXPECT_EQ(run.result.failed, 4);
    EXPECT_FALSE(run.result.error);
    EXPECT_EQ(run.output,
              "FAIL t.scn:2: expect Zoom 6   # wrong on purpose -- got 5\n"
              "FAIL t.scn:3: expect pixel sheetview 480 5 0,0,0 -- got 255,255,255\n"
              "FAIL t.scn:4: expect caption \"Velmira\" -- got \"Tessaro\"\n"
              "FAIL t.scn:5: expect pixel sheetview 481 0 0,0,0 -- got (481, 0) outside the 481x257 picture\n");
}

TEST(ScriptDriver, AScriptErrorNamesTheLineAndEndsTheScript) {
    const Outcome run = RunText(
        "start\n"
        "expect Zoom 5\n"
        "launch rockets\n"
        "expect Zoom 6\n");
    EXPECT_TRUE(run.result.error);
    EXPECT_EQ(run.result.passed, 1);
    EXPECT_EQ(run.result.failed, 0);
    EXPECT_EQ(run.output, "ERROR t.scn:3: unknown command launch\n");
}

TEST(ScriptDriver, StartComesOnceAndOnlyAfterFilesAreLaidOut) {
    const Outcome before = RunText("expect Zoom 5\nstart\n");
    EXPECT_TRUE(before.result.error);
    EXPECT_TRUE(Contains(before.output, "ERROR t.scn:1: ")) << before.output;

    const Outcome twice = RunText("start\nstart\n");
    EXPECT_TRUE(twice.result.error);
    EXPECT_TRUE(Contains(twice.output, "ERROR t.scn:2: ")) << twice.output;

    const Outcome none = RunText("# nothing\n");
    EXPECT_TRUE(none.result.error);
    EXPECT_TRUE(Contains(none.output, "no start")) << none.output;

    ScratchDir dir;
    const Outcome files = RunText("remove " + dir / "a.txt" + "\nwrite " + dir / "a.txt" +
                                  " \"x\"\nstart\nexpect filesize " + dir / "a.txt" + " 1\n");
    EXPECT_FALSE(files.result.error) << files.output;
    EXPECT_EQ(files.result.passed, 1);
}

TEST(ScriptDriver, AnswersLeftUnusedAreAScriptError) {
    const Outcome run = RunText("start\nanswer ok\nchoose cancel\nexpect Zoom 5\n");
    EXPECT_TRUE(run.result.error);
    EXPECT_EQ(run.result.passed, 1);
    EXPECT_TRUE(Contains(run.output, "ERROR t.scn:4: ")) << run.output;
    EXPECT_TRUE(Contains(run.output, "1 answer left unused")) << run.output;
    EXPECT_TRUE(Contains(run.output, "1 choose answer left unused")) << run.output;
}

TEST(ScriptDriver, EveryMessageMustBeCheckedInOrder) {
    {
        Session session;
        session.platform.ShowMessage("first");
        const Outcome run = RunIn(session, "start\n");
        EXPECT_TRUE(run.result.error);
        EXPECT_TRUE(Contains(run.output, "left unchecked: message \"first\"")) << run.output;
    }
    {
        Session session;
        session.platform.ShowMessage("first");
        session.platform.ShowMessage("second");
        const Outcome run = RunIn(session, "start\nexpect message \"first\"\nexpect message any\nexpect message any\n");
        EXPECT_FALSE(run.result.error) << run.output;
        EXPECT_EQ(run.result.passed, 2);
        EXPECT_EQ(run.output, "FAIL t.scn:4: expect message any -- got no message\n");
    }
    {
        // A check that fails still takes its entry, so the next one reads the next message.
        Session session;
        session.platform.ShowMessage("first");
        session.platform.ShowMessage("second");
        const Outcome run = RunIn(session, "start\nexpect question \"first\"\nexpect message \"second\"\n");
        EXPECT_FALSE(run.result.error) << run.output;
        EXPECT_EQ(run.result.passed, 1);
        EXPECT_EQ(run.output, "FAIL t.scn:2: expect question \"first\" -- got message \"first\"\n");
    }
}

TEST(ScriptDriver, CloseAsksOnlyAboutChangesAndTheWindowStaysUntilGranted) {
    const std::string question = "保存しないでこのまま終了してよろしいですか？";
    {
        const Outcome run = RunText("start\nclose\nexpect closed yes\n");
        EXPECT_FALSE(run.result.error) << run.output;
        EXPECT_EQ(run.result.passed, 1);
    }
    {
        Session session;
        const Outcome run = RunIn(session, "start\n");
        ASSERT_FALSE(run.result.error) << run.output;
        session.form.Modified = true;
        const Outcome cancelled = RunIn(session, "answer cancel\nclose\nexpect question \"" + question +
                                                     "\"\nexpect closed no\nanswer ok\nclose\nexpect question \"" +
                                                     question + "\"\nexpect closed yes\n");
        // The second run has no start of its own; the session already started.
        EXPECT_EQ(cancelled.result.passed, 4) << cancelled.output;
        EXPECT_EQ(cancelled.result.failed, 0) << cancelled.output;
    }
    {
        Session session;
        ASSERT_FALSE(RunIn(session, "start\n").result.error);
        session.form.Modified = true;
        const Outcome unanswered = RunIn(session, "close\n");
        EXPECT_TRUE(unanswered.result.error);
        EXPECT_TRUE(Contains(unanswered.output, "no answer queued")) << unanswered.output;
    }
    {
        const Outcome after = RunText("start\nclose\nclick mZoom2\n");
        EXPECT_TRUE(after.result.error);
        EXPECT_TRUE(Contains(after.output, "ERROR t.scn:3: the main window is closed")) << after.output;
    }
}

TEST(ScriptDriver, AControlWithoutClickHandlerIsAScriptError) {
    const Outcome run = RunText("start\nclick lbcP\n");
    EXPECT_TRUE(run.result.error);
    EXPECT_TRUE(Contains(run.output, "ERROR t.scn:2: lbcP has no click handler")) << run.output;
}

TEST(ScriptDriver, TheEventBoundaryReportsWhatLeavesAHandler) {
    Session session;
    RunAtEventBoundary(session, [] { throw std::runtime_error("disk full"); });
    const auto logged = session.platform.TakeMessage();
    ASSERT_TRUE(logged.has_value());
    EXPECT_FALSE(logged->question);
    EXPECT_EQ(logged->text, "disk full");

    // Editor code that swallows the platform's refusal does not hide it.
    try {
        RunAtEventBoundary(session, [&] {
            try {
                session.platform.ColourDialog(std::nullopt);
            } catch (...) {}
        });
        ADD_FAILURE() << "a swallowed script error must come back";
    } catch (const ScriptError& e) {
        EXPECT_TRUE(Contains(e.Reason(), "colour dialog")) << e.Reason();
    }
}

TEST(ScriptedPlatform, PopUpChoicesMustBeEnabledItemsOfTheMenuThatOpens) {
    Session session;
    session.platform.QueuePopup(ControlId::mPen2);
    EXPECT_EQ(session.platform.PopupMenu(ControlId::mPen, ControlId::PenB, 0, 0), ControlId::mPen2);

    session.platform.QueuePopup(std::nullopt);
    EXPECT_EQ(session.platform.PopupMenu(ControlId::mPen, ControlId::PenB, 0, 0), std::nullopt);

    session.platform.QueuePopup(ControlId::popCopyMenu);
    EXPECT_THROW(session.platform.PopupMenu(ControlId::mPen, ControlId::PenB, 0, 0), ScriptError);
    EXPECT_TRUE(session.platform.TakePendingError().has_value());

    session.form.controls.SetEnabled(ControlId::popPasteMenu, false);
    session.platform.QueuePopup(ControlId::popPasteMenu);
    EXPECT_THROW(session.platform.PopupMenu(ControlId::ScreenMenu, ControlId::ScreenI, 0, 0), ScriptError);

    EXPECT_THROW(session.platform.PopupMenu(ControlId::ScreenMenu, ControlId::ScreenI, 0, 0), ScriptError);
    EXPECT_EQ(session.platform.Leftovers(), "");
}

TEST(ScriptedPlatform, DialogsTakeTheirAnswersFirstInFirstOut) {
    ScriptedPlatform platform;
    platform.QueueChoice(std::string("a.bmp"));
    platform.QueueChoice(std::nullopt);
    platform.QueueChoice(std::string("b.bmp"));
    EXPECT_EQ(platform.PictureOpenDialog(), "a.bmp");
    EXPECT_EQ(platform.PictureSaveDialog(), std::nullopt);
    EXPECT_NE(platform.Leftovers(), "");
    EXPECT_EQ(platform.NumberedSaveDialog(), "b.bmp");
    EXPECT_THROW(platform.PictureOpenDialog(), ScriptError);
    EXPECT_TRUE(platform.TakePendingError().has_value());

    // The picture dialogs add the default extension to a name typed without
    // one; the numbered save's dialog has none.
    platform.QueueChoice(std::string("dir.x/map"));
    platform.QueueChoice(std::string("map.v2"));
    platform.QueueChoice(std::string("map"));
    platform.QueueChoice(std::string("missing"));
    EXPECT_EQ(platform.PictureSaveDialog(), "dir.x/map.bmp");
    EXPECT_EQ(platform.PictureSaveDialog(), "map.v2");
    EXPECT_EQ(platform.NumberedSaveDialog(), "map");
    EXPECT_EQ(platform.PictureOpenDialog(), "missing.bmp");

    platform.QueueColour(canvas::Rgb(1, 2, 3));
    EXPECT_EQ(platform.ColourDialog(std::nullopt), canvas::Rgb(1, 2, 3));
    platform.QueueAnswer(cmd::AnswerKind::Ok);
    platform.QueueAnswer(cmd::AnswerKind::Cancel);
    platform.QueueAnswer(cmd::AnswerKind::Discard);
    platform.QueueAnswer(cmd::AnswerKind::Discard);
    EXPECT_TRUE(platform.AskQuestion("q1"));
    EXPECT_FALSE(platform.AskQuestion("q2"));
    EXPECT_EQ(platform.AskRestore("q3"), Platform::RestoreAnswer::Discard);
    // Only the restore question can throw its copy away.
    EXPECT_THROW(platform.AskQuestion("q4"), ScriptError);
    (void)platform.TakePendingError();
    for (const char* q : {"q1", "q2", "q3", "q4"}) EXPECT_EQ(platform.TakeMessage()->text, q);
    EXPECT_EQ(platform.Leftovers(), "");
}

TEST(ScriptDriver, PicturesAreWrittenAsBmpAndComparedPixelForPixel) {
    ScratchDir dir;
    const Outcome run = RunText(
        "start\n"
        "dump chip 0 0 " +
        dir / "chip.bmp" +
        "\n"
        "expect filesize " +
        dir / "chip.bmp" +
        " 822\n"  // 54 + 16 rows of 48 bytes
        "clipboard " +
        dir / "chip.bmp" +
        "\n"
        "expect same clipboard chip 29 15\n"
        "expect same sheetview editview\n"
        "saveclipboard " +
        dir / "copy.bmp" +
        "\n"
        "expect filesize " +
        dir / "copy.bmp" +
        " 822\n"
        "expect exists " +
        dir / "none.bmp" +
        " no\n"
        "clipboard text \"words\"\n"
        "expect size clipboard 16 16\n");
    EXPECT_FALSE(run.result.error) << run.output;
    EXPECT_EQ(run.result.passed, 4) << run.output;
    EXPECT_EQ(run.output,
              "FAIL t.scn:6: expect same sheetview editview -- got sizes 481x257 and 81x81\n"
              "FAIL t.scn:11: expect size clipboard 16 16 -- got no bitmap on the clipboard\n");

    const Outcome empty = RunText("start\nclipboard empty\nsaveclipboard " + dir / "x.bmp" + "\n");
    EXPECT_TRUE(empty.result.error);
    EXPECT_FALSE(fs::exists(dir / "x.bmp"));

    const Outcome broken = RunText("start\nclipboard " + dir / "missing.bmp" + "\n");
    EXPECT_TRUE(broken.result.error);
}

TEST(ScriptDriver, ExitStatusIsTwoAfterAnyScriptErrorElseOneAfterAnyFailure) {
    ScratchDir dir;
    auto script = [&](const std::string& name, const std::string& text) {
        std::ofstream(dir / name) << text;
        return dir / name;
    };
    const std::string good = script("good.scn", "start\nexpect Zoom 5\n");
    const std::string failing = script("failing.scn", "start\nexpect Zoom 6\n");
    const std::string broken = script("broken.scn", "start\nbogus\n");

    std::ostringstream out;
    EXPECT_EQ(RunScripts({good, good}, out), 0);
    EXPECT_EQ(out.str(), "2 passed, 0 failed\n");

    std::ostringstream out1;
    EXPECT_EQ(RunScripts({failing, good}, out1), 1);
    EXPECT_TRUE(out1.str().ends_with("\n1 passed, 1 failed\n")) << out1.str();

    // The other scripts still run after one with an error.
    std::ostringstream out2;
    EXPECT_EQ(RunScripts({broken, failing, good}, out2), 2);
    EXPECT_TRUE(out2.str().ends_with("1 passed, 1 failed\n")) << out2.str();

    std::ostringstream out3;
    EXPECT_EQ(RunScripts({dir / "absent.scn"}, out3), 2);
    EXPECT_TRUE(Contains(out3.str(), "ERROR " + dir / "absent.scn" + ":0: cannot read the script")) << out3.str();
}
