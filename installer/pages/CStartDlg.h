// The welcome page of the single installation.
#pragma once

#include "installer/SetupPage.h"

namespace installer {

class CStartDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CStartDlg(WizardContext& context);

protected:
    void OnSetActive() override;
};

}  // namespace installer
