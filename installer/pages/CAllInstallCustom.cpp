// The module page: search, order, detection, and the marks of a new and an update
// installation kept apart.
#include "installer/pages/CAllInstallCustom.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "installer/CInstallWizard.h"
#include "installer/engine/MessageIds.h"
#include "installer/pages/CheckList.h"

namespace installer {

CAllInstallCustom::CAllInstallCustom(WizardContext& context)
    : SetupPage(context, msg::kBulkModulesTitle) {
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(Text(msg::kChooseModules)), 0, 0, 1, 3);
    list_ = new CheckList;
    list_->setObjectName("id1025");
    // The titles from the start: the page also shows with an empty list (behind message 155).
    list_->setHeaderLabels({Text(msg::kBulkModuleColumn), Text(msg::kBulkPropertyColumn)});
    list_->header()->resizeSection(0, 150);
    layout->addWidget(list_, 1, 0, 1, 3);
    auto* all = new QPushButton(Text(msg::kSelectAll));
    all->setObjectName("id1026");
    auto* clear = new QPushButton(Text(msg::kClear));
    clear->setObjectName("id1027");
    layout->addWidget(all, 2, 1);
    layout->addWidget(clear, 2, 2);
    layout->setColumnStretch(0, 1);
    connect(all, &QPushButton::clicked, this, &CAllInstallCustom::OnSelectAll);
    connect(clear, &QPushButton::clicked, this, &CAllInstallCustom::OnClear);
    list_->AllowChange = [this](int row, bool on) { return AllowChange(row, on); };
    list_->Changed = [this](int row, bool on) { AfterChange(row, on); };
    setCommitPage(true);  // the run follows: there is no way back from it
}

void CAllInstallCustom::OnInitDialog() {
    state_.Modules = FindModules(state_.SourceFolder, state_.SetupFileName, *ctx_.Product);
    if (state_.Modules.empty()) {
        engine_.Ui().Message(msg::kNoModules, {}, PromptButtons::Ok, PromptIcon::Error);
        Wizard()->EndSetup();
        return;
    }
    SortModules(state_.Modules);
    DetectInstalledModules(state_.Modules, state_, engine_.Keys, engine_.Platform, *ctx_.Product);
    FillModuleList();
}

void CAllInstallCustom::FillModuleList() {
    list_->clear();
    list_->setHeaderLabels({Text(msg::kBulkModuleColumn), Text(msg::kBulkPropertyColumn)});
    list_->header()->resizeSection(0, 150);
    for (ModuleRecord& m : state_.Modules) {
        m.Selected = 0;
        list_->AddRow({Q(m.ProductName), QString()}, false);
    }
}

void CAllInstallCustom::OnSetActive() {
    SetNextEnabled(true);
    ApplyCheckStates();
    if (!state_.UpdateInstall && list_->Rows() > 0) list_->SetChecked(0, true);
}

void CAllInstallCustom::ApplyCheckStates() {
    for (int i = 0; i < list_->Rows(); ++i) {
        const ModuleRecord& m = state_.Modules[static_cast<size_t>(i)];
        list_->SetChecked(i, (state_.UpdateInstall ? m.UpdateChecked : m.NewChecked) != 0);
        list_->topLevelItem(i)->setText(1, state_.UpdateInstall && !m.Installed
                                               ? Text(msg::kInstallNewFirst)
                                               : Q(m.SetupTitle));
    }
}

bool CAllInstallCustom::AllowChange(int row, bool on) const {
    const ModuleRecord& m = state_.Modules[static_cast<size_t>(row)];
    if (!state_.UpdateInstall) return !(row == 0 && !on);  // row 0 stays checked
    return !(on && !m.Installed);  // a module not installed cannot be updated
}

void CAllInstallCustom::AfterChange(int, bool) {
    // New: row 0 stays checked. Update: a change checks row 0 again when it is installed.
    if (!state_.UpdateInstall || state_.Modules.front().Installed) list_->SetChecked(0, true);
}

void CAllInstallCustom::OnSelectAll() {
    for (int i = 0; i < list_->Rows(); ++i)
        if (AllowChange(i, true)) list_->SetChecked(i, true);
}

void CAllInstallCustom::OnClear() {
    for (int i = 0; i < list_->Rows(); ++i)
        if (AllowChange(i, false)) list_->SetChecked(i, false);
}

int CAllInstallCustom::ReadCheckStates() {
    int count = 0;
    for (int i = 0; i < list_->Rows(); ++i) {
        ModuleRecord& m = state_.Modules[static_cast<size_t>(i)];
        int on = list_->IsChecked(i) ? 1 : 0;
        m.Selected = on;
        (state_.UpdateInstall ? m.UpdateChecked : m.NewChecked) = on;
        if (on || (i == 0 && (!state_.UpdateInstall || m.Installed))) ++count;
    }
    return count;
}

bool CAllInstallCustom::validatePage() {
    if (ReadCheckStates() == 0) {
        engine_.Ui().Message(msg::kNoComponent, {}, PromptButtons::Ok, PromptIcon::Error);
        return false;
    }
    return true;
}

void CAllInstallCustom::cleanupPage() {
    ReadCheckStates();
}

}  // namespace installer
