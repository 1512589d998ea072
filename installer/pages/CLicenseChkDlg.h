// The agreement page: the text of USEDIALOG SdLicenseView and the choice to agree.
#pragma once

#include "installer/SetupPage.h"

class QRadioButton;

namespace installer {

class CLicenseChkDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CLicenseChkDlg(WizardContext& context);
    QRadioButton* Disagree() const { return disagree_; }
    QRadioButton* Agree() const { return agree_; }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    QRadioButton* disagree_;
    QRadioButton* agree_;
};

}  // namespace installer
