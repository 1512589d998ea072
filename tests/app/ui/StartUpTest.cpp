// Start-up with each switch: instance number, language, process mode, file; placement.
#include <QAction>
#include <QMenuBar>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <fstream>
#include <functional>
#include <map>

#include "AppFixture.h"
#include "TestFiles.h"
#include "app/core/AppMessages.h"
#include "app/core/CommandIds.h"
#include "app/core/WindowPlacement.h"
#include "platform/Profile.h"
#include "text/CNcTextEdit.h"
#include "text/core/NcOpsHost.h"

namespace {

using StartUp = AppFixture;

TEST_F(StartUp, FileAndInstanceNumber) {
    ASSERT_TRUE(Start({"/n3", Sample()}));
    EXPECT_EQ(app_->InstanceNumber, 3);
    EXPECT_FALSE(Frame()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(app_->ProcessMode, 0);
    EXPECT_GT(app_->Document->Lines.size(), 10u);
    EXPECT_EQ(app_->NcFileName, std::filesystem::path(Sample()).lexically_normal().string());
    EXPECT_TRUE(Frame()->windowTitle().startsWith("laser-sample.nc"));
    EXPECT_TRUE(Frame()->isVisible());
    // The file joins the recent-file list of the per-user profile.
    EXPECT_EQ(app_->RecentFiles().value(0).toStdString(), app_->NcFileName);
}

TEST_F(StartUp, InstanceNumberAsSeparateArgument) {
    ASSERT_TRUE(Start({"/n", "7"}));
    EXPECT_EQ(app_->InstanceNumber, 7);
    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(Frame()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(app_->Document->Lines.empty());
}

TEST_F(StartUp, Languages) {
    ASSERT_TRUE(Start({"/JP"}));
    EXPECT_TRUE(app_->IsJapanese());
    EXPECT_EQ(Frame()->menuBar()->actions().value(0)->text(), QString::fromUtf8("ファイル(&F)"));
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_FALSE(app_->IsJapanese());
    EXPECT_EQ(Frame()->menuBar()->actions().value(0)->text(), "&File");
    ASSERT_TRUE(Start({"/US", "/JP"}));
    EXPECT_TRUE(app_->IsJapanese());
    platform::SetLanguage(platform::Language::English);
}

TEST_F(StartUp, ModeOnePlacesTheWindowAndRestoresTheBars) {
    ASSERT_TRUE(Start({"/m=1", "/US"}));
    EXPECT_EQ(app_->ProcessMode, 1);
    EXPECT_EQ(Frame()->geometry(), QRect(0, 139, 1025, 631));
    // First run: the bars are laid out in two rows with button texts.
    EXPECT_EQ(Frame()->ButtonText, 1);
    for (int b = 0; b < kBarCount; ++b) EXPECT_FALSE(Frame()->Bar(b)->isHidden()) << b;
}

TEST_F(StartUp, ModeThirtyOnlyFixesTheWindow) {
    ASSERT_TRUE(Start({"/m=30"}));
    EXPECT_EQ(app_->ProcessMode, 30);
    EXPECT_EQ(Frame()->size(), QSize(817, 675));
    // Neither the mode layout nor the bar restore runs: the left column keeps its width.
    EXPECT_GT(Frame()->MainSplitter()->sizes().value(0), 0);
}

TEST_F(StartUp, ModeTwoShowsOnlyTheZoomBar) {
    ASSERT_TRUE(Start({"/m=2", "/US", Sample()}));
    EXPECT_EQ(app_->ProcessMode, 2);
    for (int b = 0; b < kBarCount; ++b) EXPECT_EQ(Frame()->Bar(b)->isHidden(), b != kBarZoom) << b;
    EXPECT_EQ(Frame()->ButtonText, 1);
    EXPECT_EQ(Frame()->Bar(kBarZoom)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(Frame()->MainSplitter()->sizes().value(0), 0);  // WindowDivisionSize 0
    EXPECT_EQ(Frame()->size(), QSize(817, 675));
    Frame()->UpdateCommandStates();
    EXPECT_FALSE(Frame()->Action(cmd::ViewTop)->isEnabled());
    EXPECT_FALSE(Frame()->Action(cmd::Open)->isEnabled());
    EXPECT_TRUE(Frame()->Action(cmd::ZoomIn)->isEnabled());
}

// A file on the command line that cannot be opened is reported, and the program runs on with
// an empty document: a folder, a device or a missing file never ends it before its window.
TEST_F(StartUp, FileThatCannotBeOpenedIsReportedAndTheStartGoesOn) {
    std::filesystem::create_directories(dir_.path() / "folder.nc");
    for (const std::string& file :
         {(dir_.path() / "nothing.nc").string(), (dir_.path() / "folder.nc").string(),
          std::string("/dev/zero")}) {
        ASSERT_TRUE(Start({file})) << file;
        EXPECT_TRUE(Asked("The file cannot be opened:\n" + file)) << file;
        EXPECT_TRUE(app_->Document->Lines.empty()) << file;
        EXPECT_TRUE(app_->Document->GetPathName().empty()) << file;
        EXPECT_NE(Frame(), nullptr);
    }
}

// The bars of the window the file loads in are those of the window after the load: with a
// first start's button texts, whether or not a file is named.
TEST_F(StartUp, BarsHaveTheirTextsWhileTheFileLoads) {
    // A question of the load itself (a long line) looks at the bars in the middle of the load.
    struct WatchingPrompt : platform::ScriptedPrompt {
        std::function<void()> watch;
        platform::PromptAnswer Message(std::string_view text, platform::PromptIcon icon,
                                       platform::PromptButtons buttons) override {
            if (watch) watch();
            return ScriptedPrompt::Message(text, icon, buttons);
        }
    };
    const std::filesystem::path file = dir_.path() / "long.nc";
    test::WriteFile(file, "G90\r\n(" + std::string(200, 'A') + ")\r\nM30\r\n");
    auto prompt = std::make_unique<WatchingPrompt>();
    std::vector<Qt::ToolButtonStyle> during;
    prompt->watch = [&] {
        if (app_->MainFrame())
            during.push_back(app_->MainFrame()->Bar(kBarStandard)->toolButtonStyle());
    };
    prompt_ = std::move(prompt);
    app_ = std::make_unique<CTessmarkApp>();
    AppStartOptions options;
    options.Prompt = prompt_.get();
    options.ScreenSize = QSize(1920, 1080);
    ASSERT_TRUE(app_->InitInstance({"/US", file.string()}, options));
    ASSERT_TRUE(Asked("Line 2 is longer"));  // the long line's question came during the load
    ASSERT_EQ(during.size(), 1u);
    EXPECT_EQ(during[0], Qt::ToolButtonTextUnderIcon);
    EXPECT_EQ(Frame()->ButtonText, 1);
    EXPECT_EQ(Frame()->Bar(kBarStandard)->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
}

// While a program's elements are made (a long wait for a large one), the title already names
// it.
TEST_F(StartUp, TitleNamesTheFileWhileItsElementsAreMade) {
    ASSERT_TRUE(Start({"/US", Sample()}));
    const std::filesystem::path other = dir_.path() / "other.nc";
    test::WriteFile(other, "G90\r\nG01X10.Y10.\r\nM30\r\n");
    // The document's own load, without the frame's update after it.
    ASSERT_EQ(app_->Document->OnOpenDocument(other.string()), 1);
    EXPECT_TRUE(Frame()->windowTitle().startsWith("other.nc"))
        << Frame()->windowTitle().toStdString();
}

TEST_F(StartUp, PlacementSavedAndRestored) {
    // First start: maximised, with a tenth of the screen around the normal rectangle.
    ASSERT_TRUE(Start({}, QSize(1920, 1080)));
    EXPECT_TRUE(Frame()->isMaximized());
    EXPECT_FALSE(ReadPlacement(app_->PlacementFilePath()));
    Frame()->showNormal();
    Frame()->setGeometry(100, 120, 700, 500);
    ASSERT_TRUE(Frame()->close());
    auto stored = ReadPlacement(ConfigFolder() / "Morvalen.ini");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->normal, (PlacementRect{100, 120, 800, 620}));
    EXPECT_EQ(stored->showCmd, static_cast<uint32_t>(kShowNormal));

    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Frame()->isMaximized());
    EXPECT_EQ(Frame()->geometry(), QRect(100, 120, 700, 500));
    // The bar state came back from the per-user profile this time.
    EXPECT_EQ(QSettings("Holbrine", "Morvalen").value("Tool Bars/Version").toInt(), 14);
}

TEST_F(StartUp, BootButtonHiddenWithoutApplication) {
    ASSERT_TRUE(Start({"/US"}));
    QToolBar* standard = Frame()->Bar(kBarStandard);
    QAction* boot = Frame()->Action(cmd::Boot);
    ASSERT_TRUE(boot);
    EXPECT_FALSE(standard->actions().contains(boot));
    EXPECT_TRUE(standard->actions().contains(Frame()->Action(cmd::Open)));
    Frame()->UpdateCommandStates();
    EXPECT_EQ(boot->text(), "&Boot");
    EXPECT_FALSE(boot->isEnabled());
    // Every display key now exists in the settings file.
    EXPECT_EQ(platform::GetProfileString("\"File\" Display setting", "Boot", "?",
                                         ConfigFolder() / "MV_System.ini"),
              "1:1");
}

}  // namespace

namespace {

TEST_F(StartUp, SecondInstance) {
    ASSERT_TRUE(Start({"/US"}));
    EXPECT_FALSE(app_->OtherInstanceRunning);
    // Without the single-instance setting a second start runs beside the first.
    platform::ScriptedPrompt prompt;
    AppStartOptions options;
    options.Prompt = &prompt;
    {
        CTessmarkApp second;
        ASSERT_TRUE(second.InitInstance({"/US"}, options));
        EXPECT_TRUE(second.OtherInstanceRunning);
    }
    // With it, a second start hands its file over and ends before it loads the file.
    platform::WriteProfileInt("System", "ForbidDuplicateApp", 1, app_->Paths.IniPath);
    CTessmarkApp third;
    EXPECT_FALSE(third.InitInstance({"/US", Sample()}, options));
    EXPECT_EQ(third.ProcessMode, -1);
    EXPECT_EQ(third.FirstInstancePath, Sample());
    EXPECT_TRUE(third.Document->Lines.empty());
    EXPECT_FALSE(third.MainFrame());
}

}  // namespace

namespace {

// The restored file opens as any file does. An .MPF main program's recovered sub-program
// goes back into its own file, so the open shows it once, with the recovered text. Before, the
// section went into the main file, the old sub-program file was merged behind it and the next
// save wrote the old text back.
TEST_F(StartUp, CrashRecoveryOpensTheRestoredFile) {
    using Files = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* program;
        Files before;
        std::vector<std::string> logged;
        Files after;
    };
    const Case cases[] = {
        {"lost.nc", {}, {"G00X1.Y2.", "M30"}, {{"lost.nc", "G00X1.Y2.\r\nM30\r\n"}}},
        {"PROG.MPF",
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "OLD\r\nM99\r\n"}},
         {"O1", "PROG1", "M30", "", "(*001)", "G01X5.", "M99"},
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "G01X5.\r\nM99\r\n"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const auto logFolder = ConfigFolder() / "LOG";
        const auto dir = dir_.path() / "nc";
        std::filesystem::remove_all(logFolder);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        const auto log = logFolder / "MOR01.LOG";
        std::string logText = "Log file:" + (dir / c.program).string() + "\r\n";
        for (const std::string& l : c.logged) logText += l + "\r\n";
        test::WriteFile(log, logText);
        for (const auto& [name, bytes] : c.before) {
            test::WriteFile(dir / name, bytes);
            std::filesystem::last_write_time(
                dir / name, std::filesystem::last_write_time(log) - std::chrono::seconds(60));
        }
        ASSERT_TRUE(Start({"/US"}));  // the scripted prompt answers Yes
        EXPECT_EQ(app_->NcFileName, (dir / c.program).string());
        EXPECT_EQ(app_->Document->Lines, c.logged);
        EXPECT_FALSE(app_->Document->IsModified());
        for (const auto& [name, bytes] : c.after)
            EXPECT_EQ(test::ReadFile(dir / name), bytes) << name;
        EXPECT_FALSE(std::filesystem::exists(log));
    }
}

// A log whose text cannot go back into its file (the file is read-only, or it is newer than the
// log and its ".bak" copy cannot be made): the user is told why, the file stays as it is, and
// the text opens as a new, changed document without a file name whose title says where it came
// from. Save asks where to write it, so the file is never replaced by a plain save; the log
// follows the edits and typing and goes only when the text is saved. Before, the text opened
// under the file's name and Save wrote it over the newer file.
TEST_F(StartUp, CrashRecoveryIntoAFileItCannotWriteOpensTheTextAsANewDocument) {
    struct Case {
        const char* name;
        bool readOnly;  // else the file is newer than the log and its backup is blocked
    };
    for (const Case& c :
         {Case{"newer file, backup blocked", false}, Case{"read-only file", true}}) {
        SCOPED_TRACE(c.name);
        const auto logFolder = ConfigFolder() / "LOG";
        std::filesystem::remove_all(logFolder);
        std::filesystem::remove_all(dir_.path() / "nc");
        std::filesystem::create_directories(logFolder);
        const auto nc = dir_.path() / "nc" / "locked.nc";
        test::WriteFile(nc, "G00X9.\r\nM30\r\n");
        const auto log = logFolder / "MOR01.LOG";
        test::WriteFile(log, "Log file:" + nc.string() + "\r\nG00X1.Y2.\r\nM30\r\n");
        std::string cause;
        if (c.readOnly) {
            std::filesystem::permissions(nc, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
            cause = FillMessage(AppMessage(kMsgCannotWrite), {nc.string()});
        } else {
            std::filesystem::last_write_time(
                nc, std::filesystem::last_write_time(log) + std::chrono::seconds(60));
            std::filesystem::create_directories(dir_.path() / "nc" / "locked.bak" / "x");
            cause = FillMessage(AppMessage(kMsgRestoreBackupFailed),
                                {nc.string(), (dir_.path() / "nc" / "locked.bak").string()});
        }
        ASSERT_TRUE(Start({"/US"}));  // the scripted prompt answers Yes, then OK
        EXPECT_TRUE(Asked(cause + "\n\n" + AppMessage(kMsgRecoveredAsNewDocument)));
        EXPECT_FALSE(Asked(AppMessage(kMsgLogOpenError)));
        EXPECT_EQ(test::ReadFile(nc), "G00X9.\r\nM30\r\n");
        EXPECT_TRUE(std::filesystem::exists(log));
        EXPECT_TRUE(app_->NcFileName.empty());
        EXPECT_TRUE(app_->Document->GetPathName().empty());
        EXPECT_EQ(app_->Document->Lines, (std::vector<std::string>{"G00X1.Y2.", "M30"}));
        EXPECT_TRUE(app_->Document->IsModified());
        EXPECT_FALSE(app_->Document->Elements.IsEmpty());
        EXPECT_EQ(Frame()->windowTitle().toStdString(),
                  "Untitled (recovered from " + nc.string() + ")[*] - Morvalen");
        EXPECT_TRUE(Frame()->isWindowModified());

        // Typing reaches the log under the file's name, for the next start to offer.
        Frame()->ToggleEditMode();
        ASSERT_TRUE(Frame()->Editor());
        QTest::keyClicks(Frame()->Editor(), "(typed)");
        QTest::keyClick(Frame()->Editor(), Qt::Key_Return);
        Frame()->LogEditorText();
        EXPECT_EQ(test::ReadLines(log), (std::vector<std::string>{"Log file:" + nc.string(),
                                                                  "(typed)", "G00X1.Y2.", "M30"}));
        Frame()->ToggleEditMode();

        // Save asks where, starting in the folder the text came from; cancelled, nothing is
        // written and the log stays.
        prompt_->asked.clear();
        EXPECT_FALSE(app_->OnFileSave());
        ASSERT_TRUE(!prompt_->asked.empty() && prompt_->asked[0].fileQuestion);
        EXPECT_EQ(prompt_->asked[0].initial, (dir_.path() / "nc").string() + "/");
        EXPECT_EQ(test::ReadFile(nc), "G00X9.\r\nM30\r\n");
        EXPECT_TRUE(std::filesystem::exists(log));
        EXPECT_TRUE(app_->Document->IsModified());

        const auto elsewhere = dir_.path() / "nc" / "saved.nc";
        prompt_->fileNames = {elsewhere.string()};
        EXPECT_TRUE(app_->OnFileSave());
        EXPECT_EQ(test::ReadFile(elsewhere), "(typed)\r\nG00X1.Y2.\r\nM30\r\n");
        EXPECT_FALSE(app_->Document->IsModified());
        EXPECT_FALSE(std::filesystem::exists(log));
        EXPECT_EQ(test::ReadFile(nc), "G00X9.\r\nM30\r\n");
        EXPECT_EQ(app_->NcFileName, elsewhere.string());
        EXPECT_EQ(Frame()->windowTitle().toStdString(), "saved.nc[*] - Morvalen");
        std::filesystem::permissions(
            nc, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
}

// New after a recovered text that is given up: the new document's title no longer says where
// the old text came from.
TEST_F(StartUp, NewAfterARecoveredTextForgetsWhereItCameFrom) {
    const auto nc = dir_.path() / "nc" / "locked.nc";
    test::WriteFile(nc, "G00X9.\r\nM30\r\n");
    std::filesystem::permissions(nc, std::filesystem::perms::owner_read);
    test::WriteFile(ConfigFolder() / "LOG" / "MOR01.LOG",
                    "Log file:" + nc.string() + "\r\nG00X1.Y2.\r\nM30\r\n");
    ASSERT_TRUE(Start({"/US"}));  // the scripted prompt answers Yes, then OK
    ASSERT_EQ(app_->Document->RecoveredFrom(), nc.string());
    prompt_->answers = {platform::PromptAnswer::No};
    ASSERT_TRUE(app_->OnFileNew());
    EXPECT_TRUE(app_->Document->Lines.empty());
    EXPECT_EQ(Frame()->windowTitle().toStdString(), "Untitled[*] - Morvalen");
    std::filesystem::permissions(
        nc, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// A log picked outside the log folder, whose file cannot be written, is never taken over as this
// run's log: edits are logged into this run's own log, and the picked file stays as it is
// through a save, New and the normal end of the program.
TEST_F(StartUp, CrashRecoveryNeverTakesOverALogOutsideTheLogFolder) {
    const auto logFolder = ConfigFolder() / "LOG";
    const auto nc = dir_.path() / "nc" / "locked.nc";
    test::WriteFile(nc, "G00X9.\r\nM30\r\n");
    std::filesystem::permissions(nc, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
    // Two logs in the folder, so the user picks one in the file dialog.
    const std::string a = "Log file:" + (dir_.path() / "nc" / "a.nc").string() + "\r\nA\r\n";
    const std::string b = "Log file:" + (dir_.path() / "nc" / "b.nc").string() + "\r\nB\r\n";
    test::WriteFile(logFolder / "MOR01.LOG", a);
    test::WriteFile(logFolder / "MOR02.LOG", b);
    const auto outside = dir_.path() / "elsewhere" / "MOR01.LOG";
    const std::string picked = "Log file:" + nc.string() + "\r\nG00X1.Y2.\r\nM30\r\n";
    test::WriteFile(outside, picked);

    // Yes to the offer, the picked log, Yes to it, then OK.
    prompt_ = std::make_unique<platform::ScriptedPrompt>();
    prompt_->fileNames = {outside.string()};
    app_ = std::make_unique<CTessmarkApp>();
    AppStartOptions options;
    options.Prompt = prompt_.get();
    options.ScreenSize = QSize(1920, 1080);
    ASSERT_TRUE(app_->InitInstance({"/US"}, options));
    ASSERT_TRUE(Asked(FillMessage(AppMessage(kMsgCannotWrite), {nc.string()})));
    EXPECT_EQ(app_->Document->Lines, (std::vector<std::string>{"G00X1.Y2.", "M30"}));

    Frame()->NcOps().ReplaceLine(0, "G00X3.Y4.");
    Frame()->NcOps().LinesChanged();
    EXPECT_EQ(test::ReadFile(outside), picked);
    EXPECT_NE(app_->NcLog.LogFile.parent_path(), outside.parent_path());
    EXPECT_EQ(test::ReadLines(app_->NcLog.LogFile).at(1), "G00X3.Y4.");

    prompt_->fileNames = {(dir_.path() / "nc" / "saved.nc").string()};
    ASSERT_TRUE(app_->OnFileSaveAs());
    EXPECT_EQ(test::ReadFile(outside), picked);
    Frame()->NcOps().ReplaceLine(0, "G00X5.");
    Frame()->NcOps().LinesChanged();
    EXPECT_EQ(test::ReadFile(outside), picked);
    prompt_->answers = {platform::PromptAnswer::No};
    ASSERT_TRUE(app_->OnFileNew());
    EXPECT_EQ(test::ReadFile(outside), picked);
    ASSERT_TRUE(Frame()->close());
    app_.reset();
    EXPECT_EQ(test::ReadFile(outside), picked);
    EXPECT_EQ(test::ReadFile(logFolder / "MOR01.LOG"), a);
    EXPECT_EQ(test::ReadFile(logFolder / "MOR02.LOG"), b);
    std::filesystem::permissions(
        nc, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

}  // namespace

// The punch sample as a new user opens it: its machine file and die files ship beside it, so
// its hits are drawn, nothing is asked, and none of the shipped files changes.
TEST_F(StartUp, PunchSampleShowsItsHits) {
    const std::filesystem::path examples = std::filesystem::path(MORVALEN_SOURCE_DIR) / "examples";
    std::map<std::string, std::string> before;
    for (const char* name :
         {"punch-sample.nc", "punch-sample.nmd", "punch-sample.dat", "punch-sample.arr"})
        before[name] = test::ReadFile(examples / name);
    ASSERT_TRUE(Start({"/US", (examples / "punch-sample.nc").string()}));
    EXPECT_TRUE(prompt_->asked.empty());
    EXPECT_EQ(PunchHits(), 15);
    for (const auto& [name, bytes] : before) EXPECT_EQ(test::ReadFile(examples / name), bytes);
}
