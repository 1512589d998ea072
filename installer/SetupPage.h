// The wizard page of the installer: the Windows page events mapped once onto QWizardPage.
#pragma once

#include <QWizardPage>

#include "installer/WizardContext.h"

namespace installer {

class CInstallWizard;

// OnSetActive runs whenever the page becomes current, in either direction; OnInitDialog runs
// once, before the first OnSetActive. A page that stays on Next returns false from
// validatePage; a page passes itself over through nextId. Which buttons a page enables is set
// by SetButtons: Next and Finish through isComplete, Back through the commit flag of the page
// before (see CInstallWizard).
class SetupPage : public QWizardPage {
    Q_OBJECT
public:
    SetupPage(WizardContext& context, unsigned titleId, QWidget* parent = nullptr);

    // Called by the wizard when the page becomes current.
    void Activate();
    bool isComplete() const override { return nextEnabled_; }

protected:
    virtual void OnInitDialog() {}
    virtual void OnSetActive() {}
    // Enables Next (or Finish on the last page); Back follows the page before.
    void SetNextEnabled(bool on);
    CInstallWizard* Wizard() const;
    // Presses Next from code (PSM_PRESSBUTTON).
    void PressNext();

    WizardContext& ctx_;
    SetupState& state_;
    SetupEngine& engine_;

private:
    bool initialized_ = false;
    bool nextEnabled_ = true;
};

// Installer string id as a QString.
QString Text(unsigned id);
QString Text(unsigned id, const std::vector<std::string>& args);
QString Q(const std::string& utf8);

}  // namespace installer
