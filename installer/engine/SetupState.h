// The installer's one run-wide record: the setup file's values, paths, names, the component
// table and the flags the pages and runs share.
#pragma once

#include <string>
#include <vector>

namespace installer {

// One component of the setup file (section INSTALLn).
struct ComponentRecord {
    int Number = 0;    // n of the section INSTALLn
    std::string Name;  // COMP
    int Selected = 0;  // STS bit value 2; changed by the component page
    int Standard = 0;  // STS bit value 1
};

// One module of a bulk installation (a setup file below the installer's folder).
struct ModuleRecord {
    std::string ProductName;    // APPINFO PRODUCT_NAME, at most 127 bytes
    std::string SetupFilePath;  // full path of the module's setup file
    std::string SetupTitle;     // APPINFO SETUP_TITLE, at most 63 bytes
    int IsMainProgram = 0;
    int IsProductModule = 0;
    int ModuleKind = 0;  // rank 1-7 of a product module's word, -1 unknown, 0 other modules
    int FoundOrder = 0;
    int Selected = 0;
    int NewChecked = 0;
    int UpdateChecked = 0;
    int Installed = 0;
    int Succeeded = 0;
};

// Texts are UTF-8 (a CP932 setup file is converted on reading). Paths use '/'; folders end
// with '/'.
struct SetupState {
    int Mode = 0;  // 0 single installation, 1 bulk, 2 uninstall launcher, 3 uninstallation

    std::string InstallerPath;     // the installer (bulk: the current module's folder)
    std::string RunningInstaller;  // the program that runs, whatever InstallerPath says
    std::string InstallerName;
    std::string SetupFileName;
    std::string SourceFolder;
    std::string SetupFilePath;
    std::string UninstallPath;

    std::string ProgramFolderName;
    std::string StartMenuFolderName;
    std::string AppBasePath;
    std::string CompanyName;
    std::string ProductName;
    std::string ProductVersion;
    std::string ProductKey;
    std::string MainProgram;
    std::string MenuCategories;  // APPINFO MENU_CATEGORIES: the menu sections of the entries
    std::string TargetExistFile;
    std::string UninstallName;
    std::string Arg6;
    std::string SetupTitle;
    std::string InfoViewFile;
    std::string LicenseViewFile;
    int SelectFolder = 0;
    int InstallModeSkip = 0;

    int ComponentCount = 0;
    std::vector<ComponentRecord> ComponentTable;

    std::string TargetDir;
    int CustomInstall = 0;
    std::string CommonProgramsFolder;
    int ShortcutListIndex = -1;

    int Installing = 0;
    int Finished = 0;
    int Failed = 0;

    std::vector<ModuleRecord> Modules;
    int UpdateInstall = 0;

    // Files to remove when the installer ends (the running uninstaller copy and its folder).
    std::vector<std::string> DeleteAtExit;
};

}  // namespace installer
