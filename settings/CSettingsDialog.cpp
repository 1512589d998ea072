// CSettingsDialog: template, OK and Cancel buttons, set-up before the modal loop.
#include "settings/CSettingsDialog.h"

#include <QPushButton>

#include "settings/ModalRun.h"

CSettingsDialog::CSettingsDialog(int templateId, SettingsContext& ctx, QWidget* parent)
    : QDialog(parent), ctx_(ctx) {
    form_ = EmbedTemplate(templateId, this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (auto* ok = form_->findChild<QPushButton*>(ControlName(1))) {
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
    }
    if (auto* cancel = form_->findChild<QPushButton*>(ControlName(2)))
        connect(cancel, &QPushButton::clicked, this, [this] { OnCancel(); });
    connect(this, &QDialog::finished, this, [this] { ended_ = true; });
}

int CSettingsDialog::Run() {
    ended_ = false;
    setResult(0);
    if (!OnInitDialog() || ended_) return result();
    return RunModal(*this);
}

bool CSettingsDialog::OnInitDialog() {
    bindings_.Show();
    return true;
}

void CSettingsDialog::OnOK() {
    if (bindings_.Take(ctx_.Prompt)) accept();
}
