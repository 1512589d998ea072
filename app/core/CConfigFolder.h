// The configuration folder: where the settings files live, and the move of older settings.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserPrompt.h"

// Values of the per-user registry profile that older versions kept (window and list sizes).
// The program reads them from its native per-user settings; tests give their own.
class ProfileValueSource {
public:
    virtual ~ProfileValueSource() = default;
    virtual std::optional<int> GetInt(const std::string& section, const std::string& key) = 0;
    virtual std::optional<std::string> GetString(const std::string& section,
                                                 const std::string& key) = 0;
};

// What the configuration folder is decided from. Paths are native.
struct ConfigEnvironment {
    std::filesystem::path ProgramFolder;       // folder of the running program
    std::filesystem::path LocalAppDataFolder;  // $XDG_DATA_HOME, default ~/.local/share
    // The installation roots that ToPortablePath replaces by "<LOCAL_APP_NAME>", in the order
    // they are tried; by default the folder that holds the program folder.
    std::vector<std::string> ProgramFilesFolders;
    // The three flags that select the layout. Left empty, they are decided for Linux:
    // settings always live in the per-user folder, the installation's settings are copied in
    // without overwriting, and no older version left settings to move.
    std::optional<bool> UacOn, OldWindows, InProgramFiles;
    ProfileValueSource* Profile = nullptr;  // null: every value takes its default
    platform::UserPrompt* Prompt = nullptr;

    // The environment of this process: the program folder given, the XDG data folder.
    static ConfigEnvironment FromProcess(const std::filesystem::path& programFolder);
};

class CConfigFolder {
public:
    // Kinds of settings files; they decide the target folder (0-3 configuration, 4 TOOL, 5 BAK).
    enum { kListCount = 7 };

    explicit CConfigFolder(ConfigEnvironment env);

    unsigned char UacOn = 0;
    unsigned char OldWindows = 0;
    unsigned char InProgramFiles = 0;
    unsigned char VirtToAppMoved = 0;
    std::filesystem::path ConfigFolder;  // all folders end with a separator
    std::filesystem::path ToolFolder;
    std::filesystem::path BakFolder;
    std::filesystem::path IniPath;
    std::filesystem::path OldFolder;  // empty when there is nothing to move
    std::filesystem::path OldToolFolder;
    std::array<std::vector<std::filesystem::path>, kListCount> OldFileLists;
    std::array<std::vector<std::filesystem::path>, kListCount> ProgramFileLists;

    // Sets the three flags (from the environment when given there). Returns 1.
    int DetectEnvironment();
    // Sets the folders and creates them; 0 when one of them cannot be made.
    int ChooseFolders();
    // Fills the fourteen lists. Returns 1.
    int ListSettingFiles();
    // Appends every file of folder (and of its sub-folders, recursively, without following
    // links) whose name matches mask ("*.ini", "*.*"; case-insensitive) to list.
    static void FindFiles(const std::filesystem::path& folder, const std::string& mask,
                          std::vector<std::filesystem::path>& list);
    // The target of a settings file of the given list kind: the kind's folder + source name.
    int MakeTargetPath(int kind, const std::filesystem::path& source,
                       std::filesystem::path& target) const;
    // True when old settings would replace settings that already exist in the new layout.
    bool HasOldSettings() const;
    // Copies the installation's settings (never overwriting) and moves the old settings in;
    // 1 when nothing was to be done, else 0.
    int MigrateOldSettings();
    // Deletes the old settings files; 1 when nothing was to be done, else 0.
    int DeleteOldSettings();
    // With non-zero writes [System] VirtToAppMoved = 1; with 0 reads it. Returns the flag.
    int MovedFlag(int write);
    // Once: copies the values older versions kept in the registry profile into IniPath.
    int MigrateProfile();
    int CopyProfileValue(bool isString, const std::string& section, const std::string& key,
                         int defaultNumber, const std::string& defaultText);
    // Replaces an installation root in the folder part of a stored path by
    // "<LOCAL_APP_NAME>" (compared ignoring ASCII case, the rest keeps its case); 1 when done.
    int ToPortablePath(std::string& path) const;

private:
    int KindOfList(size_t list) const;
    std::filesystem::path FolderOfKind(int kind) const;
    void RewriteMovedFile(size_t list, const std::filesystem::path& file) const;

    ConfigEnvironment env_;
};

// The start-up's use of the configuration folder: asks string 20105 when old settings collide
// (Yes, No, Cancel), moves or deletes them, copies the profile values. Returns the answer.
platform::PromptAnswer SettleConfigFolder(CConfigFolder& folder, platform::UserPrompt* prompt);
