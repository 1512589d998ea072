// CSetSystemPage4: the system sheet's "Option" page: trace weights and options, general
// options, the machine file, the die-shape folder, the sheet program and the table of
// extensions and machine files.
#pragma once

#include <string>
#include <vector>

#include "settings/CSystemPage.h"

class QTreeWidget;

class CSetSystemPage4 : public CSystemPage {
    Q_OBJECT
public:
    explicit CSetSystemPage4(SettingsContext& ctx, QWidget* parent = nullptr);

    void OnOK(ProfileEdit& file) override;

    // The extension table, row for row with list 1210 (CP932 bytes, as the settings file holds
    // them). An empty extension is held as one blank: an empty Ext ends the table in the file.
    std::vector<std::string> Extensions;
    std::vector<std::string> MachineFiles;
    int WeightTimeHigh = 0;
    int WeightTimeNormal = 5;
    int WeightTimeLow = 40;
    std::string MachineFile;      // display form: relative inside the configuration folder
    std::string PunchToolFolder;  // display form
    std::string SheetProgram;
    std::string SheetExtension;
    int ForbidDuplicateApp = 0;
    int ManyEveryPart = 0;
    int TraceOnlyStartEndStop = 0;
    int DeleteBlankForSave = 0;
    int CreateBackupFile = 1;

    QTreeWidget* List() const { return list_; }
    int SelectedRow() const;
    void OnAddExtMachine();
    void OnEditExtMachine();
    void OnDeleteExtMachine();
    void OnBrowseShapeFolder();
    void OnBrowseSheetProgram();

    int ReadExtMachine();
    void WriteExtMachine(ProfileEdit& file);

private:
    // The stored form of a display path: absolute, then with "<LOCAL_APP_NAME>".
    std::string StoredPath(const std::string& shown) const;
    std::string Relative(std::string path) const;
    void ShowRow(int row);
    QTreeWidget* list_ = nullptr;
};
