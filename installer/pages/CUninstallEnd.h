// The uninstallation's end page.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CUninstallEnd : public SetupPage {
    Q_OBJECT
public:
    explicit CUninstallEnd(WizardContext& context);

protected:
    void OnSetActive() override;
};

}  // namespace installer
