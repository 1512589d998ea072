// The end page of the single installation.
#pragma once

#include "installer/SetupPage.h"

class QLabel;

namespace installer {

class CEndDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CEndDlg(WizardContext& context);
    QLabel* Result() const { return result_; }

protected:
    void OnSetActive() override;

private:
    QLabel* result_;
};

}  // namespace installer
