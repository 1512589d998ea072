// The five-axis smoothing's dialogs: the modeless "Smooth 5-axis" dialog (template 9916) with
// its line range and picks, and the modal "Property of smoothing 5-axis" (template 9917).
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>

#include "text/core/FiveAxisSmoothing.h"

class QLabel;
class QLineEdit;

// What the smoothing dialog reaches of the frame. Unset functions do nothing.
struct SmoothDlgContext {
    SmoothParams* Params = nullptr;     // the application's record
    std::filesystem::path MachineFile;  // [06R_Smoothing]
    std::filesystem::path IniPath;      // [06RSmoothDlg]
    std::function<int()> LineCount;     // the document's lines
    std::function<void()> FitViews;     // the views fitted and repainted (the range drawn)
    std::function<void()> FocusView;    // the active element view takes the focus
    // CMainFrame::ApplySmoothing; it closes the dialog itself once the handler has returned.
    std::function<int(SmoothParams*)> ApplySmoothing;
    // CMainFrame::OnSmoothDlgClosed, called while the dialog still exists.
    std::function<void()> Closed;
    // Runs the settings dialog; unset: exec().
    std::function<int(QDialog&)> RunModal;
};

class C06RSmoothDlg : public QDialog {
    Q_OBJECT
public:
    // Reads [06R_Smoothing] into the record.
    explicit C06RSmoothDlg(SmoothDlgContext context, QWidget* parent = nullptr);

    int Initialized = 0;
    int PickMode = 0;  // 0 none, 1 waiting for the first line, 2 for the last
    SmoothParams* Params = nullptr;
    unsigned EndRow = 0;
    unsigned StartRow = 0;
    QString InfoText;

    // save 0 reads [06R_Smoothing] of the machine file into Params, 1 writes it.
    int LoadSaveParams(int save);
    // Shows the dialog (at its saved place when both values are not -1) and takes the range.
    void Create();
    // load: the range from Params, clamped, into the fields and the edits; else from the
    // edits, clamped, into Params.
    void TransferRange(bool load);
    // The range clamped to the document (ClampRange).
    void ClampRange();
    // The line picked in the list or a view (1-based) while a pick is asked for. 1 taken.
    int SetPickedLine(int line);
    // Buttons 1187 and 1188: the next line selected becomes the first or the last line.
    void Pick(int mode);
    // Button 40009: the parameters in their own dialog.
    void OpenSettings();
    // Execute: the range stored, the place saved, the smoothing run by the frame.
    void accept() override;
    // Close: the range stored, the place saved, the window closed.
    void OnClose();

protected:
    // The close box and Escape close the window too (the place is not saved).
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    // The range clamped, stored into Params and shown.
    void StoreRange();
    void SavePosition();
    void ShowInfo();

    SmoothDlgContext ctx_;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QLabel* info_ = nullptr;
    bool told_ = false;
};

class C06RSmoothSetDlg : public QDialog {
    Q_OBJECT
public:
    // params: the caller's record, changed on OK and put back as it was on Cancel.
    explicit C06RSmoothSetDlg(SmoothParams* params, QWidget* parent = nullptr);

    // The values shown "%.3lf" and checked.
    void OnInitDialog();
    // Every field read back, clamped (ValidateSmoothParams) and shown again.
    void Validate();
    void accept() override;
    void reject() override;

    QLineEdit* Edit(int id) const;

    // The edits of the twelve doubles in the record's order, then Digit.
    static constexpr std::array<int, 12> kToleranceIds = {1186, 1171, 1172, 1173, 1174, 1175,
                                                          1178, 1179, 1180, 1181, 1176, 1177};
    static constexpr int kDigitId = 1187;

private:
    void Show(const SmoothParams& p);
    SmoothParams Take() const;

    SmoothParams* params_;
    SmoothParams copy_;
    std::array<QLineEdit*, 12> tolerances_{};
    QLineEdit* digit_ = nullptr;
};
