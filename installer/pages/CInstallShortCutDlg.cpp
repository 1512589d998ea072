// The program-folder page.
#include "installer/pages/CInstallShortCutDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/engine/SetupTexts.h"

namespace installer {

void InitCommonProgramsFolder(SetupState& state, const SetupPlatform& platform) {
    // A new user's desktop may not have made the folder yet: the run makes it with the first
    // entry, into the install record, so that the uninstallation can remove it again.
    state.CommonProgramsFolder = platform.ApplicationsDir.string() + "/";
}

CInstallShortCutDlg::CInstallShortCutDlg(WizardContext& context)
    : SetupPage(context, msg::kProgramFolderTitle) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(msg::kProgramFolderText));
    text->setWordWrap(true);
    edit_ = new QLineEdit;
    edit_->setObjectName("id1005");
    list_ = new QListWidget;
    list_->setObjectName("id1006");
    layout->addWidget(text);
    layout->addWidget(new QLabel(Text(msg::kProgramFolderLabel)));
    layout->addWidget(edit_);
    layout->addWidget(new QLabel(Text(msg::kExistingFolders)));
    layout->addWidget(list_);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (QListWidgetItem* item = list_->item(row)) edit_->setText(item->text());
    });
}

void CInstallShortCutDlg::OnInitDialog() {
    state_.ShortcutListIndex = -1;
    InitCommonProgramsFolder(state_, engine_.Platform);
    std::vector<std::string> names = ListProgramFolders(engine_.Platform.ApplicationsDir);
    for (const std::string& n : names) list_->addItem(Q(n));
    state_.ShortcutListIndex = FindPrefixRow(names, state_.StartMenuFolderName);
}

void CInstallShortCutDlg::OnSetActive() {
    SetNextEnabled(true);
    edit_->setText(Q(state_.StartMenuFolderName));
    QSignalBlocker block(list_);
    list_->setCurrentRow(state_.ShortcutListIndex);
    if (state_.ShortcutListIndex < 0) list_->clearSelection();
}

bool CInstallShortCutDlg::validatePage() {
    QString name = edit_->text().left(99);
    if (name.isEmpty()) {
        engine_.Ui().Message(msg::kNoProgramFolder, {}, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    state_.ProgramFolderName = name.toStdString();
    state_.StartMenuFolderName = state_.ProgramFolderName;
    state_.ShortcutListIndex = list_->currentRow();
    return true;
}

}  // namespace installer
