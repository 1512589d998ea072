// The agreement page: Next only while "agree" is chosen.
#include "installer/pages/CLicenseChkDlg.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/pages/CInfomationDlg.h"

namespace installer {

CLicenseChkDlg::CLicenseChkDlg(WizardContext& context) : SetupPage(context, msg::kLicenseTitle) {
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(Text(msg::kTermsOfUse));
    caption->setObjectName("id1019");
    layout->addWidget(caption);
    QPlainTextEdit* text = ViewFileBox(state_, state_.LicenseViewFile);
    text->setObjectName("id1020");
    layout->addWidget(text);
    disagree_ = new QRadioButton(Text(msg::kDisagree));
    disagree_->setObjectName("id1021");
    agree_ = new QRadioButton(Text(msg::kAgree));
    agree_->setObjectName("id1022");
    layout->addWidget(disagree_);
    layout->addWidget(agree_);
    // Taking Next as acceptance while "do not agree" is checked would not be an agreement.
    connect(agree_, &QRadioButton::toggled, this, [this](bool on) { SetNextEnabled(on); });
}

void CLicenseChkDlg::OnInitDialog() {
    disagree_->setChecked(true);
}

void CLicenseChkDlg::OnSetActive() {
    if (ctx_.Unattended) agree_->setChecked(true);
    SetNextEnabled(agree_->isChecked());
}

}  // namespace installer
