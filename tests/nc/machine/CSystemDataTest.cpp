// System settings: [System] keys and their write-back, the machine file name, the working copy.
#include "nc/machine/CSystemData.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "EnvVar.h"
#include "MachineTestSupport.h"
#include "platform/Profile.h"

using machine_test::ConfigFixture;
using machine_test::Fixture;
using machine_test::ReadAll;
using machine_test::WriteAll;
namespace fs = std::filesystem;

TEST(CSystemData, EmptySettingsLoadDefaultsAndWriteBackThreeKeys) {
    ConfigFixture f;
    WriteAll(f.ctx.IniPath, "");
    CSystemData s(&f.ctx);
    EXPECT_EQ(s.Load(), 1);
    EXPECT_EQ(s.AppName[0], "");
    EXPECT_EQ(s.AppParameter[1], "");
    EXPECT_EQ(s.ForbidDuplicateApp, 0);
    EXPECT_EQ(s.DeleteBlankForSave, 0);
    EXPECT_EQ(s.CreateBackupFile, 1);
    EXPECT_EQ(s.ForbidPunchApp, 0);
    EXPECT_EQ(s.ForbidSheetRead, 0);
    EXPECT_EQ(s.AppMachineType, 0);
    EXPECT_EQ(s.NcReadInfo.FileName, "MV_Machine.nmd");
    EXPECT_EQ(ReadAll(f.ctx.IniPath),
              "[System]\r\nForbidPunchApp=0\r\nForbidSheetRead=0\r\nAppMachineType=0\r\n");
    // The condition table is loaded from the configuration folder (here: the default rows).
    EXPECT_EQ(s.ToolData.RowCount(), 10u);
}

TEST(CSystemData, SystemKeys) {
    struct Case {
        const char* text;
        int createBackup;
        int machineType;
    } cases[] = {
        {"[System]\r\nForbidSheetRead=1\r\n", 0, 0},
        {"[System]\r\nForbidSheetRead=1\r\nCreateBackupFile=1\r\n", 1, 0},
        {"[System]\r\nCreateBackupFile=0\r\n", 0, 0},
        {"[System]\r\nAppMachineType=70000\r\n", 1, 4464},  // kept in 16 bits
        {"[System]\r\nAppMachineType=1\r\n", 1, 1},
    };
    for (const Case& c : cases) {
        ConfigFixture f;
        WriteAll(f.ctx.IniPath, c.text);
        CSystemData s(&f.ctx);
        s.Load();
        EXPECT_EQ(s.CreateBackupFile, c.createBackup) << c.text;
        EXPECT_EQ(s.AppMachineType, c.machineType) << c.text;
        EXPECT_EQ(platform::GetProfileInt("System", "AppMachineType", -1, f.ctx.IniPath),
                  c.machineType);
        EXPECT_NE(platform::GetProfileInt("System", "ForbidSheetRead", -1, f.ctx.IniPath), -1);
    }
}

TEST(CSystemData, LoadsTheNamedMachineAndItsWorkingCopy) {
    ConfigFixture f;
    fs::create_directory(f.dir.path() / "local");
    fs::copy_file(Fixture("full.nmd"), f.dir.path() / "local" / "Laser.NMD");
    WriteAll(f.ctx.IniPath,
             "[System]\r\nAppName000=viewer\r\nAppParameter001=-x\r\nForbidDuplicateApp=1\r\n"
             "DeleteBlankForSave=1\r\nForbidPunchApp=1\r\n"
             "[NcRead]\r\nFileName=<LOCAL_APP_NAME>/Laser.NMD\r\n");
    // A stand-in for the application's placeholder expansion.
    const std::string local = (f.dir.path() / "local").string();
    f.ctx.ConvertLocalAppPath = [local](int expand, std::string& path) {
        const std::string mark = "<LOCAL_APP_NAME>";
        const std::string& from = expand ? mark : local;
        const std::string& to = expand ? local : mark;
        if (path.rfind(from, 0) != 0) return 0;
        path = to + path.substr(from.size());
        return 1;
    };
    CSystemData s(&f.ctx);
    ASSERT_TRUE(s.HasWorkingCopy());
    s.Load();
    EXPECT_EQ(s.AppName[0], "viewer");
    EXPECT_EQ(s.AppParameter[1], "-x");
    EXPECT_EQ(s.ForbidDuplicateApp, 1);
    EXPECT_EQ(s.DeleteBlankForSave, 1);
    EXPECT_EQ(s.ForbidPunchApp, 1);
    EXPECT_EQ(s.NcReadInfo.FileName, local + "/Laser.NMD");
    EXPECT_EQ(s.NcReadInfo.ZeroTimes, 100);
    EXPECT_EQ(ReadAll(s.WorkingCopyPath), ReadAll(Fixture("full.nmd")));

    // Save writes the name back with the placeholder and the machine file with it.
    s.ForbidSheetRead = 1;
    s.NcReadInfo.HeadType = 7;
    EXPECT_EQ(s.Save(), 1);
    EXPECT_EQ(platform::GetProfileString("NcRead", "FileName", "", f.ctx.IniPath),
              "<LOCAL_APP_NAME>/Laser.NMD");
    EXPECT_EQ(platform::GetProfileString("Version", "Version", "", f.ctx.IniPath), "1");
    EXPECT_EQ(
        platform::GetProfileInt("NcRead", "HeadType", 0, f.dir.path() / "local" / "Laser.NMD"), 7);
    CSystemData again(&f.ctx);
    again.Load();
    EXPECT_EQ(again.ForbidSheetRead, 1);
    EXPECT_EQ(again.CreateBackupFile, 1);  // written by the save, so no longer defaulted
    EXPECT_EQ(again.AppName[0], "viewer");
    EXPECT_EQ(again.NcReadInfo.HeadType, 7);
}

TEST(CSystemData, WorkingCopyIsOwnedPerInstance) {
    ConfigFixture f;
    fs::path first;
    {
        CSystemData a(&f.ctx);
        CSystemData b(&f.ctx);
        ASSERT_TRUE(a.HasWorkingCopy());
        ASSERT_TRUE(b.HasWorkingCopy());
        EXPECT_NE(a.WorkingCopyPath, b.WorkingCopyPath);
        EXPECT_TRUE(fs::exists(a.WorkingCopyPath));
        EXPECT_EQ(fs::file_size(a.WorkingCopyPath), 0u);
        EXPECT_EQ(a.NcReadInfo.WorkingCopy(), a.WorkingCopyPath);
        first = a.WorkingCopyPath;
    }
    EXPECT_FALSE(fs::exists(first));
}

// A program that is killed never deletes its working copy. The next start removes the copies of
// programs that no longer run, and leaves those of programs that still run.
TEST(CSystemData, AStartRemovesTheWorkingCopiesOfKilledProgramsOnly) {
    ConfigFixture f;
    test::TempDir tmp;
    test::EnvVar tmpdir("TMPDIR", tmp.path().string());
    // Each child makes its working copy, reports its name and waits to be killed.
    const auto program = [&f]() -> std::pair<pid_t, fs::path> {
        int fds[2];
        if (::pipe(fds) != 0) return {};
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            CSystemData s(&f.ctx);
            const std::string name = s.WorkingCopyPath.string() + "\n";
            if (::write(fds[1], name.data(), name.size()) < 0) ::_exit(1);
            ::pause();
            ::_exit(0);
        }
        ::close(fds[1]);
        std::string name;
        char c;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') name += c;
        ::close(fds[0]);
        return {pid, name};
    };
    const auto kill = [](pid_t pid) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    };
    const auto [killedPid, killedCopy] = program();
    const auto [runningPid, runningCopy] = program();
    ASSERT_GT(killedPid, 0);
    ASSERT_GT(runningPid, 0);
    kill(killedPid);
    ASSERT_TRUE(fs::exists(killedCopy));
    ASSERT_TRUE(fs::exists(runningCopy));
    {
        CSystemData s(&f.ctx);
        EXPECT_FALSE(fs::exists(killedCopy));
        EXPECT_TRUE(fs::exists(runningCopy));
        EXPECT_EQ(s.WorkingCopyPath.parent_path(), runningCopy.parent_path());
        kill(runningPid);
    }
    CSystemData next(&f.ctx);
    EXPECT_FALSE(fs::exists(runningCopy));
    EXPECT_TRUE(fs::exists(next.WorkingCopyPath));
}
