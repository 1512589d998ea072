// The folder question of a module.
#include "installer/pages/CFolderSpecifyDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "installer/BrowseForFolder.h"
#include "installer/SetupPage.h"
#include "installer/engine/FileOps.h"
#include "installer/engine/MessageIds.h"

namespace installer {

CFolderSpecifyDlg::CFolderSpecifyDlg(WizardContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context) {
    setWindowTitle(Text(msg::kFolderSpecifyCaption));
    auto* layout = new QGridLayout(this);
    auto* ask = new QLabel(Q(context.State.ProductName) + Text(msg::kSpecifyFolderOf));
    ask->setObjectName("id1016");
    edit_ = new QLineEdit(Q(context.State.TargetDir));
    edit_->setObjectName("id1010");
    edit_->setMinimumWidth(360);
    auto* browse = new QPushButton(Text(msg::kBrowse));
    browse->setObjectName("id1020");
    auto* note = new QLabel(Text(msg::kNote) + "\n" + Text(msg::kCloseOldVersionOk));
    note->setWordWrap(true);
    auto* ok = new QPushButton(Text(msg::kOk));
    ok->setObjectName("id1015");
    ok->setDefault(true);
    auto* cancel = new QPushButton(Text(msg::kButtonCancel));
    cancel->setObjectName("id2");
    layout->addWidget(ask, 0, 0, 1, 3);
    layout->addWidget(edit_, 1, 0, 1, 2);
    layout->addWidget(browse, 1, 2);
    layout->addWidget(note, 2, 0, 1, 3);
    layout->addWidget(ok, 3, 1);
    layout->addWidget(cancel, 3, 2);
    layout->setColumnStretch(0, 1);
    connect(ok, &QPushButton::clicked, this, &CFolderSpecifyDlg::CheckFolder);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] {
        std::string start = NearestExistingFolder(edit_->text().left(259).toStdString()).string();
        QString folder = BrowseForFolder(this, Q(start), Text(msg::kChooseFolder));
        if (!folder.isEmpty()) edit_->setText(folder);
    });
}

void CFolderSpecifyDlg::CheckFolder() {
    if (CheckInstallFolder(edit_->text().toStdString(), ctx_.Engine, ctx_.Probe, false) ==
        FolderCheckResult::Accept)
        accept();
}

}  // namespace installer
