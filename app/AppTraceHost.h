// AppTraceHost: the trace's reach into the application's flags, the frame, its element views
// and the information list.
#pragma once

#include <QObject>

#include "kernel/db/CDtbEngine.h"
#include "text/core/NcTraceHost.h"

class CMainFrame;
class CTessmarkApp;

// Lives as a child of the frame (CMainFrame::TraceHost makes it on first use).
class AppTraceHost : public QObject, public NcTraceHost {
    Q_OBJECT
public:
    explicit AppTraceHost(CMainFrame* frame);

    int& TraceActive() override;
    int& RunMode() override;
    int& StepPending() override;
    int TraceTime() const override;
    // Queued in the frame: dropped when the frame is gone.
    void PostNextStep() override;
    void EndGetSubProgMode() override;
    void CloseAxisRotateDlg() override;
    void UpdateToolBarStates() override;
    void EnableSwitchButtons(int enable) override;
    void FocusActiveElemView() override;
    void CommitTraceStepInViews() override;
    void BuildDangerZonesInViews(int toolNo) override;
    void DrawTraceStepInViews(CDtbEngine* step) override;
    void MoveSheetInViews(const double offset[3]) override;
    void ClearTraceInViews() override;
    void FitAspectInViews() override;
    int HideElemTipInViews() override;
    void SetToolLayerInViews(CDtbEngine* tool, int unused) override;
    void MoveTorchMarkInViews(int stepKind, const CxyzData* position, int moveKind) override;
    void SetSkipLogRouteInViews(CDtbEngine* route) override;
    // The document's; without a document a route of the host's own that nobody shows.
    CDtbEngine& SkipLogElements() override;
    void SetSkipLogStart(const CxyzData& start) override;
    void InvalidateFrame() override;
    // Queued in the frame; the application's prompt shows it.
    void ShowWarning(const std::string& text) override;
    // On the information list, when the frame's information pane is one.
    void ShowTraceStatus(const CNcRead& reader) override;

private:
    CMainFrame* frame_;
    CTessmarkApp* app_;
    CDtbEngine noDocumentRoute_;
};
