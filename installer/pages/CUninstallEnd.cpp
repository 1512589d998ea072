// The uninstallation's end page: Finish only.
#include "installer/pages/CUninstallEnd.h"

#include <QAbstractButton>
#include <QLabel>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"

namespace installer {

CUninstallEnd::CUninstallEnd(WizardContext& context) : SetupPage(context, msg::kUninstallEnd) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(Text(msg::kUninstallEndText)));
    layout->addStretch();
}

void CUninstallEnd::OnSetActive() {
    SetNextEnabled(true);
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    state_.Installing = 0;
    state_.Finished = 1;
}

}  // namespace installer
