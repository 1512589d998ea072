// Starting programs without a window, and the process list of /proc.
#include "installer/engine/ProcessRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "installer/engine/SetupPlatform.h"
#include "platform/Cp932.h"

extern char** environ;

namespace installer {

namespace fs = std::filesystem;

namespace {

std::vector<char*> Argv(std::vector<std::string>& words) {
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    return argv;
}

// Spawns and waits; quiet sends the child's output to /dev/null.
bool SpawnAndWait(std::vector<std::string> words, const std::string& folder, bool search,
                  bool quiet) {
    if (words.empty()) return false;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&fa, folder.c_str());
    if (quiet) {
        posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char*> argv = Argv(words);
    pid_t pid = -1;
    int rc = search ? posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ)
                    : posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (rc != 0) return false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    // glibc's posix_spawn reports a failed exec itself; the exit code of a program started by
    // a setup command is not asked for, that of a helper tool is.
    return !quiet || (WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Forks twice so that the program is adopted by init and never waited for; a failed exec is
// reported back through a pipe that closes on a successful one.
bool SpawnDetached(std::vector<std::string> words, const std::string& folder, bool search) {
    if (words.empty()) return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    std::vector<char*> argv = Argv(words);
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        ::close(fds[0]);
        ::setsid();
        pid_t grand = ::fork();
        if (grand != 0) ::_exit(grand < 0 ? 1 : 0);
        // It outlives the caller: never into the caller's output, which may be a closed pipe.
        int null = ::open("/dev/null", O_RDWR);
        if (null >= 0) {
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(null, 2);
            if (null > 2) ::close(null);
        }
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            int e = errno;
            (void)!::write(fds[1], &e, sizeof e);
            ::_exit(127);
        }
        if (search)
            ::execvp(argv[0], argv.data());
        else
            ::execv(argv[0], argv.data());
        int e = errno;
        (void)!::write(fds[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    while ((n = ::read(fds[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    ::close(fds[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The real user id of a process ("Uid:" of its status), as text; empty when unreadable.
std::string RealUserOf(const fs::path& process) {
    std::ifstream in(process / "status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, 4, "Uid:") != 0) continue;
        size_t from = line.find_first_of("0123456789", 4);
        if (from == std::string::npos) return {};
        return line.substr(from, line.find_first_not_of("0123456789", from) - from);
    }
    return {};
}

bool NameMatches(std::string have, const std::string& want, const std::string& wantNoExe) {
    if (have.empty()) return false;
    have = Lower(have);
    return have == want || (!wantNoExe.empty() && have == wantNoExe);
}

}  // namespace

bool PosixProcessRunner::RunAndWait(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::string& folder) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    return SpawnAndWait(std::move(words), folder, false, false);
}

bool PosixProcessRunner::OpenDocument(const std::string& file) {
    return SpawnDetached({"xdg-open", file}, {}, true);
}

bool PosixProcessRunner::StartDetached(const std::string& program,
                                       const std::vector<std::string>& args,
                                       const std::string& folder) {
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    return SpawnDetached(std::move(words), folder, false);
}

bool RunTool(const std::vector<std::string>& argv) {
    return SpawnAndWait(argv, {}, true, true);
}

bool IsProcessRunning(const std::string& name, const std::string& folder,
                      const fs::path& procRoot) {
    if (name.empty()) return false;
    std::string want = Lower(name);
    std::string wantNoExe;
    if (want.size() > 4 && want.compare(want.size() - 4, 4, ".exe") == 0)
        wantNoExe = want.substr(0, want.size() - 4);
    // The folder as the process list names programs: with its links resolved.
    fs::path base;
    if (!folder.empty()) {
        std::error_code cec;
        base = fs::weakly_canonical(NormalFolder(folder), cec);
        if (cec) base = NormalFolder(folder);
    }
    const std::string me = std::to_string(::getuid());
    std::error_code ec;
    for (fs::directory_iterator it(procRoot, ec), end; !ec && it != end; it.increment(ec)) {
        std::string pid = it->path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        if (RealUserOf(it->path()) != me) continue;
        fs::path program;
        std::error_code lec;
        fs::path exe = fs::read_symlink(it->path() / "exe", lec);
        if (!lec) {
            std::string text = exe.string();
            const std::string deleted = " (deleted)";
            if (text.size() > deleted.size() &&
                text.compare(text.size() - deleted.size(), deleted.size(), deleted) == 0)
                text.resize(text.size() - deleted.size());
            program = text;
            if (NameMatches(program.filename().string(), want, wantNoExe) &&
                (base.empty() || IsSameOrBelow(program.parent_path(), base)))
                return true;
        }
        std::ifstream in(it->path() / "cmdline", std::ios::binary);
        std::string first;
        std::getline(in, first, '\0');
        if (first.empty()) continue;
        fs::path word = first.substr(0, first.find(' '));
        if (!NameMatches(word.filename().string(), want, wantNoExe)) continue;
        // In a folder: only a command line that names the program by its whole path, and only
        // when the program file itself could not be read.
        if (base.empty() ||
            (program.empty() && word.is_absolute() && IsSameOrBelow(word.parent_path(), base)))
            return true;
    }
    return false;
}

}  // namespace installer
