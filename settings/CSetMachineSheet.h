// CSetMachineSheet: the machine settings sheet, which edits the machine file through its working
// copy, with its open and save-as commands.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "settings/CSettingsSheet.h"

class CMachinePage;
class QPushButton;

// The tabs are pages 1, 2, 3, 4 and 6 and then, when the system settings allow punching
// (ForbidPunchApp 0) and the punch page is in the program, page 5. Every page reads the working
// copy when the sheet is built; OK has every page of the sheet write into it; Cancel writes
// nothing (what an open or a save-as did outside the sheet stays done).
class CSetMachineSheet : public CSettingsSheet {
    Q_OBJECT
public:
    explicit CSetMachineSheet(SettingsContext& ctx, QWidget* parent = nullptr);
    ~CSetMachineSheet() override;

    // Page 1 to 6 by its number; null for a page the program lacks (5 until the punch page is
    // in the program).
    CMachinePage* Page(int number) const;
    // The pages of the sheet in tab order.
    const std::vector<CMachinePage*>& MachinePages() const { return machinePages_; }
    QPushButton* OpenButton() const { return open_; }
    QPushButton* SaveAsButton() const { return saveAs_; }

    // Command 130: copies another machine file over the working copy and lets every page read it.
    void OnOpen();
    // Command 131: writes what every page shows into a named machine file.
    void OnSaveAs();

    void accept() override;
    void reject() override;

    // The punch page's maker: the die dialogs' part of the program installs it. It builds the
    // page (which reads its keys) as a child of parent.
    using PageMaker = std::function<CMachinePage*(SettingsContext& ctx, QWidget* parent)>;
    static void SetPunchPageMaker(PageMaker maker);

private:
    // Records path as the machine file: NcRead FileName of the system settings (and, when
    // activePage is not negative, the remembered tab, in the same write), then the name in
    // memory. False, after the message, with neither changed when the settings file cannot be
    // written.
    bool SetMachineFileName(const std::string& path, int activePage = -1);
    // Has each of pages write (write(page)) into a staging copy of base and puts the result
    // over target in one write. False, with target as it was, when any of it fails.
    bool WritePages(const std::filesystem::path& base, const std::filesystem::path& target,
                    const std::vector<CMachinePage*>& pages,
                    const std::function<int(CMachinePage&)>& write);

    std::array<CMachinePage*, 6> pages_{};
    std::vector<CMachinePage*> machinePages_;
    QPushButton* open_ = nullptr;
    QPushButton* saveAs_ = nullptr;
};
