// Temporary files named after their owner process: the folder of the user's own, the names, and
// the sweep that removes the files of ended owners and nothing else.
#include "platform/OwnedTempFiles.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "EnvVar.h"
#include "TempDir.h"

namespace fs = std::filesystem;

namespace {

// A child process that waits until it is ended; its start time is read while it runs.
class Child {
public:
    Child() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::close(fds[1]);
            char c;
            while (::read(fds[0], &c, 1) < 0) {
            }
            ::_exit(0);
        }
        ::close(fds[0]);
        release_ = fds[1];
        start = platform::ProcessStartTime(pid).value_or(0);
    }
    // Kills the child without reaping it: it stays in the process table as a zombie.
    void Kill() {
        if (pid > 0) ::kill(pid, SIGKILL);
        siginfo_t info{};
        if (pid > 0) ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT);
    }
    // Ends the child and waits for it: its id no longer names a running process.
    void End() {
        if (release_ >= 0) ::close(release_);
        release_ = -1;
        if (pid > 0) ::waitpid(pid, nullptr, 0);
    }
    ~Child() { End(); }
    pid_t pid = -1;
    unsigned long long start = 0;

private:
    int release_ = -1;
};

std::string Name(long pid, unsigned long long start, const char* tail = "aB3xY9") {
    return "Morv" + std::to_string(pid) + "-" + std::to_string(start) + "-" + tail;
}

class OwnedTempFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    test::EnvVar tmp{"TMPDIR", dir.path().string()};
};

TEST_F(OwnedTempFiles, AFileCarriesItsOwnerInAFolderOfTheUsersOwn) {
    const std::optional<fs::path> file = platform::CreateOwnedTempFile("Morv");
    ASSERT_TRUE(file);
    const fs::path folder = dir.path() / ("morvalen-" + std::to_string(::geteuid()));
    EXPECT_EQ(file->parent_path(), folder);
    const std::string name = file->filename().string();
    const std::string owner = Name(::getpid(), *platform::ProcessStartTime(::getpid()), "");
    EXPECT_EQ(name.substr(0, owner.size()), owner);
    EXPECT_EQ(name.size(), owner.size() + 6);
    struct stat st;
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(file->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(st.st_size, 0);
    // Two files of one process never share a name.
    EXPECT_NE(platform::CreateOwnedTempFile("Morv"), file);
}

TEST_F(OwnedTempFiles, TheSweepRemovesOnlyFilesOfEndedOwners) {
    const fs::path folder = platform::OwnedTempFolder();
    ASSERT_FALSE(folder.empty());
    Child running;
    Child ended;
    ASSERT_GT(running.start, 0u);
    ASSERT_GT(ended.start, 0u);
    ended.End();
    const unsigned long long self = *platform::ProcessStartTime(::getpid());
    struct Case {
        std::string name;
        bool removed;
    } const cases[] = {
        {Name(ended.pid, ended.start), true},
        // The id of this process, but another start: an earlier owner of the id.
        {Name(::getpid(), self + 1), true},
        {Name(::getpid(), self), false},
        {Name(running.pid, running.start), false},
        // Names of another form, and other prefixes, are not ours to judge.
        {Name(ended.pid, ended.start, "short"), false},
        {"Morv" + std::to_string(ended.pid) + "-x-aB3xY9", false},
        {"MorvaB3xY9", false},
        {"Other" + std::to_string(ended.pid) + "-1-aB3xY9", false},
    };
    for (const Case& c : cases) std::ofstream(folder / c.name) << "[NcRead]\r\n";
    EXPECT_EQ(platform::RemoveStaleOwnedTempFiles("Morv"), 2);
    for (const Case& c : cases) EXPECT_EQ(fs::exists(folder / c.name), !c.removed) << c.name;
}

TEST_F(OwnedTempFiles, AFolderOpenToOthersIsNotUsed) {
    const fs::path folder = dir.path() / ("morvalen-" + std::to_string(::geteuid()));
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    std::ofstream(folder / Name(999999999, 1)) << "x";
    EXPECT_TRUE(platform::OwnedTempFolder().empty());
    EXPECT_FALSE(platform::CreateOwnedTempFile("Morv"));
    EXPECT_EQ(platform::RemoveStaleOwnedTempFiles("Morv"), 0);
    EXPECT_TRUE(fs::exists(folder / Name(999999999, 1)));
}

TEST_F(OwnedTempFiles, StartTimesOfRunningProcessesOnly) {
    EXPECT_TRUE(platform::ProcessStartTime(::getpid()));
    Child child;
    EXPECT_TRUE(platform::ProcessStartTime(child.pid));
    child.End();
    EXPECT_FALSE(platform::ProcessStartTime(child.pid));
    // A program killed while its parent does not reap it has ended too.
    Child zombie;
    zombie.Kill();
    EXPECT_FALSE(platform::ProcessStartTime(zombie.pid));
    EXPECT_FALSE(platform::ProcessStartTime(0));
    EXPECT_FALSE(platform::ProcessStartTime(-1));
}

}  // namespace
