// CSetSystemPage3: the system sheet's "ToolPath" page, the colours and marks of the element
// views.
#pragma once

#include "settings/CSystemPage.h"

class CColorButton;

class CSetSystemPage3 : public CSystemPage {
    Q_OBJECT
public:
    explicit CSetSystemPage3(SettingsContext& ctx, QWidget* parent = nullptr);

    void OnOK(ProfileEdit& file) override;
    CColorButton* Button(int id) const;

    unsigned EdgeArrowSize = 10;
    unsigned AcAxisLength = 10;
    int MoveDirection = 1;  // 0 the window moves, 1 the drawing
};
