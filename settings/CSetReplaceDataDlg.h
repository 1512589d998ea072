// CSetReplaceDataDlg: the rows and the two switches of one conversion table; its OK rewrites the
// table file.
#pragma once

#include <string>
#include <vector>

#include "settings/CSettingsDialog.h"

class QTreeWidget;

class CSetReplaceDataDlg : public CSettingsDialog {
    Q_OBJECT
public:
    // The result when the table cannot be read at set-up or its file is gone at the save.
    static constexpr int kTableGone = -2;

    CSetReplaceDataDlg(SettingsContext& ctx, std::string name, std::string comment,
                       QWidget* parent = nullptr);

    struct Row {
        std::string find, replace;  // CP932
        std::string start, end;     // line numbers as text
    };
    const std::vector<Row>& Rows() const { return rows_; }
    QTreeWidget* List() const { return list_; }
    // The row the commands work on: the selected one, else the list's current row.
    int CurrentRow() const;

    void OnAddRow();
    void OnEditRow();
    void OnDeleteRow();
    void OnMoveUp();
    void OnMoveDown();

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowRow(int row);
    void Swap(int a, int b);

    std::string name_;
    std::string comment_;
    std::vector<Row> rows_;
    QTreeWidget* list_ = nullptr;
};
