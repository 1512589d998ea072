// What every page of the wizard works on: the run-wide state, the engine (with its platform,
// its user interface and its process starter) and the file-system probe of the folder check.
#pragma once

#include "installer/engine/BulkModules.h"
#include "installer/engine/FolderCheck.h"
#include "installer/engine/SetupEngine.h"

namespace installer {

struct WizardContext {
    SetupState& State;
    SetupEngine& Engine;
    const FileSystemProbe& Probe;
    // Unattended runs (HALDIMON_UNATTENDED): each page goes on by itself.
    bool Unattended = false;
    // The product whose modules a bulk installation knows.
    const BulkProduct* Product = &DefaultBulkProduct();
};

}  // namespace installer
