// The bulk installation's progress dialog: the chosen modules one after the other.
#pragma once

#include <QDialog>

#include "installer/WizardContext.h"
#include "installer/engine/BulkRun.h"

class QLabel;
class QProgressBar;

namespace installer {

class CBulkProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBulkProgressDlg(WizardContext& context, QWidget* parent = nullptr);
    const BulkRun& Run() const { return run_; }
    QProgressBar* ModulesBar() const { return modules_; }
    QProgressBar* CommandsBar() const { return commands_; }
    // The folder question of a module (tests answer it themselves).
    std::function<bool()>& AskFolder() { return run_.AskFolder; }

    // The close box and Escape: the question 141 while the run pauses; OK ends the run.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void StartNextModule();
    void RunNextCommand();
    void Later(int ms, void (CBulkProgressDlg::*step)());

    WizardContext& ctx_;
    BulkRun run_;
    QLabel* module_;
    QLabel* command_;
    QProgressBar* modules_;
    QProgressBar* commands_;
    bool shown_ = false;
    bool paused_ = false;                            // the close question is open
    bool stopped_ = false;                           // the user ended the run
    void (CBulkProgressDlg::*pending_)() = nullptr;  // a step that came while paused
};

}  // namespace installer
