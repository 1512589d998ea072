// The bulk progress dialog: each module starts once the dialog is on screen, its first step
// after 300 ms, then one command per 10 ms.
#include "installer/pages/CBulkProgressDlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "installer/SetupPage.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CFolderSpecifyDlg.h"
#include "installer/pages/CInstallShortCutDlg.h"
#include "installer/pages/CommandRunPage.h"

namespace installer {

CBulkProgressDlg::CBulkProgressDlg(WizardContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context), run_(context.Engine, context.Probe) {
    setWindowTitle(Text(msg::kBulkProgressCaption));
    auto* layout = new QVBoxLayout(this);
    module_ = new QLabel;
    module_->setObjectName("id1013");
    modules_ = new QProgressBar;
    modules_->setObjectName("id1011");
    command_ = new QLabel;
    command_->setObjectName("id1014");
    command_->setTextFormat(Qt::PlainText);
    commands_ = new QProgressBar;
    commands_->setObjectName("id1012");
    for (QProgressBar* b : {modules_, commands_}) b->setTextVisible(false);
    layout->addWidget(module_);
    layout->addWidget(modules_);
    layout->addWidget(command_);
    layout->addWidget(commands_);
    setMinimumWidth(420);
    InitCommonProgramsFolder(context.State, context.Engine.Platform);
    modules_->setRange(0, std::max(run_.ChosenCount, 1));
    modules_->setValue(0);
    run_.AskFolder = [this] {
        // Unattended: the module's own folder, checked as the dialog would.
        if (ctx_.Unattended)
            return CheckInstallFolder(ctx_.State.TargetDir, ctx_.Engine, ctx_.Probe, false) ==
                   FolderCheckResult::Accept;
        CFolderSpecifyDlg dlg(ctx_, this);
        return dlg.exec() == QDialog::Accepted;
    };
}

void CBulkProgressDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!shown_) {
        shown_ = true;
        Later(0, &CBulkProgressDlg::StartNextModule);
    }
}

void CBulkProgressDlg::Later(int ms, void (CBulkProgressDlg::*step)()) {
    QTimer::singleShot(ms, this, [this, step] {
        if (stopped_) return;
        if (paused_) {
            pending_ = step;  // runs when the close question is answered with Cancel
            return;
        }
        (this->*step)();
    });
}

void CBulkProgressDlg::StartNextModule() {
    BulkRun::Start r = run_.StartNextModule();
    modules_->setValue(std::min(run_.ModulesPassed, modules_->maximum()));
    switch (r) {
        case BulkRun::Start::AllDone:
            accept();
            return;
        case BulkRun::Start::RunEnded:
            done(0);
            return;
        case BulkRun::Start::Started:
            break;
    }
    module_->setText(Text(msg::kBulkInstalling, {ctx_.State.ProductName}));
    command_->clear();
    commands_->setRange(0, 1);
    commands_->setValue(0);
    Later(300, &CBulkProgressDlg::RunNextCommand);
}

void CBulkProgressDlg::RunNextCommand() {
    CommandRun::Status s = run_.Step();
    if (run_.Run()) ShowProgress(*run_.Run(), commands_, command_);
    if (s == CommandRun::Status::Continue)
        Later(10, &CBulkProgressDlg::RunNextCommand);
    else
        Later(0, &CBulkProgressDlg::StartNextModule);  // a failure ends only this module
}

void CBulkProgressDlg::reject() {
    if (stopped_ || paused_) return;
    paused_ = true;
    PromptAnswer a =
        ctx_.Engine.Ui().Message(msg::kBulkQuit, {}, PromptButtons::OkCancel, PromptIcon::Question);
    paused_ = false;
    if (a == PromptAnswer::Ok) {
        stopped_ = true;  // no further command runs
        QDialog::reject();
        return;
    }
    if (pending_) {
        auto step = pending_;
        pending_ = nullptr;
        Later(30, step);
    }
}

}  // namespace installer
