// The installation-folder page and its check.
#pragma once

#include "installer/SetupPage.h"

class QLabel;
class QLineEdit;

namespace installer {

class CInstallFolderDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallFolderDlg(WizardContext& context);
    QLineEdit* FolderEdit() const { return edit_; }
    bool validatePage() override;

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    void OnBrowse();

    QLabel* intro_;
    QLineEdit* edit_;
};

}  // namespace installer
