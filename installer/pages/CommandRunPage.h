// The part the progress pages share: a command run pumped one step per turn of the event loop,
// its progress on a bar and, where the page has one, a label.
#pragma once

#include <memory>

#include "installer/SetupPage.h"
#include "installer/engine/CommandRun.h"

class QLabel;
class QProgressBar;

namespace installer {

class CommandRunPage : public SetupPage {
    Q_OBJECT
public:
    QProgressBar* Bar() const { return bar_; }
    const CommandRun* Run() const { return run_.get(); }

protected:
    // The page: the text textId over the command label (with withCommandLabel) and the bar. It
    // is a commit page: the page after it has no way back.
    CommandRunPage(WizardContext& context, unsigned titleId, unsigned textId,
                   bool withCommandLabel);

    // Disables Next and Cancel, marks the setup as installing and runs the first step of run_
    // 300 ms later; the page presses Next itself when the run has ended.
    void StartRun();
    // The run ended with status (Done or Failed), just before Next is pressed.
    virtual void OnRunEnded(CommandRun::Status) {}

    QLabel* command_ = nullptr;
    QProgressBar* bar_ = nullptr;
    std::unique_ptr<CommandRun> run_;

private:
    void RunNextCommand();
};

// Shows a step's progress values on the bar and, unless it is null, the label.
void ShowProgress(const CommandRun& run, QProgressBar* bar, QLabel* label);

}  // namespace installer
