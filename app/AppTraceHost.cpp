// AppTraceHost: the trace's reach into the application and the frame.
#include "app/AppTraceHost.h"

#include <QMetaObject>

#include "app/CMainFrame.h"
#include "app/CTessmarkApp.h"
#include "app/core/CTessmarkDoc.h"
#include "views/CNcInfoView.h"

AppTraceHost::AppTraceHost(CMainFrame* frame) : QObject(frame), frame_(frame), app_(frame->App()) {
    setObjectName("TraceHost");
}

int& AppTraceHost::TraceActive() {
    return app_->TraceActive;
}
int& AppTraceHost::RunMode() {
    return app_->RunMode;
}
int& AppTraceHost::StepPending() {
    return app_->StepPending;
}
int AppTraceHost::TraceTime() const {
    return frame_->TraceTime;
}

void AppTraceHost::PostNextStep() {
    CMainFrame* frame = frame_;
    QMetaObject::invokeMethod(
        frame, [frame] { frame->OnTraceStepNocancel(); }, Qt::QueuedConnection);
}

void AppTraceHost::EndGetSubProgMode() {
    frame_->GetSubProgMode = 0;
}
void AppTraceHost::CloseAxisRotateDlg() {
    if (frame_->AxisRotateDlg) frame_->AxisRotateDlg->close();
}
void AppTraceHost::UpdateToolBarStates() {
    frame_->UpdateToolBarStates();
}
void AppTraceHost::EnableSwitchButtons(int enable) {
    frame_->EnableSwitchButtons(enable);
}
void AppTraceHost::FocusActiveElemView() {
    frame_->FocusActiveElemView();
}
void AppTraceHost::CommitTraceStepInViews() {
    frame_->CommitTraceStepInViews();
}
void AppTraceHost::BuildDangerZonesInViews(int toolNo) {
    frame_->BuildDangerZonesInViews(toolNo);
}
void AppTraceHost::DrawTraceStepInViews(CDtbEngine* step) {
    frame_->DrawTraceStepInViews(step);
}
void AppTraceHost::MoveSheetInViews(const double offset[3]) {
    frame_->MoveSheetInViews(offset);
}
void AppTraceHost::ClearTraceInViews() {
    frame_->ClearTraceInViews();
}
void AppTraceHost::FitAspectInViews() {
    frame_->FitAspectInViews();
}
int AppTraceHost::HideElemTipInViews() {
    return frame_->HideElemTipInViews();
}
void AppTraceHost::SetToolLayerInViews(CDtbEngine* tool, int unused) {
    frame_->SetToolLayerInViews(tool, unused);
}

void AppTraceHost::MoveTorchMarkInViews(int stepKind, const CxyzData* position, int moveKind) {
    frame_->MoveTorchMarkInViews(stepKind, position, moveKind);
}
void AppTraceHost::SetSkipLogRouteInViews(CDtbEngine* route) {
    frame_->SetSkipLogRouteInViews(route);
}

CDtbEngine& AppTraceHost::SkipLogElements() {
    if (CTessmarkDoc* doc = app_->Document.get()) return doc->SkipLogElements;
    return noDocumentRoute_;
}
void AppTraceHost::SetSkipLogStart(const CxyzData& start) {
    if (CTessmarkDoc* doc = app_->Document.get()) doc->SkipLogStart = start;
}
void AppTraceHost::InvalidateFrame() {
    frame_->update();
    if (QWidget* central = frame_->centralWidget()) central->update();
}

void AppTraceHost::ShowWarning(const std::string& text) {
    CMainFrame* frame = frame_;
    QMetaObject::invokeMethod(
        frame,
        [frame, text] {
            frame->App()->Prompt().Message(text, platform::PromptIcon::Warning,
                                           platform::PromptButtons::Ok);
        },
        Qt::QueuedConnection);
}

void AppTraceHost::ShowTraceStatus(const CNcRead& reader) {
    if (auto* info = qobject_cast<CNcInfoView*>(frame_->InfoPane())) info->ShowTraceStatus(reader);
}
