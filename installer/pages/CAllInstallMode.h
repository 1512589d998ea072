// The bulk installation's mode page: a new or an update installation.
#pragma once

#include "installer/SetupPage.h"

class QPushButton;

namespace installer {

class CAllInstallMode : public SetupPage {
    Q_OBJECT
public:
    explicit CAllInstallMode(WizardContext& context);
    QPushButton* NewButton() const { return new_; }
    QPushButton* UpdateButton() const { return update_; }

protected:
    void OnSetActive() override;

private:
    void Choose(int update);

    QPushButton* new_;
    QPushButton* update_;
};

}  // namespace installer
