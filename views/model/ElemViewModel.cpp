// The element view model: settings, projection, rebuilds of the projected layers, navigation.
#include "views/model/ElemViewModel.h"

#include "nc/machine/CNcReadInfo.h"

ElemViewModel::ElemViewModel(const ElemViewContext* context, ViewPainter* painter)
    : ctx_(context), painter_(painter ? painter : &noPainter_) {}

int ElemViewModel::LoadSettings() {
    if (ctx_ && !ctx_->IniPath.empty()) settings_.Load(ctx_->IniPath);
    return 1;
}

AcAxisParams ElemViewModel::AcAxis() const {
    AcAxisParams ac;
    ac.headType = ctx_ && ctx_->Machine ? ctx_->Machine->HeadType : 0;
    ac.length = settings_[kAcAxisLength];
    return ac;
}

int ElemViewModel::ProjectInto(ViewLayerId layer, const CDtbElement* first, bool withAcAxis) {
    return ProjectElements(projection_, Layer(layer), first,
                           withAcAxis ? &Layer(LayerAcAxis) : nullptr, AcAxis());
}

void ElemViewModel::DropMainLayer() {
    // Nothing may point at the old elements once they are freed.
    ForgetHover();
    painter_->MainLayerRebuilding();
    layers_[LayerMain].Empty();
    layers_[LayerAcAxis].Empty();
    ++mainGeneration_;
    mainDrawnFromTree_ = acDrawnFromTree_ = mainDrawingStale_ = false;
    arrowsBuilt_ = acLinesBuilt_ = false;
    std::vector<ProjectedSegment>().swap(mainArrows_);
    std::vector<ProjectedSegment>().swap(acAxisLines_);
    mainDrawing_.Clear();
}

void ElemViewModel::ReleaseDocument() {
    DropMainLayer();
    mainTreesBuilt_ = arrowsBuilt_ = acLinesBuilt_ = true;  // nothing to make from the document
}

int ElemViewModel::RebuildMainLayer() {
    DropMainLayer();
    const CDtbElement* first = ctx_ && ctx_->Elements ? ctx_->Elements->GetFirstElement() : nullptr;
    // The trees are left to the first caller who asks: the drawing needs only the projected form.
    mainTreesBuilt_ = first == nullptr;
    mainDrawing_.Project(projection_, first);
    return 1;
}

void ElemViewModel::EnsureMainTrees() const {
    if (mainTreesBuilt_) return;
    mainTreesBuilt_ = true;
    if (ctx_ && ctx_->Elements)
        ProjectElements(projection_, layers_[LayerMain], ctx_->Elements->GetFirstElement(),
                        &layers_[LayerAcAxis], AcAxis());
}

ViewLayer& ElemViewModel::Layer(ViewLayerId id) {
    if (id == LayerMain || id == LayerAcAxis) {
        EnsureMainTrees();
        // The caller may change the tree: it is what gets drawn from now on (its runs are made
        // anew, so the hovered element's runs are gone).
        if (id == LayerMain) {
            mainDrawnFromTree_ = mainDrawingStale_ = true;
            ForgetHover();
        }
        if (id == LayerAcAxis) acDrawnFromTree_ = true;
    }
    return layers_[id];
}

const ViewLayer& ElemViewModel::Layer(ViewLayerId id) const {
    if (id == LayerMain || id == LayerAcAxis) EnsureMainTrees();
    return layers_[id];
}

const ProjectedLayer& ElemViewModel::MainDrawing() const {
    if (mainDrawingStale_) {
        mainDrawingStale_ = false;
        mainDrawing_.Flatten(layers_[LayerMain].GetFirstElement());
    }
    return mainDrawing_;
}

const std::vector<ProjectedSegment>* ElemViewModel::MainArrows() const {
    if (mainDrawnFromTree_) return nullptr;
    if (!arrowsBuilt_) {
        arrowsBuilt_ = true;
        if (ctx_ && ctx_->Elements)
            CollectEdgeArrows(projection_, ctx_->Elements->GetFirstElement(), mainArrows_);
    }
    return &mainArrows_;
}

const std::vector<ProjectedSegment>* ElemViewModel::AcAxisLines() const {
    if (acDrawnFromTree_) return nullptr;
    if (!acLinesBuilt_) {
        acLinesBuilt_ = true;
        if (ctx_ && ctx_->Elements)
            CollectAcAxisLines(projection_, ctx_->Elements->GetFirstElement(), AcAxis(),
                               acAxisLines_);
    }
    return &acAxisLines_;
}

void ElemViewModel::RebuildRoutes() {
    const int mode = ProcessMode();
    if (mode == 30 || mode == 31) {
        layers_[LayerSelectedRoute].Empty();
        layers_[LayerIncompleteRoute].Empty();
        int seq = -1;
        BuildRouteLayers(mode == 30 ? 0 : 1, ctx_->PickPos[0], ctx_->PickPos[1], &seq);
    } else if (mode == 4) {
        layers_[LayerSkipLogRoute].Empty();
        if (ctx_->SkipLogElements)
            ProjectInto(LayerSkipLogRoute, ctx_->SkipLogElements->GetFirstElement(), false);
        painter_->MoveTorchMark(4, ctx_->SkipLogStart, 200);
    }
}

void ElemViewModel::RebuildProjected() {
    RebuildMainLayer();
    RebuildRoutes();
    BuildGrid();
    BuildSheetFrame();
}

bool ElemViewModel::SetViewType(int type, double rotX, double rotY, double rotZ) {
    if (!projection_.SetViewType(type, rotX, rotY, rotZ)) return false;
    RebuildProjected();
    return true;
}

void ElemViewModel::SetRotationAngles(const CxyzData& angles, int mask) {
    projection_.SetRotationAngles(angles, mask);
    RebuildProjected();
    FitAspect();
}

void ElemViewModel::DragRotate(int dx, int dy) {
    projection_.DragRotate(dx, dy, clientRight_ - clientLeft_, clientBottom_ - clientTop_);
    RebuildProjected();
    FitAspect();
}

void ElemViewModel::SetPivot(const CxyzData& pivot, const CxyzData& pivotOffset) {
    projection_.SetPivot(pivot, pivotOffset);
}

void ElemViewModel::Update() {
    LoadSettings();
    RebuildMainLayer();
    layers_[LayerSecond].Empty();
    BuildGrid();
    BuildSheetFrame();
    ZoomFit();
}

void ElemViewModel::SetClientRect(int left, int top, int right, int bottom) {
    clientLeft_ = left;
    clientTop_ = top;
    clientRight_ = right;
    clientBottom_ = bottom;
}

int ElemViewModel::FitAspect() {
    if (!::FitAspect(window_, clientLeft_, clientTop_, clientRight_, clientBottom_)) return 0;
    ForgetHover();
    painter_->RepaintAll();
    return 1;
}

void ElemViewModel::ZoomFit() {
    if (ctx_ && ctx_->PaneSwitching && ctx_->PaneSwitching()) return;
    CxyData min(1e15, 1e15);
    CxyData max(-1e15, -1e15);
    const int main = MainDrawing().MinMax(&min, &max);
    const int frame = layers_[LayerSheetFrame].MinMax(&min, &max);
    if (main || frame) ZoomFitWindow(window_, min, max);
    FitAspect();
}

void ElemViewModel::ZoomIn() {
    ZoomInWindow(window_);
    FitAspect();
}

void ElemViewModel::ZoomOut() {
    ZoomOutWindow(window_);
    FitAspect();
}

int ElemViewModel::Scroll(ScrollDirection direction) {
    ScrollWindow(window_, direction, settings_[kMoveDirection]);
    return FitAspect();
}

int ElemViewModel::WheelZoom(unsigned flags, int delta, int clientX, int clientY,
                             WheelAnchor anchor) {
    WheelZoomWindow(window_, flags, delta, clientX, clientY, anchor);
    FitAspect();
    return 0;
}

void ElemViewModel::DragZoom(int pressY, int y) {
    DragZoomWindow(window_, pressY, y);
    FitAspect();
}

void ElemViewModel::DragPan(const CxyData& pressWorld, int clientX, int clientY) {
    DragPanWindow(window_, pressWorld, clientX, clientY);
    FitAspect();
}

void ElemViewModel::PaintLayer(ViewLayerId id, ElemViewSetting colour, int style, int width,
                               int mask) {
    painter_->PaintLayer(id, settings_.Colour(colour), style, width, mask);
}
