// The installation-folder page: the folder, its chooser and the check on Next.
#include "installer/pages/CInstallFolderDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "installer/BrowseForFolder.h"
#include "installer/CInstallWizard.h"
#include "installer/engine/FileOps.h"
#include "installer/engine/MessageIds.h"

namespace installer {

CInstallFolderDlg::CInstallFolderDlg(WizardContext& context)
    : SetupPage(context, msg::kFolderTitle) {
    auto* layout = new QGridLayout(this);
    intro_ = new QLabel;
    intro_->setObjectName("id1004");
    intro_->setWordWrap(true);
    auto* ask = new QLabel(Q(state_.ProgramFolderName) + Text(msg::kSpecifyFolderOf));
    ask->setObjectName("id1010");
    edit_ = new QLineEdit;
    edit_->setObjectName("id1001");
    auto* browse = new QPushButton(Text(msg::kBrowse));
    browse->setObjectName("id1020");
    auto* note = new QLabel(Text(msg::kNote) + "\n" + Text(msg::kCloseOldVersion));
    note->setWordWrap(true);
    layout->addWidget(intro_, 0, 0, 1, 2);
    layout->addWidget(ask, 1, 0, 1, 2);
    layout->addWidget(edit_, 2, 0);
    layout->addWidget(browse, 2, 1);
    layout->setRowStretch(3, 1);
    layout->addWidget(note, 4, 0, 1, 2);
    connect(browse, &QPushButton::clicked, this, &CInstallFolderDlg::OnBrowse);
}

void CInstallFolderDlg::OnInitDialog() {
    intro_->setText(Text(msg::kInstallsInto, {state_.ProductName}));
}

void CInstallFolderDlg::OnSetActive() {
    edit_->setText(Q(state_.TargetDir));
    // The table is built anew at Next; the component list keeps its marks meanwhile.
    state_.ComponentTable.clear();
    SetNextEnabled(true);
}

void CInstallFolderDlg::OnBrowse() {
    std::string start = NearestExistingFolder(edit_->text().left(259).toStdString()).string();
    QString folder = BrowseForFolder(this, Q(start), Text(msg::kChooseFolder));
    if (!folder.isEmpty()) edit_->setText(folder);
}

bool CInstallFolderDlg::validatePage() {
    switch (CheckInstallFolder(edit_->text().toStdString(), engine_, ctx_.Probe, true)) {
        case FolderCheckResult::Accept:
            return true;
        case FolderCheckResult::EndSetup:
            Wizard()->EndSetup();
            return false;
        case FolderCheckResult::Stay:
            return false;
    }
    return false;
}

}  // namespace installer
