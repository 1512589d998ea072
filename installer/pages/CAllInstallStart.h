// The bulk installation's welcome page.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CAllInstallStart : public SetupPage {
    Q_OBJECT
public:
    explicit CAllInstallStart(WizardContext& context);

protected:
    void OnSetActive() override;
};

}  // namespace installer
