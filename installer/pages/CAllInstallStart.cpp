// The bulk installation's welcome page.
#include "installer/pages/CAllInstallStart.h"

#include <QLabel>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"

namespace installer {

CAllInstallStart::CAllInstallStart(WizardContext& context) : SetupPage(context, msg::kBulkWelcome) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(msg::kBulkStartText));
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
}

void CAllInstallStart::OnSetActive() {
    wizard()->setWindowTitle(Text(msg::kBulkCaption));
    SetNextEnabled(true);
}

}  // namespace installer
