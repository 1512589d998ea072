// The setup engine: the commands of the setup file (MD:, C:, R:, E:, D:, I:), their undo, the
// clean-up steps and the uninstall registration.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "installer/engine/InstallRecord.h"
#include "installer/engine/InstallerUi.h"
#include "installer/engine/KeyStore.h"
#include "installer/engine/Macros.h"
#include "installer/engine/ProcessRunner.h"
#include "installer/engine/SetupPlatform.h"
#include "installer/engine/SetupState.h"

namespace installer {

// Kinds of ParseCommand.
enum CommandKind : int {
    kMakeDir = 0,
    kCopy = 1,
    kRegistry = 2,
    kExecute = 3,
    kDelete = 4,
    kShortcut = 5,
    kUnknownCommand = -1
};

// Where the uninstall registration lives in the key store.
inline constexpr std::string_view kUninstallRoot = "HKEY_LOCAL_MACHINE";
inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Relative paths of commands are taken from CurrentFolder (the "Setup/" folder beside the
// installer while installing, the installation folder while uninstalling); the engine never
// changes the process's folder. Messages go through the injected InstallerUi, programs start
// through the injected ProcessRunner.
class SetupEngine {
public:
    SetupEngine(SetupState& state, const SetupPlatform& platform, InstallerUi& ui,
                ProcessRunner& runner);

    SetupState& State;
    const SetupPlatform& Platform;
    KeyStore Keys;
    MacroValues Macros;
    std::filesystem::path CurrentFolder;
    InstallRecord Record;

    // Takes the macro values from the state now, and points the install record at the
    // TARGETDIR they hold.
    void InitMacroValues();
    bool ExpandMacros(std::string& text) const { return installer::ExpandMacros(Macros, text); }
    void ExpandBraceMacros(std::string& text) const { installer::ExpandBraceMacros(Macros, text); }

    // The kind of a command; the prefix is removed from text (unchanged for -1).
    static int ParseCommand(std::string& text);
    // Runs one command of a kind with its text after the prefix: 0 or 1 for success, -1 for
    // a failed C: or E:.
    int RunCommand(int kind, const std::string& args);

    // Each returns 1 whatever happened (failures are shown, not reported).
    int MakeDirCommand(const std::string& args);
    int RegistryCommand(const std::string& args);
    int DeleteCommand(const std::string& args);
    int CreateShortcut(const std::string& args);
    // 0 for success (also for a malformed line), -1 when a copy fails.
    int CopyCommand(const std::string& args);
    // 0 for success (also for a malformed line), -1 after message 157 or 158.
    int ExecuteCommand(const std::string& args);

    int CopyFiles(const std::string& source, int standardMode, int unused, int customMode);
    int CopyFolderTree(const std::string& pattern, int mode);
    int DeleteFiles(const std::string& path, int option);
    int UndoCopyCommand(const std::string& args);
    int UndoRegistryCommand(const std::string& args);

    // Creates every missing folder up to the last '/' of path; 0 at the first that cannot be
    // made (message 160 or 161 shown).
    int CreateFolderPath(const std::string& path);
    // path ends with '/'; 1 when the folder exists afterwards, else 0 with its message.
    int CreateOneFolder(const std::string& path);
    // 1, or -1 when the copy fails.
    int CopyFileClearReadOnly(const std::string& source, const std::string& target);

    // Removes the program folder's entries the installation made, and the folder when it
    // made it and it is empty. An empty name does nothing.
    void RemoveProgramFolder(const std::string& name);
    // Removes the empty folders the installation created, bottom-up, stopping at the first
    // sub-folder that stays; 1 when folder itself went.
    int RemoveEmptyFolders(const std::string& folder);
    // Removes the folders the installation made outside its own folder (the folders above it,
    // the menu and key-store folders) that are empty now, deepest first; a folder that held
    // anything else, or that was there before, stays.
    void RemoveCreatedFolders();
    // Linux removes a running program's file at once: the path goes when the installer ends.
    void ScheduleDeleteOnReboot(const std::string& path);
    void DeleteRegistryTree(std::string_view root, std::string_view subkey);
    void RegisterUninstall();
    void UnregisterUninstall();
    // Free bytes where TargetDir lies; 0 when it cannot be told.
    std::uint64_t GetTargetFreeBytes() const;

    InstallerUi& Ui() const { return ui_; }
    ProcessRunner& Runner() const { return runner_; }

    // The path of a command made absolute against CurrentFolder.
    std::filesystem::path Resolve(const std::string& path) const;
    // The applications folder the program folder lies in.
    std::filesystem::path CommonPrograms() const;

private:
    struct RegistryFields {
        std::string Root, Subkey, Name, Data;
    };
    // The three quoted fields of an R: line and its data; false for a malformed line.
    static bool ParseRegistry(const std::string& args, RegistryFields& out, bool wantData);
    int CopyEntries(const std::string& dir, const std::string& name, int mode, bool enumerate);
    int CopyOne(const std::string& source, const std::string& target, int mode);
    void UndoCopyFiles(const std::string& source);
    bool RemoveIfRecordedFolder(const std::filesystem::path& folder);
    // Makes the key store's folder before its first value, so that the record lists the
    // folders made for it.
    void MakeKeyStoreFolder();
    void AfterClassesChange(std::string_view root);

    InstallerUi& ui_;
    ProcessRunner& runner_;
};

}  // namespace installer
