// The component page: one checkable row per component, written into the records at Next.
#include "installer/pages/CInstallCustomDlg.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "installer/engine/MessageIds.h"
#include "installer/pages/CheckList.h"

namespace installer {

CInstallCustomDlg::CInstallCustomDlg(WizardContext& context)
    : SetupPage(context, msg::kComponentTitle) {
    auto* layout = new QGridLayout(this);
    auto* text = new QLabel(Text(msg::kComponentText));
    text->setWordWrap(true);
    list_ = new CheckList;
    list_->setObjectName("id1025");
    list_->setHeaderLabels({Text(msg::kComponentName)});
    auto* all = new QPushButton(Text(msg::kSelectAll));
    all->setObjectName("id1026");
    auto* clear = new QPushButton(Text(msg::kClear));
    clear->setObjectName("id1027");
    layout->addWidget(text, 0, 0, 1, 3);
    layout->addWidget(list_, 1, 0, 1, 3);
    layout->addWidget(all, 2, 1);
    layout->addWidget(clear, 2, 2);
    layout->setColumnStretch(0, 1);
    connect(all, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < list_->Rows(); ++i) list_->SetChecked(i, true);
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < list_->Rows(); ++i) list_->SetChecked(i, false);
    });
    list_->Changed = [this](int row, bool on) {
        if (row < static_cast<int>(state_.ComponentTable.size()))
            state_.ComponentTable[static_cast<size_t>(row)].Selected = on ? 1 : 0;
    };
}

void CInstallCustomDlg::OnInitDialog() {
    // Once: afterwards the rows keep their marks for the life of the wizard.
    for (const ComponentRecord& c : state_.ComponentTable)
        list_->AddRow({Q(c.Name)}, c.Selected != 0);
    if (list_->Rows() > 0) list_->setCurrentItem(list_->topLevelItem(0));
}

void CInstallCustomDlg::OnSetActive() {
    SetNextEnabled(true);
}

bool CInstallCustomDlg::validatePage() {
    bool any = false;
    for (int i = 0; i < list_->Rows(); ++i) {
        bool on = list_->IsChecked(i);
        if (i < static_cast<int>(state_.ComponentTable.size()))
            state_.ComponentTable[static_cast<size_t>(i)].Selected = on ? 1 : 0;
        any = any || on;
    }
    if (!any) {
        engine_.Ui().Message(msg::kNoComponent, {}, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    return true;
}

}  // namespace installer
