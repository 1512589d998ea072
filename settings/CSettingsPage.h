// CSettingsPage: a page of a settings sheet, built from a template, with its data exchange.
#pragma once

#include <QWidget>

#include "settings/DialogTemplate.h"
#include "settings/FieldBindings.h"
#include "settings/SettingsContext.h"

// The tab title is the template's title. Before the sheet leaves the page, saves or ends with
// OK it asks TakeControls(prompt): false after the page reported a field that cannot be taken
// (message shown, field focused).
class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    CSettingsPage(int templateId, SettingsContext& ctx, QWidget* parent = nullptr);

    // Controls into members with the range checks; report null checks silently.
    virtual bool TakeControls(platform::UserPrompt* report) { return bindings_.Take(report); }

    QWidget* Form() const { return form_; }
    // The page's control id (see DialogTemplate.h).
    template <class T>
    T* Ctl(int id) const {
        return Control<T>(form_, id);
    }

protected:
    SettingsContext& ctx_;
    FieldBindings bindings_;

private:
    QWidget* form_ = nullptr;
};
