// The modules of a bulk installation: found below the installer's folder, ordered, detected
// as installed or not, and read one by one for their run.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "installer/engine/KeyStore.h"
#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"

namespace installer {

// The CAD product whose modules a bulk installation knows: its main program, the file that
// shows an installation of it, and the words of its seven optional modules in rank order (each
// also the name of the module's folder in the product's folder). The product has no Linux
// counterpart; tests give their own table.
struct BulkProduct {
    std::string MainProgram = "RIMBLETO.EXE";  // MAIN_PROGRAM of the main-program module
    std::string DetectFile = "Rimbleto.exe";   // in the product's folder when it is installed
    std::array<std::string, 7> ModuleWords = {"Nesting", "Unfold", "PunchCam", "LaserCam",
                                              "BendSim", "Report", "Viewer"};
    // The module name whose installation is the suite's own folder in the programs base.
    std::string SuiteName = "Morvalen";
};
const BulkProduct& DefaultBulkProduct();

// The marker a module's setup file carries on its second line.
inline constexpr std::string_view kBulkMarker = "AllSetup Target";

// Searches folder (path with or without '/') for a module: the setup file setupFileName (found
// without letter case) whose second line holds the marker; then every sub-folder whose name
// does not begin with '.', depth first, sorted by name, never through a folder link.
void ScanSetupTree(const std::filesystem::path& folder, const std::string& setupFileName,
                   const BulkProduct& product, std::vector<ModuleRecord>& modules);
// Every folder directly inside the installer's folder, searched with ScanSetupTree.
std::vector<ModuleRecord> FindModules(const std::filesystem::path& installerFolder,
                                      const std::string& setupFileName, const BulkProduct& product);

// True when a comes before b: the main-program module, product modules by the rank of their
// word, product modules of unknown words, all others; each group in the order found.
bool CompareModules(const ModuleRecord& a, const ModuleRecord& b);
void SortModules(std::vector<ModuleRecord>& modules);

// Fills Installed, NewChecked and UpdateChecked of every module from the folder of the first
// module's GETREG_APPBASE_PATH (state.TargetDir is left holding it).
void DetectInstalledModules(std::vector<ModuleRecord>& modules, SetupState& state,
                            const KeyStore& keys, const SetupPlatform& platform,
                            const BulkProduct& product);

// Reads state.SetupFilePath, a module's setup file, into the state: its names and values and
// its component table. False when it cannot be used (no folder, no PROGRAM_FOLDER_NAME, no
// component).
bool ReadModuleSetupFile(SetupState& state);

}  // namespace installer
