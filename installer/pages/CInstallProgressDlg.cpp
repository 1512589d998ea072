// The progress page: the install run over the commands, from the "Setup/" folder.
#include "installer/pages/CInstallProgressDlg.h"

#include "installer/engine/MessageIds.h"
#include "installer/pages/CInstallShortCutDlg.h"

namespace installer {

CInstallProgressDlg::CInstallProgressDlg(WizardContext& context)
    : CommandRunPage(context, msg::kProgressTitle, msg::kCopyingFiles, true) {}

void CInstallProgressDlg::OnInitDialog() {
    // The macro values are taken now, from the choices of the earlier pages.
    engine_.InitMacroValues();
}

void CInstallProgressDlg::OnSetActive() {
    // Relative paths of commands are taken from the "Setup/" folder beside the installer.
    engine_.CurrentFolder = std::filesystem::path(state_.SourceFolder) / "Setup";
    if (state_.CommonProgramsFolder.empty()) InitCommonProgramsFolder(state_, engine_.Platform);
    run_ = std::make_unique<CommandRun>(engine_, CommandRun::Kind::Install);
    StartRun();
}

void CInstallProgressDlg::OnRunEnded(CommandRun::Status status) {
    if (status == CommandRun::Status::Failed) state_.Failed = -1;
}

}  // namespace installer
