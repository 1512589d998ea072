// CSetMachinePage4: the machine sheet's "Replace" page, the text conversions applied to NC lines
// before they are read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/CMachinePage.h"

class QTreeWidget;
class QTreeWidgetItem;

class CSetMachinePage4 : public CMachinePage {
    Q_OBJECT
public:
    explicit CSetMachinePage4(SettingsContext& ctx, QWidget* parent = nullptr);

    int ReadMachineFile(int updateControls, int useWorkingCopy) override;
    int WriteMachineFile(int updateData, int useWorkingCopy) override;

    // The rows, parallel (texts are CP932 bytes); the list shows them row for row and each
    // item's flag equals its row's Enable.
    std::vector<std::string> From;
    std::vector<std::string> To;
    std::vector<uint32_t> Enable;

    QTreeWidget* List() const { return list_; }
    // The first selected row, -1 when none is selected.
    int SelectedRow() const;

    // The commands (buttons 32856, 32855, 32857, 1042, 1043).
    void OnAppend();
    void OnUpdate();
    void OnDelete();
    void OnUp();
    void OnDown();
    // A click on a row's check image flips its flag; a click on the first column's header
    // sets every row to the flipped toggle-all flag.
    void OnClickCheck(int row);
    void OnColumnClick(int column);

private:
    void FillList();
    void ShowRow(int row);
    void Swap(int a, int b);
    int toggleAll_ = 1;
    QTreeWidget* list_ = nullptr;
};
