// CMainFrame: the close and the end of the program (the layout, the save question, the settings
// saved on exit, each guarded), and the recovery log of the editor's uncommitted typing.
#include <QCloseEvent>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/ExceptionLog.h"
#include "platform/Profile.h"
#include "text/CNcTextEdit.h"
#include "text/core/NcEditText.h"
#include "views/model/ElemViewSettings.h"

namespace {

// How long the typing pauses before the editor's text goes into the recovery log: a long
// program is not converted and written at every key.
constexpr int kEditorLogDelayMs = 2000;

bool SavesLayout(int processMode) {
    return processMode == 0 || processMode == 1 || processMode == 11;
}

}  // namespace

bool CMainFrame::SaveLayout() {
    // The editor's text goes into the document first, so that the save question sees it; with
    // the list, a trace ends before anything is saved.
    if (Editor()) {
        if (!CommitEditorText()) return false;
    } else {
        OnTraceCancel();
    }
    if (!SavesLayout(app_->ProcessMode)) return true;
    SavePlacement();
    const std::string& ini = app_->Paths.IniPath;
    platform::ProfileFile profile;
    profile.Load(ini);
    if (infoPane_) {
        profile.SetInt("NcInfoView", "SizeX", infoPane_->width());
        profile.SetInt("NcInfoView", "SizeY", infoPane_->height());
    }
    if (ncPane_) {
        profile.SetInt("NcTextView", "SizeX", ncPane_->Widget()->width());
        profile.SetInt("NcTextView", "SizeY", ncPane_->Widget()->height());
    }
    profile.Save(ini);
    SaveBarState();
    return true;
}

void CMainFrame::SaveSettingsOnExit() {
    // No later instance hands its file to this one, no driver reaches it.
    StopDdeServer();
    app_->EditRecords.Free(0);
    app_->EditRecords.Reset();
    CloseTraceDialogs();
    // The embedded and fixed-window modes keep the single view's route and torch colours.
    if (app_->ProcessMode >= 1 && ViewType != 4 && views_.size() == 1)
        if (const ElemViewSettings* settings = views_[0]->Settings())
            settings->Save16ILB(app_->Paths.IniPath);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The window paints while a file loads, but the document is not whole yet.
    if (app_->Loading) {
        event->ignore();
        return;
    }
    // During a step's animation the trace ends at once, but the window closes only when the
    // step has returned: the list and the block it animates stay until then.
    if (TraceStepUnderWay()) {
        OnTraceCancel();
        if (!closeDeferred_)
            closeDeferred_ = DeferUntilStepDone([this] {
                closeDeferred_ = false;
                close();
            });
        event->ignore();
        return;
    }
    const std::filesystem::path log = ExceptionLogPath(app_->Paths.ConfigFolder);
    bool goOn = true;
    CallGuarded([&] { goOn = SaveLayout(); }, log, "OnClose", app_->NcFileName);
    if (!goOn) {
        event->ignore();
        return;
    }
    if (app_->Document && !app_->Document->SaveModified()) {
        event->ignore();
        return;
    }
    if (editorLogTimer_) editorLogTimer_->stop();
    CallGuarded([this] { SaveSettingsOnExit(); }, log, "DestroyWindow", app_->NcFileName);
    event->accept();
}

void CMainFrame::EditorTextChanged() {
    if (!editorLogTimer_) {
        editorLogTimer_ = new QTimer(this);
        editorLogTimer_->setSingleShot(true);
        editorLogTimer_->setInterval(kEditorLogDelayMs);
        connect(editorLogTimer_, &QTimer::timeout, this, &CMainFrame::LogEditorText);
    }
    editorLogTimer_->start();
    ShowModifiedMark();
}

void CMainFrame::LogEditorText() {
    if (editorLogTimer_) editorLogTimer_->stop();
    CNcTextEdit* editor = Editor();
    if (!editor || !editor->Modified) return;
    std::vector<std::string> lines;
    // Text without a CP932 form never gets into the editor; should it, the log keeps the last
    // text that had one.
    if (!EditTextToLines(editor->Text().toStdString(), lines)) return;
    // Under the program the document logs its text as (a recovered text has no file name).
    app_->NcLog.WriteLog(lines, app_->Context.NcFileName.string());
}
