// CSetReplaceEditDlg: the name and comment of a conversion table; creates or renames its file.
#pragma once

#include <string>
#include <vector>

#include "settings/CSettingsDialog.h"

class CSetReplaceEditDlg : public CSettingsDialog {
    Q_OBJECT
public:
    // mode 1: a new table; mode 0: the table oldName. listNames: the names the list shows, for
    // the test of a name already taken.
    CSetReplaceEditDlg(SettingsContext& ctx, std::string oldName, std::string comment,
                       std::vector<std::string> listNames, int mode, QWidget* parent = nullptr);

    // After OK: the accepted name (native, without ".CTB") and comment (CP932).
    std::string Name;
    std::string Comment;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void Refuse(unsigned message, const std::string& argument);
    // The folder of the tables followed by name: the path the failure messages show.
    std::string FolderAnd(const std::string& name) const;

    std::string oldName_;
    std::vector<std::string> listNames_;
    int mode_ = 1;
};
