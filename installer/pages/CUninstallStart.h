// The uninstallation's start page.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CUninstallStart : public SetupPage {
    Q_OBJECT
public:
    explicit CUninstallStart(WizardContext& context);

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
};

}  // namespace installer
