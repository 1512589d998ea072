// The end page: finished, or not finished properly.
#include "installer/pages/CEndDlg.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"

namespace installer {

CEndDlg::CEndDlg(WizardContext& context) : SetupPage(context, msg::kEndTitle) {
    auto* layout = new QVBoxLayout(this);
    result_ = new QLabel;
    result_->setObjectName("id1019");
    result_->setWordWrap(true);
    layout->addWidget(result_);
    layout->addStretch();
}

void CEndDlg::OnSetActive() {
    SetNextEnabled(true);  // Finish
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    state_.Installing = 0;
    state_.Finished = 1;
    if (state_.Failed == 0) {
        result_->setText(Text(msg::kInstallFinished, {state_.ProductName}));
    } else {
        result_->setText(Text(msg::kInstallNotFinished, {state_.ProductName}));
        state_.Failed = -1;
    }
}

}  // namespace installer
