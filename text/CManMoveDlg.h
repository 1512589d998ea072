// CManMoveDlg: the modeless "Manual movement" dialog (template 9918): plus and minus buttons
// for X, Y, Z, C and A, five steps, the totals moved on the current line, To Prev and To Next.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QLabel;

// What the dialog reaches of the list and the frame. Unset functions do nothing.
struct ManMoveContext {
    // CNcTextView::ManualMove: 1 when the line changed.
    std::function<int(int axis, int line, double step)> ManualMove;
    // Selects row alone in the list (as a click would, shown in the views); 1 done.
    std::function<int(int row)> SelectLine;
    // The list's selected row, -1 none.
    std::function<int()> SelectedRow;
    // The frame's OnManMoveDlgClosed, called while the dialog still exists.
    std::function<void()> Closed;
    // [ManMoveDlg] of the system settings file; [Manual_Move] of the current machine file.
    std::filesystem::path IniPath;
    std::filesystem::path MachineFile;
};

class CManMoveDlg : public QDialog {
    Q_OBJECT
public:
    // Loads the step from the machine file; the window is made by Create.
    explicit CManMoveDlg(ManMoveContext context, QWidget* parent = nullptr);

    // Shows the dialog over its parent, at its saved place when both values are not -1.
    void Create();

    QString PositionFormat;         // "Total : " (20090) with X, Y and Z
    QString RotationFormat;         // C and A
    int CurrentLine = -1;           // row whose line the buttons move; -1 none
    std::array<double, 5> Moved{};  // X, Y, Z, C, A moved on the current line
    QString PositionText;
    int StepIndex = -1;  // 0.001, 0.01, 0.1, 1, 10
    QString RotationText;

    // save 0 reads [Manual_Move] MoveVal (a value outside 0-4 gives the smallest step), 1
    // writes StepIndex.
    int MoveValProfile(int save);
    // Another row was selected: it becomes the current line and the totals start again.
    int SetCurrentLine(int row);
    void ShowPosition();
    // signedAxis 1-5 for X, Y, Z, C, A, negative for the minus button. 1 when moved.
    int MoveAxis(int signedAxis);
    int ToNext();
    int ToPrev();
    // The Close button: the position is saved, the window closes.
    void OnClose();

    static constexpr double kSteps[5] = {0.001, 0.01, 0.1, 1.0, 10.0};

protected:
    // Closing by the title bar's box or Escape: the window goes, its position is not saved.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ReadStep();
    int Step(int delta);

    ManMoveContext ctx_;
    QButtonGroup* steps_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* rotation_ = nullptr;
    bool told_ = false;
};
