// CSetReplaceDataEditDlg: one row of a conversion table (find text, replacement, start and end
// line).
#pragma once

#include <string>

#include "settings/CSettingsDialog.h"

class QLineEdit;

class CSetReplaceDataEditDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CSetReplaceDataEditDlg(SettingsContext& ctx, QWidget* parent = nullptr);

    // The texts, assigned before Run() and read after OK: find and replacement are CP932 bytes
    // (a ':' stands for a line break); start and end are line numbers as text.
    std::string Find;
    std::string Replace;
    std::string Start = "1";
    std::string End = "1";

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Normalize(QLineEdit* edit);
    void Step(QLineEdit* edit, int delta);
};
