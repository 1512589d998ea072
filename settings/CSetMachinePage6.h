// CSetMachinePage6: the machine sheet's "Fixed phrase" page, eight phrases for the NC editor,
// each with its comment.
#pragma once

#include <array>
#include <string>

#include "settings/CMachinePage.h"

class CSetMachinePage6 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage6(SettingsContext& ctx, QWidget* parent = nullptr);

    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    int WriteMachineFile(int updateData, int useWorkingCopy) override;

    // [InsertStr] Comment1..8 and String1..8, CP932 bytes.
    std::array<std::string, 8> Comment;
    std::array<std::string, 8> String;
};
