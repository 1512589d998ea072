// ElemViewModel: an element view without its window: settings, projection, layers, world window.
#pragma once

#include <cstdint>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "views/model/ElemViewContext.h"
#include "views/model/ElemViewPick.h"
#include "views/model/ElemViewSettings.h"
#include "views/model/ProjectElements.h"
#include "views/model/ProjectedLayer.h"
#include "views/model/ViewLayers.h"
#include "views/model/ViewNavigation.h"
#include "views/model/ViewPainter.h"
#include "views/model/ViewProjection.h"
#include "views/model/ViewWindow.h"

// One per element view; the widget owns it, feeds it the client rectangle and input, and draws
// its layers through its world window. Everything runs on the user-interface thread.
//
// LayerMain and LayerAcAxis are drawn from their projected form (MainDrawing, built in one pass
// over the document); their element trees are made only when someone asks for them (Layer).
// Rebuilding LayerMain deletes the elements it held: a pointer into its tree (the hovered
// element) or into its drawing form is stale once MainLayerGeneration() has changed.
class ElemViewModel {
public:
    // Settings are not read here: the widget calls LoadSettings (or Update) once it is set up.
    explicit ElemViewModel(const ElemViewContext* context = nullptr,
                           ViewPainter* painter = nullptr);
    ElemViewModel(const ElemViewModel&) = delete;
    ElemViewModel& operator=(const ElemViewModel&) = delete;

    void SetContext(const ElemViewContext* context) { ctx_ = context; }
    void SetPainter(ViewPainter* painter) { painter_ = painter ? painter : &noPainter_; }
    const ElemViewContext* Context() const { return ctx_; }

    // --- settings ---------------------------------------------------------------------------
    // Reads [NcElemView] and [Setting for 16ILB] from the context's settings file. Returns 1.
    int LoadSettings();
    const ElemViewSettings& Settings() const { return settings_; }
    ElemViewSettings& MutableSettings() { return settings_; }

    // --- projection and rebuilds ------------------------------------------------------------
    const ViewProjection& Projection() const { return projection_; }
    int ViewType() const { return projection_.ViewType(); }
    // Type 0 Top, 1 Front, 2 Left, 3 ISO with the given rotations; rebuilds the projected
    // layers (main and A/C, the route layers of process modes 30 and 31 or the skip-log route
    // of mode 4, grid and sheet frame). Neither refits nor repaints. A type above 3 changes
    // nothing and returns false.
    bool SetViewType(int type, double rotX, double rotY, double rotZ);
    // mask bit 1 X, 2 Y, 4 Z; rebuilds as SetViewType does (the route and skip-log layers too,
    // so that they never stay in the old projection), then FitAspect.
    void SetRotationAngles(const CxyzData& angles, int mask);
    // A rotation drag step of (dx, dy) pixels: turns the view angles, rebuilds, FitAspect.
    void DragRotate(int dx, int dy);
    // Rotation pivot and the offset taken off after rotating; the layers are not rebuilt.
    void SetPivot(const CxyzData& pivot, const CxyzData& pivotOffset);
    // The document update: settings, main and A/C layers, LayerSecond emptied, grid, sheet
    // frame, ZoomFit.
    void Update();
    // Empties and reprojects LayerMain and LayerAcAxis from the document. Returns 1.
    int RebuildMainLayer();
    // The document is about to free its elements: LayerMain and LayerAcAxis are emptied (the
    // painter hears of it first, as for a rebuild) and stay so until the next rebuild.
    void ReleaseDocument();
    unsigned MainLayerGeneration() const { return mainGeneration_; }

    void ProjectPoint(double x, double y, double z, double* outX, double* outY,
                      bool aboutPivot) const {
        projection_.ProjectPoint(x, y, z, outX, outY, aboutPivot);
    }
    // Appends projected copies of a chain to a layer (A/C lines to LayerAcAxis when asked).
    // Returns the number of lines and arcs projected.
    int ProjectInto(ViewLayerId layer, const CDtbElement* first, bool withAcAxis);
    AcAxisParams AcAxis() const;

    // A layer's element tree. LayerMain and LayerAcAxis are projected from the document on the
    // first call after a rebuild; handed out for change, LayerMain is drawn from its tree (as it
    // is at the next paint) until the next rebuild.
    ViewLayer& Layer(ViewLayerId id);
    const ViewLayer& Layer(ViewLayerId id) const;

    // The drawing form of LayerMain: every visible line and divided arc in painting order with
    // its document element, over one vertex array.
    const ProjectedLayer& MainDrawing() const;
    // The direction arrows of LayerMain (the line each arrow sits at the end of) and the A/C
    // head-direction lines of LayerAcAxis, collected on first use after a rebuild. Null while
    // the layer's tree was handed out for change: the tree is drawn then.
    const std::vector<ProjectedSegment>* MainArrows() const;
    // True while LayerMain is drawn from its element tree (handed out for change): the runs'
    // elements are then the tree's, already projected.
    bool MainDrawnFromTree() const { return mainDrawnFromTree_; }
    const std::vector<ProjectedSegment>* AcAxisLines() const;

    // --- the hovered element -------------------------------------------------------------------
    // The element under the cursor and its runs in MainDrawing. Forgotten (null) whenever
    // LayerMain is rebuilt (its elements and runs are then gone; the painter hears of it first)
    // or handed out for change, and whenever the world window changes (the view is drawn
    // anew without the highlight).
    const ElemHover& Hover() const { return hover_; }
    void SetHover(const ElemHover& hover) { hover_ = hover; }
    void ForgetHover() { hover_ = ElemHover(); }

    // --- world window and navigation ---------------------------------------------------------
    const ViewWindow& Window() const { return window_; }
    ViewWindow& MutableWindow() { return window_; }
    // The client rectangle FitAspect reads (the widget sets it on every resize).
    void SetClientRect(int left, int top, int right, int bottom);
    // Matches the window to the client rectangle and repaints. 1, or 0 when the client has no
    // area (nothing changes then).
    int FitAspect();
    // Fits the window to LayerMain and LayerSheetFrame (nothing while the NC pane switches or
    // when both are empty), then FitAspect.
    void ZoomFit();
    void ZoomIn();
    void ZoomOut();
    int ScrollUp() { return Scroll(ScrollDirection::Up); }
    int ScrollDown() { return Scroll(ScrollDirection::Down); }
    int ScrollLeft() { return Scroll(ScrollDirection::Left); }
    int ScrollRight() { return Scroll(ScrollDirection::Right); }
    int Scroll(ScrollDirection direction);
    // The wheel at a client point (see WheelZoomWindow). Returns 0.
    int WheelZoom(unsigned flags, int delta, int clientX, int clientY,
                  WheelAnchor anchor = WheelAnchor::Cursor);
    void DragZoom(int pressY, int y);
    void DragPan(const CxyData& pressWorld, int clientX, int clientY);

    double ClientToWorldX(int px) const { return ::ClientToWorldX(window_, px); }
    double ClientToWorldY(int py) const { return ::ClientToWorldY(window_, py); }
    int WorldToScreenX(double x) const { return ::WorldToScreenX(window_, x); }
    int WorldToScreenY(double y) const { return ::WorldToScreenY(window_, y); }

    // --- scene layers from the machine data -------------------------------------------------
    const CxyzData& MachineOrigin() const { return machineOrigin_; }
    const CxyzData& SheetPosition() const { return sheetPosition_; }
    // 1, or 0 when the document has no elements (the grid layer then stays empty).
    int BuildGrid();
    // Returns 1.
    int BuildSheetFrame();
    // off = {x, y, sheet-x increment} of the sheet moved during a punch trace; all three below
    // 0.001 resets the moved sheet onto the sheet frame. Draws at once. Returns 1.
    int MoveSheet(const double off[3]);
    // Danger zones of the clamps for the station of toolNo; -999 only empties the layer.
    // Draws at once. 1, or 0 when no zone can be built (the layer is then empty).
    int BuildDangerZones(int toolNo);
    // The route layers of process modes 30 (mode 0) and 31 (mode 1) from a picked element's
    // PrtNo and LineNo. 0 done (seq := the block's sequence number); -1 for a negative PrtNo or
    // LineNo or a block that cannot be found; -2 when the line is not in LayerMain or nothing
    // was selected. Both route layers are emptied first. Draws nothing.
    int BuildRouteLayers(int mode, int prtNo, int lineNo, int* seq);
    // Projects a skip-log route into LayerSkipLogRoute and draws it. The count projected.
    int SetSkipLogRoute(const CDtbEngine& route);
    // Hands a processing start position to the outside library's SetProcStartPos. 1 when it
    // accepted it; 0 when the library is absent, lacks the function, refused, or the NC pane
    // is the editor.
    int CallSetProcStartPos(int prtNo, int seq);

private:
    void RebuildProjected();
    void RebuildRoutes();
    // Empties LayerMain, LayerAcAxis and their drawing forms (see RebuildMainLayer).
    void DropMainLayer();
    void PaintLayer(ViewLayerId id, ElemViewSetting colour, int style, int width, int mask);
    void CopyRoute(ViewLayer& dst, const CDtbElement* e, ViewRgb colour);
    int ProcessMode() const { return ctx_ ? ctx_->ProcessMode : 0; }

    ViewPainter noPainter_;
    const ElemViewContext* ctx_;
    ViewPainter* painter_;
    ElemViewSettings settings_;
    // Builds the trees of LayerMain and LayerAcAxis when they are out of date.
    void EnsureMainTrees() const;

    mutable ViewLayers layers_;
    // The projected forms of LayerMain and what is drawn over it (see MainDrawing).
    mutable ProjectedLayer mainDrawing_;
    mutable std::vector<ProjectedSegment> mainArrows_;
    mutable std::vector<ProjectedSegment> acAxisLines_;
    mutable bool mainTreesBuilt_ = true;      // the trees of LayerMain and LayerAcAxis are current
    mutable bool mainDrawnFromTree_ = false;  // LayerMain's tree was handed out for change
    mutable bool acDrawnFromTree_ = false;
    mutable bool mainDrawingStale_ = false;  // rebuild mainDrawing_ from the tree
    mutable bool arrowsBuilt_ = false;
    mutable bool acLinesBuilt_ = false;
    ViewProjection projection_;
    ViewWindow window_;
    int clientLeft_ = 0, clientTop_ = 0, clientRight_ = 0, clientBottom_ = 0;
    CxyzData machineOrigin_;
    CxyzData sheetPosition_;
    unsigned mainGeneration_ = 0;
    ElemHover hover_;
};
