// The settings commands: refusals, the dialog and the reloads after its OK.
#include "app/core/SettingsCommands.h"

#include "app/core/CommandIds.h"

bool RunSettingsCommand(int command, const SettingsCommandState& state, SettingsCommandHost& host) {
    const bool showHelp = state.helpFlag != 0;
    const bool edit = state.editMode != 0;
    switch (command) {
        case cmd::PropertyMachine:
            if (!host.RunDialog(command, showHelp)) return true;
            host.LoadMachineFile();
            if (edit) {
                host.ReloadEditor();
            } else {
                host.RebuildElements();
                host.RefreshAllViews();
            }
            return true;
        case cmd::Property: {
            const ToolBarTitleState before = host.ToolBarTitles();
            const std::string machineBefore = host.ConfiguredMachineFile();
            if (!host.RunDialog(command, showHelp)) return true;
            host.LoadSystemData();
            // The sheet writes its machine file field back at every OK. Loading it unchanged
            // would drop the machine an open program's header chose, while the drawing still
            // shows that machine's work; only a new choice replaces the machine in use.
            const bool newMachine = host.ConfiguredMachineFile() != machineBefore;
            if (newMachine) host.LoadConfiguredMachine();
            // Also when an application was set or cleared: its button comes or goes at once.
            if (!(host.ToolBarTitles() == before)) host.RefreshToolBars();
            if (edit) host.ReloadEditor();
            // The drawing beside the editor too: it is the committed text's, drawn again with
            // the new machine (the editor keeps its text).
            if (newMachine) host.RebuildElements();
            if (!edit || newMachine) host.RefreshAllViews();
            return true;
        }
        case cmd::PropertyCondition:
            if (!host.RunDialog(command, showHelp)) return true;
            host.LoadToolData();
            if (!edit) {
                host.RebuildElements();
                host.RefreshAllViews();
            }
            return true;
        case cmd::PropertyConversion:
            // Every change is written by the dialog that makes it; nothing is reloaded.
            host.RunDialog(command, showHelp);
            return true;
        case cmd::ConvertNc:
            // Not while the process mode forbids editing, nor on the text being edited.
            if (state.processMode == 11 || edit) return true;
            host.RunDialog(command, showHelp);
            return true;
        default:
            return false;
    }
}
