// CSetMachinePage3: the machine sheet's "Color" page (the rapid, marking, cutting and punch pens).
#pragma once

#include <array>

#include "settings/CMachinePage.h"

class CColorButton;

class CSetMachinePage3 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage3(SettingsContext& ctx, QWidget* parent = nullptr);

    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    int WriteMachineFile(int updateData, int useWorkingCopy) override;

    // The pens' colours live in the buttons: rapid 1021, marking 1022, cutting 1023, punch 1024.
    CColorButton* Button(int index) const { return buttons_[size_t(index)]; }

private:
    std::array<CColorButton*, 4> buttons_{};
};
