// CSystemPage: a page of the system settings sheet.
#pragma once

#include "settings/CSettingsPage.h"

// A page reads its keys when it is built, or (the DXF and external-application pages) in
// OnInitDialog, the first time its tab is shown. Only pages whose tab was shown write, in OnOK,
// every key they own: a page the user never saw leaves the file as it is.
class CSystemPage : public CSettingsPage {
    Q_OBJECT
public:
    using CSettingsPage::CSettingsPage;

    bool Shown() const { return shown_; }
    // The tab came up: the first time, OnInitDialog runs.
    void MarkShown();
    // Writes every key of the page.
    virtual void OnOK() = 0;

protected:
    virtual void OnInitDialog() {}

private:
    bool shown_ = false;
};
