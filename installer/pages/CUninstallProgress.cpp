// The uninstallation's progress page: the undo run, then the clean-up; it reports no failure.
#include "installer/pages/CUninstallProgress.h"

#include "installer/engine/MessageIds.h"

namespace installer {

CUninstallProgress::CUninstallProgress(WizardContext& context)
    : CommandRunPage(context, msg::kUninstalling, msg::kUninstallingText, false) {}

void CUninstallProgress::OnInitDialog() {
    engine_.InitMacroValues();
    // The installation folder: relative names of the setup file name the installed files.
    engine_.CurrentFolder = state_.SourceFolder;
    run_ = std::make_unique<CommandRun>(engine_, CommandRun::Kind::Uninstall);
}

void CUninstallProgress::OnSetActive() {
    StartRun();
}

}  // namespace installer
