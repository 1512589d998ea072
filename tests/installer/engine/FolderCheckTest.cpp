// The installation folder's check, with the file system's kind and free space injected.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "InstallerTestSupport.h"
#include "installer/engine/FolderCheck.h"
#include "installer/engine/MessageIds.h"

extern char** environ;

namespace installer::test {
namespace {

class FolderCheckTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        Write(state.SetupFilePath,
              "[APPINFO]\nPROGRAM_FOLDER_NAME=Tool\nAPPBASE_PATH=/x\n[INSTALL1]\nCOMP=A\nSTS=3\n");
        state.ComponentCount = 1;
        state.TargetDir = "/old/";
    }
    FolderCheckResult Check(const std::string& text, bool whole = true) {
        ui.shown.clear();
        return CheckInstallFolder(text, engine, probe, whole);
    }
    std::string In(const std::string& rel) const { return (box.root / rel).string(); }
    FakeProbe probe;
};

TEST_F(FolderCheckTest, AcceptsAFolderWithItsSeparatorAndLeavesNothingMade) {
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("new/Soft")));
    EXPECT_EQ(In("new/Soft") + "/", state.TargetDir);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(fs::exists(box.root / "new"));  // the creation test made it and took it back
    EXPECT_EQ(1u, state.ComponentTable.size());  // the table is built anew
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("new/Soft/")));
    EXPECT_EQ(In("new/Soft") + "/", state.TargetDir);
    // An existing folder with content is untouched.
    Write(box.root / "kept/file.txt", "x");
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("kept")));
    EXPECT_TRUE(fs::exists(box.root / "kept/file.txt"));
    // "~/" is the home folder.
    EXPECT_EQ(FolderCheckResult::Accept, Check("~/apps/Tool"));
    EXPECT_EQ(box.platform.Home.string() + "/apps/Tool/", state.TargetDir);
}

TEST_F(FolderCheckTest, RefusalsShowTheirMessagesAndKeepTheFolder) {
    struct Case {
        DriveKind kind;
        std::string text;
        unsigned message;
    } cases[] = {
        {DriveKind::None, In("a"), msg::kUnknownDrive},
        {DriveKind::ReadOnly, In("a"), msg::kReadOnlyDrive},
        {DriveKind::Remote, In("a"), msg::kUnusableDrive},
        {DriveKind::None, "", msg::kUnknownDrive},  // the kind is asked before the length
        {DriveKind::Usable, "", msg::kRootFolder},  // an empty text is the root
        {DriveKind::Usable, "/", msg::kRootFolder},
        {DriveKind::Usable, box.platform.Home.string(), msg::kRootFolder},
        {DriveKind::Usable, box.platform.UserSettingsDir.string(), msg::kRootFolder},
        {DriveKind::Usable, box.platform.UserSettingsDir.string() + "/x", msg::kRootFolder},
        {DriveKind::Usable, "Soft", msg::kNotFullPath},
    };
    for (const Case& c : cases) {
        probe.kind = c.kind;
        EXPECT_EQ(FolderCheckResult::Stay, Check(c.text)) << c.text;
        ASSERT_EQ(1u, ui.shown.size()) << c.text;
        EXPECT_EQ(c.message, ui.shown[0].id) << c.text;
        EXPECT_EQ(PromptIcon::Error, ui.shown[0].icon);
        EXPECT_EQ("/old/", state.TargetDir) << c.text;
    }
    probe.kind = DriveKind::Usable;
    Write(box.root / "file", "in the way");
    EXPECT_EQ(FolderCheckResult::Stay, Check(In("file/below")));
    EXPECT_EQ(std::vector<unsigned>{msg::kFileInTheWay}, ui.Ids());
    EXPECT_FALSE(fs::exists(box.platform.UserSettingsDir));
}

TEST_F(FolderCheckTest, LowFreeSpaceAsksWithTheWholeMebibytes) {
    probe.free = 104333312;  // 99.5 MiB
    ui.answers = {PromptAnswer::No};
    EXPECT_EQ(FolderCheckResult::Stay, Check(In("Soft")));
    ASSERT_EQ(std::vector<unsigned>{msg::kLowSpace}, ui.Ids());
    EXPECT_EQ(std::vector<std::string>{"99"}, ui.shown[0].args);
    EXPECT_EQ(PromptButtons::YesNo, ui.shown[0].buttons);
    EXPECT_EQ("/old/", state.TargetDir);  // No restores the old folder
    ui.answers = {PromptAnswer::Yes};
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("Soft")));
    EXPECT_EQ(In("Soft") + "/", state.TargetDir);
    probe.free = kLowSpaceBytes;
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("Other")));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(FolderCheckTest, TheFileAnUpdateNeedsMustExistAndNotRun) {
    state.TargetExistFile = "probeexist";
    EXPECT_EQ(FolderCheckResult::EndSetup, Check(In("upd")));
    ASSERT_EQ(std::vector<unsigned>{msg::kMissingFile}, ui.Ids());
    EXPECT_EQ(std::vector<std::string>{"probeexist"}, ui.shown[0].args);
    // The bulk folder dialog runs steps 1 to 5 only.
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("upd"), false));

    fs::create_directories(box.root / "upd");
    fs::copy_file("/bin/sleep", box.root / "upd/probeexist");
    EXPECT_EQ(FolderCheckResult::Accept, Check(In("upd")));
    std::string path = (box.root / "upd/probeexist").string();
    char arg1[] = "30";
    char* argv[] = {path.data(), arg1, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ));
    EXPECT_EQ(FolderCheckResult::EndSetup, Check(In("upd")));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_EQ(std::vector<unsigned>{msg::kProgramRunning}, ui.Ids());
    EXPECT_EQ(PromptIcon::Warning, ui.shown[0].icon);
}

TEST(FileSystemKinds, FromTheMountTable) {
    EXPECT_EQ(DriveKind::Usable, KindOfFileSystemType("ext4", false));
    EXPECT_EQ(DriveKind::Usable, KindOfFileSystemType("overlay", false));
    EXPECT_EQ(DriveKind::ReadOnly, KindOfFileSystemType("ext4", true));
    EXPECT_EQ(DriveKind::ReadOnly, KindOfFileSystemType("iso9660", false));
    EXPECT_EQ(DriveKind::Remote, KindOfFileSystemType("nfs4", false));
    EXPECT_EQ(DriveKind::Remote, KindOfFileSystemType("fuse.sshfs", false));
    EXPECT_EQ(DriveKind::Remote, KindOfFileSystemType("tmpfs", false));
    SystemFileSystemProbe real;
    EXPECT_NE(DriveKind::None, real.KindOf("/"));
}

}  // namespace
}  // namespace installer::test
