// The installation run over a fixture setup file: which commands run, in which steps, and
// what a failure leaves.
#include <gtest/gtest.h>

#include "InstallerTestSupport.h"
#include "installer/engine/CommandRun.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupInfo.h"

namespace installer::test {
namespace {

constexpr std::string_view kSetup =
    "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nPRODUCT_NAME=Tool\n"
    "UNINSTALL_NAME=ToolUninst\n"
    "[INSTALL1]\nCOMP=Base\nSTS=1\n1=C:\"a.txt\",1\n2=MD:TARGETDIR+\"made\"\n"
    "4=C:\"never.txt\",1\n"
    "[INSTALL2]\nCOMP=Extra\nSTS=2\n1=C:\"b.txt\",1\n"
    "[INSTALL3]\nCOMP=Empty\nSTS=1\n"
    "[INSTALL4]\nCOMP=Docs\nSTS=1\n1=C:\"c.txt\",1\n2=X:not a command\n"
    "[TERMEXEC]\n1=MD:TARGETDIR+\"termmade\"\n2=D:TARGETDIR+\"a.txt\"\n"
    "3=R:\"HKEY_CURRENT_USER\",\"Software\\Tool\",\"T\":{TYPE_SELECT}\n4=C:\"b.txt\",1\n";

class CommandRunTest : public EngineFixture {
protected:
    void Prepare(std::string_view setup) {
        Write(state.SetupFilePath, setup);
        for (const char* f : {"a.txt", "b.txt", "c.txt", "never.txt"}) Write(box.Setup(f), f);
        ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
        ReadComponents(state, state.SetupFilePath);
        state.TargetDir = box.Target();
        engine.InitMacroValues();
        ui.shown.clear();
    }
    // Runs to the end; the statuses of every step.
    std::vector<CommandRun::Status> RunAll(CommandRun& run) {
        std::vector<CommandRun::Status> steps;
        for (int guard = 0; guard < 100; ++guard) {
            steps.push_back(run.Step());
            if (steps.back() != CommandRun::Status::Continue) break;
        }
        return steps;
    }
    std::optional<std::string> Registration() const {
        return engine.Keys.GetString(
            "HKEY_LOCAL_MACHINE",
            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ToolUninst", "DisplayName");
    }
};

TEST_F(CommandRunTest, StandardRunOfTheTakingPartComponents) {
    Prepare(kSetup);
    CommandRun run(engine, CommandRun::Kind::Install);
    EXPECT_EQ(4, run.TotalCommands);  // Base 1, 2 (the gap ends it); Docs 1, 2
    std::vector<CommandRun::Status> steps = RunAll(run);
    // The preparation, then one command per step; the last also runs TERMEXEC.
    ASSERT_EQ(5u, steps.size());
    EXPECT_EQ(CommandRun::Status::Finished, steps.back());
    EXPECT_EQ(7, run.RangeMax);  // commands + 3
    EXPECT_EQ(5, run.Position);  // the bar stops at commands + 1
    EXPECT_EQ(4, run.CommandsRun);
    EXPECT_EQ("X:not a command", run.Shown);  // an unknown kind keeps its text
    EXPECT_TRUE(fs::is_directory(T("made")));
    EXPECT_EQ("c.txt", Read(T("c.txt")));
    EXPECT_FALSE(fs::exists(T("never.txt")));  // after the gap: never read
    // TERMEXEC: MD: and D: passed over, R: and C: run.
    EXPECT_FALSE(fs::exists(T("termmade")));
    EXPECT_EQ("a.txt", Read(T("a.txt")));
    EXPECT_EQ("0", engine.Keys.GetString("HKEY_CURRENT_USER", "Software\\Tool", "T"));
    EXPECT_EQ("b.txt", Read(T("b.txt")));
    EXPECT_EQ("ToolUninst", Registration());
    EXPECT_TRUE(fs::exists(T("haldimon.INF.files")));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(CommandRun::Status::Finished, run.Step());  // nothing more
}

TEST_F(CommandRunTest, CustomRunTakesTheSelectedComponents) {
    Prepare(kSetup);
    state.CustomInstall = 1;
    for (ComponentRecord& c : state.ComponentTable) c.Selected = c.Name == "Extra";
    CommandRun run(engine, CommandRun::Kind::Install);
    EXPECT_EQ(1, run.TotalCommands);
    RunAll(run);
    EXPECT_EQ("b.txt", Read(T("b.txt")));
    EXPECT_FALSE(fs::exists(T("c.txt")));
}

TEST_F(CommandRunTest, WithoutCommandsTheFirstStepFinishes) {
    Prepare(
        "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nUNINSTALL_NAME=ToolUninst\n"
        "[INSTALL1]\nCOMP=Nothing\nSTS=1\n");
    CommandRun run(engine, CommandRun::Kind::Install);
    EXPECT_EQ(0, run.TotalCommands);
    EXPECT_EQ(CommandRun::Status::Finished, run.Step());
    EXPECT_TRUE(fs::is_directory(T()));
    EXPECT_EQ("ToolUninst", Registration());
}

TEST_F(CommandRunTest, AFailingCopyEndsTheRunWithoutRegistration) {
    Prepare(
        "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nPRODUCT_NAME=Tool\n"
        "UNINSTALL_NAME=ToolUninst\n"
        "[INSTALL1]\nCOMP=A\nSTS=1\n1=C:\"a.txt\",1\n"
        "[INSTALL2]\nCOMP=B\nSTS=1\n1=C:\"missing.txt\",1\n2=C:\"c.txt\",1\n"
        "[TERMEXEC]\n1=MD:TARGETDIR+\"x\"\n");
    CommandRun run(engine, CommandRun::Kind::Install);
    std::vector<CommandRun::Status> steps = RunAll(run);
    ASSERT_EQ(3u, steps.size());
    EXPECT_EQ(CommandRun::Status::Failed, steps.back());
    ASSERT_EQ(std::vector<unsigned>{msg::kCopyFailed}, ui.Ids());
    EXPECT_EQ(std::vector<std::string>{"Tool"}, ui.shown[0].args);
    EXPECT_EQ("a.txt", Read(T("a.txt")));  // what was done stays done
    EXPECT_FALSE(fs::exists(T("c.txt")));
    EXPECT_FALSE(Registration());
    EXPECT_EQ(CommandRun::Status::Finished, run.Step());  // the run is over
}

TEST_F(CommandRunTest, AFailingProgramEndsTheRunWithItsOwnMessage) {
    Prepare(
        "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\n"
        "[INSTALL1]\nCOMP=A\nSTS=1\n1=E:+\"missing-helper\",x\n2=C:\"a.txt\",1\n");
    CommandRun run(engine, CommandRun::Kind::Install);
    std::vector<CommandRun::Status> steps = RunAll(run);
    EXPECT_EQ(CommandRun::Status::Failed, steps.back());
    EXPECT_EQ(std::vector<unsigned>{msg::kMissingFile}, ui.Ids());
    EXPECT_FALSE(fs::exists(T("a.txt")));
}

TEST_F(CommandRunTest, TermexecFailuresEndTheRunToo) {
    Prepare(
        "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\nUNINSTALL_NAME=ToolUninst\n"
        "[INSTALL1]\nCOMP=A\nSTS=1\n1=C:\"a.txt\",1\n"
        "[TERMEXEC]\n1=C:\"missing.txt\",1\n2=R:\"HKEY_CURRENT_USER\",\"S\",\"v\":1\n");
    CommandRun run(engine, CommandRun::Kind::Install);
    EXPECT_EQ(CommandRun::Status::Failed, RunAll(run).back());
    EXPECT_EQ(std::vector<unsigned>{msg::kCopyFailed}, ui.Ids());
    EXPECT_FALSE(engine.Keys.GetString("HKEY_CURRENT_USER", "S", "v"));
    EXPECT_FALSE(Registration());
}

}  // namespace
}  // namespace installer::test
