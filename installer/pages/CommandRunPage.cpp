// The progress pages' pump: 300 ms after the run starts, one command per turn of the event loop.
#include "installer/pages/CommandRunPage.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWizard>

namespace installer {

void ShowProgress(const CommandRun& run, QProgressBar* bar, QLabel* label) {
    bar->setRange(0, std::max(run.RangeMax, 1));
    bar->setValue(std::min(run.Position, bar->maximum()));
    if (label) label->setText(Q(run.Shown));
}

CommandRunPage::CommandRunPage(WizardContext& context, unsigned titleId, unsigned textId,
                               bool withCommandLabel)
    : SetupPage(context, titleId) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(textId)));
    if (withCommandLabel) {
        command_ = new QLabel;
        command_->setObjectName("id1019");
        command_->setTextFormat(Qt::PlainText);
        layout->addWidget(command_);
    }
    bar_ = new QProgressBar;
    bar_->setObjectName("id1021");
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    layout->addStretch();
    setCommitPage(true);
}

void CommandRunPage::StartRun() {
    SetNextEnabled(false);
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    state_.Installing = 1;
    QTimer::singleShot(300, this, &CommandRunPage::RunNextCommand);
}

void CommandRunPage::RunNextCommand() {
    CommandRun::Status status = run_->Step();
    ShowProgress(*run_, bar_, command_);
    if (status == CommandRun::Status::Continue) {
        QTimer::singleShot(0, this, &CommandRunPage::RunNextCommand);
        return;
    }
    OnRunEnded(status);
    SetNextEnabled(true);
    PressNext();
}

}  // namespace installer
