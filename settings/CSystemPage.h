// CSystemPage: a page of the system settings sheet.
#pragma once

#include "settings/CSettingsPage.h"

class ProfileEdit;

// A page reads its keys when it is built, or (the DXF and external-application pages) in
// OnInitDialog, the first time its tab is shown. Only pages whose tab was shown write, in OnOK,
// every key they own: a page the user never saw leaves the file as it is. The sheet gathers
// the keys of every page in one edit of the file and writes it once; only when that write
// succeeds do the pages hand anything to the running program (OnWritten).
class CSystemPage : public CSettingsPage {
    Q_OBJECT
public:
    using CSettingsPage::CSettingsPage;

    bool Shown() const { return shown_; }
    // The tab came up: the first time, OnInitDialog runs.
    void MarkShown();
    // Sets every key of the page in the sheet's edit of the settings file.
    virtual void OnOK(ProfileEdit& file) = 0;
    // The keys are on disk: what the running program takes at once.
    virtual void OnWritten() {}

protected:
    virtual void OnInitDialog() {}

private:
    bool shown_ = false;
};
