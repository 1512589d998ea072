// Modal dialogs of the NC operations run through one door, so that a test can answer them
// without a window manager.
#pragma once

#include <functional>

class QDialog;

// Runs dialog modally and returns its result (QDialog::Accepted or Rejected): exec(), or the
// runner a test has set.
int RunModalDialog(QDialog& dialog);

// Sets (or, with an empty function, clears) the runner that answers every modal dialog of the
// NC operations. The runner may fill the dialog's controls and call accept() or reject().
void SetModalDialogRunner(std::function<int(QDialog&)> runner);
