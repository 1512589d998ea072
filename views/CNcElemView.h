// CNcElemView: the element view pane: a widget drawing its view layers into a back buffer.
#pragma once

#include <QFont>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "views/ElemViewDraw.h"
#include "views/ElemViewFrameState.h"
#include "views/ElemViewPainterQt.h"
#include "views/IElemView.h"
#include "views/model/ElemViewModel.h"

class QTimer;

// What the view asks of the program around it. Unset members are skipped (tests set the
// context and frame state directly).
struct ElemViewHost {
    // Brings the context and the frame state up to date; called before every update, every
    // full paint, every trace operation and every mouse event.
    std::function<void(ElemViewContext&, ElemViewFrameState&)> Refresh;
    // The document's elements were projected anew (the information list follows).
    std::function<void()> DocumentUpdated;
    // The view's update after a load is done: the frame's timer check runs (the file may have
    // changed on disk, a conversion table may want the file saved).
    std::function<void()> UpdatedAfterLoad;
    // A click on a hovered element: each of its "LineNo=" lines (0-based), in turn. The frame
    // extracts the sub-program in the "Get Sub Program" mode, else selects the line in the NC
    // list (not in edit mode), then tells its modeless dialogs.
    std::function<void(int line)> ElementClicked;
    // A left press: the open rotation dialog shows the active view's angles.
    std::function<void()> RefreshAxisRotateDlg;
    // R and the middle double click: the frame's rotation angles become 0, 0, 0 and are saved.
    std::function<void()> ResetRotation;
    // A wheel turn of whole notches with the key flags (0x4 Shift, 0x8 Ctrl, 0x1, 0x2, 0x10 the
    // left, right and middle buttons) at a screen point: the frame gives it to the pane there.
    std::function<void(unsigned keyFlags, int delta, QPoint screen)> RouteMouseWheel;
    // Space: the frame's Step command (with its refusals).
    std::function<void()> TraceStep;
    // The context menu 144 with submenu 0 (viewing) or 1 (tracing) at a screen point; its
    // commands go to the frame.
    std::function<void(int submenu, QPoint screen)> ContextMenu;
    // A route picked in process mode 30 or 31: the document's PickPos.
    std::function<void(int prtNo, int lineNo)> SetPickPos;
};

// All drawing goes into a QImage the size of the client area; paintEvent only copies it out.
// A full paint renders the whole image (background, grid and origin mark, then the layers in
// the order of the trace or of viewing); the drawing between paints (scene layers, marks)
// goes into the same image and is shown at once with repaint(). Marks drawn with XOR as a
// pair restore the pixels when the pair is drawn again.
//
// A full repaint asked for (RepaintAll: every fit, zoom and scroll) is rendered once, when the
// widget is next painted or its image is next used: a run of placements (the fits of an open)
// costs one render, not one each. While one is pending the drawing between paints only keeps
// its books: the render shows the new state whole.
//
// The trace display keeps the XOR marks of the picture in step with the full paint: whatever
// a full paint draws with XOR (the tool outline, the arrows of the current step, a torch mark
// on show) the operations between paints erase by drawing it again, and nothing else.
class CNcElemView : public QWidget, public IElemView {
    Q_OBJECT
public:
    explicit CNcElemView(QWidget* parent = nullptr, ElemViewHost host = {});
    ~CNcElemView() override;

    ElemViewModel& Model() { return model_; }
    ElemViewContext& Context() { return context_; }
    ElemViewFrameState& FrameState() { return frame_; }
    // The image, with a pending full repaint rendered first.
    const QImage& BackBuffer();

    // The document update: settings, projected layers, grid, sheet frame, fit, repaint.
    void OnUpdate() override;
    // Renders the whole back buffer (erase, then every layer) without showing it.
    void RenderAll();
    // Asks for a full repaint: rendered by the next paint or use of the image. The hovered
    // element and the highlighted line are forgotten at once (the picture will not show them).
    void RepaintAll();
    // Renders a pending full repaint now. True when there was one.
    bool RenderPending();
    // The background, the grid layer and the origin mark.
    void EraseBackground(QPainter& painter);
    // Every layer in the paint order of the trace or of viewing. Returns 0.
    int DrawAll(QPainter& painter);

    // Drawing between paints: a painter on the back buffer; when it ends the view is shown
    // again at once.
    class ViewDc {
    public:
        explicit ViewDc(CNcElemView& view);
        ~ViewDc();
        ViewDc(const ViewDc&) = delete;
        ViewDc& operator=(const ViewDc&) = delete;
        QPainter& Painter() { return painter_; }
        ElemViewDraw& Draw() { return draw_; }

    private:
        CNcElemView& view_;
        QPainter painter_;
        ElemViewDraw draw_;
    };
    std::unique_ptr<ViewDc> GetViewDC() { return std::make_unique<ViewDc>(*this); }
    // One layer at once with one pen (the scene layers of the machine data).
    void PaintLayerNow(ViewLayerId id, ViewRgb colour, int style, int width, int classMask);

    // The torch mark as MoveTorchMark sets it (view position, colours). TorchShown is 1 while a
    // mark is on show; a full paint draws a shown mark (and always the skip-log mark of process
    // mode 4 while viewing), so the pixels a later XOR erase expects are there.
    int TorchShown = 0;
    CxyzData TorchPosition;
    ViewRgb TorchOutlineColour;
    ViewRgb TorchFillColour;
    CxyzData ProjectedOrigin;
    // The 1-based NC line highlighted by HighlightLine, -1 none (also after every repaint).
    int HighlightedLine = -1;

    // --- hover, tip and mouse ---------------------------------------------------------------
    // The element under the cursor (highlighted in the NaviPen colour); null when none.
    const CDtbElement* HoverElement() const { return model_.Hover().element; }
    // The client point at which HoverElement was last set; (-9999, -9999) after a paint that
    // only re-ran the hover.
    QPoint LastMousePoint{-9999, -9999};
    // Where the left button last went down, moved along by rotation and zoom drags, and the
    // drawing point under it.
    QPoint PressPoint{-9999, -9999};
    CxyData PressWorldPoint;
    // 1: a paint renders as usual; 0 (set by a left press that hid a tip): the next paint only
    // works out the hover again (a pending render still happens).
    int PaintArmed = 1;
    // The text of the tip on show; empty when none is.
    QString ElemTipText;
    QLabel* ElemTip() const { return tip_; }
    // The element (top-level or group) under a client point: the hit test over LayerMain and
    // the climb to a whole arc, punch hit or punch pattern.
    ElemHover HitTest(QPoint client) const;
    // The tip of element into text (UTF-8) and the point it names; the colour class, or -1
    // for no tip.
    int BuildElemInfoText(const CDtbElement& element, std::string* text,
                          CxyzData* position = nullptr) const;
    // The hover at a client point as a mouse move without buttons finds it (nothing while a
    // trace runs or at the point of the last hover).
    void HoverAt(QPoint client);

    // --- trace display (also IElemView) -------------------------------------------------------
    // The elements of one step, projected and appended to LayerCurrentStep and drawn at once
    // in the current-step pen; the count projected. The step is read at once and not kept.
    int DrawTraceStepCount(CDtbEngine* step);
    // The tool outline (class 512) at its new place; the count projected.
    int SetToolLayerCount(CDtbEngine* tool);
    // The elements of the NC lines from..to (1-based) of LayerMain: drawn in the NaviPen pen
    // (their arrows with the NaviPen XOR pair when asked), or restored to their class colours.
    // Returns 0.
    int DrawTraceRange(ElemViewDraw& draw, int from, int to, bool arrows, bool restore);
    // The first top-level element of a route layer with the element's "PrtNo=" and "LineNo=",
    // drawn again in colour and width. 1 when it was the layer's last element, 0 when not, -1
    // when the element lacks either text or the layer has no such element.
    int DrawMatchingElement(ElemViewDraw& draw, const CDtbElement* element, ViewLayerId layer,
                            ViewRgb colour, int width);

    // --- IElemView -----------------------------------------------------------------------
    QWidget* Widget() override { return this; }
    void SetViewType(int type, int angleX, int angleY, int angleZ) override;
    int ViewType() const override { return model_.ViewType(); }
    void SetRotationAngles(const CxyzData& angles, int mask) override;
    CxyzData RotationAngles() const override { return model_.Projection().RotateAngles(); }
    const ElemViewSettings* Settings() const override { return &model_.Settings(); }
    void FitAspect() override;
    void ZoomFit() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void ScrollUp() override;
    void ScrollDown() override;
    void ScrollLeft() override;
    void ScrollRight() override;
    void BuildDangerZones(int toolNo) override;
    void SetSkipLogRoute(CDtbEngine* route) override;
    void MoveSheet(const double offset[3]) override;
    void RebuildMainLayer() override;
    void ResetPivot() override;
    void ReleaseDocument() override { model_.ReleaseDocument(); }
    void EmptyLayers(const std::vector<int>& layers) override;
    void WheelZoom(unsigned keyFlags, int delta, QPoint screen) override;
    // The torch mark at an outside-reported head position (world coordinates). The mark on
    // show is XOR-erased first when it was drawn with XOR; move kind 200 (the skip-log start)
    // draws it opaque, so that no later XOR erase removes it. Returns 1.
    void MoveTorchMark(int stepKind, const CxyzData* position, int moveKind) override;
    // True when the mark on show was drawn with XOR.
    bool TorchDrawnXor() const { return torchXor_; }
    void DrawTraceStep(CDtbEngine* step) override { DrawTraceStepCount(step); }
    // The current step's elements go into the traced path, painted in their class colours.
    void CommitTraceStep() override;
    void SetToolLayer(CDtbEngine* tool, int /*unused*/) override { SetToolLayerCount(tool); }
    // Erases the tool outline and empties the trace's layers (current step, traced path, tool,
    // moved sheet, danger zones); nothing is repainted, the torch mark stays.
    void ClearTrace() override;
    // Restores the highlighted line's elements, highlights those of line (1-based; 0 or less:
    // none) and remembers it.
    void HighlightLine(int lineNo) override;
    int HideElemTip() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ElemViewPainterQt;
    void Refresh();
    // A painter on the back buffer for drawing between paints; null when there is no image or
    // a full repaint is pending (that paint shows the new state whole).
    std::unique_ptr<ViewDc> DrawNow();
    // The torch mark's two passes at TorchPosition: the background pair, then its colours.
    void DrawTorchPair(ElemViewDraw& draw, bool xorMode);
    // The torch mark as a full paint shows it.
    void DrawTorchForPaint(ElemViewDraw& draw);
    void DrawTracing(ElemViewDraw& draw);
    void DrawViewing(ElemViewDraw& draw);
    const CDtbElement* First(ViewLayerId id) const { return model_.Layer(id).GetFirstElement(); }
    ViewRgb Colour(ElemViewSetting s) const { return model_.Settings().Colour(s); }
    int Value(ElemViewSetting s) const { return model_.Settings()[s]; }

    // The XOR pairs of the trace display.
    void XorToolOutline(ElemViewDraw& draw);
    void XorStepArrows(ElemViewDraw& draw, const CDtbElement* first);
    // The direction arrows of one element of LayerMain in colour, with XOR as a pair or opaque.
    void ElementArrows(ElemViewDraw& draw, const CDtbElement* element, ViewRgb colour,
                       bool xorPair);
    // One element of LayerMain (its runs) highlighted in the NaviPen pen, or restored: its
    // NaviPen arrows erased, painted in the background colour, then in its class colours with
    // the direction arrows when EdgeDisp is 1.
    void HighlightRuns(ElemViewDraw& draw, const ElemHover& element, bool arrows);
    void RestoreRuns(ElemViewDraw& draw, const ElemHover& element);
    // The hovered element restored with what the route layers showed there.
    void RestoreHover(ElemViewDraw& draw);
    // The tip of the hovered element shown, or hidden when it has none.
    void ShowTip(const QString& text, int tipClass);
    // A release at the press point: the route pick, the pivot pick, the element's lines.
    void OnClick();
    void ResetRotationFromKey();
    bool TraceRunning() const { return frame_.TraceActive != 0; }

    ElemViewHost host_;
    ElemViewContext context_;
    ElemViewFrameState frame_;
    ElemViewPainterQt painter_;
    ElemViewModel model_;
    QImage buffer_;
    QFont axisFont_;
    bool updated_ = false;
    bool renderPending_ = false;
    bool torchXor_ = true;        // the mark on show was drawn with XOR
    bool toolDrawn_ = false;      // LayerTool is in the picture as its XOR pair
    bool stepArrowsXor_ = false;  // LayerCurrentStep's arrows are in the picture as XOR pairs
    bool captured_ = false;       // a left press of this view holds the mouse
    int wheelRest_ = 0;           // wheel delta short of a whole notch
    QPointer<QLabel> tip_;
    QTimer* tipTimer_ = nullptr;
};
