// C: lines: copy modes, patterns, times, permissions, links, failures and their undo.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "InstallerTestSupport.h"
#include "installer/engine/FileOps.h"

namespace installer::test {
namespace {

constexpr std::time_t kT0 = 1700000000;  // 2023-11-14 22:13:20 UTC

class CopyCommandTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        // The product: top-level files, a program, a tree, dot names and a link to outside.
        Write(box.Setup("readme.txt"), "read me");
        ::chmod(box.Setup("readme.txt").c_str(), 0444);
        Write(box.Setup("top.ini"), "top");
        Write(box.Setup("bin/tool"), "#!/bin/sh\n");
        ::chmod(box.Setup("bin/tool").c_str(), 0755);
        Write(box.Setup("bin/.hidden"), "h");
        Write(box.Setup(".dotfile"), "d");
        Write(box.Setup("data/a.dat"), "a");
        Write(box.Setup("data/sub/b.dat"), "b");
        Write(box.Setup("a,b.txt"), "comma");
        Write(box.root / "outside/secret.txt", "secret");
        fs::create_directory_symlink(box.root / "outside", box.Setup("linked"));
        for (const char* f :
             {"readme.txt", "top.ini", "bin/tool", "data/a.dat", "data/sub/b.dat", "a,b.txt"})
            SetMTime(box.Setup(f), kT0);
    }
    int Copy(const std::string& line) { return engine.CopyCommand(line); }
};

TEST_F(CopyCommandTest, ModeOneCopiesOnlyTheFolderItself) {
    EXPECT_EQ(0, Copy("\"*.*\",1,0,1"));
    EXPECT_EQ("read me", Read(T("readme.txt")));
    EXPECT_EQ("top", Read(T("top.ini")));
    EXPECT_FALSE(fs::exists(T("bin")));
    EXPECT_FALSE(fs::exists(T(".dotfile")));
    EXPECT_FALSE(fs::exists(T("linked")));
}

TEST_F(CopyCommandTest, ModeElevenCopiesTheTreeWithoutDotNamesOrLinkedFolders) {
    EXPECT_EQ(0, Copy("\"*.*\",11,0,11"));
    EXPECT_EQ("#!/bin/sh\n", Read(T("bin/tool")));
    EXPECT_EQ("b", Read(T("data/sub/b.dat")));
    EXPECT_FALSE(fs::exists(T("bin/.hidden")));
    EXPECT_FALSE(fs::exists(T(".dotfile")));
    EXPECT_FALSE(fs::exists(T("linked")));
    EXPECT_FALSE(fs::exists(T("secret.txt")));
    // The run records every file and every folder it made.
    for (const char* f : {"readme.txt", "bin/tool", "data/a.dat", "data/sub/b.dat"})
        EXPECT_TRUE(engine.Record.HasFile(T(f))) << f;
    for (const char* d : {"", "bin", "data", "data/sub"})
        EXPECT_TRUE(engine.Record.HasFolder(T(d))) << d;
    EXPECT_TRUE(engine.Record.HasFolder(box.platform.ProgramsBase));
    std::string record = Read(T("haldimon.INF.files"));
    EXPECT_NE(std::string::npos, record.find("F\tdata/sub/b.dat\t1\t1700000000\n"));
    EXPECT_NE(std::string::npos, record.find("D\tdata/sub\n"));
}

TEST_F(CopyCommandTest, CopiesKeepTimesAndPermissionsAndClearReadOnly) {
    EXPECT_EQ(0, Copy("\"bin/tool\",1"));
    EXPECT_EQ(0, Copy("\"readme.txt\",1"));
    EXPECT_EQ(0755u, Mode(T("bin/tool")));
    EXPECT_EQ(0644u, Mode(T("readme.txt")));  // read-only source, writable copy
    EXPECT_EQ(kT0, MTime(T("bin/tool")));
    EXPECT_EQ(kT0, MTime(T("readme.txt")));
    // No temporary file is left beside the copies.
    for (const auto& e : fs::directory_iterator(T())) {
        std::string n = e.path().filename().string();
        EXPECT_TRUE(n == "bin" || n == "readme.txt" || n == "haldimon.INF.files") << n;
    }
}

// A file whose name reaches the file system's limit (255 bytes) is copied, and copied again over
// itself, with no temporary file left beside it.
TEST_F(CopyCommandTest, CopiesNamesUpToTheLimitOfTheFileSystem) {
    for (size_t size : {250u, 255u}) {
        const std::string name = std::string(size - 4, 'n') + ".dat";
        Write(box.Setup(name), "long");
        SetMTime(box.Setup(name), kT0);
        EXPECT_EQ(0, Copy("\"" + name + "\",1")) << size;
        EXPECT_EQ("long", Read(T(name))) << size;
        Write(box.Setup(name), "longer");
        SetMTime(box.Setup(name), kT0);
        EXPECT_EQ(0, Copy("\"" + name + "\",1")) << size;
        EXPECT_EQ("longer", Read(T(name))) << size;
        EXPECT_EQ(kT0, MTime(T(name))) << size;
        fs::remove(T(name));
        for (const auto& e : fs::directory_iterator(T()))
            EXPECT_EQ(e.path().filename(), "haldimon.INF.files") << size;
    }
}

TEST_F(CopyCommandTest, ModeTwoNeverReplacesAndIgnoresPatterns) {
    Write(T("top.ini"), "the user's");
    EXPECT_EQ(0, Copy("\"top.ini\",2,0,2"));
    EXPECT_EQ("the user's", Read(T("top.ini")));
    EXPECT_EQ(0, Copy("\"readme.txt\",2,0,2"));
    EXPECT_EQ("read me", Read(T("readme.txt")));
    EXPECT_EQ(0, Copy("\"data/*.dat\",2,0,2"));
    EXPECT_EQ(0, Copy("\"data/*.dat\",12,0,12"));
    EXPECT_FALSE(fs::exists(T("data")));
}

TEST_F(CopyCommandTest, ModeThreeReplacesOnlyOlderTargets) {
    struct Case {
        std::time_t target;
        bool replaced;
    } cases[] = {{kT0, false}, {kT0 - 1, true}, {kT0 + 3600, false}};
    for (const Case& c : cases) {
        Write(T("top.ini"), "old");
        SetMTime(T("top.ini"), c.target);
        EXPECT_EQ(0, Copy("\"top.ini\",3,0,3"));
        EXPECT_EQ(c.replaced ? "top" : "old", Read(T("top.ini"))) << c.target;
    }
    fs::remove(T("top.ini"));
    EXPECT_EQ(0, Copy("\"*.ini\",13,0,13"));  // a missing target is copied
    EXPECT_EQ("top", Read(T("top.ini")));
}

TEST_F(CopyCommandTest, ModeThreeReplacesAnUnreadableTarget) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    Write(T("top.ini"), "old");
    SetMTime(T("top.ini"), kT0 + 10);
    ::chmod(T("top.ini").c_str(), 0);
    EXPECT_EQ(0, Copy("\"top.ini\",3,0,3"));
    EXPECT_EQ("top", Read(T("top.ini")));
}

TEST_F(CopyCommandTest, TheInstallationTypePicksTheMode) {
    EXPECT_EQ(0, Copy("\"top.ini\",0,0,1"));  // standard: mode 0 copies nothing
    EXPECT_FALSE(fs::exists(T("top.ini")));
    state.CustomInstall = 1;
    EXPECT_EQ(0, Copy("\"top.ini\",0,0,1"));
    EXPECT_TRUE(fs::exists(T("top.ini")));
    fs::remove(T("top.ini"));
    EXPECT_EQ(0, Copy("\"top.ini\",0"));  // one number: the custom mode counts as 1
    EXPECT_TRUE(fs::exists(T("top.ini")));
    fs::remove(T("top.ini"));
    EXPECT_EQ(0, Copy("\"top.ini\",0,0,-1"));  // -1 counts as 1
    EXPECT_TRUE(fs::exists(T("top.ini")));
}

TEST_F(CopyCommandTest, MalformedLinesDoNothingAndSucceed) {
    for (const char* line : {"top.ini,1", "\"top.ini", "\"top.ini\"", "\"top.ini\" 1", ""}) {
        EXPECT_EQ(0, Copy(line)) << line;
        EXPECT_FALSE(fs::exists(T("top.ini"))) << line;
    }
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(CopyCommandTest, ACommaInTheQuotedSourceBelongsToTheName) {
    EXPECT_EQ(0, Copy("\"a,b.txt\",1,0,1"));
    EXPECT_EQ("comma", Read(T("a,b.txt")));
}

TEST_F(CopyCommandTest, AMissingSourceFailsAndAPatternWithoutMatchSucceeds) {
    EXPECT_EQ(-1, Copy("\"missing.bin\",1,0,1"));
    EXPECT_EQ(0, Copy("\"*.none\",1,0,1"));
}

TEST_F(CopyCommandTest, DangerousTargetsAreRefused) {
    for (const std::string& target : {std::string(), box.platform.Home.string() + "/",
                                      box.platform.UserSettingsDir.string() + "/",
                                      box.platform.UserSettingsDir.string() + "/x/"}) {
        state.TargetDir = target;
        engine.InitMacroValues();
        EXPECT_EQ(-1, Copy("\"top.ini\",1,0,1")) << target;
    }
    EXPECT_FALSE(fs::exists(box.platform.Home / "top.ini"));
    EXPECT_FALSE(fs::exists(box.platform.UserSettingsDir));
    EXPECT_EQ("top", Read(box.Setup("top.ini")));
    // The root is refused the same way (not tried here: a test never writes outside its tree).
    EXPECT_TRUE(box.platform.IsRefusedFolder("/"));
    EXPECT_TRUE(box.platform.IsRefusedFolder(box.platform.Home / "."));
    EXPECT_FALSE(box.platform.IsRefusedFolder(box.platform.ProgramsBase));
}

TEST_F(CopyCommandTest, AReplacedProgramKeepsRunningOnItsOldFile) {
    Write(T("bin/tool"), "old program");
    int fd = ::open(T("bin/tool").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(0, Copy("\"bin/tool\",1"));
    char buf[32] = {};
    ASSERT_EQ(11, ::pread(fd, buf, sizeof buf, 0));
    ::close(fd);
    EXPECT_EQ("old program", std::string(buf, 11));
    EXPECT_EQ("#!/bin/sh\n", Read(T("bin/tool")));
}

TEST_F(CopyCommandTest, UndoRemovesOnlyWhatTheInstallationRecorded) {
    Write(T("data/before.dat"), "was there first");  // not installed: it stays
    ASSERT_EQ(0, Copy("\"*.*\",11,0,11"));
    Write(T("data/user.dat"), "saved by the user");
    Write(T("mine/notes.txt"), "the user's own folder");
    // The uninstallation runs in the installation folder.
    engine.CurrentFolder = T();
    EXPECT_EQ(1, engine.UndoCopyCommand("\"*.*\",11,0,11"));
    for (const char* f : {"readme.txt", "top.ini", "bin/tool", "data/a.dat", "data/sub/b.dat"})
        EXPECT_FALSE(fs::exists(T(f))) << f;
    EXPECT_FALSE(fs::exists(T("bin")));  // emptied folders the installation made go
    EXPECT_FALSE(fs::exists(T("data/sub")));
    EXPECT_EQ("saved by the user", Read(T("data/user.dat")));
    EXPECT_EQ("was there first", Read(T("data/before.dat")));
    EXPECT_EQ("the user's own folder", Read(T("mine/notes.txt")));
    EXPECT_EQ("secret", Read(box.root / "outside/secret.txt"));
}

TEST_F(CopyCommandTest, UndoOfASinglePatternFolder) {
    ASSERT_EQ(0, Copy("\"data/*.dat\",11,0,11"));
    EXPECT_EQ("a", Read(T("data/a.dat")));
    EXPECT_FALSE(fs::exists(T("data/sub")));  // "sub" does not match "*.dat"
    engine.CurrentFolder = T();
    engine.UndoCopyCommand("\"data/*.dat\",11");
    EXPECT_FALSE(fs::exists(T("data")));
    EXPECT_TRUE(fs::exists(T()));
    EXPECT_EQ(1, engine.UndoCopyCommand("no quotes"));
}

}  // namespace
}  // namespace installer::test
