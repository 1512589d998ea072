// IElemView: what the main frame asks of an element view pane (one view, or four in the split
// view). The frame holds its views through this interface only.
#pragma once

#include <QPoint>
#include <QWidget>
#include <vector>

#include "kernel/base/CxyzData.h"

class CDtbEngine;
struct ElemViewSettings;

class IElemView {
public:
    virtual ~IElemView() = default;
    virtual QWidget* Widget() = 0;
    // View type 0 Top, 1 Front, 2 Left, 3 ISO, with the rotation angles in degrees.
    virtual void SetViewType(int type, int angleX, int angleY, int angleZ) = 0;
    virtual int ViewType() const = 0;
    // The rotations about X, Y and Z in degrees; SetRotationAngles takes those of the mask (bit
    // 1 X, 2 Y, 4 Z), projects the layers anew and refits.
    virtual void SetRotationAngles(const CxyzData& /*angles*/, int /*mask*/) {}
    virtual CxyzData RotationAngles() const { return CxyzData(); }
    virtual void CommitTraceStep() {}
    // 0 when no tip was shown.
    virtual int HideElemTip() { return 0; }
    virtual void FitAspect() { Widget()->update(); }
    virtual void ClearTrace() {}
    virtual void ZoomFit() {}
    virtual void ZoomIn() {}
    virtual void ZoomOut() {}
    virtual void ScrollUp() {}
    virtual void ScrollDown() {}
    virtual void ScrollLeft() {}
    virtual void ScrollRight() {}
    virtual void HighlightLine(int /*lineNo*/) {}
    virtual void BuildDangerZones(int /*toolNo*/) {}
    virtual void SetSkipLogRoute(CDtbEngine* /*route*/) {}
    virtual void MoveTorchMark(int /*stepKind*/, const CxyzData* /*pos*/, int /*moveKind*/) {}
    virtual void DrawTraceStep(CDtbEngine* /*step*/) {}
    virtual void SetToolLayer(CDtbEngine* /*tool*/, int /*unused*/) {}
    virtual void MoveSheet(const double /*offset*/[3]) {}
    virtual void RebuildMainLayer() {}
    // The document's update of its views: the view reads its settings again and rebuilds its
    // layers from the document (what the views do after a settings dialog's OK).
    virtual void OnUpdate() {}
    // Rotation pivot, pivot offset and origin mark to (0, 0, 0).
    virtual void ResetPivot() {}
    // The document is about to free its elements: the view drops its drawing of them, its
    // hovered element and its tip, until the next rebuild of its main layer.
    virtual void ReleaseDocument() {}
    // Empties the given layers (0 to 12).
    virtual void EmptyLayers(const std::vector<int>& /*layers*/) {}
    // A wheel turn over the view; the frame has already chosen this view.
    virtual void WheelZoom(unsigned /*keyFlags*/, int /*delta*/, QPoint /*screen*/) {}
    // The view's current colours, pens and sizes (null: a view without them).
    virtual const ElemViewSettings* Settings() const { return nullptr; }
};
