// The frame's settings commands (32821, 32822, 32823, 32880 and Convert NC 32884): their
// refusals, the dialog, and what is reloaded after its OK, over an interface for the effects.
#pragma once

#include <string>

// The external applications' state of the frame that the tool bars show; the bars are set up
// again when it changed while the system sheet was open.
struct ToolBarTitleState {
    std::string title1;
    std::string title2;
    int app1Configured = 0;
    int app2Configured = 0;
    bool operator==(const ToolBarTitleState&) const = default;
};

// What a settings command does to the program. The frame implements it; tests record calls.
class SettingsCommandHost {
public:
    virtual ~SettingsCommandHost() = default;

    // Runs the command's dialog modally; showHelp gives the sheets their Help button. True
    // when it ended with OK.
    virtual bool RunDialog(int command, bool showHelp) = 0;
    virtual ToolBarTitleState ToolBarTitles() const = 0;

    // The machine file the system settings name ([NcRead] FileName) as a full path, the same
    // for every spelling of one file; empty when it names none.
    virtual std::string ConfiguredMachineFile() const = 0;

    // The reloads, each as the data object or the pane names it.
    virtual void LoadMachineFile() = 0;  // the machine settings' working copy
    // The system settings; the machine in use (which an NC program's header may have chosen)
    // stays.
    virtual void LoadSystemData() = 0;
    // The machine file the system settings name, with its condition table and die files.
    virtual void LoadConfiguredMachine() = 0;
    virtual void LoadToolData() = 0;  // the cutting-condition table
    virtual void RefreshToolBars() = 0;
    virtual void ReloadEditor() = 0;  // the editor's look; its text stays
    virtual void RebuildElements() = 0;
    virtual void RefreshAllViews() = 0;  // every view of the document updated
};

// The frame's state the commands read.
struct SettingsCommandState {
    int editMode = 0;
    int processMode = 0;
    int helpFlag = 1;  // the "Help" entry of the help display group
};

// Runs a settings command. Convert NC is refused in process mode 11 and in edit mode. After
// OK: 32822 the machine file, then the editor's reload in edit mode, else the rebuild and the
// views; 32821 the system settings, the bars when their titles changed, then the editor's
// reload or the views (no rebuild); 32823 the condition table, then, unless in edit mode, the
// rebuild and the views; 32880 and 32884 nothing. False when command is none of these.
bool RunSettingsCommand(int command, const SettingsCommandState& state, SettingsCommandHost& host);
