// CSetToolDlg: the cutting-condition table ("Za_Reve.ntd"): its rows, the colour switch and the
// three condition words; OK writes the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/CSettingsDialog.h"

class QTreeWidget;

class CSetToolDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CSetToolDlg(SettingsContext& ctx, QWidget* parent = nullptr);

    // A row as the list shows it; the last row is that of all other conditions.
    struct Row {
        uint32_t colour = 0;  // 0x00BBGGRR
        unsigned number = 0;
        std::string name;      // CP932
        std::string diameter;  // as shown, three decimals
        std::string height;
    };
    const std::vector<Row>& Rows() const { return rows_; }
    QTreeWidget* List() const { return list_; }

    int DrawShavColor = 0;
    std::string ShavString1, ShavString2, ShavString3;  // CP932

    void OnAdd();
    void OnEdit();
    void OnDelete();

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void ShowRow(int row);
    void EnableWords();

    std::vector<Row> rows_;
    QTreeWidget* list_ = nullptr;
};
