// Running a check as a user who cannot read a file of mode 000, also when the tests run as the
// super-user (who reads every file whatever its mode).
#pragma once

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace test {

// The uid and gid the check drops to when the tests run as the super-user ("nobody").
inline constexpr uid_t kUnprivilegedId = 65534;

// Runs check in a child process, as "nobody" when the tests run as the super-user, and tells
// whether it returned true. The child shares nothing with the test but the files: give the
// folders it must enter to everyone (GiveToEveryone) first.
inline bool RunUnprivileged(const std::function<bool()>& check) {
    const pid_t pid = ::fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedId) != 0 ||
                                 ::setuid(kUnprivilegedId) != 0))
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Opens a folder and the folders above it up to stop (exclusive) to everyone.
inline void GiveToEveryone(std::filesystem::path folder, const std::filesystem::path& stop) {
    namespace fs = std::filesystem;
    for (; !folder.empty() && folder != stop && folder != folder.root_path();
         folder = folder.parent_path())
        fs::permissions(folder, fs::perms::all, fs::perm_options::add);
}

}  // namespace test
