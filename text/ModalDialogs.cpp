// Modal dialogs of the NC operations.
#include "text/ModalDialogs.h"

#include <QDialog>

namespace {

std::function<int(QDialog&)>& Runner() {
    static std::function<int(QDialog&)> runner;
    return runner;
}

}  // namespace

int RunModalDialog(QDialog& dialog) {
    if (Runner()) return Runner()(dialog);
    return dialog.exec();
}

void SetModalDialogRunner(std::function<int(QDialog&)> runner) {
    Runner() = std::move(runner);
}
