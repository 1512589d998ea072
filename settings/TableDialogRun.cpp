// RunTableDialog and its test seam.
#include "settings/TableDialogRun.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

// Runs the next script of the installed TableDialogScripts on a dialog just set up.
void RunTableDialogScript(QWidget* dialog, int templateId);

namespace {

// The dialogs running now, innermost last. A dialog is bound to its entry at its first event
// (the controller's set-up), so a posted event that reaches an outer dialog while an inner one
// runs still finds the outer dialog's hook.
struct Running {
    int templateId;
    DlgBoxHook hook;
    QWidget* dialog;
};
std::vector<Running>& Stack() {
    static std::vector<Running> stack;
    return stack;
}

TableDialogScripts*& Current() {
    static TableDialogScripts* current = nullptr;
    return current;
}

int Trampoline(QWidget* dialog, const DlgBoxEvent* event) {
    std::vector<Running>& stack = Stack();
    Running* entry = nullptr;
    for (auto it = stack.rbegin(); it != stack.rend() && !entry; ++it)
        if (it->dialog == dialog) entry = &*it;
    if (!entry) {
        for (auto it = stack.rbegin(); it != stack.rend() && !entry; ++it)
            if (!it->dialog) entry = &*it;
        if (!entry) return 0;
        entry->dialog = dialog;
    }
    const int templateId = entry->templateId;
    const int result = entry->hook ? entry->hook(dialog, event) : 0;
    if (event->type == DBE_INIT) RunTableDialogScript(dialog, templateId);
    return result;
}

}  // namespace

void RunTableDialogScript(QWidget* dialog, int templateId) {
    TableDialogScripts* scripts = Current();
    if (!scripts) return;
    scripts->opened.push_back(templateId);
    QPointer<QWidget> guard(dialog);
    auto fail = [scripts, guard](std::string what) {
        scripts->failures.push_back(std::move(what));
        QTimer::singleShot(0, guard, [guard] {
            if (guard) DlgBoxEnd(guard, 0);
        });
    };
    if (scripts->scripts_.empty())
        return fail("dialog " + std::to_string(templateId) + " unscripted");
    auto [id, script] = std::move(scripts->scripts_.front());
    scripts->scripts_.pop_front();
    if (id != templateId)
        return fail("dialog " + std::to_string(templateId) + " opened, " + std::to_string(id) +
                    " scripted");
    QTimer::singleShot(5000, dialog, [scripts, guard, templateId] {
        scripts->failures.push_back("dialog " + std::to_string(templateId) + " left open");
        if (guard) DlgBoxEnd(guard, 0);
    });
    QTimer::singleShot(0, dialog, [guard, script = std::move(script)] {
        if (!guard) return;
        guard->activateWindow();
        QApplication::setActiveWindow(guard);
        script(guard);
    });
}

int RunTableDialog(int templateId, QWidget* owner, DlgBoxItem* items, int count, DlgBoxHook hook) {
    Stack().push_back({templateId, hook, nullptr});
    const int result = wpDlgBoxCtrl(":/templates", templateId, owner, items, count, Trampoline);
    Stack().pop_back();
    return result;
}

TableDialogScripts::TableDialogScripts() : previous_(Current()) {
    Current() = this;
}

TableDialogScripts::~TableDialogScripts() {
    Current() = previous_;
}

void TableDialogScripts::Add(int templateId, Script script) {
    scripts_.emplace_back(templateId, std::move(script));
}
