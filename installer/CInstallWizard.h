// The installer's wizard: the pages of the mode, the Cancel question and the close box.
#pragma once

#include <QWizard>

#include "installer/WizardContext.h"

namespace installer {

class SetupPage;

class CInstallWizard : public QWizard {
    Q_OBJECT
public:
    // Page ids: the single installation, the uninstallation, the bulk installation.
    enum PageId {
        kStart = 0,
        kInfo,
        kLicense,
        kFolder,
        kMode,
        kCustom,
        kShortCut,
        kSetup,
        kProgress,
        kEnd,
        kUninstallStart = 20,
        kUninstallProgress,
        kUninstallEnd,
        kBulkStart = 30,
        kBulkMode,
        kBulkCustom,
        kBulkEnd,
    };

    // Builds the pages of context.State.Mode (0, 1 or 3).
    explicit CInstallWizard(WizardContext& context, QWidget* parent = nullptr);

    SetupPage* Page(int id) const;
    // Closes the wizard with result 0 without the Cancel question (a page that ends the setup).
    void EndSetup() { done(0); }
    // Cancel, Escape and the close box: ignored while a run works; on an end page the wizard
    // finishes; otherwise the question of dialog 140 (151 when uninstalling), and only "中止"
    // closes.
    void reject() override;

private:
    void AddPage(int id, SetupPage* page);

    WizardContext& ctx_;
};

}  // namespace installer
