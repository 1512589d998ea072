// CSetMachineSheet: the machine settings sheet, which edits the machine file through its working
// copy, with its open and save-as commands.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "settings/SettingsContext.h"

class CMachinePage;
class QPushButton;
class QTabWidget;

// The tabs are pages 1, 2, 3, 4 and 6 and then, when the system settings allow punching
// (ForbidPunchApp 0) and the punch page is in the program, page 5. Every page reads the working
// copy when the sheet is built; OK has every page of the sheet write into it; Cancel writes
// nothing (what an open or a save-as did outside the sheet stays done).
class CSetMachineSheet : public QDialog {
    Q_OBJECT
public:
    explicit CSetMachineSheet(SettingsContext& ctx, QWidget* parent = nullptr);
    ~CSetMachineSheet() override;

    // The modal run (RunModal); QDialog::Accepted after OK.
    int Run();

    QTabWidget* Tabs() const { return tabs_; }
    // Page 1 to 6 by its number; null for a page the program lacks (5 until the punch page is
    // in the program).
    CMachinePage* Page(int number) const;
    // The pages of the sheet in tab order.
    const std::vector<CMachinePage*>& TabPages() const { return tabPages_; }
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
    void OnTabChanged(int index);
    // Checks the pages' fields, the current page first; after a failure the failing page is
    // shown, its message given and its field focused.
    bool CheckPages();
    void ShowTab(int index);
    void WriteActivePage(int index);
    void SetMachineFileName(const std::string& path);

    SettingsContext& ctx_;
    QTabWidget* tabs_ = nullptr;
    std::array<CMachinePage*, 6> pages_{};
    std::vector<CMachinePage*> tabPages_;
    QPushButton* open_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    int current_ = 0;
};
