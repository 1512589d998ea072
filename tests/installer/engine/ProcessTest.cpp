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
