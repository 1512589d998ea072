// Running programs seen through /proc, with a probe process of the test's own.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include "InstallerTestSupport.h"

extern char** environ;

namespace installer::test {
namespace {

TEST(IsProcessRunning, FindsAProbeByNameWithoutLetterCase) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    fs::path probe = box.root / "HaldiProbe";
    fs::copy_file("/bin/sleep", probe);
    fs::permissions(probe, fs::perms::owner_all);
    EXPECT_FALSE(IsProcessRunning("haldiprobe"));
    std::string path = probe.string();
    char arg1[] = "30";
    char* argv[] = {path.data(), arg1, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(0, posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, environ));
    EXPECT_TRUE(IsProcessRunning("haldiprobe"));
    EXPECT_TRUE(IsProcessRunning("HALDIPROBE"));
    EXPECT_TRUE(IsProcessRunning("HaldiProbe.exe"));  // a Windows name matches without ".exe"
    EXPECT_FALSE(IsProcessRunning("HaldiProb"));
    EXPECT_FALSE(IsProcessRunning(""));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_FALSE(IsProcessRunning("haldiprobe"));
}

TEST(IsProcessRunning, OnlyTheUsersOwnProgramInTheFolderCounts) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    const fs::path inst = box.root / "inst";
    fs::create_directories(inst);
    const std::string me = std::to_string(::getuid()), other = std::to_string(::getuid() + 1);
    struct Case {
        std::string uid, exe, cmdline;  // exe empty: the link cannot be read
        bool inFolder, anywhere;
    } cases[] = {
        {me, (inst / "morvalen").string(), "", true, true},
        {me, (inst / "bin/MORVALEN").string() + " (deleted)", "", true, true},
        {other, (inst / "morvalen").string(), "", false, false},  // another user's
        {me, (box.root / "elsewhere/morvalen").string(), "", false, true},
        {me, (box.root / "inst2/morvalen").string(), "", false, true},
        {me, (inst / "morvalen-dde").string(), "", false, false},
        {me, "", (inst / "morvalen").string() + std::string("\0/x\0", 4), true, true},
        {me, "", std::string("morvalen\0", 9), false, true},  // no folder to tell
        {me, (box.root / "elsewhere/sh").string(), (inst / "morvalen").string(), false, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        fs::path proc = box.root / ("proc" + std::to_string(++n));
        fs::path p = proc / "4242";
        fs::create_directories(p);
        fs::create_directories(proc / "self");
        ::test::WriteFile(p / "status", "Name:\tx\nUid:\t" + c.uid + "\t" + c.uid + "\t" + c.uid +
                                            "\t" + c.uid + "\n");
        if (!c.exe.empty()) fs::create_symlink(c.exe, p / "exe");
        ::test::WriteFile(p / "cmdline", c.cmdline);
        EXPECT_EQ(c.inFolder, IsProcessRunning("morvalen", inst.string() + "/", proc)) << n;
        EXPECT_EQ(c.anywhere, IsProcessRunning("Morvalen", {}, proc)) << n;
    }
}

TEST(ProcessRunner, StartsDetachedAndReportsAProgramThatCannotStart) {
    Sandbox box;
    ASSERT_TRUE(box.Contained());
    PosixProcessRunner r;
    ::test::WriteFile(box.root / "mark.sh", "#!/bin/sh\necho \"$1\" > \"$2\"\n");
    fs::permissions(box.root / "mark.sh", fs::perms::owner_all);
    fs::path out = box.root / "out.txt";
    EXPECT_TRUE(
        r.RunAndWait((box.root / "mark.sh").string(), {"ran", out.string()}, box.root.string()));
    EXPECT_EQ("ran\n", ::test::ReadFile(out));
    EXPECT_FALSE(r.RunAndWait((box.root / "absent").string(), {}, {}));
    EXPECT_FALSE(r.StartDetached((box.root / "absent").string(), {}, {}));
    EXPECT_TRUE(RunTool({"true"}));
    EXPECT_FALSE(RunTool({"false"}));
    EXPECT_FALSE(RunTool({"haldimon-no-such-tool"}));
}

}  // namespace
}  // namespace installer::test
