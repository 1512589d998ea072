// CSetSystemPage6: the system sheet's "Start application" page, the two external applications.
#pragma once

#include <string>

#include "settings/CSystemPage.h"

class CSetSystemPage6 : public CSystemPage {
    Q_OBJECT
public:
    explicit CSetSystemPage6(SettingsContext& ctx, QWidget* parent = nullptr);

    void OnOK(ProfileEdit& file) override;
    // The applications and tool-bar titles to the frame.
    void OnWritten() override;

    // Section OutAppli; program paths native, options and titles CP932.
    std::string Application1, Option1, Title1;
    std::string Application2, Option2, Title2;

protected:
    void OnInitDialog() override;

private:
    void Browse(std::string& application);
};
