// The component page of a custom installation.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CheckList;

class CInstallCustomDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallCustomDlg(WizardContext& context);
    CheckList* List() const { return list_; }
    bool validatePage() override;

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    CheckList* list_;
};

}  // namespace installer
