// Crash-recovery logs: names, claim, write, list and restore on temporary folders.
#include "app/core/CNcLog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "TestFiles.h"
#include "app/core/AppMessages.h"
#include "platform/Profile.h"
#include "platform/ScriptedPrompt.h"

namespace fs = std::filesystem;
using platform::PromptAnswer;

namespace {

struct LogFixture : ::testing::Test {
    test::TempDir tmp;
    fs::path ini = tmp.path() / "MV_System.ini";
    fs::path folder = tmp.path() / "LOG" / "";
    platform::ScriptedPrompt prompt;

    void InitLog(CNcLog& log) { log.Init(ini, folder); }
};

}  // namespace

TEST(CNcLogNames, OnlyTheExactFormIsALog) {
    struct Case {
        const char* name;
        int number;  // -1: not a log
    };
    const Case cases[] = {{"MOR00.LOG", 0},   {"MOR07.LOG", 7},           {"MOR123.LOG", 123},
                          {"MOR01.log", 1},   {"XMOR5.LOG", -1},          {"MORA.LOG", -1},
                          {"MOR5.LOG", -1},   {"MOR007.LOG", -1},         {"mor01.LOG", -1},
                          {"MOR01.LOGX", -1}, {"MOR99999999999.LOG", -1}, {"MEMORY.LOG", -1}};
    for (const auto& c : cases) {
        auto n = CNcLog::LogNumber(c.name);
        EXPECT_EQ(n ? *n : -1, c.number) << c.name;
    }
    EXPECT_EQ(CNcLog::LogName(3), "MOR03.LOG");
    EXPECT_EQ(CNcLog::LogName(123), "MOR123.LOG");
}

TEST_F(LogFixture, NumberFollowsHighestLogAndFolderIsWrittenBack) {
    {
        CNcLog log;
        InitLog(log);
        EXPECT_EQ(log.LogFile, folder / "MOR00.LOG");
        EXPECT_EQ(platform::GetProfileString("System", "LogFolder", "", ini), folder.string());
    }
    test::WriteFile(folder / "MOR03.LOG", "Log file:/a\r\n");
    test::WriteFile(folder / "MOR10.LOG", "Log file:/b\r\n");
    test::WriteFile(folder / "XMOR50.LOG", "Log file:/c\r\n");
    CNcLog log;
    InitLog(log);
    EXPECT_EQ(log.LogFile, folder / "MOR11.LOG");
}

TEST_F(LogFixture, WriteReplacesContentAndNormalEndDeletesIt) {
    fs::path file;
    {
        CNcLog log;
        InitLog(log);
        file = log.LogFile;
        EXPECT_EQ(log.WriteLog({"O1", "G00X1."}, "/nc/a.nc"), 1);
        EXPECT_EQ(test::ReadFile(file), "Log file:/nc/a.nc\r\nO1\r\nG00X1.\r\n");
        EXPECT_EQ(log.WriteLog({"", "M30"}, "/nc/a.nc"), 1);
        EXPECT_EQ(test::ReadFile(file), "Log file:/nc/a.nc\r\n\r\nM30\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    }
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(LogFixture, NothingLoggedWithoutFolderOrFileName) {
    platform::WriteProfileString("System", "LogFolder", std::string_view(""), ini);
    CNcLog log;
    InitLog(log);
    EXPECT_TRUE(log.LogFolder.empty());
    EXPECT_EQ(log.WriteLog({"O1"}, "/nc/a.nc"), 1);
    std::string path;
    test::WriteFile(folder / "MOR00.LOG", "Log file:/x\r\n");
    EXPECT_EQ(log.Recover(&path, prompt), 0);
    EXPECT_TRUE(prompt.asked.empty());

    CNcLog on;
    on.LogFolder = folder;
    on.LogFile = folder / "MOR05.LOG";
    EXPECT_EQ(on.WriteLog({"O1"}, ""), 1);
    EXPECT_FALSE(fs::exists(on.LogFile));
}

TEST_F(LogFixture, TwoInstancesNeverShareOrDeleteEachOthersLog) {
    auto first = std::make_unique<CNcLog>();
    CNcLog second;
    InitLog(*first);
    InitLog(second);
    ASSERT_EQ(first->LogFile, second.LogFile);  // both chose MOR00 at start
    ASSERT_EQ(first->WriteLog({"FIRST"}, "/nc/1.nc"), 1);
    ASSERT_EQ(second.WriteLog({"SECOND"}, "/nc/2.nc"), 1);
    EXPECT_NE(first->LogFile, second.LogFile);
    EXPECT_EQ(test::ReadFile(first->LogFile), "Log file:/nc/1.nc\r\nFIRST\r\n");
    EXPECT_EQ(test::ReadFile(second.LogFile), "Log file:/nc/2.nc\r\nSECOND\r\n");

    // A third instance sees neither live log: no offer, and its clean-up spares them.
    CNcLog third;
    InitLog(third);
    EXPECT_EQ(third.LogFile, folder / "MOR02.LOG");
    std::vector<fs::path> listed;
    third.EnumLogFiles(&listed, 1);
    EXPECT_TRUE(listed.empty());
    std::string path;
    EXPECT_EQ(third.Recover(&path, prompt), 0);
    EXPECT_TRUE(prompt.asked.empty());

    fs::path secondLog = second.LogFile;
    first.reset();
    EXPECT_TRUE(fs::exists(secondLog));
    ASSERT_EQ(second.WriteLog({"AGAIN"}, "/nc/2.nc"), 1);
    EXPECT_EQ(second.LogFile, secondLog);
}

TEST_F(LogFixture, SingleLogRestoredIntoItsFile) {
    fs::path nc = tmp.path() / "nc" / "prog.nc";
    test::WriteFile(nc, "OLD\r\n");
    test::WriteFile(folder / "MOR04.LOG", "Log file:" + nc.string() + "\r\nO1\r\nG01X1.\nM30\r\n");
    CNcLog log;
    InitLog(log);
    std::string path;
    prompt.answers = {PromptAnswer::Yes};
    EXPECT_EQ(log.Recover(&path, prompt), 1);
    EXPECT_EQ(path, nc.string());
    EXPECT_EQ(test::ReadFile(nc), "O1\r\nG01X1.\r\nM30\r\n");
    EXPECT_FALSE(fs::exists(folder / "MOR04.LOG"));
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "There is a log file. Do you want to restore it?\n" + path);
    EXPECT_EQ(prompt.asked[0].icon, platform::PromptIcon::Warning);
}

TEST_F(LogFixture, DeclineThenCleanUpOrKeep) {
    for (PromptAnswer clean : {PromptAnswer::Yes, PromptAnswer::No}) {
        test::WriteFile(folder / "MOR01.LOG", "Log file:/nc/a.nc\r\nX\r\n");
        test::WriteFile(folder / "MOR02.LOG", "Log file:/nc/b.nc\r\nY\r\n");
        CNcLog log;
        InitLog(log);
        platform::ScriptedPrompt p;
        p.answers = {PromptAnswer::No, clean};
        std::string path;
        EXPECT_EQ(log.Recover(&path, p), 0);
        ASSERT_EQ(p.asked.size(), 2u);
        EXPECT_EQ(p.asked[0].text, "There is a log file. Do you want to restore it?\n");
        EXPECT_EQ(p.asked[1].text, AppMessage(kMsgAskCleanLogFolder));
        bool kept = clean == PromptAnswer::No;
        EXPECT_EQ(fs::exists(folder / "MOR01.LOG"), kept);
        EXPECT_EQ(fs::exists(folder / "MOR02.LOG"), kept);
    }
}

TEST_F(LogFixture, LogWithoutHeaderLeavesNcFileAlone) {
    fs::path nc = tmp.path() / "prog.nc";
    test::WriteFile(nc, "KEEP\r\n");
    // Its "path" would be the first line without nine characters.
    test::WriteFile(folder / "MOR00.LOG", "XXXXXXXXX" + nc.string() + "\r\nLOST\r\n");
    CNcLog log;
    InitLog(log);
    std::string path;
    EXPECT_EQ(log.Recover(&path, prompt), 0);
    EXPECT_EQ(test::ReadFile(nc), "KEEP\r\n");
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_EQ(prompt.asked[0].text, "Log file open error");
    EXPECT_TRUE(fs::exists(folder / "MOR00.LOG"));
    EXPECT_EQ(CNcLog::RestoreFile(folder / "MOR00.LOG", nc), 0);
    EXPECT_EQ(test::ReadFile(nc), "KEEP\r\n");
}

TEST_F(LogFixture, HeaderOnlyLogWritesEmptyFile) {
    fs::path nc = tmp.path() / "prog.nc";
    test::WriteFile(nc, "SOMETHING\r\n");
    test::WriteFile(folder / "MOR00.LOG", "Log file:" + nc.string() + "\r\n");
    EXPECT_EQ(CNcLog::RestoreFile(folder / "MOR00.LOG", nc), 1);
    EXPECT_EQ(test::ReadFile(nc), "");
}

// The log holds the document's text; writing it back is a save of the file: what the file's
// load leaves out (after the second "%" line, from a 0x1A byte), its byte-order mark and its
// LF line ends stay, and an .MPF main program's sub-program sections go to their own files.
// Before, the logged lines were written as they stood: the rest was lost, and the recovered
// sub-program section went into the main file, behind which the old file was merged again.
TEST_F(LogFixture, WriteBackIsASaveOfTheFile) {
    using Files = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        const char* program;
        Files before;
        std::vector<std::string> logged;
        Files after;
        NcFileSettings settings = {};
    };
    const Case cases[] = {
        {"rest after the second %",
         "prog.nc",
         {{"prog.nc", "%\r\nO1\r\nM30\r\n%\r\nO0002\r\nG01X5Y5\r\nM30\r\n%\r\n"}},
         {"%", "O1", "G00X1.", "M30", "%"},
         {{"prog.nc", "%\r\nO1\r\nG00X1.\r\nM30\r\n%\r\nO0002\r\nG01X5Y5\r\nM30\r\n%\r\n"}}},
        {"rest from a 0x1A byte",
         "prog.nc",
         {{"prog.nc", "O1\r\nM30\r\n\x1aHIDDEN"}},
         {"O1", "G00X1.", "M30"},
         {{"prog.nc", "O1\r\nG00X1.\r\nM30\r\n\x1aHIDDEN"}}},
        {"byte-order mark",
         "prog.nc",
         {{"prog.nc", "\xEF\xBB\xBFO1\r\nM30\r\n"}},
         {"O1", "G00X1.", "M30"},
         {{"prog.nc", "\xEF\xBB\xBFO1\r\nG00X1.\r\nM30\r\n"}}},
        {"LF line ends",
         "prog.nc",
         {{"prog.nc", "O1\nM30\n"}},
         {"O1", "G00X1.", "M30"},
         {{"prog.nc", "O1\nG00X1.\nM30\n"}}},
        // The file read as its load reads it: with the "%" rule off, nothing is left out.
        {"the \"%\" rule off",
         "prog.nc",
         {{"prog.nc", "%\r\nO1\r\n%\r\nO2\r\n"}},
         {"%", "O1", "%", "O2", "M30"},
         {{"prog.nc", "%\r\nO1\r\n%\r\nO2\r\nM30\r\n"}},
         {true, false}},
        {"empty lines not saved",
         "prog.nc",
         {{"prog.nc", "O1\r\nM30\r\n"}},
         {"O1", "", "M30"},
         {{"prog.nc", "O1\r\nM30\r\n"}},
         {false, true}},
        {"an .MPF main program and its sub-program",
         "PROG.MPF",
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "OLD\nM99\n"}},
         {"O1", "PROG1", "M30", "", "(*001)", "G01X5.", "M99"},
         {{"PROG.MPF", "O1\r\nPROG1\r\nM30\r\n"}, {"PROG1.spf", "G01X5.\nM99\n"}}},
    };
    for (const Case& c : cases) {
        for (bool atStart : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (atStart ? ", at start" : ", RestoreFile"));
            const fs::path dir = tmp.path() / "nc";
            fs::remove_all(dir);
            fs::remove_all(folder);
            const fs::path log = folder / "MOR00.LOG";
            std::string logText = "Log file:" + (dir / c.program).string() + "\r\n";
            for (const std::string& l : c.logged) logText += l + "\r\n";
            test::WriteFile(log, logText);
            for (const auto& [name, bytes] : c.before) {
                test::WriteFile(dir / name, bytes);
                fs::last_write_time(dir / name,
                                    fs::last_write_time(log) - std::chrono::seconds(60));
            }
            if (atStart) {
                CNcLog recover;
                InitLog(recover);
                platform::ScriptedPrompt p;
                p.answers = {PromptAnswer::Yes};
                std::string path;
                ASSERT_EQ(recover.Recover(&path, p, nullptr, c.settings), 1);
                EXPECT_EQ(p.asked.size(), 1u);
            } else {
                ASSERT_EQ(CNcLog::RestoreFile(log, dir / c.program, c.settings), 1);
            }
            for (const auto& [name, bytes] : c.after)
                EXPECT_EQ(test::ReadFile(dir / name), bytes) << name;
        }
    }
}

TEST_F(LogFixture, SeveralLogsPickUntilAcceptedOrCancelled) {
    fs::path nc = tmp.path() / "b.nc";
    test::WriteFile(folder / "MOR01.LOG",
                    "Log file:" + (tmp.path() / "a.nc").string() + "\r\nA\r\n");
    test::WriteFile(folder / "MOR02.LOG", "Log file:" + nc.string() + "\r\nB\r\n");
    test::WriteFile(tmp.path() / "other.txt", "no header\r\n");
    {
        CNcLog log;
        InitLog(log);
        platform::ScriptedPrompt p;
        p.answers = {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Yes};
        p.fileNames = {(tmp.path() / "other.txt").string(), (folder / "MOR01.LOG").string(),
                       (folder / "MOR02.LOG").string()};
        std::string path;
        EXPECT_EQ(log.Recover(&path, p), 1);
        EXPECT_EQ(path, nc.string());
        EXPECT_EQ(test::ReadFile(nc), "B\r\n");
        EXPECT_TRUE(fs::exists(folder / "MOR01.LOG"));
        EXPECT_FALSE(fs::exists(folder / "MOR02.LOG"));
        EXPECT_EQ(p.asked.back().text, "Do you want to restore [" + nc.string() + "]?");
    }
    test::WriteFile(folder / "MOR03.LOG", "Log file:/x\r\n");
    CNcLog log;
    InitLog(log);
    platform::ScriptedPrompt p;
    p.answers = {PromptAnswer::Yes};  // then the picker is cancelled
    std::string path;
    EXPECT_EQ(log.Recover(&path, p), 0);
    EXPECT_TRUE(fs::exists(folder / "MOR01.LOG"));
    EXPECT_TRUE(fs::exists(folder / "MOR03.LOG"));
}

// The file a log belongs to may hold newer work than the log: the restore asks again first,
// and the file it replaces is kept as its ".bak" copy. A file that cannot be written (its
// ".bak" copy fails, or it is read-only) is left alone and the text comes back for the
// start-up to open as a changed document.
TEST_F(LogFixture, RestoreOverAChangedFileAsksAndKeepsItAsBackup) {
    struct Case {
        const char* name;
        int fileAge;  // seconds the NC file is older than the log; negative: newer; 0: no file
        std::vector<PromptAnswer> answers;
        bool restored;
        const char* backup;  // expected ".bak" content; nullptr: none
        bool backupBlocked = false;
        bool readOnly = false;
    };
    const Case cases[] = {
        {"newer file, Yes", -60, {PromptAnswer::Yes, PromptAnswer::Yes}, true, "DISK\r\n"},
        {"newer file, No",
         -60,
         {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::No},
         false,
         nullptr},
        {"older file", 60, {PromptAnswer::Yes}, true, "DISK\r\n"},
        {"no file", 0, {PromptAnswer::Yes}, true, nullptr},
        {"backup cannot be made", 60, {PromptAnswer::Yes}, false, nullptr, true},
        {"read-only file", 60, {PromptAnswer::Yes}, false, nullptr, false, true},
    };
    for (const Case& c : cases) {
        fs::remove_all(tmp.path() / "nc");
        fs::create_directories(tmp.path() / "nc");
        fs::remove_all(folder);
        const fs::path nc = tmp.path() / "nc" / "prog.nc";
        const fs::path log = folder / "MOR00.LOG";
        test::WriteFile(log, "Log file:" + nc.string() + "\r\nLOGGED\r\n");
        if (c.fileAge != 0) {
            test::WriteFile(nc, "DISK\r\n");
            fs::last_write_time(nc, fs::last_write_time(log) - std::chrono::seconds(c.fileAge));
        }
        if (c.backupBlocked) fs::create_directories(tmp.path() / "nc" / "prog.bak" / "x");
        if (c.readOnly) fs::permissions(nc, fs::perms::owner_read | fs::perms::group_read);
        CNcLog recover;
        InitLog(recover);
        platform::ScriptedPrompt p;
        p.answers.assign(c.answers.begin(), c.answers.end());
        std::string path;
        std::vector<std::string> text;
        const bool notWritable = c.backupBlocked || c.readOnly;
        EXPECT_EQ(recover.Recover(&path, p, &text), c.restored ? 1 : notWritable ? 2 : 0) << c.name;
        if (notWritable) {
            EXPECT_EQ(path, nc.string()) << c.name;
            EXPECT_EQ(text, std::vector<std::string>{"LOGGED"}) << c.name;
            // The message also says how the text comes back: as a document without a name.
            EXPECT_EQ(p.asked.back().text,
                      (c.readOnly ? FillMessage(AppMessage(kMsgCannotWrite), {nc.string()})
                                  : FillMessage(
                                        AppMessage(kMsgRestoreBackupFailed),
                                        {nc.string(), (tmp.path() / "nc" / "prog.bak").string()})) +
                          "\n\n" + AppMessage(kMsgRecoveredAsNewDocument))
                << c.name;
        }
        EXPECT_EQ(test::ReadFile(nc), c.restored  ? "LOGGED\r\n"
                                      : c.fileAge ? "DISK\r\n"
                                                  : "")
            << c.name;
        EXPECT_EQ(fs::exists(log), !c.restored) << c.name;
        if (c.backup) {
            EXPECT_EQ(test::ReadFile(tmp.path() / "nc" / "prog.bak"), c.backup) << c.name;
        } else if (!c.backupBlocked) {
            EXPECT_FALSE(fs::exists(tmp.path() / "nc" / "prog.bak")) << c.name;
        }
        ASSERT_GE(p.asked.size(), 1u) << c.name;
        if (c.fileAge < 0) {
            ASSERT_GE(p.asked.size(), 2u) << c.name;
            EXPECT_EQ(p.asked[1].text,
                      FillMessage(AppMessage(kMsgAskRestoreOverNewerFile),
                                  {nc.string(), (tmp.path() / "nc" / "prog.bak").string()}))
                << c.name;
        } else {
            EXPECT_EQ(p.asked.size(), notWritable ? 2u : 1u) << c.name;
        }
    }
}

// The log of a text that could not go back into its file stands for that text in this run:
// the next write replaces it, a normal end deletes it, and no other instance offers it
// meanwhile. Before, it was offered again, failing the same way, at every start.
TEST_F(LogFixture, ALogWhoseFileCannotBeWrittenBecomesThisRunsLog) {
    const fs::path nc = tmp.path() / "prog.nc";
    test::WriteFile(nc, "DISK\r\n");
    fs::permissions(nc, fs::perms::owner_read | fs::perms::group_read);
    const fs::path log = folder / "MOR03.LOG";
    test::WriteFile(log, "Log file:" + nc.string() + "\r\nLOGGED\r\n");
    {
        CNcLog run;
        InitLog(run);
        std::string path;
        std::vector<std::string> text;
        prompt.answers = {PromptAnswer::Yes};
        ASSERT_EQ(run.Recover(&path, prompt, &text), 2);
        EXPECT_EQ(test::ReadFile(nc), "DISK\r\n");
        EXPECT_EQ(run.LogFile, log);
        CNcLog other;
        InitLog(other);
        std::vector<fs::path> offered;
        other.EnumLogFiles(&offered, 0);
        EXPECT_TRUE(offered.empty());
        ASSERT_EQ(run.WriteLog({"EDITED"}, nc.string()), 1);
        EXPECT_EQ(test::ReadFile(log), "Log file:" + nc.string() + "\r\nEDITED\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    }
    EXPECT_FALSE(fs::exists(log));
}
