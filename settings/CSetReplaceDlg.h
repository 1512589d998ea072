// CSetReplaceDlg: the list of conversion tables with their comments; new, rename or
// re-comment, delete, open a table's rows, and run a table on the open program.
#pragma once

#include <string>
#include <vector>

#include "settings/CSettingsDialog.h"

class QTreeWidget;

class CSetReplaceDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CSetReplaceDlg(SettingsContext& ctx, QWidget* parent = nullptr);

    QTreeWidget* List() const { return list_; }
    // The row the commands work on: the selected one, else the list's current row; -1.
    int CurrentRow() const;
    // The names and comments (CP932) the list shows, row for row.
    const std::vector<std::string>& Names() const { return names_; }
    const std::vector<std::string>& Comments() const { return comments_; }

    void OnEditNameComment();
    void OnNew();
    void OnDelete();
    void OnOpenRows();
    void OnConvert();
    // Lists the tables again into a new shared table object; no row is marked.
    void RefreshList();

protected:
    bool OnInitDialog() override;

private:
    void Fill();
    void AddRow(const std::string& name, const std::string& comment);
    void ShowRow(int row);
    void RemoveRow(int row);

    QTreeWidget* list_ = nullptr;
    std::vector<std::string> names_;
    std::vector<std::string> comments_;
};
