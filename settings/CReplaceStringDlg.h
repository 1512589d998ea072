// CReplaceStringDlg: the small dialog that edits one pair of texts.
#pragma once

#include <string>

#include "settings/CSettingsDialog.h"

// Mode 0: a text to find (required) and its replacement.
// Mode 1: a file extension and the machine file that goes with it (required; ".nmd" is added to
// a name without '.'); button 1213 browses for the machine file.
// In both modes the texts are CP932 settings texts.
// The caller assigns First and Second (stored bytes) before Run() and reads them after OK.
class CReplaceStringDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CReplaceStringDlg(SettingsContext& ctx, QWidget* parent = nullptr, int mode = 0);

    int Mode() const { return mode_; }
    std::string First;
    std::string Second;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowse();
    int mode_ = 0;
};
