// CMainFrame: the frame timer (the open file changed on disk, the save after a load-time
// conversion table) and the Split command from the keyboard.
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/SplitterKeyboardMove.h"
#include "app/core/AppMessages.h"
#include "app/core/CommandIds.h"

namespace {

// How long the check waits while a mouse button is held (a drag under way).
constexpr int kHeldButtonDelayMs = 1000;
// How long it waits while a document is loading.
constexpr int kLoadingDelayMs = 200;

}  // namespace

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && frameTimer_)
        frameTimer_->start(0);
}

void CMainFrame::OnFrameTimer() {
    // Never repeats by itself.
    frameTimer_->stop();
    // A tick from inside the check (a reload or a save redraws the views) has nothing to add.
    if (inFrameTimer_) return;
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        frameTimer_->start(kHeldButtonDelayMs);
        return;
    }
    CTessmarkDoc* doc = app_->Document.get();
    if (!doc) return;
    // The loading window lets timers run while a program is read and rebuilt: the check
    // comes when the load is done (and its conversion-table question with it).
    if (doc->IsLoading() || app_->Loading) {
        frameTimer_->start(kLoadingDelayMs);
        return;
    }
    // A reload replaces the lines a trace step is animating: the check waits for the step.
    if (DeferUntilStepDone([this] { OnFrameTimer(); })) return;
    inFrameTimer_ = true;
    // Typing not yet committed makes the document modified: the question says so, and a
    // reload the user declines keeps it.
    if (Editor() && doc->FileChangedOnDisk()) CommitEditorText();
    doc->CheckFileChanged();
    if (!app_->ConvTableName.empty()) {
        doc->SetModifiedFlag(true);
        // The converted text exists only in memory until it is saved.
        doc->WriteRecoveryLog();
        ShowModifiedMark();
        std::string table = app_->ConvTableName;
        app_->ConvTableName.clear();  // asked once per load, whatever the answer
        if (app_->ConvTableAskSave) {
            const size_t dot = table.rfind('.');
            if (dot != std::string::npos) table.resize(dot);
            if (app_->Prompt().Message(
                    FillMessage(AppMessage(61614), {table}), platform::PromptIcon::Question,
                    platform::PromptButtons::YesNo) == platform::PromptAnswer::Yes)
                OnCommand(cmd::Save);
        } else {
            OnCommand(cmd::Save);
        }
    }
    inFrameTimer_ = false;
}

void CMainFrame::OnSplit() {
    SplitterKeyboardMove::Start(mainSplitter_);
}
