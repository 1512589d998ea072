// RunModal and its test seam.
#include "settings/ModalRun.h"

#include <QDialog>

namespace {

ModalScript& CurrentScript() {
    static ModalScript script;
    return script;
}

}  // namespace

int RunModal(QDialog& dialog) {
    if (ModalScript script = CurrentScript()) return script(dialog);
    return dialog.exec();
}

ModalScriptGuard::ModalScriptGuard(ModalScript script) : previous_(CurrentScript()) {
    CurrentScript() = std::move(script);
}

ModalScriptGuard::~ModalScriptGuard() {
    CurrentScript() = std::move(previous_);
}
