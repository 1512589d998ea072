// The installation-type page.
#include "installer/pages/CInstallModeDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "installer/CInstallWizard.h"
#include "installer/InstallerPictures.h"
#include "installer/engine/MessageIds.h"

namespace installer {

void AddChoice(QGridLayout* layout, int row, QPushButton* button, const QString& caption,
               const QString& text, const char* captionId) {
    button->setIconSize(QSize(48, 48));
    button->setMinimumSize(64, 64);
    button->setStyleSheet("QPushButton { background: white; }");
    auto* bold = new QLabel(caption);
    bold->setObjectName(captionId);
    QFont f = bold->font();
    f.setBold(true);
    bold->setFont(f);
    auto* line = new QLabel(text);
    line->setWordWrap(true);
    layout->addWidget(button, row, 0, 2, 1);
    layout->addWidget(bold, row, 1);
    layout->addWidget(line, row + 1, 1);
}

CInstallModeDlg::CInstallModeDlg(WizardContext& context) : SetupPage(context, msg::kModeTitle) {
    auto* layout = new QGridLayout(this);
    standard_ = new QPushButton(StandardPicture(), Text(msg::kStandard));
    standard_->setObjectName("id1024");
    custom_ = new QPushButton(CustomPicture(), Text(msg::kCustom));
    custom_->setObjectName("id1025");
    AddChoice(layout, 0, standard_, Text(msg::kStandard), Text(msg::kStandardText), "id1019");
    AddChoice(layout, 2, custom_, Text(msg::kCustom), Text(msg::kCustomText), "id1003");
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(1, 1);
    connect(standard_, &QPushButton::clicked, this, [this] { Choose(0); });
    connect(custom_, &QPushButton::clicked, this, [this] { Choose(1); });
}

void CInstallModeDlg::OnSetActive() {
    // Back only: the page is left forward through its two buttons.
    SetNextEnabled(false);
    standard_->setFocus();
    if (ctx_.Unattended) QTimer::singleShot(0, this, [this] { Choose(0); });
}

void CInstallModeDlg::Choose(int custom) {
    state_.CustomInstall = custom;
    PressNext();
}

int CInstallModeDlg::nextId() const {
    int next = SetupPage::nextId();
    if (state_.CustomInstall == 0 && next == CInstallWizard::kCustom && wizard())
        next = wizard()->page(next)->nextId();
    return next;
}

}  // namespace installer
