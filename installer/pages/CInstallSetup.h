// The summary page before the copying starts.
#pragma once

#include "installer/SetupPage.h"

class QPlainTextEdit;

namespace installer {

class CInstallSetup : public SetupPage {
    Q_OBJECT
public:
    explicit CInstallSetup(WizardContext& context);
    QPlainTextEdit* Summary() const { return text_; }

protected:
    void OnSetActive() override;

private:
    QPlainTextEdit* text_;
};

}  // namespace installer
