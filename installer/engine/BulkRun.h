// The bulk installation run: the chosen modules one after the other, each read, checked,
// placed in its folder and run as a CommandRun, a failure ending only that module.
#pragma once

#include <functional>
#include <memory>

#include "installer/engine/BulkModules.h"
#include "installer/engine/CommandRun.h"
#include "installer/engine/FolderCheck.h"

namespace installer {

class BulkRun {
public:
    enum class Start { Started, AllDone, RunEnded };

    // state.Modules is the list in its order; state.UpdateInstall the kind of installation.
    BulkRun(SetupEngine& engine, const FileSystemProbe& probe);

    // The folder dialog of a module: true (OK) with state.TargetDir the folder, false (Cancel).
    std::function<bool()> AskFolder;

    // Starts the next chosen module that can run (its folder settled, its macro values taken,
    // its run prepared); AllDone when none is left, RunEnded after 171 or 117.
    Start StartNextModule();
    // One step of the current module's run; after Finished or Failed the next module starts
    // with StartNextModule. Finished sets the module's Succeeded.
    CommandRun::Status Step();

    int ModuleIndex = 0;
    int ModuleCount = 0;
    int ChosenCount = 0;    // the modules bar's range
    int ModulesPassed = 0;  // the modules bar's position
    int SkipProductModules = 0;
    int FolderSpecify = 0;
    int CountAllComponents = 0;
    ModuleRecord* CurrentModule = nullptr;
    const CommandRun* Run() const { return run_.get(); }

private:
    bool TakesPart(const ComponentRecord& c) const;
    void BeforeCommand(const ComponentRecord& c);
    // The drive check of TARGETDIR; false after its message (the module is passed over).
    bool FolderUsable();

    SetupEngine& engine_;
    SetupState& state_;
    const FileSystemProbe& probe_;
    std::unique_ptr<CommandRun> run_;
};

}  // namespace installer
