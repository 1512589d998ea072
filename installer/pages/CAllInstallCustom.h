// The bulk installation's module page: the modules found, with the check rules of each kind
// of installation.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CheckList;

class CAllInstallCustom : public SetupPage {
    Q_OBJECT
public:
    explicit CAllInstallCustom(WizardContext& context);
    CheckList* List() const { return list_; }
    bool validatePage() override;
    void cleanupPage() override;  // Back

    void FillModuleList();
    void ApplyCheckStates();
    // Takes the marks into the modules; the number of modules counted.
    int ReadCheckStates();
    void OnSelectAll();
    void OnClear();

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    bool AllowChange(int row, bool on) const;
    void AfterChange(int row, bool on);

    CheckList* list_;
};

}  // namespace installer
