// The installer's wizard page base.
#include "installer/SetupPage.h"

#include <QTimer>

#include "installer/CInstallWizard.h"
#include "installer/engine/InstallerText.h"

namespace installer {

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString Text(unsigned id) {
    return Q(InstallerString(id));
}

QString Text(unsigned id, const std::vector<std::string>& args) {
    return Q(InstallerMessage(id, args));
}

SetupPage::SetupPage(WizardContext& context, unsigned titleId, QWidget* parent)
    : QWizardPage(parent), ctx_(context), state_(context.State), engine_(context.Engine) {
    if (titleId) setTitle(Text(titleId));
    setSubTitle(" ");
}

void SetupPage::Activate() {
    if (!initialized_) {
        initialized_ = true;
        OnInitDialog();
    }
    OnSetActive();
    if (ctx_.Unattended && nextEnabled_) {
        // Unattended: the page goes on by itself once it is on screen.
        QTimer::singleShot(0, this, [this] {
            if (!wizard() || wizard()->currentPage() != this) return;
            if (nextId() == -1)
                wizard()->accept();
            else
                wizard()->next();
        });
    }
}

void SetupPage::SetNextEnabled(bool on) {
    if (nextEnabled_ == on) return;
    nextEnabled_ = on;
    emit completeChanged();
}

CInstallWizard* SetupPage::Wizard() const {
    return qobject_cast<CInstallWizard*>(wizard());
}

void SetupPage::PressNext() {
    if (wizard()) wizard()->next();
}

}  // namespace installer
