// The wizard shell of the installer.
#include "installer/CInstallWizard.h"

#include <QAbstractButton>

#include "installer/InstallerPictures.h"
#include "installer/SetupPage.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CAllInstallCustom.h"
#include "installer/pages/CAllInstallEnd.h"
#include "installer/pages/CAllInstallMode.h"
#include "installer/pages/CAllInstallStart.h"
#include "installer/pages/CEndDlg.h"
#include "installer/pages/CInfomationDlg.h"
#include "installer/pages/CInstallCustomDlg.h"
#include "installer/pages/CInstallFolderDlg.h"
#include "installer/pages/CInstallModeDlg.h"
#include "installer/pages/CInstallProgressDlg.h"
#include "installer/pages/CInstallSetup.h"
#include "installer/pages/CInstallShortCutDlg.h"
#include "installer/pages/CLicenseChkDlg.h"
#include "installer/pages/CStartDlg.h"
#include "installer/pages/CUninstallEnd.h"
#include "installer/pages/CUninstallProgress.h"
#include "installer/pages/CUninstallStart.h"

namespace installer {

CInstallWizard::CInstallWizard(WizardContext& context, QWidget* parent)
    : QWizard(parent), ctx_(context) {
    setWizardStyle(QWizard::ModernStyle);
    setPixmap(QWizard::LogoPixmap, HeaderPicture());
    setWindowIcon(AppIcon());
    setOption(QWizard::NoBackButtonOnStartPage, true);
    setOption(QWizard::HaveHelpButton, false);
    setButtonText(QWizard::BackButton, Text(msg::kButtonBack));
    setButtonText(QWizard::NextButton, Text(msg::kButtonNext));
    setButtonText(QWizard::CommitButton, Text(msg::kButtonNext));
    setButtonText(QWizard::FinishButton, Text(msg::kButtonFinish));
    setButtonText(QWizard::CancelButton, Text(msg::kButtonCancel));
    const SetupState& s = context.State;
    switch (s.Mode) {
        case 0:
            AddPage(kStart, new CStartDlg(context));
            if (!s.InfoViewFile.empty()) AddPage(kInfo, new CInfomationDlg(context));
            if (!s.LicenseViewFile.empty()) AddPage(kLicense, new CLicenseChkDlg(context));
            AddPage(kFolder, new CInstallFolderDlg(context));
            if (s.InstallModeSkip == 0) {
                AddPage(kMode, new CInstallModeDlg(context));
                AddPage(kCustom, new CInstallCustomDlg(context));
            }
            if (s.SelectFolder == 1) AddPage(kShortCut, new CInstallShortCutDlg(context));
            AddPage(kSetup, new CInstallSetup(context));
            AddPage(kProgress, new CInstallProgressDlg(context));
            AddPage(kEnd, new CEndDlg(context));
            break;
        case 1:
            AddPage(kBulkStart, new CAllInstallStart(context));
            AddPage(kBulkMode, new CAllInstallMode(context));
            AddPage(kBulkCustom, new CAllInstallCustom(context));
            AddPage(kBulkEnd, new CAllInstallEnd(context));
            break;
        case 3:
            AddPage(kUninstallStart, new CUninstallStart(context));
            AddPage(kUninstallProgress, new CUninstallProgress(context));
            AddPage(kUninstallEnd, new CUninstallEnd(context));
            break;
        default:
            break;  // mode 2 never shows the wizard
    }
    connect(this, &QWizard::currentIdChanged, this, [this](int id) {
        if (SetupPage* p = Page(id)) p->Activate();
    });
    resize(620, 460);
}

void CInstallWizard::AddPage(int id, SetupPage* page) {
    setPage(id, page);
}

SetupPage* CInstallWizard::Page(int id) const {
    return qobject_cast<SetupPage*>(page(id));
}

void CInstallWizard::reject() {
    const SetupState& s = ctx_.State;
    if (s.Finished) {
        done(0);  // the close box on an end page finishes
        return;
    }
    // Closing while a run works would leave half an installation without its registration.
    if (s.Installing) return;
    if (ctx_.Engine.Ui().ConfirmStop(s.Mode == 3)) QWizard::reject();
}

}  // namespace installer
