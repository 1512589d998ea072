// The element view's trace display: current step, traced path, tool outline, torch mark, the
// highlighted NC line and the drawing of single elements of LayerMain, all between paints.
#include <QPainter>

#include "kernel/db/CDtbLine.h"
#include "views/CNcElemView.h"
#include "views/model/ElemViewPick.h"

namespace {

// XOR drawing for the life of the object.
class XorMode {
public:
    explicit XorMode(QPainter& p) : p_(p), old_(p.compositionMode()) {
        p_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    ~XorMode() { p_.setCompositionMode(old_); }
    XorMode(const XorMode&) = delete;
    XorMode& operator=(const XorMode&) = delete;

private:
    QPainter& p_;
    QPainter::CompositionMode old_;
};

// The last element of a chain, null for an empty one.
const CDtbElement* LastOf(const CDtbElement* e) {
    while (e && e->link.next) e = e->link.next;
    return e;
}

}  // namespace

// --- XOR pairs ---------------------------------------------------------------------------------

void CNcElemView::XorToolOutline(ElemViewDraw& draw) {
    XorMode xorMode(draw.Painter());
    const int style = Value(kTraceToolPenStyle), width = Value(kTraceToolPenWide);
    draw.DrawLayer(First(LayerTool), Colour(kBackGround), style, width, kDtbClassToolMark, false);
    draw.DrawLayer(First(LayerTool), Colour(kTraceToolPen), style, width, kDtbClassToolMark, false);
}

void CNcElemView::XorStepArrows(ElemViewDraw& draw, const CDtbElement* first) {
    XorMode xorMode(draw.Painter());
    draw.DrawEdgeArrows(first, Colour(kBackGround), Value(kEdgeArrowSize), false);
    draw.DrawEdgeArrows(first, Colour(kTraceCurrentPen), Value(kEdgeArrowSize), false);
}

void CNcElemView::ElementArrows(ElemViewDraw& draw, const CDtbElement* element, ViewRgb colour,
                                bool xorPair) {
    std::unique_ptr<XorMode> xorMode;
    if (xorPair) xorMode = std::make_unique<XorMode>(draw.Painter());
    const int size = Value(kEdgeArrowSize);
    if (model_.MainDrawnFromTree()) {
        // The runs' elements are the tree's, already projected.
        if (xorPair) draw.DrawEdgeArrows(element, Colour(kBackGround), size, true);
        draw.DrawEdgeArrows(element, colour, size, true);
        return;
    }
    std::vector<ProjectedSegment> arrows;
    CollectEdgeArrows(model_.Projection(), element, arrows, true);
    if (xorPair) draw.DrawEdgeArrows(arrows, Colour(kBackGround), size);
    draw.DrawEdgeArrows(arrows, colour, size);
}

// --- single elements of LayerMain ----------------------------------------------------------------

void CNcElemView::HighlightRuns(ElemViewDraw& draw, const ElemHover& h, bool arrows) {
    draw.DrawLayer(model_.MainDrawing(), Colour(kNaviPen), Value(kNaviPenStyle),
                   Value(kNaviPenWide), kDtbClassAll, h.firstRun, h.endRun);
    if (arrows) ElementArrows(draw, h.element, Colour(kNaviPen), true);
}

void CNcElemView::RestoreRuns(ElemViewDraw& draw, const ElemHover& h) {
    ElementArrows(draw, h.element, Colour(kNaviPen), true);
    draw.DrawLayer(model_.MainDrawing(), Colour(kBackGround), Value(kNaviPenStyle),
                   Value(kNaviPenWide), kDtbClassAll, h.firstRun, h.endRun);
    draw.DrawLayerByClass(model_.MainDrawing(), frame_.Pens, h.firstRun, h.endRun);
    if (frame_.EdgeDisp == 1) ElementArrows(draw, h.element, Colour(kEdgeArrowPen), false);
}

int CNcElemView::DrawTraceRange(ElemViewDraw& draw, int from, int to, bool arrows, bool restore) {
    const ProjectedLayer& main = model_.MainDrawing();
    const std::vector<ProjectedRun>& runs = main.Runs();
    // The top-level elements in painting order, each with its runs; an element is in range
    // when its first "LineNo=" lies in from - 1 .. to - 1.
    for (uint32_t r = 0; r < runs.size();) {
        ElemHover h;
        h.element = TopLevelOf(runs[r].source);
        h.firstRun = r;
        while (r < runs.size() && IsWithin(runs[r].source, h.element)) ++r;
        h.endRun = r;
        const int line = FirstNumber(*h.element, "LineNo=");
        if (line < 0 || line < from - 1 || line > to - 1) continue;
        if (restore)
            RestoreRuns(draw, h);
        else
            HighlightRuns(draw, h, arrows);
    }
    return 0;
}

int CNcElemView::DrawMatchingElement(ElemViewDraw& draw, const CDtbElement* element, ViewLayerId id,
                                     ViewRgb colour, int width) {
    if (!element) return -1;
    const int prtNo = FirstNumber(*element, "PrtNo="), lineNo = FirstNumber(*element, "LineNo=");
    if (prtNo < 0 || lineNo < 0) return -1;
    const CDtbElement* found = nullptr;
    for (const CDtbElement* e = First(id); e && !found; e = e->link.next)
        if (FirstNumber(*e, "PrtNo=") == prtNo && FirstNumber(*e, "LineNo=") == lineNo) found = e;
    if (!found) return -1;
    draw.DrawLayerTwoPass(found, colour, width, frame_.Pens.entries[kPenFF], true);
    if (frame_.EdgeDisp == 1)
        draw.DrawEdgeArrows(found, Colour(kEdgeArrowPen), Value(kEdgeArrowSize), true);
    if (frame_.ACAxis == 1) {
        if (const auto* lines = model_.AcAxisLines())
            draw.DrawAcAxisLines(*lines, Colour(kAcAxisPen));
        else
            draw.DrawAcAxisLayer(First(LayerAcAxis), Colour(kAcAxisPen), false);
    }
    return found->link.next ? 0 : 1;
}

// --- trace operations --------------------------------------------------------------------------

void CNcElemView::MoveTorchMark(int /*stepKind*/, const CxyzData* position, int moveKind) {
    if (!position) return;
    std::unique_ptr<ViewDc> dc = DrawNow();
    // Only a mark drawn with XOR can be erased by drawing it again; an opaque one stays.
    if (dc && TorchShown && torchXor_) DrawTorchPair(dc->Draw(), true);
    ElemViewSetting fill = kTorchColorLaserOff;
    if (moveKind >= 1 && moveKind <= 10)
        fill = kTorchColorLaserOn;
    else if (moveKind >= 101 && moveKind <= 103)
        fill = kTorchColorPonch;
    else if (moveKind == 200)
        fill = kTorchColorSkipLog;
    TorchFillColour = Colour(fill);
    TorchOutlineColour = {TorchFillColour.r / 2, TorchFillColour.g / 2, TorchFillColour.b / 2};
    TorchPosition = model_.Projection().Project(*position);
    TorchPosition.z = 0;
    torchXor_ = moveKind != 200;
    TorchShown = 1;
    if (dc) DrawTorchPair(dc->Draw(), torchXor_);
}

int CNcElemView::DrawTraceStepCount(CDtbEngine* step) {
    if (!step) return 0;
    Refresh();
    ViewLayer& current = model_.Layer(LayerCurrentStep);
    const CDtbElement* before = LastOf(current.GetFirstElement());
    const int count = ProjectElements(model_.Projection(), current, step->GetFirstElement(),
                                      nullptr, model_.AcAxis());
    const CDtbElement* first = before ? before->link.next : current.GetFirstElement();
    if (count <= 0) return count;
    std::unique_ptr<ViewDc> dc = DrawNow();
    if (!dc) return count;
    ElemViewDraw& draw = dc->Draw();
    if (toolDrawn_) XorToolOutline(draw);
    const ViewRgb pen = Colour(kTraceCurrentPen);
    const int width = Value(kTraceCurrentPenWide);
    if (context_.ProcessMode == 0) {
        draw.DrawLayer(first, pen, 0, width, kDtbClassAll, false);
        XorStepArrows(draw, first);
        stepArrowsXor_ = true;
    } else {
        draw.DrawLayerTwoPass(first, pen, width, frame_.Pens.entries[kPenFF], false);
    }
    if (toolDrawn_) XorToolOutline(draw);
    return count;
}

void CNcElemView::CommitTraceStep() {
    Refresh();
    ViewLayer& current = model_.Layer(LayerCurrentStep);
    if (std::unique_ptr<ViewDc> dc = DrawNow()) {
        ElemViewDraw& draw = dc->Draw();
        // A torch mark drawn with XOR goes in every process mode (left, it would stay behind
        // once TorchShown is 0); an opaque one stays on show.
        if (TorchShown && torchXor_) DrawTorchPair(draw, true);
        if (toolDrawn_) XorToolOutline(draw);
        if (stepArrowsXor_) XorStepArrows(draw, current.GetFirstElement());
        draw.DrawLayer(current.GetFirstElement(), Colour(kBackGround), 0,
                       Value(kTraceCurrentPenWide), kDtbClassAll, false);
        draw.DrawLayerByClass(current.GetFirstElement(), frame_.Pens, false);
        if (frame_.EdgeDisp == 1)
            draw.DrawEdgeArrows(current.GetFirstElement(), Colour(kEdgeArrowPen),
                                Value(kEdgeArrowSize), false);
        if (toolDrawn_) XorToolOutline(draw);
    }
    model_.Layer(LayerTraced).AppendDtb(&current);
    current.Empty();
    stepArrowsXor_ = false;
    if (torchXor_) TorchShown = 0;
}

int CNcElemView::SetToolLayerCount(CDtbEngine* tool) {
    Refresh();
    std::unique_ptr<ViewDc> dc = DrawNow();
    if (dc && toolDrawn_) XorToolOutline(dc->Draw());
    ViewLayer& layer = model_.Layer(LayerTool);
    layer.Empty();
    const int count = tool ? ProjectElements(model_.Projection(), layer, tool->GetFirstElement(),
                                             nullptr, model_.AcAxis())
                           : 0;
    if (dc) {
        // Drawn where the full paint would draw it: while tracing, outside process mode 2.
        toolDrawn_ = TraceRunning() && context_.ProcessMode != 2;
        if (toolDrawn_) XorToolOutline(dc->Draw());
    }
    return count;
}

void CNcElemView::ClearTrace() {
    if (std::unique_ptr<ViewDc> dc = DrawNow(); dc && toolDrawn_) XorToolOutline(dc->Draw());
    toolDrawn_ = stepArrowsXor_ = false;
    for (ViewLayerId id :
         {LayerTraced, LayerTool, LayerCurrentStep, LayerMovedSheet, LayerDangerZone})
        model_.Layer(id).Empty();
}

void CNcElemView::HighlightLine(int lineNo) {
    Refresh();
    // A pending repaint is rendered first: it forgets the line highlighted before.
    if (!buffer_.isNull()) {
        std::unique_ptr<ViewDc> dc = GetViewDC();
        if (HighlightedLine > 0)
            DrawTraceRange(dc->Draw(), HighlightedLine, HighlightedLine, true, true);
        if (lineNo > 0) DrawTraceRange(dc->Draw(), lineNo, lineNo, true, false);
    }
    HighlightedLine = lineNo;
}
