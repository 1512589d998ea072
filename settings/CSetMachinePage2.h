// CSetMachinePage2: the machine sheet's "Coordinates" page (initial position, sheet frame,
// clamps and work holders).
#pragma once

#include <array>

#include "settings/CMachinePage.h"

class QComboBox;

class CSetMachinePage2 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage2(SettingsContext& ctx, QWidget* parent = nullptr);

    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    int WriteMachineFile(int updateData, int useWorkingCopy) override;

    std::array<double, 3> G92BaseInit{};  // X, Y, Z
    int FrameDisp = 0;
    double FrameX = 1840.0;
    double FrameY = 1270.0;
    double FrameXmin = 0.0;
    double FrameYmin = 0.0;
    double ClampSizeX = 100.0;
    double ClampSizeY = 20.0;
    std::array<double, 4> ClampPoint{};
    int HolderCount = 2;
    std::array<double, 3> HolderR{};
    std::array<double, 3> HolderX{};
    std::array<double, 3> HolderY{};

private:
    void SelectHolderCount();
    QComboBox* holders_ = nullptr;
};
