// The pane makers of the element views and the information list, fed from the application.
#include "app/ViewPanes.h"

#include <QPointer>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/NcPaneMaker.h"
#include "app/core/CommandIds.h"
#include "text/CNcTextView.h"
#include "text/core/FiveAxisSmoothing.h"
#include "text/core/NcOpsHost.h"
#include "views/CAxisRotateDlg.h"
#include "views/CNcElemView.h"
#include "views/CNcInfoView.h"

namespace {

// The frame has one information list at a time; the element views tell it about updates.
QPointer<CNcInfoView>& InfoList() {
    static QPointer<CNcInfoView> list;
    return list;
}

ElemViewPenTable PensOf(const CSystemData& data) {
    ElemViewPenTable t;
    const CNcReadInfo& m = data.NcReadInfo;
    for (size_t i = 0; i < t.entries.size(); ++i) {
        t.entries[i].colour = ViewRgb{m.Pen[i][0], m.Pen[i][1], m.Pen[i][2]};
        t.entries[i].width = m.PenWide[i];
        t.entries[i].style = m.PenKind[i];
    }
    t.drawShavColor = data.ToolData.DrawShavColor;
    return t;
}

void RefreshFromApp(CMainFrame* frame, ElemViewContext& ctx, ElemViewFrameState& state) {
    CTessmarkApp* app = frame ? frame->App() : nullptr;
    if (!app) return;
    ctx.IniPath = app->Paths.IniPath;
    CTessmarkDoc* doc = app->Document.get();
    ctx.Elements = doc ? &doc->Elements : nullptr;
    ctx.SkipLogElements = doc ? &doc->SkipLogElements : nullptr;
    ctx.Lines = doc ? &doc->Lines : nullptr;
    if (doc) {
        ctx.SkipLogStart = doc->SkipLogStart;
        ctx.PickPos[0] = doc->PickPos[0];
        ctx.PickPos[1] = doc->PickPos[1];
    }
    ctx.Machine = app->SystemData ? &app->SystemData->NcReadInfo : nullptr;
    ctx.PunchTool = &app->PunchTool;
    ctx.ProcessMode = app->ProcessMode;
    ctx.EditMode = frame->EditMode;
    ctx.AppMachineType = app->SystemData ? app->SystemData->AppMachineType : 0;
    state.TraceActive = app->TraceActive;
    state.EdgeDisp = frame->EdgeDisp;
    state.ACAxis = frame->ACAxis;
    state.XYZAxis = frame->XYZAxis;
    state.FrameViewType = frame->ViewType;
    state.CtrlSwitch = frame->CtrlSwitch;
    const auto* rotate = qobject_cast<CAxisRotateDlg*>(frame->AxisRotateDlg);
    state.RotateMouseOperation = rotate && rotate->MouseOperation == 1 ? 1 : 0;
    state.SmoothFrom = state.SmoothTo = 0;
    if (frame->SmoothDlg) {
        const SmoothParams& p = frame->NcOps().Smoothing();
        state.SmoothFrom = p.StartRow;
        state.SmoothTo = p.EndRow;
    }
    if (app->SystemData) state.Pens = PensOf(*app->SystemData);
}

}  // namespace

void InstallViewPanes() {
    PaneFactory& f = PaneFactory::Instance();
    f.ElemView = [](QWidget* parent, CMainFrame* frame) -> IElemView* {
        ElemViewHost host;
        host.Refresh = [frame](ElemViewContext& c, ElemViewFrameState& s) {
            RefreshFromApp(frame, c, s);
        };
        host.DocumentUpdated = [] {
            if (CNcInfoView* list = InfoList()) list->OnUpdate();
        };
        host.UpdatedAfterLoad = [frame] {
            if (frame) frame->OnFrameTimer();
        };
        host.ElementClicked = [frame](int line) { frame->OnElementClicked(line); };
        host.RefreshAxisRotateDlg = [frame] { frame->RefreshAxisRotateDlg(); };
        host.ResetRotation = [frame] {
            frame->RotateAngles = {0, 0, 0};
            frame->AxisRotationProfile(1);
        };
        host.RouteMouseWheel = [frame](unsigned flags, int delta, QPoint screen) {
            frame->RouteMouseWheel(flags, delta, screen);
        };
        host.TraceStep = [frame] { frame->OnCommand(cmd::Step); };
        host.ContextMenu = [frame](int submenu, QPoint screen) {
            frame->ShowElemViewMenu(submenu, screen);
        };
        host.SetPickPos = [frame](int prtNo, int lineNo) {
            if (CTessmarkDoc* doc = frame->App()->Document.get()) {
                doc->PickPos[0] = prtNo;
                doc->PickPos[1] = lineNo;
            }
        };
        auto* view = new CNcElemView(parent, std::move(host));
        // What the view asks of the NC list: its block search and its line numbers.
        view->Context().FindBlockRange = NcListBlockSearch(frame);
        view->Context().LineNumberOfRow = [frame](int line) {
            CNcTextView* list = frame->NcList();
            return list ? list->GetLineNumberOfRow(line) : line + 1;
        };
        return view;
    };
    f.InfoView = [](QWidget* parent, CMainFrame* frame) -> QWidget* {
        auto* list = new CNcInfoView(parent);
        CTessmarkApp* app = frame ? frame->App() : nullptr;
        if (app)
            list->SetSource(app->Paths.IniPath, app->Document ? &app->Document->Elements : nullptr);
        list->OnUpdate();
        InfoList() = list;
        return list;
    };
}
