// The program-folder page: the menu folder the entries go into.
#pragma once

#include "installer/SetupPage.h"

class QLineEdit;
class QListWidget;

namespace installer {

class CInstallShortCutDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallShortCutDlg(WizardContext& context);
    QLineEdit* NameEdit() const { return edit_; }
    QListWidget* FolderList() const { return list_; }
    bool validatePage() override;

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    QLineEdit* edit_;
    QListWidget* list_;
};

// The applications folder as SetupState::CommonProgramsFolder (with its '/'); the run makes
// it when it does not exist yet.
void InitCommonProgramsFolder(SetupState& state, const SetupPlatform& platform);

}  // namespace installer
