// Bulk installation: the module search, order and detection, and the run of the chosen
// modules.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "InstallerTestSupport.h"
#include "installer/engine/BulkModules.h"
#include "installer/engine/BulkRun.h"
#include "installer/engine/MessageIds.h"

extern char** environ;

namespace installer::test {
namespace {

class BulkTest : public SandboxFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(box.Contained());
        state.SetupFileName = "haldimon.INF";
        state.SourceFolder = box.source.string() + "/";
        state.RunningInstaller = (box.source / "haldimon").string();
        state.InstallerName = "haldimon";
        ::test::WriteFile(box.source / "haldimon", "installer");
    }
    // A module folder with its setup file (the marker on the second line) and its Setup/.
    void Module(const std::string& rel, const std::string& appinfo,
                const std::string& rest = "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"a.txt\",1\n") {
        fs::path folder = box.source / rel;
        ::test::WriteFile(folder / "haldimon.INF", "; module " + rel +
                                                       "\n; AllSetup Target\n"
                                                       "[APPINFO]\n" +
                                                       appinfo + rest);
        ::test::WriteFile(folder / "Setup" / "a.txt", rel);
    }
    std::vector<std::string> Names(const std::vector<ModuleRecord>& ms) const {
        std::vector<std::string> n;
        for (const ModuleRecord& m : ms) n.push_back(m.ProductName);
        return n;
    }
    fs::path Folder(const std::string& name) const { return box.root / "inst" / name; }
    std::string Base(const std::string& name) const {
        return "PROGRAM_FOLDER_NAME=" + name + "\nPRODUCT_NAME=" + name +
               "\nAPPBASE_PATH=" + Folder(name).string() + "\n";
    }

    FakeProbe probe;
    BulkProduct product = TestProduct();
};

TEST_F(BulkTest, TheSearchOrderAndDetection) {
    Module("main",
           "PRODUCT_NAME=Main CAD\nMAIN_PROGRAM=CADMAIN.EXE\n"
           "GETREG_APPBASE_PATH=\"HKEY_LOCAL_MACHINE\",\"Software\\CAD\",\"Dir\"\n");
    Module("opt/w3", "PRODUCT_NAME=Third\nTARGET_EXISTFILE=CADMAIN.EXE\nCOMPRESS_FILE=w3\n");
    Module("opt/w1", "PRODUCT_NAME=First\nTARGET_EXISTFILE=CADMAIN.EXE x\nCOMPRESS_FILE=w1\n");
    Module("opt/unknown", "PRODUCT_NAME=Unknown\nTARGET_EXISTFILE=CADMAIN.EXE\nCOMPRESS_FILE=zz\n");
    Module("other", "PRODUCT_NAME=Morvalen\nSETUP_TITLE=" + std::string(80, 't') + "\n");
    Module("long", "PRODUCT_NAME=Long\n");
    // A first line longer than a Windows buffer does not hide the marker.
    ::test::WriteFile(
        box.source / "long" / "haldimon.INF",
        "; " + std::string(400, 'x') + "\n; AllSetup Target\n[APPINFO]\nPRODUCT_NAME=Long\n");
    // The marker on the first line only: not a module, but a folder below it is searched.
    ::test::WriteFile(box.source / "first/haldimon.INF", "; AllSetup Target\n\n[APPINFO]\n");
    Module("first/nested", "PRODUCT_NAME=Nested\n");
    Module(".hidden", "PRODUCT_NAME=Hidden\n");
    // A folder link to a module outside is never followed; the installer's own folder is not
    // searched.
    ::test::WriteFile(box.root / "outside/haldimon.INF",
                      "x\nAllSetup Target\n[APPINFO]\nPRODUCT_NAME=Out\n");
    fs::create_directory_symlink(box.root / "outside", box.source / "link");
    ::test::WriteFile(box.source / "haldimon.INF",
                      "x\nAllSetup Target\n[APPINFO]\nPRODUCT_NAME=Own\n");

    std::vector<ModuleRecord> found = FindModules(box.source, "haldimon.INF", product);
    EXPECT_EQ((std::vector<std::string>{"Nested", "Long", "Main CAD", "Unknown", "First", "Third",
                                        "Morvalen"}),
              Names(found));
    const ModuleRecord& w1 = found[4];
    EXPECT_EQ(1, w1.IsProductModule);
    EXPECT_EQ(1, w1.ModuleKind);
    EXPECT_EQ(-1, found[3].ModuleKind);
    EXPECT_EQ(1, found[2].IsMainProgram);
    EXPECT_EQ(63u, found[6].SetupTitle.size());
    EXPECT_EQ(4, w1.FoundOrder);

    SortModules(found);
    EXPECT_EQ((std::vector<std::string>{"Main CAD", "First", "Third", "Unknown", "Nested", "Long",
                                        "Morvalen"}),
              Names(found));

    // Detection from the first module's stored folder.
    fs::path cad = box.root / "cad";
    engine.Keys.SetString("HKEY_LOCAL_MACHINE", "Software\\CAD", "Dir", cad.string());
    ::test::WriteFile(cad / "Cad.exe", "x");
    fs::create_directories(cad / "w1");
    fs::create_directories(box.platform.ProgramsBase / "Morvalen");
    DetectInstalledModules(found, state, engine.Keys, box.platform, product);
    EXPECT_EQ(cad.string() + "/", state.TargetDir);
    struct Want {
        int installed, newChecked, updateChecked;
    } want[] = {{1, 1, 1}, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 0, 1}};
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(want[i].installed, found[i].Installed) << found[i].ProductName;
        EXPECT_EQ(want[i].newChecked, found[i].NewChecked) << found[i].ProductName;
        EXPECT_EQ(want[i].updateChecked, found[i].UpdateChecked) << found[i].ProductName;
    }
}

class BulkRunTest : public BulkTest {
protected:
    // Finds the modules, chooses them all and runs them to the end.
    std::vector<int> RunAll(const std::function<void(BulkRun&)>& prepare = {}) {
        state.Modules = FindModules(box.source, "haldimon.INF", product);
        SortModules(state.Modules);
        for (ModuleRecord& m : state.Modules) m.Selected = 1;
        BulkRun run(engine, probe);
        if (prepare) prepare(run);
        for (int guard = 0; guard < 50; ++guard) {
            BulkRun::Start s = run.StartNextModule();
            if (s != BulkRun::Start::Started) {
                ended = s;
                break;
            }
            while (run.Step() == CommandRun::Status::Continue) {
            }
        }
        passed = run.ModulesPassed;
        std::vector<int> done;
        for (const ModuleRecord& m : state.Modules) done.push_back(m.Succeeded);
        return done;
    }
    BulkRun::Start ended = BulkRun::Start::Started;
    int passed = 0;
};

TEST_F(BulkRunTest, AFailingModuleEndsOnlyItself) {
    Module("m1", Base("One") + "UNINSTALL_NAME=One\n");
    Module("m2", Base("Two"), "[INSTALL1]\nCOMP=Main\nSTS=1\n1=C:\"missing.txt\",1\n");
    Module("m3", Base("Three"));
    EXPECT_EQ((std::vector<int>{1, 0, 1}), RunAll());
    EXPECT_EQ(BulkRun::Start::AllDone, ended);
    EXPECT_EQ(3, passed);
    EXPECT_EQ(std::vector<unsigned>{msg::kCopyFailed}, ui.Ids());
    EXPECT_EQ(std::vector<std::string>{"Two"}, ui.shown[0].args);
    EXPECT_EQ("m1", ::test::ReadFile(Folder("One") / "a.txt"));
    EXPECT_EQ("m3", ::test::ReadFile(Folder("Three") / "a.txt"));
    // The registration keeps the running installer when the module folder has none.
    EXPECT_EQ("installer", ::test::ReadFile(Folder("One") / "haldimon"));
    EXPECT_TRUE(fs::exists(Folder("One") / "haldimon.INF"));
}

TEST_F(BulkRunTest, AnUpdateRunsEveryComponentOfTheMainProgramOnly) {
    auto comps = [](const std::string& module) {
        return "[INSTALL1]\nCOMP=Standard\nSTS=1\n1=R:\"HKEY_CURRENT_USER\",\"M\\" + module +
               "\",\"a\":{TYPE_SELECT}\n[INSTALL2]\nCOMP=Selected\nSTS=2\n"
               "1=R:\"HKEY_CURRENT_USER\",\"M\\" +
               module + "\",\"b\":{TYPE_SELECT}\n";
    };
    Module("main", Base("Main") + "MAIN_PROGRAM=CADMAIN.EXE\n", comps("Main"));
    Module("other", Base("Other"), comps("Other"));
    state.UpdateInstall = 1;
    EXPECT_EQ((std::vector<int>{1, 1}), RunAll());
    auto value = [&](const std::string& module, const char* name) {
        return engine.Keys.GetString("HKEY_CURRENT_USER", "M\\" + module, name);
    };
    EXPECT_EQ("0", value("Main", "a"));  // taken only for being the main program
    EXPECT_EQ("1", value("Main", "b"));  // TYPE_SELECT follows each component
    EXPECT_FALSE(value("Other", "a"));
    EXPECT_EQ("1", value("Other", "b"));
}

TEST_F(BulkRunTest, ANewInstallationRunsTheStandardComponents) {
    Module("m", Base("M"),
           "[INSTALL1]\nCOMP=S\nSTS=1\n1=C:\"a.txt\",1\n"
           "[INSTALL2]\nCOMP=P\nSTS=2\n1=C:\"b.txt\",1\n");
    ::test::WriteFile(box.source / "m/Setup/b.txt", "b");
    EXPECT_EQ((std::vector<int>{1}), RunAll());
    EXPECT_TRUE(fs::exists(Folder("M") / "a.txt"));
    EXPECT_FALSE(fs::exists(Folder("M") / "b.txt"));
}

TEST_F(BulkRunTest, ACancelledFolderQuestionOfTheMainProgramPassesOverItsModules) {
    Module("main", Base("Main") + "MAIN_PROGRAM=CADMAIN.EXE\n",
           "[SETUPINFO]\nBINSTALL_FOLDER_SPECIFY=1\n"
           "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"a.txt\",1\n");
    Module("w1", Base("Word") + "TARGET_EXISTFILE=CADMAIN.EXE\nCOMPRESS_FILE=w1\n");
    Module("zother", Base("Other"));
    state.UpdateInstall = 1;
    ui.answers = {PromptAnswer::No};  // 166: change the folder
    int asked = 0;
    EXPECT_EQ((std::vector<int>{0, 0, 1}), RunAll([&](BulkRun& r) {
                  r.AskFolder = [&] {
                      ++asked;
                      return false;
                  };
              }));
    EXPECT_EQ(1, asked);
    ASSERT_EQ(std::vector<unsigned>{msg::kBulkFolderQuestion}, ui.Ids());
    EXPECT_EQ(Folder("Main").string() + "/", ui.shown[0].lead);
    EXPECT_EQ(std::vector<std::string>{"Main"}, ui.shown[0].args);
    EXPECT_FALSE(fs::exists(Folder("Word")));
    EXPECT_TRUE(fs::exists(Folder("Other") / "a.txt"));
    EXPECT_EQ(3, passed);
}

TEST_F(BulkRunTest, TheFolderDialogSetsTheFolder) {
    Module("m", Base("M"),
           "[SETUPINFO]\nBINSTALL_FOLDER_SPECIFY=1\n"
           "[INSTALL1]\nCOMP=Main\nSTS=3\n1=C:\"a.txt\",1\n");
    fs::path chosen = box.root / "chosen";
    EXPECT_EQ((std::vector<int>{1}), RunAll([&](BulkRun& r) {
                  r.AskFolder = [&] {
                      return CheckInstallFolder(chosen.string(), engine, probe, false) ==
                             FolderCheckResult::Accept;
                  };
              }));
    EXPECT_TRUE(fs::exists(chosen / "a.txt"));
}

TEST_F(BulkRunTest, OnlyTheProgramRunningFromTheFolderEndsTheWholeRun) {
    Module("m1", Base("One"));
    Module("m2", Base("Two") + "PRODUCT_KEY=bulkprobe\n");
    Module("m3", Base("Three"));
    // A program of that name started from elsewhere is no concern of the run.
    auto start = [](const fs::path& program) {
        fs::create_directories(program.parent_path());
        fs::copy_file("/bin/sleep", program);
        std::string path = program.string();
        char arg1[] = "30";
        char* argv[] = {path.data(), arg1, nullptr};
        pid_t pid = 0;
        EXPECT_EQ(0, posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ));
        return pid;
    };
    auto stop = [](pid_t pid) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    };
    pid_t elsewhere = start(box.root / "elsewhere" / "bulkprobe");
    EXPECT_EQ((std::vector<int>{1, 1, 1}), RunAll());
    EXPECT_TRUE(ui.shown.empty());
    stop(elsewhere);

    // The one in the folder being replaced ends it.
    fs::remove_all(Folder("Three"));
    pid_t inside = start(Folder("Two") / "bulkprobe");
    std::vector<int> done = RunAll();
    stop(inside);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), done);
    EXPECT_EQ(BulkRun::Start::RunEnded, ended);
    ASSERT_EQ(std::vector<unsigned>{msg::kProgramRunning}, ui.Ids());
    EXPECT_EQ(std::vector<std::string>{"bulkprobe"}, ui.shown[0].args);
    EXPECT_FALSE(fs::exists(Folder("Three")));
}

TEST_F(BulkRunTest, UnusableFoldersAndFilesPassTheModuleOver) {
    Module("a", "PROGRAM_FOLDER_NAME=NoBase\nPRODUCT_NAME=NoBase\n");  // no APPBASE_PATH
    Module("b", Base("Broken"), "");                                   // no component
    Module("c", Base("Fine"));
    EXPECT_EQ((std::vector<int>{0, 0, 1}), RunAll());
    ASSERT_EQ(std::vector<unsigned>{msg::kModuleStops}, ui.Ids());
    EXPECT_EQ("\n" + InstallerString(msg::kRootFolder) + "\nNoBase", ui.shown[0].lead);
    EXPECT_EQ(3, passed);
    // A read-only file system: its message, the product and 165.
    ui.shown.clear();
    probe.kind = DriveKind::ReadOnly;
    for (ModuleRecord& m : state.Modules) m.Succeeded = 0;
    EXPECT_EQ((std::vector<int>{0, 0, 0}), RunAll());
    ASSERT_EQ(2u, ui.shown.size());
    EXPECT_EQ(Folder("Fine").string() + "/\n" + InstallerString(msg::kReadOnlyDrive) + "\nFine",
              ui.shown[1].lead);
}

}  // namespace
}  // namespace installer::test
