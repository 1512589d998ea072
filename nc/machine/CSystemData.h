// CSystemData: the system settings ("MV_System.ini"), owner of the machine settings, the
// condition table and the working copy of the machine file.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CToolData.h"

struct NcAppContext;

// One instance belongs to the application for the whole run. The constructor creates the
// working copy (an empty temporary file of its own) and the destructor deletes it.
class CSystemData {
public:
    // ctx must outlive the object; its IniPath names the system settings file.
    explicit CSystemData(const NcAppContext* ctx);
    ~CSystemData();
    CSystemData(const CSystemData&) = delete;
    CSystemData& operator=(const CSystemData&) = delete;

    // LoadSystemKeys, then LoadConfiguredMachine. Always 1.
    int Load();
    // Reads [System] and writes ForbidPunchApp, ForbidSheetRead and AppMachineType back; the
    // machine in use stays. Always 1.
    int LoadSystemKeys();
    // The machine file [NcRead] FileName names (default "MV_Machine.nmd"), "<LOCAL_APP_NAME>"
    // expanded; a relative name is in the configuration folder.
    std::string ConfiguredMachineName() const;
    // The same as a full, lexically normal path, so that two spellings of a file compare equal.
    std::filesystem::path ConfiguredMachinePath() const;
    // Makes that machine file the one in use (NcReadInfo.FileName), loads it over the working
    // copy, and loads the condition table. Always 1.
    int LoadConfiguredMachine();
    // Writes every [System] key, [Version] and [NcRead] FileName (with the local
    // application-data folder as "<LOCAL_APP_NAME>"), then the named machine file.
    // 1 done, 0 when a file could not be written.
    int Save();

    // False when no working copy could be created: the machine settings can then be loaded
    // but not edited through a working copy (LoadMachineFile(1) gives 0).
    bool HasWorkingCopy() const { return !WorkingCopyPath.empty(); }

    std::array<std::string, 2> AppName;       // [System] AppName000, AppName001
    std::array<std::string, 2> AppParameter;  // [System] AppParameter000, AppParameter001
    int ForbidDuplicateApp = 0;               // non-zero: a single running instance
    int DeleteBlankForSave = 0;               // non-zero: blank lines are not saved
    int CreateBackupFile = 1;  // non-zero: backup before saving; default 0 with ForbidSheetRead
    int ForbidPunchApp = 0;    // non-zero: no punch page in the machine settings
    int ForbidSheetRead = 0;
    CNcReadInfo NcReadInfo;  // current machine settings; FileName from [NcRead] FileName
    CToolData ToolData;      // cutting-condition table
    std::filesystem::path WorkingCopyPath;  // empty when none could be created
    // Kept in 16 bits as the file format has it: 70000 reads (and is written back) as 4464.
    int16_t AppMachineType = 0;  // 1: NC lines are numbered from the keyword "ORIGINSFT"

private:
    const NcAppContext* ctx_ = nullptr;
};
