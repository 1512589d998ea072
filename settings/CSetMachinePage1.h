// CSetMachinePage1: the machine sheet's "Parameter" page (NC dialect, codes, sub-program codes).
#pragma once

#include <array>
#include <string>

#include "settings/CMachinePage.h"

class QButtonGroup;

class CSetMachinePage1 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage1(SettingsContext& ctx, QWidget* parent = nullptr);

    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    int WriteMachineFile(int updateData, int useWorkingCopy) override;

    // Members as stored (texts are CP932 bytes).
    int AbsInc = 0;
    int ArcAbsInc = 1;
    // CodeMainPro, CodeMainSub, CodeMainCall, CodeHNumber, CodeFor: one character each.
    std::array<std::string, 5> Code;
    // OptSubCall, OptSubBack, OptMarkOn, OptCutOn.
    std::array<std::string, 4> Opt;
    unsigned ZeroTimes = 1000;
    int LaserPunch = 0;
    int HeadType = 1;
    int PunchNcType = 0;
    std::string Header;
    std::string Footer;
    // Kept: read and written back unchanged.
    std::string Scc;
    int PrgNoLen = 4;
    int IgnorePercent = 0;

private:
    // Radio 1052 "Murata": ZeroTimes must then be 1.
    void OnMurata();
};
