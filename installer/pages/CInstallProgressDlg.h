// The progress page of the single installation: it pumps the command run.
#pragma once

#include "installer/pages/CommandRunPage.h"

namespace installer {

class CInstallProgressDlg : public CommandRunPage {
    Q_OBJECT
public:
    explicit CInstallProgressDlg(WizardContext& context);
    QLabel* CommandLabel() const { return command_; }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;
    void OnRunEnded(CommandRun::Status status) override;
};

}  // namespace installer
