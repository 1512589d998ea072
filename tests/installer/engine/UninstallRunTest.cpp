// The uninstallation of an installation made from a fixture setup file: what goes, what stays.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "InstallerTestSupport.h"
#include "installer/engine/CommandRun.h"
#include "installer/engine/DesktopEntry.h"
#include "installer/engine/FileTypes.h"
#include "installer/engine/SetupInfo.h"
#include "installer/engine/Startup.h"

namespace installer::test {
namespace {

constexpr std::string_view kSetup =
    "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH={PROGRAM_FILES}/Tool\nPRODUCT_NAME=Tool\n"
    "UNINSTALL_NAME=ToolUninst\n"
    "[INSTALL1]\nCOMP=Program\nSTS=1\n1=C:\"*.*\",11,0,11\n"
    "2=R:\"HKEY_CURRENT_USER\",\"Software\\Tool\",\"Dir\":{TARGETDIR}\n"
    "3=R:\"HKEY_CLASSES_ROOT\",\".tq\",\"\":Tool.Part\n"
    "4=R:\"HKEY_CLASSES_ROOT\",\"Tool.Part\\Shell\\Open\\Command\",\"\":\"{TARGETDIR}bin/tool\" "
    "\"%1\"\n"
    "5=I:\"Tool\",TARGETDIR+\"\",\"bin/tool\"\n"
    "6=E:+\"mark.sh\",x:{SUPPORTDIR}\n"
    "7=D:SUPPORTDIR+\"old.txt\"\n"
    "[INSTALL2]\nCOMP=Placeholder\nSTS=1\n"
    "[INSTALL3]\nCOMP=Docs\nSTS=1\n1=C:\"docs/*.*\",11,0,11\n";

class UninstallRunTest : public SandboxFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.Contained());
        Write(box.source / "haldimon.INF", kSetup);
        Write(box.source / "haldimon", "installer");
        Write(box.Setup("bin/tool"), "#!/bin/sh\n");
        Write(box.Setup("readme.txt"), "r");
        Write(box.Setup("docs/guide.txt"), "g");
        Write(box.Setup("mark.sh"), "#!/bin/sh\necho ran > \"$1/mark.txt\"\n");
        ::chmod(box.Setup("mark.sh").c_str(), 0755);
        // The user's settings and a file the D: line deletes.
        Write(box.platform.UserSettingsDir / "MV_System.ini", "the user's settings");
        Write(box.platform.TempDir / "old.txt", "from an older version");
        Install();
    }
    fs::path Target() const { return box.platform.ProgramsBase / "Tool"; }
    fs::path Menu() const { return box.platform.ApplicationsDir / "Tool"; }

    void Install() {
        FakeUi installUi;
        PosixProcessRunner real;
        ASSERT_TRUE(InstallFromSource(box, real, installUi));
        ASSERT_TRUE(installUi.shown.empty());
        ASSERT_TRUE(fs::exists(Target() / "haldimon.INF"));
    }
    // The uninstaller as the launcher starts it: a copy in a private temporary folder,
    // "/x" and the installed installer.
    void Uninstall(const std::function<void(SetupState&)>& adjust = {}) {
        fs::path copyFolder = box.platform.TempDir / "haldimon-AbC123";
        Write(copyFolder / "haldimon", "installer");
        state.Mode = 3;
        state.UninstallPath = (Target() / "haldimon").string();
        ASSERT_TRUE(InitInstallerPaths(state, (copyFolder / "haldimon").string()));
        ASSERT_EQ(1, ReadSetupFile(state, engine.Keys, box.platform, ui));
        if (adjust) adjust(state);
        state.TargetDir = state.SourceFolder;
        engine.InitMacroValues();
        engine.CurrentFolder = state.SourceFolder;
        run = std::make_unique<CommandRun>(engine, CommandRun::Kind::Uninstall);
        steps = 0;
        while (run->Step() == CommandRun::Status::Continue) ++steps;
        ++steps;
    }
    std::unique_ptr<CommandRun> run;
    int steps = 0;
};

TEST_F(UninstallRunTest, LeavesNothingTheInstallationMade) {
    // Before: the installation as it was made.
    ASSERT_TRUE(fs::exists(Target() / "bin/tool"));
    ASSERT_TRUE(fs::exists(Menu() / "Tool.desktop"));
    ASSERT_TRUE(fs::exists(MimePackageOf(box.platform, "Tool.Part")));
    ASSERT_TRUE(fs::exists(Target() / "docs/guide.txt"));
    Uninstall();
    // Every component's commands are undone, also those after a component without any.
    EXPECT_EQ(8, run->TotalCommands);
    EXPECT_EQ(8, run->RangeMax);
    EXPECT_EQ(9, steps);  // the preparation and one step per command
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_FALSE(fs::exists(Menu()));
    EXPECT_FALSE(fs::exists(MimePackageOf(box.platform, "Tool.Part")));
    EXPECT_FALSE(fs::exists(TypeEntryOf(box.platform, "Tool.Part")));
    EXPECT_TRUE(ReadFileClasses(engine.Keys).empty());
    EXPECT_FALSE(engine.Keys.GetString("HKEY_CURRENT_USER", "Software\\Tool", "Dir"));
    EXPECT_TRUE(engine.Keys
                    .Values("HKEY_LOCAL_MACHINE",
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ToolUninst")
                    .empty());
    EXPECT_FALSE(fs::exists(box.platform.ProgramsBase));  // made by the installation, empty
    // So were the key store's folders; the menu folder was there before, and stays.
    EXPECT_FALSE(fs::exists(box.platform.KeyStoreDir.parent_path()));
    EXPECT_TRUE(fs::is_directory(box.platform.ApplicationsDir));
    // The user's settings are untouched; E: and D: effects stay.
    EXPECT_EQ("the user's settings",
              ::test::ReadFile(box.platform.UserSettingsDir / "MV_System.ini"));
    EXPECT_EQ("ran\n", ::test::ReadFile(box.platform.TempDir / "mark.txt"));
    EXPECT_FALSE(fs::exists(box.platform.TempDir / "old.txt"));
    // Nothing is asked and nothing reported.
    EXPECT_TRUE(ui.shown.empty());
    // The running copy and its private folder go when the program ends.
    fs::path copyFolder = box.platform.TempDir / "haldimon-AbC123";
    EXPECT_EQ((std::vector<std::string>{(copyFolder / "haldimon").string(), copyFolder.string()}),
              state.DeleteAtExit);
    RunExitDeletions(state);
    EXPECT_FALSE(fs::exists(copyFolder));
}

TEST_F(UninstallRunTest, AFileTheUserAddedStaysWithItsFolder) {
    Write(Target() / "docs/my notes.txt", "mine");
    Write(Target() / "results/part1.nc", "G00X0Y0");
    Uninstall();
    EXPECT_EQ("mine", ::test::ReadFile(Target() / "docs/my notes.txt"));
    EXPECT_EQ("G00X0Y0", ::test::ReadFile(Target() / "results/part1.nc"));
    EXPECT_FALSE(fs::exists(Target() / "docs/guide.txt"));
    EXPECT_FALSE(fs::exists(Target() / "bin"));
    EXPECT_FALSE(fs::exists(Target() / "haldimon"));
    EXPECT_FALSE(fs::exists(Target() / "haldimon.INF"));
    EXPECT_FALSE(fs::exists(Target() / "haldimon.INF.files"));
    EXPECT_FALSE(fs::exists(Menu()));
}

// What a folder holds, for a failure's message.
std::string Listing(const fs::path& folder) {
    std::string out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        out += it->path().string() + " ";
    return out;
}

// A home without a menu folder: the installation makes it, the uninstallation removes it, but
// never with an entry of someone else's in it.
class UninstallFreshHomeTest : public UninstallRunTest {
protected:
    void SetUp() override {
        fs::remove_all(box.platform.ApplicationsDir);
        UninstallRunTest::SetUp();
    }
};

TEST_F(UninstallFreshHomeTest, TheFoldersTheInstallationMadeGo) {
    ASSERT_TRUE(fs::exists(Menu() / "Tool.desktop"));
    ASSERT_TRUE(fs::exists(box.platform.KeyStoreDir));
    Uninstall();
    for (const fs::path& f : {box.platform.ApplicationsDir, box.platform.KeyStoreDir.parent_path(),
                              box.platform.ProgramsBase})
        EXPECT_FALSE(fs::exists(f)) << f << " holds " << Listing(f);
    // The folders that were there before stay (the settings folder's parent among them).
    EXPECT_TRUE(fs::is_directory(box.platform.UserSettingsDir));
    EXPECT_TRUE(fs::is_directory(box.platform.Home / ".local"));
}

TEST_F(UninstallFreshHomeTest, AFolderWithAnotherEntryStays) {
    Write(box.platform.ApplicationsDir / "other.desktop", "[Desktop Entry]\n");
    Write(box.platform.KeyStoreDir / "HKEY_USERS.ini", "[Other]\nx=\"1\"\n");
    Uninstall();
    EXPECT_FALSE(fs::exists(Menu()));
    EXPECT_TRUE(fs::exists(box.platform.ApplicationsDir / "other.desktop"));
    EXPECT_TRUE(fs::exists(box.platform.KeyStoreDir / "HKEY_USERS.ini"));
}

TEST_F(UninstallRunTest, WithoutUninstallNameTheRegistrationIsLeftAlone) {
    Uninstall([](SetupState& s) { s.UninstallName.clear(); });
    EXPECT_EQ(
        "ToolUninst",
        engine.Keys.GetString("HKEY_LOCAL_MACHINE",
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ToolUninst",
                              "DisplayName"));
    EXPECT_FALSE(fs::exists(Target() / "bin/tool"));
}

TEST_F(UninstallRunTest, TheRegisteredCommandStartsACopyThroughTheLauncher) {
    std::string command = *engine.Keys.GetString(
        "HKEY_LOCAL_MACHINE", "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ToolUninst",
        "UninstallString");
    std::vector<std::string> words = SplitCommandLine(command);
    ASSERT_EQ(2u, words.size());
    EXPECT_EQ((Target() / "haldimon").string(), words[0]);
    ::chmod(words[0].c_str(), 0755);
    state.Mode = ParseStartArguments(JoinArguments({words[1]})).Mode;
    ASSERT_EQ(2, state.Mode);
    EXPECT_FALSE(PrepareWizard(engine, words[0]));  // the launcher never shows the wizard
    EXPECT_TRUE(ui.shown.empty());
    ASSERT_EQ(1u, runner.calls.size());
    const FakeRunner::Call& c = runner.calls[0];
    EXPECT_EQ("detached", c.kind);
    EXPECT_TRUE(IsSameOrBelow(c.program, box.platform.TempDir));
    EXPECT_EQ((std::vector<std::string>{"/x", words[0]}), c.args);
    EXPECT_EQ("installer", ::test::ReadFile(c.program));
}

}  // namespace
}  // namespace installer::test
