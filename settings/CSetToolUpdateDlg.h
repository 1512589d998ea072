// CSetToolUpdateDlg: one cutting condition (number, name, height, diameter, colour).
#pragma once

#include <string>

#include "settings/CSettingsDialog.h"

class CColorButton;

class CSetToolUpdateDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CSetToolUpdateDlg(SettingsContext& ctx, QWidget* parent = nullptr);

    // Filled by the caller before Run() and read after OK.
    int IsOtherRow = 0;  // the row of all other conditions: its number is not edited
    unsigned Number = 0;
    double Height = 0.0;
    double Diameter = 0.0;
    std::string Name;  // CP932
    // The colour lives in the button (default 0, 255, 255).
    CColorButton* Colour() const { return colour_; }

protected:
    bool OnInitDialog() override;

private:
    CColorButton* colour_ = nullptr;
};
