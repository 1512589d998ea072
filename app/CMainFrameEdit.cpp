// CMainFrame: the switch between the NC list and the editor, the editor's commit and the edit
// and search commands, which go to the editor in edit mode and to the list (or nowhere)
// otherwise.
#include <QScopeGuard>

#include "app/CLoadingDlg.h"
#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CommandIds.h"
#include "platform/StringTable.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"

namespace {

constexpr unsigned kMsgPleaseWait = 20072;

}  // namespace

bool CMainFrame::EditModeSwitchRefused() const {
    // Process mode 11 shows a program without editing. During a trace (and while a trace step
    // runs, also one whose trace was cancelled meanwhile) the list is the trace's pane and the
    // document's lines must stay as the trace reads them.
    return app_->ProcessMode == 11 || app_->TraceActive != 0 || TraceStepUnderWay();
}

CNcTextEdit* CMainFrame::Editor() const {
    return dynamic_cast<CNcTextEdit*>(ncPane_);
}

int CMainFrame::CommitEditorText() {
    CNcTextEdit* edit = Editor();
    return edit ? edit->SaveTextToDocument() : 1;
}

void CMainFrame::ToggleEditMode() {
    // The swap destroys the list: not while a trace step runs on it.
    if (DeferUntilStepDone([this] { ToggleEditMode(); })) return;
    auto* sw = qobject_cast<CNcTextSwitch*>(switchForm_);
    // The switch form's buttons show the pane the frame ends with, also after a refusal.
    auto showMode = [this, sw] {
        if (!sw) return;
        sw->Mode = EditMode;
        sw->SetButtonsFromMode();
    };
    if (EditModeSwitchRefused()) {
        showMode();
        return;
    }
    if (sw) sw->Switching = 1;
    CLoadingDlg* progress = nullptr;
    if (!app_->LoadingDlg && isVisible()) {
        progress = new CLoadingDlg(0, this);
        progress->SetMessage(QString::fromStdString(platform::LoadString(kMsgPleaseWait)));
        progress->Refresh();
        app_->LoadingDlg = progress;
    }
    // Down whatever happens: the progress window, the guard.
    const auto done = qScopeGuard([&] {
        if (progress) {
            if (app_->LoadingDlg == progress) app_->LoadingDlg = nullptr;
            delete progress;
        }
        if (sw) sw->Switching = 0;
        showMode();
    });
    // The editor's text goes into the document before the editor goes; when it cannot, the
    // editor stays with the user's text.
    if (EditMode == 1 && !CommitEditorText()) return;
    const int old = EditMode;
    EditMode = old == 1 ? 0 : 1;
    UpdateToolBarStates();
    if (!SwapNcPane()) {
        EditMode = old;
        UpdateToolBarStates();
    }
}

void CMainFrame::InstallEditHandlers() {
    // In list mode the editor's commands do nothing.
    auto onEditor = [this](void (*op)(CNcTextEdit*)) {
        return [this, op] {
            if (CNcTextEdit* edit = Editor()) op(edit);
        };
    };
    handlers_[cmd::Undo] = onEditor([](CNcTextEdit* e) { e->Undo(); });
    handlers_[cmd::Redo] = onEditor([](CNcTextEdit* e) { e->Redo(); });
    handlers_[cmd::Cut] = onEditor([](CNcTextEdit* e) { e->Cut(); });
    handlers_[cmd::Copy] = onEditor([](CNcTextEdit* e) { e->Copy(); });
    handlers_[cmd::Paste] = onEditor([](CNcTextEdit* e) { e->Paste(); });
    for (int n = 0; n < 8; ++n)
        handlers_[cmd::InsertStr1 + n] = [this, n] {
            if (CNcTextEdit* edit = Editor(); edit && app_->ProcessMode != 11)
                edit->InsertFixedPhrase(n);
        };
    handlers_[cmd::Replace] = [this] {
        if (CNcTextEdit* edit = Editor(); edit && app_->ProcessMode != 11) edit->Replace();
    };
    // The search commands go to whichever NC pane is shown.
    auto list = [this] { return dynamic_cast<CNcTextView*>(ncPane_); };
    handlers_[cmd::Find] = [this, list] {
        if (CNcTextEdit* edit = Editor())
            edit->Find();
        else if (CNcTextView* l = list())
            l->Find();
    };
    handlers_[cmd::FindNext] = [this, list] {
        if (CNcTextEdit* edit = Editor())
            edit->FindNext();
        else if (CNcTextView* l = list())
            l->FindNext();
    };
    handlers_[cmd::FindPrevious] = [this, list] {
        if (CNcTextEdit* edit = Editor())
            edit->FindPrevious();
        else if (CNcTextView* l = list())
            l->FindPrevious();
    };
}
