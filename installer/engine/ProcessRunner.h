// How the installer starts programs: the wizard gives one that keeps its window painting while
// it waits, tests give fakes, and PosixProcessRunner serves code without a window.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace installer {

class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Starts program with args in folder and waits for its end (the exit code is not asked
    // for). False when it could not be started.
    virtual bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                            const std::string& folder) = 0;
    // Opens a file that is not a program with the desktop's default application; not waited
    // for. False when that could not be started.
    virtual bool OpenDocument(const std::string& file) = 0;
    // Starts program with args in folder and lets it run on after the caller ends.
    virtual bool StartDetached(const std::string& program, const std::vector<std::string>& args,
                               const std::string& folder) = 0;
};

// posix_spawn and waitpid; documents open through "xdg-open".
class PosixProcessRunner : public ProcessRunner {
public:
    bool RunAndWait(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder) override;
    bool OpenDocument(const std::string& file) override;
    bool StartDetached(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder) override;
};

// Runs a helper tool found on the PATH ("update-mime-database") and waits for it; false when
// it is not installed or fails.
bool RunTool(const std::vector<std::string>& argv);

// True when a process of the running user has this executable name, without letter case:
// the name of its executable file, or else the first word of its command line; a wanted name
// ending in ".exe" also matches without it. With a folder, only a program file that lies in it
// or below it counts: another user's program, or one started from elsewhere, is none that
// this user can close or that an installation there replaces. An empty name is never
// running. procRoot is the process list (a tree of the same shape in tests).
bool IsProcessRunning(const std::string& name, const std::string& folder = {},
                      const std::filesystem::path& procRoot = "/proc");

}  // namespace installer
