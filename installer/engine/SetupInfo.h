// Reading the setup file into the state: its values, the component table and the default
// installation folder.
#pragma once

#include <string>
#include <string_view>

#include "installer/engine/InstallerUi.h"
#include "installer/engine/KeyStore.h"
#include "installer/engine/SetupFile.h"
#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"

namespace installer {

// Read sizes of the setup file's keys (bytes with the terminator; a read keeps one less).
namespace readsize {
constexpr size_t kFolderName = 100;
constexpr size_t kShort = 50;
constexpr size_t kPath = 260;
constexpr size_t kTitle = 128;
constexpr size_t kNumber = 64;
constexpr size_t kCommand = 260;
}  // namespace readsize

// Section "INSTALL<n>".
std::string InstallSection(int n);
// Key name of command number n ("%u").
std::string KeyNumberText(unsigned n);

// The number of components: INSTALL1, INSTALL2, ... in a row with a non-empty COMP.
int CountComponents(const SetupFile& file);

// The program-folder names and APPBASE_PATH of a setup file (STMENU_PROGRAM_FOLDER_NAME
// defaults to PROGRAM_FOLDER_NAME).
void ReadFolderNames(SetupState& state, const SetupFile& file);
// ARG6 and the product's names of a setup file.
void ReadProductNames(SetupState& state, const SetupFile& file);

// Reads state.SetupFilePath into the state. 0 after message 102 when the file is missing or
// has no PROGRAM_FOLDER_NAME, APPBASE_PATH or component; else 1.
int ReadSetupFile(SetupState& state, const KeyStore& keys, const SetupPlatform& platform,
                  InstallerUi& ui);
// The component table of the setup file at path (state.ComponentCount records). A component
// without STS is neither standard nor preselected. Returns 1.
int ReadComponents(SetupState& state, const SetupFile& file);
int ReadComponents(SetupState& state, const std::string& path);
// TargetDir from the key-store value GETREG_APPBASE_PATH names (with its trailing '/'), else
// from state.AppBasePath: "/abs" -> "/abs/"; a relative path (also one starting with '\' as
// written on Windows) below platform.RelativeBase; "{PROGRAM_FILES}rest" below
// platform.ProgramsBase; any other '{', or an empty APPBASE_PATH, leaves it empty.
void InitTargetDir(SetupState& state, std::string_view getregText, const KeyStore& keys,
                   const SetupPlatform& platform);

// Appends '/' unless the path ends with one (an empty path stays empty).
std::string AddBackslash(std::string path);

}  // namespace installer
