// RunModal: the one place where a settings dialog enters its modal loop, and the seam through
// which tests act on a dialog instead of waiting in it.
#pragma once

#include <functional>

class QDialog;

// exec() in the program. While a script is installed, the script runs in its place: it gets the
// dialog, set up and not shown, acts on its controls as a user would (clicking OK ends the
// dialog as usual) and returns the dialog's result.
int RunModal(QDialog& dialog);

using ModalScript = std::function<int(QDialog& dialog)>;

// Installs a script for every RunModal until the guard ends; guards nest (the inner one wins,
// then the outer one is back).
class ModalScriptGuard {
public:
    explicit ModalScriptGuard(ModalScript script);
    ~ModalScriptGuard();
    ModalScriptGuard(const ModalScriptGuard&) = delete;
    ModalScriptGuard& operator=(const ModalScriptGuard&) = delete;

private:
    ModalScript previous_;
};
