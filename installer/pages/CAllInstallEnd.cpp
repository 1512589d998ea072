// The bulk end page: the wizard hides while the progress dialog runs.
#include "installer/pages/CAllInstallEnd.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "installer/engine/MessageIds.h"
#include "installer/pages/CBulkProgressDlg.h"

namespace installer {

CAllInstallEnd::CAllInstallEnd(WizardContext& context) : SetupPage(context, msg::kBulkEndTitle) {
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(Text(msg::kBulkEndText));
    text->setWordWrap(true);
    list_ = new QTreeWidget;
    list_->setObjectName("id1017");
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionsClickable(false);
    layout->addWidget(text);
    layout->addWidget(list_);
}

void CAllInstallEnd::OnInitDialog() {
    wizard()->hide();
    CBulkProgressDlg dlg(ctx_, nullptr);
    if (BeforeRun) BeforeRun(dlg);
    dlg.exec();
    wizard()->show();
}

void CAllInstallEnd::OnSetActive() {
    state_.Finished = 1;
    wizard()->button(QWizard::CancelButton)->setEnabled(false);
    SetNextEnabled(true);  // Finish
    list_->clear();
    list_->setHeaderLabels({Text(msg::kBulkResultModule), Text(msg::kBulkResultColumn)});
    list_->header()->resizeSection(0, 203);
    for (const ModuleRecord& m : state_.Modules) {
        if (!m.Selected) continue;
        new QTreeWidgetItem(
            list_, {Q(m.ProductName), Text(m.Succeeded ? msg::kBulkDone : msg::kBulkFailed)});
    }
}

}  // namespace installer
