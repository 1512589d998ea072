// The read-me page: the text of USEDIALOG SdInfoView.
#pragma once

#include "installer/SetupPage.h"

class QPlainTextEdit;

namespace installer {

class CInfomationDlg : public SetupPage {
    Q_OBJECT
public:
    explicit CInfomationDlg(WizardContext& context);
};

// A read-only text box showing the lines of a file relative to the source folder.
QPlainTextEdit* ViewFileBox(const SetupState& state, const std::string& file);

}  // namespace installer
