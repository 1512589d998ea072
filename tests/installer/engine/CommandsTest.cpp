// MD:, R:, E:, D: and I: lines, the undo of R:, the clean-up steps and the registration.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

#include "InstallerTestSupport.h"
#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupFile.h"

namespace installer::test {
namespace {

class CommandsTest : public EngineFixture {
protected:
    fs::path Menu(const std::string& rel = {}) const {
        return box.platform.ApplicationsDir / "Tool" / rel;
    }
};

TEST_F(CommandsTest, ParseCommandTakesThePrefix) {
    struct Case {
        const char* text;
        int kind;
        const char* rest;
    } cases[] = {{"MD:x", kMakeDir, "x"},
                 {"C:\"a\",1", kCopy, "\"a\",1"},
                 {"R:\"r\"", kRegistry, "\"r\""},
                 {"E:p,", kExecute, "p,"},
                 {"D:p", kDelete, "p"},
                 {"I:\"n\"", kShortcut, "\"n\""},
                 {"md:x", kUnknownCommand, "md:x"},
                 {"X:y", kUnknownCommand, "X:y"},
                 {"", kUnknownCommand, ""}};
    for (const Case& c : cases) {
        std::string t = c.text;
        EXPECT_EQ(c.kind, SetupEngine::ParseCommand(t)) << c.text;
        EXPECT_EQ(c.rest, t) << c.text;
    }
}

TEST_F(CommandsTest, MakeDirCreatesEveryMissingFolder) {
    EXPECT_EQ(1, engine.MakeDirCommand("TARGETDIR+\"Data\\Sub\""));
    EXPECT_TRUE(fs::is_directory(T("Data/Sub")));
    EXPECT_TRUE(engine.Record.HasFolder(T("Data")));
    EXPECT_TRUE(ui.shown.empty());
    Write(T("File"), "x");
    EXPECT_EQ(1, engine.MakeDirCommand("TARGETDIR+\"File/Below\""));
    ASSERT_EQ(std::vector<unsigned>{msg::kFileInTheWay}, ui.Ids());
    EXPECT_EQ(T("File").string(), ui.shown[0].args.at(0));
    ui.shown.clear();
    // The user's settings folder is never made or written.
    EXPECT_EQ(0, engine.CreateFolderPath(box.platform.UserSettingsDir.string() + "/x/"));
    EXPECT_EQ(std::vector<unsigned>{msg::kFolderNotCreated}, ui.Ids());
    EXPECT_FALSE(fs::exists(box.platform.UserSettingsDir));
}

TEST_F(CommandsTest, RegistryLinesWriteTheKeyStore) {
    state.ProductVersion = "2.0";
    engine.InitMacroValues();
    const char* root = "HKEY_CURRENT_USER";
    EXPECT_EQ(1, engine.RegistryCommand(
                     "\"HKEY_CURRENT_USER\",\"Software\\Tool\",\"Dir\":{TARGETDIR}bin"));
    EXPECT_EQ(box.Target() + "bin", engine.Keys.GetString(root, "Software\\Tool", "Dir"));
    EXPECT_EQ(1, engine.RegistryCommand(
                     "\"HKEY_CURRENT_USER\" \"Software\\Tool\" x \"\":v{PRODUCT_VERSION}"));
    EXPECT_EQ("v2.0", engine.Keys.GetString(root, "Software\\Tool", ""));
    // Malformed or lower-case roots write nothing and succeed.
    for (const char* bad : {"\"hkey_current_user\",\"Software\\Bad\",\"v\":1",
                            "\"HKEY_CURRENT_USER\",\"Software\\Bad\",\"v\"",
                            "\"HKEY_CURRENT_USER\",\"Software\\Bad\"", "\"HKEY_CURRENT_USER\""}) {
        EXPECT_EQ(1, engine.RegistryCommand(bad)) << bad;
    }
    EXPECT_TRUE(engine.Keys.Values(root, "Software\\Bad").empty());
    // The undo takes the whole subkey, with values other lines wrote into it.
    engine.Keys.SetString(root, "Software", "Other", "stays");
    EXPECT_EQ(1, engine.UndoRegistryCommand("\"HKEY_CURRENT_USER\",\"Software\\Tool\",\"Dir\":x"));
    EXPECT_FALSE(engine.Keys.GetString(root, "Software\\Tool", "Dir"));
    EXPECT_FALSE(engine.Keys.GetString(root, "Software\\Tool", ""));
    EXPECT_EQ("stays", engine.Keys.GetString(root, "Software", "Other"));
}

TEST_F(CommandsTest, ExecuteRunsProgramsWithTheirParameters) {
    Write(box.Setup("helper"), "#!/bin/sh\n");
    ::chmod(box.Setup("helper").c_str(), 0755);
    Write(box.Setup("notes.txt"), "text");
    state.ProductName = "Tool";
    engine.InitMacroValues();
    EXPECT_EQ(0, engine.ExecuteCommand(
                     "SRCDIR+\"Setup/helper\",unused:-q \"{PRODUCT_NAME} x\" {TYPE_SELECT}"));
    ASSERT_EQ(1u, runner.calls.size());
    EXPECT_EQ("run", runner.calls[0].kind);
    EXPECT_EQ(box.Setup("helper").string(), runner.calls[0].program);
    EXPECT_EQ((std::vector<std::string>{"-q", "Tool x", "0"}), runner.calls[0].args);
    EXPECT_EQ(box.Setup().string(), runner.calls[0].folder);
    // No ':' after the comma: no parameters (a ':' in the program token is its own).
    runner.calls.clear();
    EXPECT_EQ(0, engine.ExecuteCommand("+\"helper\",x"));
    ASSERT_EQ(1u, runner.calls.size());
    EXPECT_TRUE(runner.calls[0].args.empty());
    // A file that is not a program opens with the desktop's application.
    runner.calls.clear();
    EXPECT_EQ(0, engine.ExecuteCommand("+\"notes.txt\",x"));
    ASSERT_EQ(1u, runner.calls.size());
    EXPECT_EQ("open", runner.calls[0].kind);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CommandsTest, ExecuteFailures) {
    EXPECT_EQ(0, engine.ExecuteCommand("+\"missing\""));  // no comma: nothing runs
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(-1, engine.ExecuteCommand("+\"missing\",x"));
    ASSERT_EQ(std::vector<unsigned>{msg::kMissingFile}, ui.Ids());
    EXPECT_EQ(box.Setup("missing").string(), ui.shown[0].args.at(0));
    ui.shown.clear();
    Write(box.Setup("helper"), "#!/bin/sh\n");
    ::chmod(box.Setup("helper").c_str(), 0755);
    runner.fail = true;
    EXPECT_EQ(-1, engine.ExecuteCommand("+\"helper\",x"));
    EXPECT_EQ(std::vector<unsigned>{msg::kRunFailed}, ui.Ids());
    EXPECT_TRUE(runner.calls.size() == 1);
}

TEST_F(CommandsTest, ExecuteWithTheRealStarterWaitsForTheProgram) {
    PosixProcessRunner real;
    SetupEngine e(state, box.platform, ui, real);
    e.CurrentFolder = box.Setup();
    e.InitMacroValues();
    Write(box.Setup("writer"), "#!/bin/sh\necho \"$1\" > done.txt\n");
    ::chmod(box.Setup("writer").c_str(), 0755);
    EXPECT_EQ(0, e.ExecuteCommand("+\"writer\",x:\"two words\""));
    EXPECT_EQ("two words\n", Read(box.Setup("done.txt")));  // waited for, in the current folder
}

TEST_F(CommandsTest, DeleteWithOptionTenEmptiesATreeButKeepsTheFolder) {
    Write(T("old/a.txt"), "a");
    Write(T("old/sub/b.txt"), "b");
    Write(T("old/sub/deeper/c.txt"), "c");
    Write(T("old/.keep"), "dot names stay");
    Write(box.root / "outside/secret.txt", "secret");
    fs::create_directory_symlink(box.root / "outside", T("old/link"));
    EXPECT_EQ(1, engine.DeleteCommand("TARGETDIR+\"old/*.*\",10"));
    EXPECT_TRUE(fs::is_directory(T("old")));
    EXPECT_FALSE(fs::exists(T("old/a.txt")));
    EXPECT_FALSE(fs::exists(T("old/sub")));
    EXPECT_TRUE(fs::exists(T("old/.keep")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(T("old/link"))));  // the link goes as a link
    EXPECT_EQ("secret", Read(box.root / "outside/secret.txt"));
    // Without option 10 only the files of the folder itself go.
    Write(T("two/x.txt"), "x");
    Write(T("two/in/y.txt"), "y");
    engine.DeleteCommand("TARGETDIR+\"two/*.txt\"");
    EXPECT_FALSE(fs::exists(T("two/x.txt")));
    EXPECT_TRUE(fs::exists(T("two/in/y.txt")));
    engine.DeleteCommand("TARGETDIR+\"two/in/y.txt\"");
    EXPECT_FALSE(fs::exists(T("two/in/y.txt")));
}

TEST_F(CommandsTest, DeleteRefusesTheRootTheHomeAndTheSettings) {
    Write(box.platform.Home / "document.txt", "the user's");
    Write(box.platform.UserSettingsDir / "MV_System.ini", "settings");
    state.Arg6 = "";
    engine.InitMacroValues();
    // ARG6 is empty by default: "/*.*" with option 10 would have emptied the file system.
    EXPECT_EQ(1, engine.DeleteCommand("ARG6+\"/*.*\",10"));
    EXPECT_EQ(1, engine.DeleteCommand("+\"" + box.platform.Home.string() + "/*.*\",10"));
    EXPECT_EQ(1,
              engine.DeleteCommand("+\"" + box.platform.Home.string() + "/.local/share/*.*\",10"));
    EXPECT_EQ(1, engine.DeleteCommand("+\"" + box.platform.UserSettingsDir.string() + "/*.*\""));
    EXPECT_EQ("the user's", Read(box.platform.Home / "document.txt"));
    EXPECT_EQ("settings", Read(box.platform.UserSettingsDir / "MV_System.ini"));
    EXPECT_EQ(1, engine.DeleteCommand("TARGETDIR+\"unclosed,10"));  // names nothing
}

TEST_F(CommandsTest, ShortcutsAreDesktopEntries) {
    Write(T("bin/tool"), "#!/bin/sh\n");
    Write(T("bin/tool.png"), "png");
    state.ProductVersion = "2";
    state.MenuCategories = "Development;Engineering";  // the last ';' is added
    engine.InitMacroValues();
    EXPECT_EQ(1, engine.CreateShortcut(
                     "\"Tool, version {PRODUCT_VERSION}\",TARGETDIR+\"data\",\"bin/tool\":--file "
                     "\"a b\" 100% $HOME"));
    fs::path file = Menu("Tool, version 2.desktop");
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(
        "[Desktop Entry]\nType=Application\nName=Tool, version 2\n"
        "Exec=" +
            T("bin/tool").string() +
            " --file \"a b\" 100%% \"\\\\$HOME\"\n"
            "Path=" +
            T("data").string() + "\nIcon=" + T("bin/tool.png").string() +
            "\nCategories=Development;Engineering;\nTerminal=false\n",
        Read(file));
    EXPECT_TRUE(engine.Record.HasFile(file));
    // Arguments inside the quoted target, and a name with a '/'.
    EXPECT_EQ(1, engine.CreateShortcut("\"A/B\",TARGETDIR+\"\",\"bin/tool,-x\""));
    EXPECT_NE(std::string::npos, Read(Menu("A_B.desktop")).find("tool -x\n"));
    // "%1" is the file the desktop passes on.
    EXPECT_EQ(1, engine.CreateShortcut("\"Opens\",TARGETDIR+\"\",\"bin/tool\":-f %1"));
    EXPECT_NE(std::string::npos, Read(Menu("Opens.desktop")).find("tool -f %f\n"));
    // Malformed lines write nothing.
    for (const char* bad :
         {"\"unclosed", "\"N\"", "\"N\",TARGETDIR+\"\"", "\"N\",TARGETDIR+\"\",bin"})
        EXPECT_EQ(1, engine.CreateShortcut(bad)) << bad;
    EXPECT_FALSE(fs::exists(Menu("N.desktop")));
}

// desktop-file-validate, when installed, accepts what the engine writes.
TEST_F(CommandsTest, DesktopEntriesPassTheValidator) {
    if (std::system("command -v desktop-file-validate >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "desktop-file-validate is not installed";
    Write(T("bin/tool"), "#!/bin/sh\n");
    Write(T("bin/tool.svg"), "<svg/>");
    state.MenuCategories = "Development;Engineering;";
    state.MainProgram = "bin/tool";
    engine.CreateShortcut(
        "\"Tool\",TARGETDIR+\"\",\"bin/tool\":--name \"a \\\"q\\\" b\" 5% `x` %1");
    engine.CreateShortcut("\"Tool (with blanks)\",TARGETDIR+\"\",\"bin/tool\"");
    state.UninstallName = "Tool";
    engine.RegisterUninstall();
    int n = 0;
    for (const auto& e : fs::directory_iterator(Menu())) {
        std::string cmd = "desktop-file-validate '" + e.path().string() + "'";
        EXPECT_EQ(0, std::system(cmd.c_str())) << Read(e.path());
        // Each has the icon and lies in a menu section.
        EXPECT_NE(std::string::npos, Read(e.path()).find("\nIcon=" + T("bin/tool.svg").string()))
            << Read(e.path());
        EXPECT_NE(std::string::npos, Read(e.path()).find("\nCategories=Development;Engineering;\n"))
            << Read(e.path());
        ++n;
    }
    EXPECT_EQ(3, n);
}

TEST_F(CommandsTest, RegisterUninstallKeepsTheSetupAndWritesTheRegistration) {
    Write(box.source / "haldimon.INF",
          "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\n[INSTALL1]\nCOMP=P\n");
    Write(box.source / "haldimon", "the installer");
    state.TargetDir = (box.platform.ProgramsBase / "My Tool").string() + "/";
    state.ProgramFolderName = "Chosen";
    state.UninstallName = "ToolUninst";
    state.ProductName = "Tool";
    engine.InitMacroValues();
    fs::path t = state.TargetDir;
    engine.CreateFolderPath(state.TargetDir);  // as the run's first step does
    engine.RegisterUninstall();
    EXPECT_EQ("the installer", Read(t / "haldimon"));
    EXPECT_EQ("Chosen", SetupFile(t / "haldimon.INF").Get("APPINFO", "PROGRAM_FOLDER_NAME", 100));
    const char* root = "HKEY_LOCAL_MACHINE";
    std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ToolUninst";
    EXPECT_EQ("ToolUninst", engine.Keys.GetString(root, key, "DisplayName"));
    EXPECT_EQ("\"" + state.TargetDir + "haldimon\" /d",
              engine.Keys.GetString(root, key, "UninstallString"));
    fs::path entry = box.platform.ApplicationsDir / "Chosen" / "uninstall-ToolUninst.desktop";
    EXPECT_NE(std::string::npos, Read(entry).find("Exec=\"" + state.TargetDir + "haldimon\" /d\n"));
    EXPECT_NE(std::string::npos, Read(entry).find("Name=Uninstallation of Tool\n"));
    EXPECT_TRUE(engine.Record.HasFile(t / "haldimon"));
    EXPECT_TRUE(engine.Record.HasFile(entry));
    engine.UnregisterUninstall();
    EXPECT_TRUE(engine.Keys.Values(root, key).empty());
}

TEST_F(CommandsTest, RegisterUninstallKeepsTheRunningInstallerWhenTheModuleHasNone) {
    Write(box.source / "haldimon.INF", "[APPINFO]\n");
    Write(box.root / "elsewhere/haldimon", "running copy");
    state.RunningInstaller = (box.root / "elsewhere/haldimon").string();
    state.UninstallName = "U";
    engine.CreateFolderPath(state.TargetDir);
    engine.RegisterUninstall();
    EXPECT_EQ("running copy", Read(T("haldimon")));
}

TEST_F(CommandsTest, RemoveProgramFolderTakesOnlyTheInstallationsEntries) {
    Write(T("bin/tool"), "x");
    engine.CreateShortcut("\"Tool\",TARGETDIR+\"\",\"bin/tool\"");
    Write(Menu("someone-else.desktop"), "[Desktop Entry]\n");
    engine.RemoveProgramFolder("");  // nothing at all
    EXPECT_TRUE(fs::exists(Menu("Tool.desktop")));
    engine.RemoveProgramFolder("Tool");
    EXPECT_FALSE(fs::exists(Menu("Tool.desktop")));
    EXPECT_TRUE(fs::exists(Menu("someone-else.desktop")));
    fs::remove(Menu("someone-else.desktop"));
    engine.CreateShortcut("\"Tool\",TARGETDIR+\"\",\"bin/tool\"");
    engine.RemoveProgramFolder("Tool");
    EXPECT_FALSE(fs::exists(Menu()));
}

TEST_F(CommandsTest, RemoveEmptyFoldersStopsAtTheFirstThatStays) {
    for (const char* d : {"a", "a/full", "b", "c"})
        engine.MakeDirCommand(std::string("TARGETDIR+\"") + d + "\"");
    Write(T("a/full/user.txt"), "x");
    fs::create_directories(T("d"));  // not made by the installation
    EXPECT_EQ(0, engine.RemoveEmptyFolders(T().string()));
    EXPECT_TRUE(fs::exists(T("a/full")));
    EXPECT_TRUE(fs::exists(T("b")));  // after the first that stays: left in place
    fs::remove(T("a/full/user.txt"));
    EXPECT_EQ(0, engine.RemoveEmptyFolders(T().string()));  // "d" was never the installation's
    EXPECT_FALSE(fs::exists(T("a")));
    EXPECT_FALSE(fs::exists(T("c")));
    EXPECT_TRUE(fs::exists(T("d")));
    fs::remove(T("d"));
    engine.Record.Remove();  // the uninstallation deletes the record before this step
    EXPECT_EQ(1, engine.RemoveEmptyFolders(T().string()));
    EXPECT_FALSE(fs::exists(T()));
    EXPECT_EQ(0, engine.RemoveEmptyFolders(box.platform.Home.string()));
}

TEST_F(CommandsTest, FreeSpaceOfTheNearestExistingFolder) {
    state.TargetDir = (box.root / "not/yet/made").string() + "/";
    std::uint64_t free = engine.GetTargetFreeBytes();
    // df is an independent reading of the same file system.
    std::string cmd = "df -B1 --output=avail '" + box.root.string() + "' | tail -n 1";
    FILE* p = ::popen(cmd.c_str(), "r");
    ASSERT_NE(nullptr, p);
    unsigned long long df = 0;
    ASSERT_EQ(1, std::fscanf(p, "%llu", &df));
    ::pclose(p);
    EXPECT_GT(free, 0u);
    EXPECT_NEAR(static_cast<double>(free), static_cast<double>(df), 64.0 * 1024 * 1024);
    state.TargetDir = "relative/";
    EXPECT_EQ(0u, engine.GetTargetFreeBytes());
}

}  // namespace
}  // namespace installer::test
