// The installer's command line, its names and folders, and the uninstall launcher.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "InstallerTestSupport.h"
#include "installer/engine/Startup.h"

namespace installer::test {
namespace {

TEST(StartArguments, TheSwitchesAndTheUninstallPath) {
    struct Case {
        std::vector<std::string> args;
        int mode;
        const char* path;
    } cases[] = {
        {{}, 0, ""},
        {{"/b"}, 1, ""},
        {{"B"}, 1, ""},
        {{"/d"}, 2, ""},
        {{"D"}, 2, ""},
        {{"/x", "/opt/My Tool/haldimon"}, 3, "/opt/My Tool/haldimon"},
        {{"/X", "/opt/t/haldimon"}, 3, "/opt/t/haldimon"},  // either letter case takes it
        {{"/x"}, 3, ""},
        {{"/q"}, 0, ""},
        {{"anything"}, 0, ""},
        {{"//b"}, 0, ""},
    };
    for (const Case& c : cases) {
        StartArguments a = ParseStartArguments(JoinArguments(c.args));
        EXPECT_EQ(c.mode, a.Mode) << JoinArguments(c.args);
        EXPECT_EQ(c.path, a.UninstallPath) << JoinArguments(c.args);
    }
}

TEST(CheckCommandLine, HelpAndWrongSwitchesBeforeAnyWindow) {
    using U = CommandLineUse;
    struct Case {
        std::vector<std::string> args;
        U use;
    } cases[] = {
        {{}, U::Run},
        {{"/b"}, U::Run},
        {{"B"}, U::Run},
        {{"/D"}, U::Run},
        {{"/x", "/opt/My Tool/haldimon"}, U::Run},
        {{"-platform", "offscreen", "/d"}, U::Run},  // Qt's own options pass
        {{"--platform", "offscreen", "-reverse"}, U::Run},
        {{"--help"}, U::Help},
        {{"-h"}, U::Help},
        {{"/?"}, U::Help},
        {{"/b", "--help"}, U::Help},
        {{"--bogus"}, U::Wrong},
        {{"/q"}, U::Wrong},
        {{"//b"}, U::Wrong},
        {{"/bulk"}, U::Wrong},
        {{"anything"}, U::Wrong},
        {{"/b", "extra"}, U::Wrong},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.use), static_cast<int>(CheckCommandLine(c.args)))
            << JoinArguments(c.args);
    std::string usage = UsageText("Other");
    EXPECT_EQ(0u, usage.find("Usage: Other [/b | /d]\n")) << usage;
    EXPECT_NE(std::string::npos, usage.find("Other.INF")) << usage;
}

TEST(InitInstallerPaths, NamesAndFoldersOfEachMode) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    ::test::WriteFile(box.source / "Other.inf", "x");
    SetupState s;
    ASSERT_TRUE(InitInstallerPaths(s, (box.source / "Other.exe").string()));
    EXPECT_EQ("Other.exe", s.InstallerName);
    EXPECT_EQ("Other.INF", s.SetupFileName);
    EXPECT_EQ(box.source.string() + "/", s.SourceFolder);
    EXPECT_EQ((box.source / "Other.inf").string(), s.SetupFilePath);  // found without case
    EXPECT_EQ((box.source / "Other.exe").string(), s.InstallerPath);

    SetupState u;
    u.Mode = 3;
    u.UninstallPath = "/home/u/.local/opt/My Tool/haldimon";
    ASSERT_TRUE(InitInstallerPaths(u, "/tmp/haldimon-abc/haldimon"));
    EXPECT_EQ("/tmp/haldimon-abc/haldimon", u.InstallerPath);
    EXPECT_EQ("haldimon", u.InstallerName);
    EXPECT_EQ("/home/u/.local/opt/My Tool/", u.SourceFolder);
    EXPECT_EQ("/home/u/.local/opt/My Tool/", u.TargetDir);
    EXPECT_EQ("/home/u/.local/opt/My Tool/haldimon.INF", u.SetupFilePath);

    SetupState bad;
    bad.Mode = 3;
    bad.UninstallPath = "haldimon";
    EXPECT_FALSE(InitInstallerPaths(bad, "/x/haldimon"));
}

TEST(RelaunchForUninstall, CopiesIntoAPrivateFolderAndStartsTheCopy) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    ::test::WriteFile(box.source / "haldimon", "the installer");
    ::chmod((box.source / "haldimon").c_str(), 0755);
    SetupState s;
    ASSERT_TRUE(InitInstallerPaths(s, (box.source / "haldimon").string()));
    FakeRunner runner;
    std::string folder;
    ASSERT_TRUE(RelaunchForUninstall(s, box.platform, runner, &folder));
    EXPECT_TRUE(IsSameOrBelow(folder, box.platform.TempDir));
    EXPECT_EQ(0700u, Mode(folder));
    ASSERT_EQ(1u, runner.calls.size());
    EXPECT_EQ("detached", runner.calls[0].kind);
    EXPECT_EQ(folder + "/haldimon", runner.calls[0].program);
    EXPECT_EQ((std::vector<std::string>{"/x", (box.source / "haldimon").string()}),
              runner.calls[0].args);
    EXPECT_EQ("the installer", ::test::ReadFile(folder + "/haldimon"));
    EXPECT_EQ(0755u, Mode(folder + "/haldimon"));
    // A second launch gets a folder of its own.
    std::string second;
    ASSERT_TRUE(RelaunchForUninstall(s, box.platform, runner, &second));
    EXPECT_NE(folder, second);

    // A start that fails leaves nothing behind.
    runner.fail = true;
    size_t before = std::distance(fs::directory_iterator(box.platform.TempDir), {});
    EXPECT_FALSE(RelaunchForUninstall(s, box.platform, runner));
    EXPECT_EQ(before,
              static_cast<size_t>(std::distance(fs::directory_iterator(box.platform.TempDir), {})));
    // So does an installer that cannot be copied.
    runner.fail = false;
    s.InstallerPath = (box.source / "missing").string();
    EXPECT_FALSE(RelaunchForUninstall(s, box.platform, runner));
    EXPECT_EQ(before,
              static_cast<size_t>(std::distance(fs::directory_iterator(box.platform.TempDir), {})));
}

TEST(RunExitDeletions, FilesFirstThenTheirFolder) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    fs::path folder = box.platform.TempDir / "haldimon-x";
    ::test::WriteFile(folder / "haldimon", "copy");
    SetupState s;
    s.DeleteAtExit = {folder.string(), (folder / "haldimon").string()};
    RunExitDeletions(s);
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_TRUE(s.DeleteAtExit.empty());
}

}  // namespace
}  // namespace installer::test
