// CSetSystemSheet: the system settings sheet (display, DXF output, external applications,
// options).
#pragma once

#include <array>

#include "settings/CSettingsSheet.h"

class CSystemPage;
class CSetSystemPage5;

// Tabs 0 to 5 hold pages 1, 2, 3, 5 (DXF), 6 (external applications) and 4 (options); the DXF
// page is tab 3. A page counts as shown once its tab came up (tab 0, where the sheet starts,
// always); only shown pages are checked and write at OK. OK first runs the DXF page's check.
class CSetSystemSheet : public CSettingsSheet {
    Q_OBJECT
public:
    explicit CSetSystemSheet(SettingsContext& ctx, QWidget* parent = nullptr);

    // Page 1 to 6 by its number.
    CSystemPage* Page(int number) const;
    CSetSystemPage5* DxfPage() const;

    static constexpr int kDxfTab = 3;

    void accept() override;

protected:
    bool PageTakesPart(int index) const override;
    void OnTabShown(int index) override;

private:
    std::array<CSystemPage*, 6> pages_{};
};
