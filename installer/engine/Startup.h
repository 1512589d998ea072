// The installer's start: its command line, its own names and folders, and the relaunch of
// the uninstall launcher from a private temporary folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installer/engine/ProcessRunner.h"
#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"

namespace installer {

struct StartArguments {
    int Mode = 0;               // 0 single installation, 1 bulk, 2 launcher, 3 uninstallation
    std::string UninstallPath;  // mode 3: the installed installer whose installation goes
};

// The arguments joined by single blanks, as the Windows command line read them.
std::string JoinArguments(const std::vector<std::string>& args);
// A leading '/' is skipped; 'B'/'b' bulk, 'D'/'d' launcher, 'X'/'x' uninstallation with the
// path after "x " (either letter case takes it); anything else a single installation.
StartArguments ParseStartArguments(std::string_view commandLine);

// What a command line asks of the program before any window: to run, to show its usage
// (--help, -h, -?, /?), or nothing it knows (a switch other than /b, /d or /x, or words after
// /b or /d). Qt's own options (-platform NAME and the like) are passed over.
enum class CommandLineUse { Run, Help, Wrong };
CommandLineUse CheckCommandLine(const std::vector<std::string>& args);
// The usage text for a program of this name, in the interface language.
std::string UsageText(std::string_view programName);

// Fills the installer's path and names, the source folder and the setup file's path (mode 3:
// from state.UninstallPath, whose folder also becomes TargetDir). The setup file is looked up
// without letter case. False when the path has no folder.
bool InitInstallerPaths(SetupState& state, const std::string& installerPath);

// The launcher's step: copies the installer into a new private folder of the temporary
// folder, checks the copy, and starts it detached with "/x" and the installer's path. False
// (and nothing left behind) when any step fails. folderOut receives the private folder.
bool RelaunchForUninstall(const SetupState& state, const SetupPlatform& platform,
                          ProcessRunner& runner, std::string* folderOut = nullptr);

class SetupEngine;

// The start before the wizard: the installer's names and folders, the setup file (not in bulk
// mode), and in mode 2 the relaunch of the copy. True when the wizard is to open; false when
// the program ends (after message 102 or 151, or after the relaunch).
bool PrepareWizard(SetupEngine& engine, const std::string& installerPath);
// The wizard's first title by mode (strings 129, 149, 150).
std::string WizardTitle(const SetupState& state);

// Deletes what state.DeleteAtExit lists: files first, then the folders that are then empty.
void RunExitDeletions(SetupState& state);

}  // namespace installer
