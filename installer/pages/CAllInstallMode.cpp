// The bulk installation's mode page.
#include "installer/pages/CAllInstallMode.h"

#include <QGridLayout>
#include <QPushButton>
#include <QTimer>

#include "installer/InstallerPictures.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CInstallModeDlg.h"

namespace installer {

CAllInstallMode::CAllInstallMode(WizardContext& context) : SetupPage(context, msg::kBulkModeTitle) {
    auto* layout = new QGridLayout(this);
    new_ = new QPushButton(StandardPicture(), Text(msg::kNewButton));
    new_->setObjectName("id1009");
    update_ = new QPushButton(CustomPicture(), Text(msg::kUpdateButton));
    update_->setObjectName("id1010");
    AddChoice(layout, 0, new_, Text(msg::kNewCaption), Text(msg::kNewText), "id1019");
    AddChoice(layout, 2, update_, Text(msg::kUpdateCaption), Text(msg::kUpdateText), "id1003");
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
    connect(new_, &QPushButton::clicked, this, [this] { Choose(0); });
    connect(update_, &QPushButton::clicked, this, [this] { Choose(1); });
}

void CAllInstallMode::OnSetActive() {
    SetNextEnabled(false);  // Back only
    new_->setFocus();
    if (ctx_.Unattended) QTimer::singleShot(0, this, [this] { Choose(0); });
}

void CAllInstallMode::Choose(int update) {
    state_.UpdateInstall = update;
    PressNext();
}

}  // namespace installer
