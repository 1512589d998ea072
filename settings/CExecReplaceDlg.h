// CExecReplaceDlg: Convert NC, the conversion tables on ten buttons, ten to a page; a click
// runs its table on the open program.
#pragma once

#include <array>
#include <memory>

#include "settings/CSettingsDialog.h"

class CNcReplaceInfo;
class QPushButton;
class QToolButton;

class CExecReplaceDlg : public CSettingsDialog {
    Q_OBJECT
public:
    explicit CExecReplaceDlg(SettingsContext& ctx, QWidget* parent = nullptr);
    ~CExecReplaceDlg() override;

    // The button at position 0 to 9 (top to bottom), "<<" and ">>".
    QPushButton* TableButton(int position) const { return buttons_[size_t(position)]; }
    QToolButton* PreviousPage() const { return previous_; }
    QToolButton* NextPage() const { return next_; }
    int PageOffset() const { return offset_; }
    int TableCount() const;

    void OnNextPage();
    void OnPrevPage();
    // Runs the table at index on the open program (RunConversionTable); its result.
    int ExecReplace(int index);

protected:
    bool OnInitDialog() override;

private:
    void RefreshButtons();
    void OnTable(int position);

    std::unique_ptr<CNcReplaceInfo> tables_;
    std::array<QPushButton*, 10> buttons_{};
    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    int offset_ = 0;
};
