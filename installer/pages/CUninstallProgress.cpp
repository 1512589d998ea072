// The uninstallation's progress page: 300 ms after it shows, one undo per turn of the event
// loop, then the clean-up; it reports no failure.
#include "installer/pages/CUninstallProgress.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/pages/CInstallProgressDlg.h"

namespace installer {

CUninstallProgress::CUninstallProgress(WizardContext& context)
    : SetupPage(context, msg::kUninstalling) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(msg::kUninstallingText)));
    bar_ = new QProgressBar;
    bar_->setObjectName("id1021");
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    layout->addStretch();
    setCommitPage(true);
}

void CUninstallProgress::OnInitDialog() {
    engine_.InitMacroValues();
    // The installation folder: relative names of the setup file name the installed files.
    engine_.CurrentFolder = state_.SourceFolder;
    run_ = std::make_unique<CommandRun>(engine_, CommandRun::Kind::Uninstall);
}

void CUninstallProgress::OnSetActive() {
    SetNextEnabled(false);
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    state_.Installing = 1;
    QTimer::singleShot(300, this, &CUninstallProgress::RunNextCommand);
}

void CUninstallProgress::RunNextCommand() {
    CommandRun::Status status = run_->Step();
    ShowProgress(*run_, bar_, nullptr);
    if (status == CommandRun::Status::Continue) {
        QTimer::singleShot(0, this, &CUninstallProgress::RunNextCommand);
        return;
    }
    SetNextEnabled(true);
    PressNext();
}

}  // namespace installer
