// The uninstallation's progress page: it pumps the undo run.
#pragma once

#include <memory>

#include "installer/SetupPage.h"
#include "installer/engine/CommandRun.h"

class QProgressBar;

namespace installer {

class CUninstallProgress : public SetupPage {
    Q_OBJECT
public:
    explicit CUninstallProgress(WizardContext& context);
    QProgressBar* Bar() const { return bar_; }
    const CommandRun* Run() const { return run_.get(); }

protected:
    void OnInitDialog() override;
    void OnSetActive() override;

private:
    void RunNextCommand();

    QProgressBar* bar_;
    std::unique_ptr<CommandRun> run_;
};

}  // namespace installer
