// The exported entry points of table-driven dialogs.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include "wepo/Wepo.h"
#include "wepo/dlgbox/DlgBoxForm.h"
#include "wepo/dlgbox/TemplateLoader.h"
#include "wepo/util/WindowUtil.h"

using wepo::DlgBoxForm;

namespace {

// A template whose top level is no dialog is shown inside one.
wepo::TemplateDialog* AsDialog(QWidget* form) {
    if (auto* dialog = qobject_cast<wepo::TemplateDialog*>(form)) return dialog;
    auto* dialog = new wepo::TemplateDialog;
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    dialog->setWindowTitle(form->windowTitle());
    dialog->resize(form->size());
    layout->addWidget(form);
    return dialog;
}

}  // namespace

extern "C" {

WEPO_API int wpDlgBoxCtrl(const char* templateSource, int templateId, QWidget* owner,
                          DlgBoxItem* items, int count, DlgBoxHook hook) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return -1;
    QWidget* form = wepo::LoadTemplate(templateSource, templateId);
    if (!form) return -1;
    wepo::TemplateDialog* dialog = AsDialog(form);
    dialog->setParent(owner, dialog->windowFlags() | Qt::Dialog);
    dialog->setModal(true);
    auto* controller = new DlgBoxForm(dialog, templateSource, items, count, hook, true);
    if (controller->SetUp() && !controller->HasEnded()) dialog->exec();
    int result = static_cast<int>(controller->Result());
    controller->Destroy();
    delete dialog;
    return result;
}

WEPO_API QWidget* DlgBoxControl(QWidget* dialog, unsigned controlId) {
    return wepo::FindControl(dialog, controlId);
}

WEPO_API int DlgBoxPostCommand(QWidget* dialog, unsigned controlId) {
    DlgBoxForm* form = DlgBoxForm::Of(dialog);
    if (!form) return 0;
    form->PostCommand(controlId);
    return 1;
}

WEPO_API int DlgBoxFocusItem(QWidget* dialog, unsigned controlId) {
    QWidget* control = wepo::FindControl(dialog, controlId);
    if (!control) return 0;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    return 1;
}

WEPO_API DlgBoxItem* DlgBoxGetItems(QWidget* dialog, int* count) {
    DlgBoxForm* form = DlgBoxForm::Of(dialog);
    if (!form) {
        if (count) *count = 0;
        return nullptr;
    }
    return form->Items(count);
}

WEPO_API int DlgBoxFillItem(QWidget* dialog, int index) {
    DlgBoxForm* form = DlgBoxForm::Of(dialog);
    return form ? form->Fill(index) : 0;
}

WEPO_API int DlgBoxStoreItem(QWidget* dialog, int index) {
    DlgBoxForm* form = DlgBoxForm::Of(dialog);
    return form ? form->Store(index) : 0;
}

WEPO_API int DlgBoxReformatItem(QWidget* dialog, int index) {
    DlgBoxForm* form = DlgBoxForm::Of(dialog);
    return form ? form->Reformat(index) : 0;
}

WEPO_API int DlgBoxEnd(QWidget* dialog, int ok) {
    if (DlgBoxForm* form = DlgBoxForm::Of(dialog)) return form->End(ok);
    // A dialog without a controller ends with the argument.
    if (auto* plain = qobject_cast<QDialog*>(dialog)) {
        plain->done(ok);
        return 1;
    }
    return 0;
}

}  // extern "C"
