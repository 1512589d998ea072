// SettingsContext: everything the settings dialogs reach of the application.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/UserPrompt.h"

class AppPaths;
class CPunchTool;
class CSystemData;
class CTessmarkDoc;
class Choosers;
struct NcAppContext;

// The frame fills one from the application before it runs a dialog; tests fill one with
// temporary folders, a scripted prompt and scripted choosers. The dialogs are modal, so the frame
// state copied here stays true while they run.
struct SettingsContext {
    const AppPaths* Paths = nullptr;    // configuration folder, IniPath, path conversions
    const NcAppContext* Nc = nullptr;   // what the machine data read with (tables, conditions)
    CSystemData* SystemData = nullptr;  // machine settings, condition table, working copy
    CPunchTool* PunchTool = nullptr;    // the die data
    CTessmarkDoc* Document = nullptr;   // the open program
    int EditMode = 0;                   // non-zero: the NC pane is the editor
    int ProcessMode = 0;
    platform::UserPrompt* Prompt = nullptr;
    Choosers* Choose = nullptr;
    // Every view of the document shows it again (after a conversion changed its lines).
    std::function<void()> UpdateViews;
    // Shows the help of the dialogs; null: the sheets have no Help button.
    std::function<void()> Help;
    // The external-applications page hands the frame, when it is applied, whether each
    // application has a program and the titles of their tool-bar buttons (UTF-8).
    std::function<void(int app1Configured, int app2Configured, const std::string& title1,
                       const std::string& title2)>
        SetExternalApps;

    // The system settings file ("MV_System.ini" of the configuration folder).
    std::filesystem::path IniPath() const;
    // A name made absolute against the configuration folder (an absolute name stays).
    std::string MakeConfigPath(std::string_view name) const;

    // A message box with the text of a string-table id; its answer (Ok without a prompt).
    platform::PromptAnswer Message(
        unsigned id, platform::PromptIcon icon,
        platform::PromptButtons buttons = platform::PromptButtons::Ok) const;
    platform::PromptAnswer MessageText(
        std::string_view text, platform::PromptIcon icon,
        platform::PromptButtons buttons = platform::PromptButtons::Ok) const;
};
