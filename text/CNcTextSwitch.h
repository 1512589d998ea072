// CNcTextSwitch: the form below the NC pane with the two buttons "Trace" (the line list) and
// "Edit" (the editor) that switch the pane through the frame.
#pragma once

#include <QWidget>
#include <functional>

class QButtonGroup;
class QPushButton;

class CNcTextSwitch : public QWidget {
    Q_OBJECT
public:
    enum : int { kIdTrace = 1098, kIdEdit = 1099 };

    // toggleEditMode is CMainFrame::ToggleEditMode; it swaps the pane and writes Mode.
    CNcTextSwitch(QWidget* parent, std::function<void()> toggleEditMode);

    int Switching = 0;  // 1 while the frame swaps the NC pane
    int Mode = 0;       // 0 "Trace" (the list is shown), 1 "Edit" (the editor)

    // The form's initial update: in process mode 11 the "Edit" button is disabled.
    void OnInitialUpdate(int processMode);
    // Both buttons on or off (off while a trace runs).
    void EnableButtons(int enable);
    // The buttons show Mode.
    void SetButtonsFromMode();

    // The button handlers, as a click runs them.
    void OnEditMode();
    void OnListMode();

    QPushButton* TraceButton() const { return trace_; }
    QPushButton* EditButton() const { return edit_; }

private:
    void Toggle();

    std::function<void()> toggle_;
    QButtonGroup* group_ = nullptr;
    QPushButton* trace_ = nullptr;
    QPushButton* edit_ = nullptr;
    bool editAllowed_ = true;
};
