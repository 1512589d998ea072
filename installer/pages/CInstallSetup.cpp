// The summary page: after it there is no way back.
#include "installer/pages/CInstallSetup.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupTexts.h"

namespace installer {

CInstallSetup::CInstallSetup(WizardContext& context) : SetupPage(context, msg::kSummaryTitle) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(msg::kSummaryText));
    text->setWordWrap(true);
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    text_->setObjectName("id1004");
    layout->addWidget(text);
    layout->addWidget(new QLabel(Text(msg::kCurrentSettings)));
    layout->addWidget(text_);
    setCommitPage(true);  // the progress page enables no button, Back included
}

void CInstallSetup::OnSetActive() {
    QString summary = Q(SummaryText(state_));
    summary.replace("\r\n", "\n");
    text_->setPlainText(summary);
    SetNextEnabled(true);
}

}  // namespace installer
