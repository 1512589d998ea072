// The folder question of a bulk installation's module.
#pragma once

#include <QDialog>

#include "installer/WizardContext.h"

class QLineEdit;

namespace installer {

class CFolderSpecifyDlg : public QDialog {
    Q_OBJECT
public:
    CFolderSpecifyDlg(WizardContext& context, QWidget* parent = nullptr);
    QLineEdit* FolderEdit() const { return edit_; }
    // OK and Enter: the folder check's steps 1 to 5; the dialog stays on a refusal.
    void CheckFolder();

private:
    WizardContext& ctx_;
    QLineEdit* edit_;
};

}  // namespace installer
