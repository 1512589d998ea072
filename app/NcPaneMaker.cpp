// Makers of the NC text panes for the main frame.
#include "app/NcPaneMaker.h"

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "text/CNcTextSwitch.h"
#include "text/CNcTextView.h"

namespace {

constexpr int kStepCommand = 32798;
constexpr int kFindCommand = 32850;
constexpr int kFindNextCommand = 32851;
constexpr int kFindPreviousCommand = 32852;

CNcTextView* ListOf(CMainFrame* frame) {
    return frame->EditMode == 1 ? nullptr : dynamic_cast<CNcTextView*>(frame->NcPane());
}

// The frame's search commands act on the list while it is the NC pane. They are registered
// once the frame has installed its own handlers (after its construction).
void InstallListCommands(CMainFrame* frame) {
    frame->SetHandler(kFindCommand, [frame] {
        if (CNcTextView* list = ListOf(frame)) list->Find();
    });
    frame->SetHandler(kFindNextCommand, [frame] {
        if (CNcTextView* list = ListOf(frame)) list->FindNext();
    });
    frame->SetHandler(kFindPreviousCommand, [frame] {
        if (CNcTextView* list = ListOf(frame)) list->FindPrevious();
    });
}

}  // namespace

void ToggleNcPaneMode(CMainFrame* frame) {
    auto* sw = qobject_cast<CNcTextSwitch*>(frame->SwitchForm());
    if (sw) sw->Switching = 1;
    const int old = frame->EditMode;
    frame->EditMode = old == 1 ? 0 : 1;
    if (!frame->SwapNcPane()) frame->EditMode = old;
    if (sw) {
        sw->Mode = frame->EditMode;
        sw->Switching = 0;
        sw->SetButtonsFromMode();
    }
}

INcPane* MakeNcTextView(QWidget* parent, CMainFrame* frame) {
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
    ctx.ToggleEditMode = [frame] { ToggleNcPaneMode(frame); };
    ctx.HighlightLineInViews = [frame](int lineNo) { frame->HighlightLineInViews(lineNo); };
    ctx.StepKey = [app, frame] {
        // Space steps through the frame's Step command, so its refusals apply.
        app->RunMode = 0;
        if (!app->StepPending) frame->OnCommand(kStepCommand);
    };
    ctx.RouteMouseWheel = [frame](unsigned flags, int delta, QPoint screen) {
        return frame->RouteMouseWheel(flags, delta, screen);
    };
    ctx.Action = [frame](int command) { return frame->Action(command); };
    ctx.Owner = frame;
    ctx.Ops = &frame->NcOps();
    return new CNcTextView(parent, std::move(ctx));
}

QWidget* MakeNcTextSwitch(QWidget* parent, CMainFrame* frame) {
    auto* sw = new CNcTextSwitch(parent, [frame] { ToggleNcPaneMode(frame); });
    sw->Mode = frame->EditMode;
    sw->SetButtonsFromMode();
    sw->OnInitialUpdate(frame->App()->ProcessMode);
    QMetaObject::invokeMethod(
        frame, [frame] { InstallListCommands(frame); }, Qt::QueuedConnection);
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
