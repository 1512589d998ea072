// The uninstallation's progress page: it pumps the undo run.
#pragma once

#include "installer/pages/CommandRunPage.h"

namespace installer {

class CUninstallProgress : public CommandRunPage {
    Q_OBJECT
public:
    explicit CUninstallProgress(WizardContext& context);

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
};

}  // namespace installer
