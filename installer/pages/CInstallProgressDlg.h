// The progress page of the single installation: it pumps the command run.
#pragma once

#include <memory>

#include "installer/SetupPage.h"
#include "installer/engine/CommandRun.h"

class QLabel;
class QProgressBar;

namespace installer {

class CInstallProgressDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallProgressDlg(WizardContext& context);
    QProgressBar* Bar() const { return bar_; }
    QLabel* CommandLabel() const { return command_; }
    const CommandRun* Run() const { return run_.get(); }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    void RunNextCommand();

    QLabel* command_;
    QProgressBar* bar_;
    std::unique_ptr<CommandRun> run_;
};

// The shared part of the progress pages: shows a step's progress values on the bar and label.
void ShowProgress(const CommandRun& run, QProgressBar* bar, QLabel* label);

}  // namespace installer
