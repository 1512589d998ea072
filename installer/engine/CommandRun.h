// A run of the setup file's commands, one command per Step(), so that the page that pumps it
// keeps painting: the installation (components, TERMEXEC, registration) and the
// uninstallation (the undo of C: and R: lines, then the clean-up).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "installer/engine/SetupEngine.h"
#include "installer/engine/SetupFile.h"

namespace installer {

class CommandRun {
public:
    enum class Kind { Install, Uninstall };
    enum class Status { Continue, Finished, Failed };

    // Reads the setup file state.SetupFilePath; the engine's macro values and current folder
    // must be set already. Counts the commands now.
    CommandRun(SetupEngine& engine, Kind kind);

    // Which components take part in an installation: by default Selected in a custom
    // installation, Standard in a standard one.
    std::function<bool(const ComponentRecord&)> TakesPart;
    // Called before a component's command runs (the bulk run sets the installation type).
    std::function<void(const ComponentRecord&)> BeforeCommand;

    // Installation: the commands of the components that take part; uninstallation: of every
    // component the setup file counts. Each up to its first empty key.
    int CountCommands() const;
    // One step: the preparation, one command, or the last command with the finishing steps.
    Status Step();

    int TotalCommands = 0;
    int RunStep = 0;
    int RangeMax = 0;  // the progress bar: 0 .. RangeMax
    int Position = 0;
    std::string Shown;    // the command being run, without its prefix
    int CommandsRun = 0;  // component commands run (or undone)
    bool Done() const { return done_; }

private:
    bool TakesPartNow(const ComponentRecord& c) const;
    // The next component command (advancing the cursors); false when none is left.
    bool NextCommand(std::string& command, const ComponentRecord** component);
    Status Advance();
    Status Finish();
    Status FinishInstall();
    Status FinishUninstall();
    int CountKeys(int section) const;

    SetupEngine& engine_;
    Kind kind_;
    SetupFile file_;
    std::vector<ComponentRecord> components_;
    size_t componentCursor_ = 0;
    unsigned keyCursor_ = 1;
    bool done_ = false;
};

}  // namespace installer
