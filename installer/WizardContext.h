// What every page of the wizard works on: the run-wide state, the engine (with its platform,
// its user interface and its process starter) and the file-system probe of the folder check.
#pragma once

#include "installer/engine/FolderCheck.h"
#include "installer/engine/SetupEngine.h"

namespace installer {

struct WizardContext {
    SetupState& State;
    SetupEngine& Engine;
    const FileSystemProbe& Probe;
    // Unattended runs (HALDIMON_UNATTENDED): each page goes on by itself.
    bool Unattended = false;
};

}  // namespace installer
