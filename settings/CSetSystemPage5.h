// CSetSystemPage5: the system sheet's "Output dxf" page (section Dxf) and the check the sheet
// runs before it accepts OK.
#pragma once

#include <optional>
#include <string>

#include "settings/CSystemPage.h"

class CSetSystemPage5 : public CSystemPage {
    Q_OBJECT
public:
    explicit CSetSystemPage5(SettingsContext& ctx, QWidget* parent = nullptr);

    void OnOK(ProfileEdit& file) override;

    // What the check found first: the message id, its %s text and the control to focus.
    struct Problem {
        unsigned message = 0;
        std::string argument;
        int control = 0;
    };
    std::optional<Problem> FindDxfProblem() const;
    // 1 when the settings may be applied (a fixed output name without an extension gets
    // ".dxf"); 0 after the first problem was reported and its control focused.
    int CheckDxfSettings();

    // Before the page is first shown its switches are off, so an unshown page passes the check.
    int FileNameMode = -1;  // SpecifyDxfFileNameFlag: 0 ask at output, 1 fixed name
    int ExecCad = 0;
    int CutOutput = 0;
    int RapidOutput = 0;
    int MarkOutput = 0;
    int ApproachMode = 0;  // 0 delete, 1 change the pen
    int ApproachProcess = 0;
    double JointLength = 0.0;
    double ApproachCheckLength = 0.0;

protected:
    void OnInitDialog() override;

private:
    // The enabling table, from the switches as the controls show them.
    void ApplyEnabling();
    std::string Layer(int id) const;
};
