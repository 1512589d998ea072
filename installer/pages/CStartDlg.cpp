// The welcome page: the product's name in the header and the wizard's title.
#include "installer/pages/CStartDlg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "installer/engine/InstallerText.h"
#include "installer/engine/MessageIds.h"

namespace installer {

CStartDlg::CStartDlg(WizardContext& context) : SetupPage(context, 0) {
    setTitle(Q(state_.ProductName) + Text(msg::kWelcome));
    auto* text = new QLabel(Text(msg::kStartText, {state_.ProductName}));
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addStretch();
}

void CStartDlg::OnSetActive() {
    wizard()->setWindowTitle(Text(msg::kInstallTitle, {state_.ProductName, state_.SetupTitle}));
    SetNextEnabled(true);
}

}  // namespace installer
