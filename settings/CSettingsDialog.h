// CSettingsDialog: a modal dialog built from a template, with the dialog framework's set-up,
// OK and Cancel handling.
#pragma once

#include <QDialog>

#include "settings/DialogTemplate.h"
#include "settings/FieldBindings.h"
#include "settings/SettingsContext.h"

// Button id 1 is OK and id 2 Cancel, as in the templates; Escape and the window's close box
// count as Cancel. Run() does the set-up and then the modal loop; the set-up may end the dialog
// at once (done(result) in OnInitDialog), and Run then returns that result without showing it.
class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CSettingsDialog(int templateId, SettingsContext& ctx, QWidget* parent = nullptr);

    int Run();

    template <class T>
    T* Ctl(int id) const {
        return Control<T>(form_, id);
    }

    void reject() override { OnCancel(); }

protected:
    // Shows the members; false when the dialog ended itself.
    virtual bool OnInitDialog();
    // Takes the members (with the range messages) and closes with OK.
    virtual void OnOK();
    virtual void OnCancel() { QDialog::reject(); }

    SettingsContext& ctx_;
    FieldBindings bindings_;

private:
    QWidget* form_ = nullptr;
    bool ended_ = false;
};
