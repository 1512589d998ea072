// CSetMachinePage5: the machine sheet's "Punch Tool" page: the possessed-die and arrangement
// files of the punch tool, and the buttons that run the die dialogs on them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "nc/machine/CPunchTool.h"
#include "settings/CMachinePage.h"

// Unlike the other pages it changes application data while the sheet runs: the tool takes the
// page's file names and reloads its die files at every read and write and before each die
// dialog. The read keeps a snapshot of the tool, which Cancel puts back (the files the die
// dialogs wrote stay written).
class CSetMachinePage5 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage5(SettingsContext& ctx, QWidget* parent = nullptr);

    // [Punch] names of the target file into the tool, and the files they reach into the edits
    // (relative to the configuration folder where the files lie in it), both die files
    // reloaded, snapshot renewed. 1, or 0 when the snapshot could not be taken (message shown).
    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    // The edits' names into the tool and into [Punch] of the target file (a name that still
    // reaches the file it reached is written as it was read); both die files reloaded.
    int WriteMachineFile(int updateData, int useWorkingCopy) override;
    // The loaded names and the snapshot's die data back into the tool.
    void OnCancel() override;

    // Buttons 1049 and 1050: choose a file; the edit shows it, nothing is loaded yet.
    void OnBrowsePossessedFile();
    void OnBrowseArrangementFile();
    // Button 1047: the possessed-die dialog, with the shape-file folder and filter indexes of
    // the system settings (the indexes are written back).
    void OnEditPossessedDies();
    // Button 1048: the arrangement dialog; edit 1046 then shows the tool's arrangement file.
    void OnEditArrangement();

    std::string PossessedFile;    // edit 1045, native
    std::string ArrangementFile;  // edit 1046, native
    std::string LoadedPossessed;  // the tool's names as the last read found them
    std::string LoadedArrangement;

private:
    // What an edit shows for a configured name.
    std::string DisplayName(const std::string& name) const;
    // The edits into the tool's names (CPunchTool::StoredName).
    void TakeNames();
    void Browse(std::string& text, unsigned titleId, unsigned filterId, const char* extension);

    std::optional<CPunchTool> snapshot_;
    // The files the loaded names reached when read.
    std::filesystem::path loadedPossessedPath_;
    std::filesystem::path loadedArrangementPath_;
};
