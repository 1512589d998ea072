// The progress page: 300 ms after it shows, one command per turn of the event loop.
#include "installer/pages/CInstallProgressDlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "installer/CInstallWizard.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CInstallShortCutDlg.h"

namespace installer {

void ShowProgress(const CommandRun& run, QProgressBar* bar, QLabel* label) {
    bar->setRange(0, std::max(run.RangeMax, 1));
    bar->setValue(std::min(run.Position, bar->maximum()));
    if (label) label->setText(Q(run.Shown));
}

CInstallProgressDlg::CInstallProgressDlg(WizardContext& context)
    : SetupPage(context, msg::kProgressTitle) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(msg::kCopyingFiles)));
    command_ = new QLabel;
    command_->setObjectName("id1019");
    command_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar;
    bar_->setObjectName("id1021");
    bar_->setTextVisible(false);
    layout->addWidget(command_);
    layout->addWidget(bar_);
    layout->addStretch();
    setCommitPage(true);  // the end page has no way back
}

void CInstallProgressDlg::OnInitDialog() {
    // The macro values are taken now, from the choices of the earlier pages.
    engine_.InitMacroValues();
}

void CInstallProgressDlg::OnSetActive() {
    SetNextEnabled(false);
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    // Relative paths of commands are taken from the "Setup/" folder beside the installer.
    engine_.CurrentFolder = std::filesystem::path(state_.SourceFolder) / "Setup";
    if (state_.CommonProgramsFolder.empty()) InitCommonProgramsFolder(state_, engine_.Platform);
    state_.Installing = 1;
    run_ = std::make_unique<CommandRun>(engine_, CommandRun::Kind::Install);
    QTimer::singleShot(300, this, &CInstallProgressDlg::RunNextCommand);
}

void CInstallProgressDlg::RunNextCommand() {
    CommandRun::Status status = run_->Step();
    ShowProgress(*run_, bar_, command_);
    if (status == CommandRun::Status::Continue) {
        QTimer::singleShot(0, this, &CInstallProgressDlg::RunNextCommand);
        return;
    }
    if (status == CommandRun::Status::Failed) state_.Failed = -1;
    SetNextEnabled(true);
    PressNext();
}

}  // namespace installer
