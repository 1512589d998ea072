// SettingsDialogRunner: runs the modal dialog of a settings command. The program runs the real
// sheets and dialogs; tests put a fake in their place (CMainFrame::SettingsDialogs).
#pragma once

struct SettingsContext;
class QWidget;

class SettingsDialogRunner {
public:
    virtual ~SettingsDialogRunner() = default;
    // Runs the dialog of command (32821, 32822, 32823, 32880, 32884) over parent; true when
    // it ended with OK.
    virtual bool Run(int command, SettingsContext& ctx, QWidget* parent) = 0;
};

// The real dialogs of the settings library.
SettingsDialogRunner& RealSettingsDialogs();
