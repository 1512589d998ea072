// What the machine data and the NC reader take from the application, and nothing more.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/UserPrompt.h"

class CPunchTool;

// The application fills one of these; tests fill their own. Paths are native (UTF-8).
struct NcAppContext {
    std::filesystem::path ConfigFolder;   // configuration folder
    std::filesystem::path ProgramFolder;  // folder of the running program
    std::filesystem::path IniPath;        // system settings file, ConfigFolder / "MV_System.ini"
    std::filesystem::path NcFileName;     // NC file loaded in the document; empty for a new one
    int ProcessMode = 0;                  // 0 normal; other values are the shell's special modes
    int ConvTableAskSave = 0;             // set from a conversion table's ConfirmOnReplace
    CPunchTool* PunchTool = nullptr;      // the application's die data, when there is one
    platform::UserPrompt* Prompt = nullptr;  // questions and messages; null answers defaults

    // Expands (expand 1) or collapses (expand 0) the "<LOCAL_APP_NAME>" placeholder of a
    // stored path; 1 when the path changed. The application wires its own implementation;
    // without one, paths stay as they are.
    std::function<int(int expand, std::string& path)> ConvertLocalAppPath;

    // A name that is already absolute stays as it is; anything else is taken relative to the
    // configuration folder.
    std::filesystem::path MakeConfigPath(std::string_view name) const {
        std::filesystem::path p(name);
        return p.is_absolute() ? p : ConfigFolder / p;
    }
    int ExpandLocalAppPath(std::string& path) const {
        return ConvertLocalAppPath ? ConvertLocalAppPath(1, path) : 0;
    }
    int CollapseLocalAppPath(std::string& path) const {
        return ConvertLocalAppPath ? ConvertLocalAppPath(0, path) : 0;
    }
};
