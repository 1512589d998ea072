// The NC document on temporary folders: load, store, backups, change check, rebuild, log.
#include "app/core/CTessmarkDoc.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "TestFiles.h"
#include "app/core/AppMessages.h"
#include "app/core/ApplyNcHeaderDirectives.h"
#include "app/core/CNcLog.h"
#include "app/core/FileTimes.h"
#include "nc/NcAppContext.h"
#include "nc/machine/CSystemData.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using platform::PromptAnswer;

namespace {

// Moves a file's time forward, as another program's write would.
void Touch(const fs::path& p, int seconds) {
    fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(seconds));
}

struct DocFixture : ::testing::Test {
    test::TempDir tmp;
    platform::ScriptedPrompt prompt;
    NcAppContext ctx;
    std::unique_ptr<CSystemData> sd;
    CNcLog log;
    NcHeaderHost header;
    std::unique_ptr<CTessmarkDoc> doc;
    int loads = 0, updates = 0, saves = 0, drops = 0;
    fs::path dir = tmp.path() / "nc";

    void SetUp() override {
        ctx.ConfigFolder = tmp.path() / "config";
        ctx.IniPath = ctx.ConfigFolder / "MV_System.ini";
        ctx.Prompt = &prompt;
        fs::create_directories(ctx.ConfigFolder);
        sd = std::make_unique<CSystemData>(&ctx);
        sd->CreateBackupFile = 0;
        header.Ctx = &ctx;
        header.SystemData = sd.get();
        log.Init(ctx.IniPath, CNcLog::DefaultLogFolder(ctx.ConfigFolder));
        CTessmarkDoc::Services s;
        s.Ctx = &ctx;
        s.SystemData = sd.get();
        s.NcLog = &log;
        s.Header = &header;
        s.AfterLoad = [this] { ++loads; };
        s.DropEditRecords = [this] { ++drops; };
        s.ViewsUpdate = [this] { ++updates; };
        doc = std::make_unique<CTessmarkDoc>(s);
    }
};

}  // namespace

TEST_F(DocFixture, OpenAppliesPercentRuleHeaderAndRebuild) {
    test::WriteFile(dir / "a.nc",
                    "%\r\nO3\r\n(CL/400 800)\r\nG90G00X10.Y0\r\nM30\r\n%\r\nAFTER\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->Lines, (Lines{"%", "O3", "(CL/400 800)", "G90G00X10.Y0", "M30", "%"}));
    EXPECT_EQ(ctx.NcFileName, dir / "a.nc");
    EXPECT_EQ(doc->IsMpf, 0);
    EXPECT_FALSE(doc->Elements.IsEmpty());
    EXPECT_EQ(doc->LastRun.End, NcRunnerEnd::ProgramEnd);
    EXPECT_DOUBLE_EQ(doc->LastState.RapidLength, 10.0);
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.ClampPoint[0], 400);
    EXPECT_EQ(doc->FileTime, GetLastWriteTime(dir / "a.nc"));
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(doc->IsModified());

    sd->NcReadInfo.IgnorePercent = 1;
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->Lines.size(), 7u);
    EXPECT_EQ(doc->OnOpenDocument((dir / "missing.nc").string()), 0);
}

// A file that cannot be read (missing, a folder, a device) leaves the open program whole, so
// a save afterwards cannot write an empty text over it.
TEST_F(DocFixture, FailedOpenKeepsTheOpenProgram) {
    test::WriteFile(dir / "a.nc", "O3\r\nG90G00X10.Y0\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    std::filesystem::create_directories(dir / "folder.nc");
    for (const std::string& bad :
         {(dir / "missing.nc").string(), (dir / "folder.nc").string(), std::string("/dev/null")}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(doc->OnOpenDocument(bad), 0);
        EXPECT_EQ(doc->Lines, (Lines{"O3", "G90G00X10.Y0", "M30"}));
        EXPECT_EQ(doc->GetPathName(), (dir / "a.nc").string());
        EXPECT_FALSE(doc->Elements.IsEmpty());
        EXPECT_EQ(loads, 1);
    }
}

TEST_F(DocFixture, LongLineWarnedOnceAndSavedWhole) {
    std::string a(200, 'A'), b(300, 'B');
    test::WriteFile(dir / "a.nc", "O1\r\n" + a + "\r\n" + b + "\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("Line 2 "), std::string::npos);
    doc->SetModifiedFlag();
    ASSERT_EQ(doc->OnSaveDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(test::ReadFile(dir / "a.nc"), "O1\r\n" + a + "\r\n" + b + "\r\nM30\r\n");
}

TEST_F(DocFixture, MpfRoundTripThroughTheDocument) {
    fs::create_directories(dir);
    fs::copy(fs::path(MORVALEN_TEST_DATA) / "app" / "mpf", dir);
    ASSERT_EQ(doc->OnOpenDocument((dir / "ABC.MPF").string()), 1);
    EXPECT_EQ(doc->IsMpf, 1);
    EXPECT_EQ(doc->Lines.size(), 15u);
    doc->Lines[8] = "G01X30.";
    doc->SetModifiedFlag();
    ASSERT_EQ(doc->OnSaveDocument(doc->GetPathName()), 1);
    EXPECT_EQ(test::ReadFile(dir / "ABC001.spf"), "G01X30.\r\nABC002\r\nM99\r\n");
    EXPECT_EQ(test::ReadFile(dir / "ABCD001.spf"), "OTHER PROGRAM\r\nM99\r\n");
    EXPECT_TRUE(prompt.asked.empty());

    // A sub-program whose file cannot be written: the save fails and the document stays
    // modified; the other sub-program files stay as they were.
    fs::remove(dir / "ABC002.spf");
    fs::create_directories(dir / "ABC002.spf" / "blocked");
    doc->Lines[8] = "G01X40.";
    doc->SetModifiedFlag();
    EXPECT_EQ(doc->OnSaveDocument(doc->GetPathName()), 0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(prompt.asked.size(), 1u);
}

// A backup that was asked for and cannot be made (a folder of its name is in the way) stops
// the save with a word: the file keeps its last saved text and the document its changes.
// Before, the file was replaced without a backup and nothing was said.
TEST_F(DocFixture, BackupOnlyForModifiedDocumentWhenAsked) {
    struct Case {
        bool modified;
        int setting;
        bool backup;
        bool blocked = false;  // a folder named "prog.bak" is in the way
    };
    const Case cases[] = {{true, 1, true},        {false, 1, false},       {true, 0, false},
                          {true, 1, false, true}, {false, 1, false, true}, {true, 0, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "modified " << c.modified << ", setting " << c.setting
                                          << ", blocked " << c.blocked);
        fs::remove_all(dir);
        test::WriteFile(dir / "prog.nc", "OLD\r\n");
        if (c.blocked) fs::create_directories(dir / "prog.bak" / "x");
        ASSERT_EQ(doc->OnOpenDocument((dir / "prog.nc").string()), 1);
        prompt.asked.clear();
        doc->Lines = {"NEW"};
        doc->SetModifiedFlag(c.modified);
        sd->CreateBackupFile = c.setting;
        const bool refused = c.blocked && c.modified && c.setting;
        ASSERT_EQ(doc->OnSaveDocument((dir / "prog.nc").string()), refused ? 0 : 1);
        EXPECT_EQ(test::ReadFile(dir / "prog.nc"), refused ? "OLD\r\n" : "NEW\r\n");
        EXPECT_EQ(doc->IsModified(), refused);
        EXPECT_EQ(fs::is_regular_file(dir / "prog.bak"), c.backup);
        if (c.backup) {
            EXPECT_EQ(test::ReadFile(dir / "prog.bak"), "OLD\r\n");
        }
        if (refused) {
            ASSERT_EQ(prompt.asked.size(), 1u);
            EXPECT_EQ(prompt.asked[0].text,
                      FillMessage(AppMessage(kMsgSaveBackupFailed),
                                  {(dir / "prog.nc").string(), (dir / "prog.bak").string()}));
            EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Error);
        } else {
            EXPECT_TRUE(prompt.asked.empty());
        }
    }
}

TEST_F(DocFixture, BlankLinesAndRecoveryLogOnSave) {
    test::WriteFile(dir / "a.nc", "O1\r\n\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    sd->DeleteBlankForSave = 1;
    ASSERT_EQ(doc->OnSaveDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(test::ReadFile(dir / "a.nc"), "O1\r\nM30\r\n");
    // The saved file holds the text: no log is left to offer after a crash.
    EXPECT_FALSE(fs::exists(log.LogFile));
    CNcLog next;
    next.Init(ctx.IniPath, CNcLog::DefaultLogFolder(ctx.ConfigFolder));
    platform::ScriptedPrompt nextPrompt;
    std::string recovered;
    EXPECT_EQ(next.Recover(&recovered, nextPrompt), 0);
    EXPECT_TRUE(nextPrompt.asked.empty());
    doc->Lines.push_back("X");
    EXPECT_EQ(doc->WriteRecoveryLog(), 1);
    EXPECT_NE(test::ReadFile(log.LogFile).find("M30\r\nX\r\n"), std::string::npos);
}

// A recovered text that could not go back into its file opens without a file name, so that
// no plain save writes it over that file (which holds newer work, or cannot be written); it
// is read and logged as that program. An .MPF text keeps the names of the sub-programs it
// holds, so a save anywhere writes them under the names its calls use, and a file it does not
// hold is left alone. Before, the document carried the file's name and a save wrote each
// sub-program into a new "PROG001.spf".
TEST_F(DocFixture, ARecoveredTextOpensUnnamedAndKeepsItsSubProgramNames) {
    using Files = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        Lines text;           // the recovered text of dir/PROG.MPF
        Files before;         // in dir when the text is recovered
        bool sameFolder;      // saved as PROG.MPF into dir itself, else into another folder
        Files after;          // the whole folder saved into, afterwards
        Lines reopened = {};  // what opening the saved program shows, when not the text
    };
    const Lines one = {"O1", "PROG1", "M30", "", "(*001)", "G01X5.", "M99"};
    const Files old = {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "OLD\r\nM99\r\n"}};
    const Case cases[] = {
        {"saved elsewhere",
         one,
         old,
         false,
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "G01X5.\r\nM99\r\n"}}},
        {"saved over its own file",
         one,
         old,
         true,
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "G01X5.\r\nM99\r\n"}}},
        {"nested calls, one with a zero",
         {"PROG1", "M30", "", "(*001)", "PROG02", "M99", "", "(*002)", "G00X1.", "M99"},
         {},
         false,
         {{"PROG.MPF", "PROG1\r\nM30\r\n"},
          {"PROG1.spf", "PROG02\r\nM99\r\n"},
          {"PROG02.spf", "G00X1.\r\nM99\r\n"}}},
        {"a call whose file was not merged",
         {"PROG1", "PROG2", "M30", "", "(*001)", "G01X5.", "M99"},
         {{"PROG2.spf", "KEEP\r\n"}},
         true,
         {{"PROG.MPF", "PROG1\r\nPROG2\r\nM30\r\n"},
          {"PROG1.spf", "G01X5.\r\nM99\r\n"},
          {"PROG2.spf", "KEEP\r\n"}},
         {"PROG1", "PROG2", "M30", "", "(*001)", "G01X5.", "M99", "", "(*002)", "KEEP"}},
        // Only the lines after the main program's "M30" are sub-programs, as in the save: the
        // main file gains no empty line.
        {"a marker-like line in the main program",
         {"(*001)", "PROG1", "M30", "", "(*001)", "G01X5.", "M99"},
         {},
         true,
         {{"PROG.MPF", "(*001)\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "G01X5.\r\nM99\r\n"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(tmp.path() / "elsewhere");
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const auto& [name, bytes] : c.before) test::WriteFile(dir / name, bytes);
        const fs::path program = dir / "PROG.MPF";
        ASSERT_EQ(doc->OpenRecovered(program.string(), c.text), 1);
        EXPECT_EQ(doc->Lines, c.text);
        EXPECT_TRUE(doc->GetPathName().empty());
        EXPECT_EQ(doc->GetTitle(), "Untitled");
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(doc->FileChangedOnDisk());
        EXPECT_EQ(doc->IsMpf, 1);
        EXPECT_EQ(ctx.NcFileName, program);
        // The edits are logged as the program's, for the next start to offer after a crash.
        ASSERT_EQ(doc->WriteRecoveryLog(), 1);
        EXPECT_EQ(test::ReadLines(log.LogFile).at(0), "Log file:" + program.string());

        const fs::path folder = c.sameFolder ? dir : tmp.path() / "elsewhere";
        fs::create_directories(folder);
        ASSERT_EQ(doc->OnSaveDocument((folder / "PROG.MPF").string()), 1);
        EXPECT_EQ(doc->GetPathName(), (folder / "PROG.MPF").string());
        EXPECT_FALSE(doc->IsModified());
        EXPECT_FALSE(fs::exists(log.LogFile));
        for (const auto& [name, bytes] : c.after)
            EXPECT_EQ(test::ReadFile(folder / name), bytes) << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                  std::ptrdiff_t(c.after.size()));
        // The saved program finds every sub-program it calls.
        ASSERT_EQ(doc->OnOpenDocument((folder / "PROG.MPF").string()), 1);
        EXPECT_EQ(doc->Lines, c.reopened.empty() ? c.text : c.reopened);
    }
    EXPECT_TRUE(prompt.asked.empty());
}

TEST_F(DocFixture, ChangedFileOfferedOncePerChange) {
    test::WriteFile(dir / "a.nc", "O1\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    EXPECT_TRUE(prompt.asked.empty());

    test::WriteFile(dir / "a.nc", "O2\r\n");
    Touch(dir / "a.nc", 5);
    prompt.answers = {PromptAnswer::No};
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    EXPECT_EQ(doc->CheckFileChanged(), 0);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Question);
    EXPECT_EQ(doc->Lines, Lines{"O1"});

    Touch(dir / "a.nc", 10);
    doc->SetModifiedFlag();
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(doc->CheckFileChanged(), 1);
    EXPECT_EQ(doc->Lines, Lines{"O2"});
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(doc->IsModified());

    CTessmarkDoc empty;
    EXPECT_EQ(empty.CheckFileChanged(), 0);
}

// The rebuild lets timers run (the loading window paints), so the frame's change check can
// come in the middle of a load: it must not take the file just being read for a changed one.
TEST_F(DocFixture, NoChangeQuestionWhileLoading) {
    test::WriteFile(dir / "old.nc", "O1\r\n");
    test::WriteFile(dir / "new.nc", "O2\r\nG01X10.\r\n");
    Touch(dir / "new.nc", 5);  // newer than the file loaded before it
    CTessmarkDoc::Services s;
    s.Ctx = &ctx;
    s.SystemData = sd.get();
    std::vector<int> checks;
    CTessmarkDoc* loading = nullptr;
    s.Progress = [&](int) { checks.push_back(loading->CheckFileChanged()); };
    struct Case {
        const char* name;
        bool openOldFirst;
    };
    for (const Case& c : {Case{"fresh document", false}, Case{"after another file", true}}) {
        SCOPED_TRACE(c.name);
        CTessmarkDoc d(s);
        loading = &d;
        if (c.openOldFirst) {
            ASSERT_EQ(d.OnOpenDocument((dir / "old.nc").string()), 1);
        }
        prompt.asked.clear();
        checks.clear();
        ASSERT_EQ(d.OnOpenDocument((dir / "new.nc").string()), 1);
        EXPECT_FALSE(checks.empty());
        for (int r : checks) EXPECT_EQ(r, 0);
        EXPECT_TRUE(prompt.asked.empty());
        EXPECT_FALSE(d.IsLoading());
        // Unchanged since it was read: no question after the load either.
        EXPECT_EQ(d.CheckFileChanged(), 0);
        EXPECT_TRUE(prompt.asked.empty());
        EXPECT_EQ(d.Lines, (Lines{"O2", "G01X10."}));
    }
}

// A write while the program was being read is a change since the text was taken.
TEST_F(DocFixture, WriteDuringLoadOfferedAfterIt) {
    test::WriteFile(dir / "a.nc", "O1\r\n");
    CTessmarkDoc::Services s;
    s.Ctx = &ctx;
    s.SystemData = sd.get();
    bool touched = false;
    s.Progress = [&](int) {
        if (!touched) Touch(dir / "a.nc", 5);
        touched = true;
    };
    CTessmarkDoc d(s);
    ASSERT_EQ(d.OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_TRUE(prompt.asked.empty());
    prompt.answers = {PromptAnswer::No};
    EXPECT_TRUE(d.FileChangedOnDisk());
    EXPECT_EQ(d.CheckFileChanged(), 0);
    EXPECT_EQ(prompt.asked.size(), 1u);
}

TEST_F(DocFixture, SaveQuestionAfterCloseRequest) {
    test::WriteFile(dir / "a.nc", "O1\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_TRUE(doc->SaveModified());  // unmodified: no question
    EXPECT_TRUE(prompt.asked.empty());

    doc->SetModifiedFlag();
    prompt.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_EQ(prompt.asked.back().buttons, platform::PromptButtons::YesNoCancel);

    doc->CloseRequested = 1;
    for (PromptAnswer a : {PromptAnswer::No, PromptAnswer::Yes}) {
        prompt.answers = {a};
        doc->Lines = {a == PromptAnswer::Yes ? "SAVED" : "NOT"};
        EXPECT_TRUE(doc->SaveModified());
        EXPECT_EQ(prompt.asked.back().text, "Do you want to save? [a.nc]");
        EXPECT_EQ(prompt.asked.back().buttons, platform::PromptButtons::YesNo);
    }
    EXPECT_EQ(test::ReadFile(dir / "a.nc"), "SAVED\r\n");
}

TEST_F(DocFixture, ADrivenCloseWhoseSaveFailsKeepsTheRecoveryLog) {
    test::WriteFile(dir / "a.nc", "O1\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    doc->Lines = {"O1", "G00X5."};
    doc->SetModifiedFlag();
    // The file was removed and a folder took its name: the save cannot write it.
    fs::remove(dir / "a.nc");
    fs::create_directory(dir / "a.nc");
    doc->CloseRequested = 1;
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_TRUE(doc->SaveModified());
    const fs::path kept = log.LogFile;
    // The log is no longer this run's: the end of the program (as ClearLog) leaves it.
    log.ClearLog();
    EXPECT_EQ(test::ReadFile(kept), "Log file:" + (dir / "a.nc").string() + "\r\nO1\r\nG00X5.\r\n");
}

TEST_F(DocFixture, AnotherProgramOrANewOneDropsTheLogOfTheTextGivenUp) {
    test::WriteFile(dir / "a.nc", "O1\r\n");
    test::WriteFile(dir / "b.nc", "O2\r\n");
    for (int newDocument : {0, 1}) {
        ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
        doc->Lines.push_back("X");
        ASSERT_EQ(doc->LinesChangedOutsideEditor(), 1);
        ASSERT_TRUE(fs::exists(log.LogFile));
        // The save question was answered No.
        if (newDocument)
            doc->OnNewDocument();
        else
            ASSERT_EQ(doc->OnOpenDocument((dir / "b.nc").string()), 1);
        EXPECT_FALSE(fs::exists(log.LogFile)) << newDocument;
    }
    // A file that cannot be read leaves the open program and its log alone.
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    doc->Lines.push_back("X");
    ASSERT_EQ(doc->LinesChangedOutsideEditor(), 1);
    EXPECT_EQ(doc->OnOpenDocument((dir / "missing.nc").string()), 0);
    EXPECT_TRUE(fs::exists(log.LogFile));
}

TEST_F(DocFixture, NewDocumentEmptiesAndResetsSheetFrame) {
    test::WriteFile(dir / "a.nc", "X\r\n(CL/10 20 30 40)\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    sd->NcReadInfo.SheetFrame[4] = 999;
    EXPECT_EQ(doc->OnNewDocument(), 1);
    EXPECT_TRUE(doc->Lines.empty());
    EXPECT_TRUE(doc->Elements.IsEmpty());
    EXPECT_EQ(doc->FileTime, 0);
    EXPECT_TRUE(ctx.NcFileName.empty());
    EXPECT_TRUE(doc->GetPathName().empty());
    EXPECT_DOUBLE_EQ(sd->NcReadInfo.SheetFrame[4], 10);
    EXPECT_EQ(doc->RebuildElements(), 1);
    EXPECT_TRUE(doc->Elements.IsEmpty());
}

TEST_F(DocFixture, RebuildFollowsSubProgramCallsAndStopsEndlessPrograms) {
    // The sub-program runs twice and moves 10 each time: 20 of rapid there and 20 back.
    doc->Lines = {"N1 G90 G00 X0. Y0.", "N2 M98 P100 L2", "N3 G00 X0. Y0.", "N4 M30", "O100",
                  "N10 G91 G00 X10.",   "N11 G90 M99"};
    ASSERT_EQ(doc->RebuildElements(), 1);
    EXPECT_EQ(doc->LastRun.End, NcRunnerEnd::ProgramEnd);
    EXPECT_DOUBLE_EQ(doc->LastState.RapidLength, 40.0);
    EXPECT_TRUE(prompt.asked.empty());

    // A run past the block cap stops with a message naming it.
    EXPECT_EQ(doc->RunLimits.MaxBlocks, 10'000'000);
    doc->RunLimits.MaxBlocks = 5000;
    doc->Lines = {"N1 M98 P100 L9999", "N2 M30", "O100", "G91 G00 X1.", "M99"};
    doc->RebuildElements();
    EXPECT_EQ(doc->LastRun.End, NcRunnerEnd::BlockLimit);
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_NE(prompt.asked[0].text.find("5000 blocks"), std::string::npos);
}

TEST_F(DocFixture, SampleProgramsSurviveLoadAndSaveByteForByte) {
    for (const char* name : {"laser-sample.nc", "punch-sample.nc"}) {
        fs::path source = fs::path(MORVALEN_SOURCE_DIR) / "examples" / name;
        fs::create_directories(dir);
        fs::copy_file(source, dir / name, fs::copy_options::overwrite_existing);
        ASSERT_EQ(doc->OnOpenDocument((dir / name).string()), 1) << name;
        EXPECT_FALSE(doc->Lines.empty());
        doc->SetModifiedFlag();
        ASSERT_EQ(doc->OnSaveDocument((dir / name).string()), 1) << name;
        EXPECT_EQ(test::ReadFile(dir / name), test::ReadFile(source)) << name;
    }
}

TEST_F(DocFixture, EditRecordsDroppedWheneverTheLinesChangeOutsideTheEditor) {
    test::WriteFile(dir / "a.nc", "O1\r\nG01X1.\r\nM30\r\n");
    ASSERT_EQ(doc->OnOpenDocument((dir / "a.nc").string()), 1);
    EXPECT_EQ(drops, 1);
    // A change made by an NC operation: records dropped, the lines logged.
    doc->Lines[1] = "G01X2.";
    EXPECT_EQ(doc->LinesChangedOutsideEditor(), 1);
    EXPECT_EQ(drops, 2);
    EXPECT_NE(test::ReadFile(log.LogFile).find("G01X2.\r\n"), std::string::npos);
    // The editor's own commit keeps them, rebuilds and marks the document modified.
    EXPECT_EQ(doc->ReplaceLinesFromEditor({"O1", "G00X5.", "M30"}), 1);
    EXPECT_EQ(drops, 2);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_DOUBLE_EQ(doc->LastState.RapidLength, 5.0);
    doc->OnNewDocument();
    EXPECT_EQ(drops, 3);
}

// Open, an unchanged save and open again: every byte of every file stays, and the second open
// sees the same lines. The reading rules still decide what the document shows; when a 0x1A byte
// hides part of a file, each open says so once, naming the line that holds it.
TEST_F(DocFixture, OpenAndUnchangedSaveGiveBackEveryByte) {
    std::string binary = "O1\r\nG01X1.\r\nM30\r\n\x1a";
    for (int i = 0; i < 4096; ++i) binary += char((i * 37 + 11) & 0xFF);  // NUL, CR, LF, 0x1A
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // the first is opened
        Lines shown;
        size_t hiddenAfterLine = 0;  // the line the open names as hiding the rest; 0: no word
    };
    const Case cases[] = {
        {"sub-program named by a line and a closing %",
         {{"PART.MPF", "%\r\nO1\r\nPART12\r\nM30\r\n%\r\n"},
          {"PART12.spf", "O12\nG01X5.\nM99\n%"},
          {"PART7.spf", "not called\r\n"}},
         {"%", "O1", "PART12", "M30", "%", "", "(*012)", "O12", "G01X5.", "M99", "%"}},
        {"two sub-programs, one calling the other, main file without a last line end",
         {{"AB.MPF", "AB1\r\nAB002\r\nM30\r\n\r\n"},
          {"AB1.spf", "AB002\r\nM99\r\n"},
          {"AB002.spf", "\xef\xbb\xbfG00X1.\r\nM99\r\n\x1a\x1a"}},
         {"AB1", "AB002", "M30", "", "(*001)", "AB002", "M99", "", "(*002)", "G00X1.", "M99"}},
        {"binary with 0x1A", {{"bin.nc", binary}}, {"O1", "G01X1.", "M30"}, 4},
        {"0x1A inside a comment",
         {{"note.nc",
           "%\r\nO0011\r\nG90\r\nG00X10.Y10.(NOTE \x1a "
           "HERE)\r\nM103\r\nG01X60.Y10.\r\nM30\r\n%\r\n"}},
         {"%", "O0011", "G90", "G00X10.Y10.(NOTE "},
         4},
        {"0x1A inside a sub-program",
         {{"Q.MPF", "Q5\r\nM30\r\n"}, {"Q5.spf", "G01X1.\x1aG01X2.\r\nM99\r\n"}},
         {"Q5", "M30", "", "(*005)", "G01X1."},
         5},
        {"0x1A with only end marks and blanks after it",
         {{"eof.nc", "O1\r\nM30\r\n\x1a\x1a\r\n \t"}},
         {"O1", "M30"}},
        {"lines after a second %",
         {{"p.nc", "%\r\nO1\r\nM30\r\n%\r\nAFTER\r\n\x00junk"}},
         {"%", "O1", "M30", "%"}},
        {"byte-order mark", {{"bom.nc", "\xef\xbb\xbfO1\r\nM30\r\n"}}, {"O1", "M30"}},
        {"LF line ends", {{"lf.nc", "O1\nG00X1.\nM30\n"}}, {"O1", "G00X1.", "M30"}},
        {"no last line end", {{"end.nc", "O1\r\nM30"}}, {"O1", "M30"}},
        {"empty", {{"empty.nc", ""}}, {}},
        {"CP932 comment",
         {{"jp.nc", "(\x83\x4D\x30\x39)\r\nM30\r\n"}},
         {"(\x83\x4D\x30\x39)", "M30"}},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir);
        for (const auto& [name, bytes] : c.files) test::WriteFile(dir / name, bytes);
        const std::string main = (dir / c.files[0].first).string();
        const auto toldOnce = [&] {
            if (!c.hiddenAfterLine) {
                EXPECT_TRUE(prompt.asked.empty()) << c.name;
            } else {
                ASSERT_EQ(prompt.asked.size(), 1u) << c.name;
                EXPECT_EQ(prompt.asked[0].text, FillMessage(AppMessage(kMsgHiddenAfterEndMark),
                                                            {std::to_string(c.hiddenAfterLine)}))
                    << c.name;
                EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Warning) << c.name;
            }
            prompt.asked.clear();
        };
        ASSERT_EQ(doc->OnOpenDocument(main), 1) << c.name;
        EXPECT_EQ(doc->Lines, c.shown) << c.name;
        toldOnce();
        const Lines first = doc->Lines;
        ASSERT_EQ(doc->OnSaveDocument(main), 1) << c.name;
        for (const auto& [name, bytes] : c.files)
            EXPECT_EQ(test::ReadFile(dir / name), bytes) << c.name << ": " << name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()),
                  std::ptrdiff_t(c.files.size()))
            << c.name;
        EXPECT_TRUE(prompt.asked.empty()) << c.name;
        ASSERT_EQ(doc->OnOpenDocument(main), 1) << c.name;
        EXPECT_EQ(doc->Lines, first) << c.name;
        toldOnce();
    }
}

// A file the user may not write is refused: the save fails (the program says the file cannot
// be written), no byte of it or of its sub-programs changes and no backup is made.
TEST_F(DocFixture, ReadOnlyFileIsNeverReplaced) {
    test::WriteFile(dir / "RO.MPF", "RO1\r\nM30\r\n");
    test::WriteFile(dir / "RO1.spf", "G01X1.\r\nM99\r\n");
    fs::permissions(dir / "RO.MPF",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_EQ(doc->OnOpenDocument((dir / "RO.MPF").string()), 1);
    doc->Lines.back() = "M99 (changed)";
    doc->SetModifiedFlag();
    sd->CreateBackupFile = 1;
    EXPECT_EQ(doc->OnSaveDocument((dir / "RO.MPF").string()), 0);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(test::ReadFile(dir / "RO.MPF"), "RO1\r\nM30\r\n");
    EXPECT_EQ(test::ReadFile(dir / "RO1.spf"), "G01X1.\r\nM99\r\n");
    EXPECT_FALSE(fs::exists(dir / "RO.bak"));
    EXPECT_EQ(fs::status(dir / "RO.MPF").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// A program whose name reaches the file system's limit of 255 bytes is saved with its backup as
// any other; only a name whose backup name would pass the limit stops the save, with the
// message that the backup could not be made, and nothing changes.
TEST_F(DocFixture, NamesUpToTheLimitOfTheFileSystemSaveWithTheirBackup) {
    std::string kanji;
    for (int i = 0; i < 83; ++i) kanji += "\xe6\xbc\xa2";  // 漢
    struct Case {
        std::string stem;  // the name is the stem and ".nc"
        bool saved;
    };
    const Case cases[] = {
        {std::string(247, 'p'), true}, {kanji, true}, {std::string(252, 'x'), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem.size() + 3);
        fs::remove_all(dir);
        const fs::path file = dir / (c.stem + ".nc");
        const fs::path backup = dir / (c.stem + ".bak");
        test::WriteFile(file, "OLD\r\n");
        ASSERT_EQ(doc->OnOpenDocument(file.string()), 1);
        prompt.asked.clear();
        doc->Lines = {"NEW"};
        doc->SetModifiedFlag();
        sd->CreateBackupFile = 1;
        EXPECT_EQ(doc->OnSaveDocument(file.string()), c.saved ? 1 : 0);
        EXPECT_EQ(test::ReadFile(file), c.saved ? "NEW\r\n" : "OLD\r\n");
        if (c.saved) {
            EXPECT_EQ(test::ReadFile(backup), "OLD\r\n");
            EXPECT_TRUE(prompt.asked.empty());
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
        } else {
            ASSERT_EQ(prompt.asked.size(), 1u);
            EXPECT_EQ(prompt.asked[0].text, FillMessage(AppMessage(kMsgSaveBackupFailed),
                                                        {file.string(), backup.string()}));
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
        }
    }
}
