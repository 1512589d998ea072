// The close of the main frame: what it writes per process mode and view count, the exception
// guards of its steps, Cancel at the save question, the driven close whose save fails, and the
// recovery log of the editor's typing.
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <new>
#include <stdexcept>

#include "AppFixture.h"
#include "TestFiles.h"
#include "app/NcPaneMaker.h"
#include "app/ViewPanes.h"
#include "app/core/DdeCommands.h"
#include "app/core/ExceptionLog.h"
#include "app/ipc/DdeServer.h"
#include "platform/Profile.h"
#include "text/CNcTextEdit.h"
#include "text/core/NcOpsHost.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;

namespace {

class FrameClose : public AppFixture {
protected:
    void TearDown() override {
        AppFixture::TearDown();
        PaneFactory::Instance() = PaneFactory{};
    }
    fs::path Ini() const { return ConfigFolder() / "MV_System.ini"; }
    fs::path LogFolder() const { return ConfigFolder() / "LOG"; }
    std::vector<fs::path> Logs() const {
        std::vector<fs::path> logs;
        std::error_code ec;
        for (const auto& e : fs::directory_iterator(LogFolder(), ec))
            if (e.path().extension() == ".LOG") logs.push_back(e.path());
        return logs;
    }
    // The lines of the one recovery log there is (none when there is not exactly one).
    std::vector<std::string> TheLog() const {
        const auto logs = Logs();
        return logs.size() == 1 ? test::ReadLines(logs[0]) : std::vector<std::string>{};
    }
    // A copy of the laser sample in the test's folder.
    std::string CopyOfSample() {
        const fs::path p = dir_.path() / "nc" / "laser-sample.nc";
        test::WriteFile(p, test::ReadFile(Sample()));
        return p.string();
    }
    // Changes line 0 as every NC operation does (rebuild, modified, recovery log).
    void ChangeText(const std::string& line) {
        Frame()->NcOps().ReplaceLine(0, line);
        Frame()->NcOps().LinesChanged();
    }
    std::string ExceptionLog() const { return test::ReadFile(ExceptionLogPath(ConfigFolder())); }
    CNcTextEdit* OpenEditor() {
        Frame()->ToggleEditMode();
        return Frame()->Editor();
    }
};

// What a close wrote, as seen after the program ended.
struct Written {
    bool placement = false;    // "Morvalen.ini"
    bool paneSizes = false;    // [NcInfoView] and [NcTextView] SizeX, SizeY
    bool barState = false;     // the per-user profile's "Tool Bars" "Version"
    bool viewColours = false;  // [Setting for 16ILB]
};

TEST_F(FrameClose, WhatIsWrittenPerProcessModeWithOneAndFourViews) {
    struct Case {
        int mode;
        int viewType;
        Written expected;
    } const cases[] = {
        {0, 0, {true, true, true, false}},     {0, 4, {true, true, true, false}},
        {1, 0, {true, true, true, true}},      {1, 4, {true, true, true, false}},
        {11, 0, {true, true, true, true}},     {11, 4, {true, true, true, false}},
        {2, 0, {false, false, false, true}},   {2, 4, {false, false, false, false}},
        {4, 0, {false, false, false, true}},   {30, 0, {false, false, false, true}},
        {31, 4, {false, false, false, false}},
    };
    InstallViewPanes();
    for (const Case& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + ", view type " +
                     std::to_string(c.viewType));
        fs::remove_all(dir_.path() / "data");
        fs::remove_all(dir_.path() / "profile");
        ASSERT_TRUE(Start({"/US", "/m=" + std::to_string(c.mode), Sample()}));
        if (c.viewType == 4) {
            ASSERT_TRUE(Frame()->RebuildElemViews(4));
        }
        ASSERT_EQ(Frame()->ElemViews().size(), c.viewType == 4 ? 4u : 1u);
        // The view's torch size as it stands is what the close writes.
        ASSERT_TRUE(Frame()->ElemViews()[0]->Settings());
        // Values no pane has, to see whether the close wrote the sizes.
        for (const char* section : {"NcInfoView", "NcTextView"})
            for (const char* key : {"SizeX", "SizeY"})
                platform::WriteProfileInt(section, key, -7, Ini());
        ASSERT_TRUE(Frame()->close());
        app_.reset();
        Written w;
        w.placement = fs::exists(ConfigFolder() / "Morvalen.ini");
        w.paneSizes = platform::GetProfileInt("NcInfoView", "SizeX", -1, Ini()) > 0 &&
                      platform::GetProfileInt("NcInfoView", "SizeY", -1, Ini()) > 0 &&
                      platform::GetProfileInt("NcTextView", "SizeX", -1, Ini()) > 0 &&
                      platform::GetProfileInt("NcTextView", "SizeY", -1, Ini()) > 0;
        w.barState = QSettings(MORVALEN_PROFILE_ORG, MORVALEN_PROFILE_APP)
                         .value("Tool Bars/Version")
                         .toInt() == 14;
        const auto keys = platform::GetProfileKeyNames("Setting for 16ILB", Ini());
        w.viewColours = std::find(keys.begin(), keys.end(), "TorchSize") != keys.end();
        EXPECT_EQ(w.placement, c.expected.placement);
        EXPECT_EQ(w.paneSizes, c.expected.paneSizes);
        EXPECT_EQ(w.barState, c.expected.barState);
        EXPECT_EQ(w.viewColours, c.expected.viewColours);
        if (w.viewColours) {
            // The views' 24 keys and the NC list's derore_Path (written back when it is made).
            EXPECT_EQ(keys.size(), 25u);
            EXPECT_NE(std::find(keys.begin(), keys.end(), "derore_Path"), keys.end());
            EXPECT_EQ(platform::GetProfileInt("Setting for 16ILB", "TorchSize", 0, Ini()), 20);
        }
    }
}

TEST_F(FrameClose, PaneSizesAreTheOnesShown) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    Frame()->showNormal();
    Frame()->resize(1000, 700);
    QApplication::processEvents();
    const QSize info = Frame()->InfoPane()->size();
    const QSize nc = Frame()->NcPane()->Widget()->size();
    ASSERT_TRUE(Frame()->close());
    EXPECT_EQ(platform::GetProfileInt("NcInfoView", "SizeX", 0, Ini()), info.width());
    EXPECT_EQ(platform::GetProfileInt("NcInfoView", "SizeY", 0, Ini()), info.height());
    EXPECT_EQ(platform::GetProfileInt("NcTextView", "SizeX", 0, Ini()), nc.width());
    EXPECT_EQ(platform::GetProfileInt("NcTextView", "SizeY", 0, Ini()), nc.height());
}

TEST_F(FrameClose, AnExceptionWhileTheLayoutIsSavedIsLoggedAndTheCloseGoesOn) {
    // The editor's commit, the first thing the close does in edit mode, runs out of memory.
    PaneFactory::Instance().NcPane = [](QWidget* parent, CMainFrame* frame,
                                        bool editor) -> INcPane* {
        if (!editor) return MakeNcTextView(parent, frame);
        NcTextViewContext ctx;
        ctx.IniPath = frame->App()->Paths.IniPath;
        CTessmarkApp* app = frame->App();
        ctx.Lines = [app] { return &app->Document->Lines; };
        ctx.CommitLines = [](std::vector<std::string>&&) { throw std::bad_alloc(); };
        return new CNcTextEdit(parent, std::move(ctx));
    };
    ASSERT_TRUE(Start({"/US", Sample()}));
    CNcTextEdit* editor = OpenEditor();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor, "X");
    ASSERT_EQ(editor->Modified, 1);
    ASSERT_TRUE(Frame()->Server());
    EXPECT_TRUE(Frame()->close());
    const std::string log = ExceptionLog();
    EXPECT_NE(log.find("Function name : OnClose\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Error type : Memory exception\r\n"), std::string::npos) << log;
    // The close went on to its last step: the server is stopped.
    EXPECT_FALSE(Frame()->Server()->IsListening());
}

TEST_F(FrameClose, AnExceptionWhileTheSettingsAreSavedOnExitIsLoggedAndTheCloseGoesOn) {
    // A view whose settings cannot be read.
    struct BrokenView : PlaceholderElemView {
        using PlaceholderElemView::PlaceholderElemView;
        const ElemViewSettings* Settings() const override {
            throw std::runtime_error("broken view");
        }
    };
    PaneFactory::Instance().ElemView = [](QWidget* parent, CMainFrame*) -> IElemView* {
        return new BrokenView(parent);
    };
    ASSERT_TRUE(Start({"/US", "/m=1", Sample()}));
    EXPECT_TRUE(Frame()->close());
    const std::string log = ExceptionLog();
    EXPECT_NE(log.find("Function name : DestroyWindow\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Error type : Other exception\r\n"), std::string::npos) << log;
    // The step before it had been taken.
    EXPECT_TRUE(fs::exists(ConfigFolder() / "Morvalen.ini"));
}

TEST_F(FrameClose, CancelAtTheSaveQuestionKeepsTheProgramOpen) {
    ASSERT_TRUE(Start({"/US", CopyOfSample()}));
    ChangeText("(changed)");
    EXPECT_TRUE(Frame()->isWindowModified());
    ASSERT_TRUE(Frame()->Server() && Frame()->Server()->IsListening());
    const fs::path mark = RuntimeFolder() / "Morvalen.instance";
    ASSERT_TRUE(fs::exists(mark));
    prompt_->answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(Frame()->close());
    EXPECT_TRUE(Asked("Save changes to laser-sample.nc?"));
    EXPECT_TRUE(Frame()->isVisible());
    // Nothing of the end has happened: drivers and later instances still reach the program.
    EXPECT_TRUE(Frame()->Server()->IsListening());
    EXPECT_TRUE(fs::exists(mark));
    EXPECT_EQ(Logs().size(), 1u);
    prompt_->answers = {PromptAnswer::No};
    EXPECT_TRUE(Frame()->close());
    EXPECT_FALSE(Frame()->Server()->IsListening());
    EXPECT_FALSE(fs::exists(mark));
    app_.reset();
    // A normal end leaves no recovery log.
    EXPECT_TRUE(Logs().empty());
}

TEST_F(FrameClose, ADrivenCloseWhoseSaveFailsKeepsTheRecoveryLog) {
    const std::string file = CopyOfSample();
    ASSERT_TRUE(Start({"/US", file}));
    ChangeText("(changed before the close)");
    // The file cannot be written any more.
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Frame()->DriverEffects().SetCloseRequested();
    prompt_->asked.clear();
    EXPECT_TRUE(Frame()->close());
    ASSERT_EQ(prompt_->asked.size(), 2u);
    EXPECT_EQ(prompt_->asked[0].buttons, platform::PromptButtons::YesNo);
    EXPECT_TRUE(Asked("The file cannot be written"));
    app_.reset();
    const auto lines = TheLog();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Log file:" + file);
    EXPECT_EQ(lines[1], "(changed before the close)");
    // The next start offers it.
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_TRUE(Asked("There is a log file. Do you want to restore it?"));
    EXPECT_EQ(test::ReadLines(file)[0], "(changed before the close)");
}

TEST_F(FrameClose, ADrivenCloseAnsweredNoLeavesNoLog) {
    ASSERT_TRUE(Start({"/US", CopyOfSample()}));
    ChangeText("(given up)");
    ASSERT_EQ(Logs().size(), 1u);
    Frame()->DriverEffects().SetCloseRequested();
    prompt_->answers = {PromptAnswer::No};
    EXPECT_TRUE(Frame()->close());
    app_.reset();
    EXPECT_TRUE(Logs().empty());
}

TEST_F(FrameClose, TypingReachesTheRecoveryLogWhenItPauses) {
    const std::string file = CopyOfSample();
    ASSERT_TRUE(Start({"/US", file}));
    CNcTextEdit* editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_FALSE(Frame()->isWindowModified());
    QTest::keyClicks(editor, "(typed)");
    QTest::keyClick(editor, Qt::Key_Return);
    // The log waits for a pause in the typing: the timer is armed again at every change.
    ASSERT_TRUE(Frame()->EditorLogTimer());
    EXPECT_TRUE(Frame()->EditorLogTimer()->isActive());
    EXPECT_TRUE(Frame()->EditorLogTimer()->isSingleShot());
    EXPECT_EQ(Frame()->EditorLogTimer()->interval(), 2000);
    EXPECT_TRUE(Logs().empty());
    // The typing is not in the document yet, but the title says the program changed.
    EXPECT_FALSE(app_->Document->IsModified());
    EXPECT_TRUE(Frame()->isWindowModified());
    Frame()->LogEditorText();
    const auto lines = TheLog();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Log file:" + file);
    EXPECT_EQ(lines[1], "(typed)");
    EXPECT_EQ(lines.size(), app_->Document->Lines.size() + 2);
}

}  // namespace
