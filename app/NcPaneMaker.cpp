// Makers of the NC text panes for the main frame.
#include "app/NcPaneMaker.h"

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "settings/ModalRun.h"
#include "text/CNcTextEdit.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"

namespace {

constexpr int kStepCommand = 32798;

// What the list and the editor both reach of the application and the frame.
NcTextViewContext PaneContext(CMainFrame* frame) {
    CTessmarkApp* app = frame->App();
    NcTextViewContext ctx;
    ctx.IniPath = app->Paths.IniPath;
    ctx.Lines = [app]() -> const std::vector<std::string>* {
        return app->Document ? &app->Document->Lines : nullptr;
    };
    ctx.Rules = [app] {
        if (!app->SystemData) return NcTextRules{};
        return NcTextRules::FromMachine(app->SystemData->NcReadInfo,
                                        app->SystemData->AppMachineType);
    };
    ctx.TraceActive = [app] { return app->TraceActive; };
    ctx.ToggleEditMode = [frame] { frame->ToggleEditMode(); };
    ctx.Action = [frame](int command) { return frame->Action(command); };
    ctx.Owner = frame;
    return ctx;
}

}  // namespace

INcPane* MakeNcTextView(QWidget* parent, CMainFrame* frame) {
    CTessmarkApp* app = frame->App();
    NcTextViewContext ctx = PaneContext(frame);
    ctx.HighlightLineInViews = [frame](int lineNo) { frame->HighlightLineInViews(lineNo); };
    ctx.StepKey = [app, frame] {
        // Space steps through the frame's Step command, so its refusals apply.
        app->RunMode = 0;
        if (!app->StepPending) frame->OnCommand(kStepCommand);
    };
    ctx.RouteMouseWheel = [frame](unsigned flags, int delta, QPoint screen) {
        return frame->RouteMouseWheel(flags, delta, screen);
    };
    ctx.Ops = &frame->NcOps();
    ctx.Trace = &frame->TraceHost();
    ctx.NotifyModelessDialogs = [frame](int row) { frame->NotifyModelessDialogs(row); };
    ctx.RunModal = [](QDialog& dialog) { return RunModal(dialog); };
    ctx.UpdateAllViews = [frame] { frame->UpdateAllViews(); };
    return new CNcTextView(parent, std::move(ctx));
}

INcPane* MakeNcTextEdit(QWidget* parent, CMainFrame* frame) {
    CTessmarkApp* app = frame->App();
    NcTextViewContext ctx = PaneContext(frame);
    ctx.ChangeRecords = &app->EditRecords;
    ctx.InsertString = [app](int n) -> std::string {
        if (!app->SystemData || n < 0 || n > 7) return {};
        return app->SystemData->NcReadInfo.String[size_t(n)];
    };
    ctx.CommitLines = [app, frame](std::vector<std::string>&& lines) {
        if (!app->Document) return;
        app->Document->ReplaceLinesFromEditor(std::move(lines));
        frame->ShowDocumentInfo();
        frame->RebuildMainLayerInViews();
        // Every change of the text reaches the crash-recovery log.
        app->Document->WriteRecoveryLog();
    };
    // Uncommitted typing reaches the recovery log when it pauses.
    ctx.TextChanged = [frame] { frame->EditorTextChanged(); };
    ctx.Message = [app](const std::string& text) {
        app->Prompt().Message(text, platform::PromptIcon::Information, platform::PromptButtons::Ok);
    };
    ctx.PopupMenu = [frame](int menuId, QWidget* parent) {
        return frame->CreateResourceMenu(menuId, parent);
    };
    return new CNcTextEdit(parent, std::move(ctx));
}

QWidget* MakeNcTextSwitch(QWidget* parent, CMainFrame* frame) {
    auto* sw = new CNcTextSwitch(parent, [frame] { frame->ToggleEditMode(); });
    sw->Mode = frame->EditMode;
    sw->SetButtonsFromMode();
    sw->OnInitialUpdate(frame->App()->ProcessMode);
    return sw;
}

std::function<bool(int, int, int*, int*, int*)> NcListBlockSearch(CMainFrame* frame) {
    return [frame](int mode, int line, int* first, int* last, int* seq) {
        auto* list = dynamic_cast<CNcTextView*>(frame->NcPane());
        return list && list->FindBlockRange(mode, line, first, last, seq) == 1;
    };
}

std::function<bool()> NcPaneSwitching(CMainFrame* frame) {
    return [frame] {
        auto* sw = qobject_cast<CNcTextSwitch*>(frame->SwitchForm());
        return sw && sw->Switching != 0;
    };
}
