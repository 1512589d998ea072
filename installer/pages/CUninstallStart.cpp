// The uninstallation's start page: Next is the only question.
#include "installer/pages/CUninstallStart.h"

#include <QLabel>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"

namespace installer {

CUninstallStart::CUninstallStart(WizardContext& context)
    : SetupPage(context, msg::kUninstallWelcome) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(msg::kUninstallText));
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch();
    setCommitPage(true);  // the progress page enables no button
}

void CUninstallStart::OnInitDialog() {
    state_.TargetDir = state_.SourceFolder;
}

void CUninstallStart::OnSetActive() {
    wizard()->setWindowTitle(Text(msg::kUninstallTitle, {state_.ProductName}));
    SetNextEnabled(true);
}

}  // namespace installer
