// CNcElemView: the element view pane: a widget drawing its view layers into a back buffer.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <memory>

#include "views/ElemViewDraw.h"
#include "views/ElemViewFrameState.h"
#include "views/ElemViewPainterQt.h"
#include "views/IElemView.h"
#include "views/model/ElemViewModel.h"

// What the view asks of the program around it. Unset members are skipped (tests set the
// context and frame state directly).
struct ElemViewHost {
    // Brings the context and the frame state up to date; called before every update and
    // every full paint.
    std::function<void(ElemViewContext&, ElemViewFrameState&)> Refresh;
    // The document's elements were projected anew (the information list follows).
    std::function<void()> DocumentUpdated;
    // The view's update after a load is done: the frame's timer check runs (the file may have
    // changed on disk, a conversion table may want the file saved).
    std::function<void()> UpdatedAfterLoad;
    // A left click on a drawn element: each of its "LineNo=" lines, in turn.
    std::function<void(int line)> ElementClicked;
};

// All drawing goes into a QImage the size of the client area; paintEvent only copies it out.
// A full paint renders the whole image (background, grid and origin mark, then the layers in
// the order of the trace or of viewing); the drawing between paints (scene layers, marks)
// goes into the same image and is shown at once with repaint(). Marks drawn with XOR as a
// pair restore the pixels when the pair is drawn again.
//
// A full repaint asked for (RepaintAll: every fit, zoom and scroll) is rendered once, when the
// widget is next painted or its image is next used: a run of placements (the fits of an open)
// costs one render, not one each.
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
    // Asks for a full repaint: rendered by the next paint or use of the image.
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
    // Hover state, reset by every full paint and update.
    const CDtbElement* HoverElement = nullptr;
    int HighlightedLine = -1;
    CxyzData ProjectedOrigin;

    // --- IElemView -----------------------------------------------------------------------
    QWidget* Widget() override { return this; }
    void SetViewType(int type, int angleX, int angleY, int angleZ) override;
    int ViewType() const override { return model_.ViewType(); }
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
    void EmptyLayers(const std::vector<int>& layers) override;
    void WheelZoom(unsigned keyFlags, int delta, QPoint screen) override;
    // The torch mark at an outside-reported head position (world coordinates). The mark on
    // show is XOR-erased first when it was drawn with XOR; move kind 200 (the skip-log start)
    // draws it opaque, so that no later XOR erase removes it. Returns 1.
    void MoveTorchMark(int stepKind, const CxyzData* position, int moveKind) override;
    // True when the mark on show was drawn with XOR.
    bool TorchDrawnXor() const { return torchXor_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
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

    ElemViewHost host_;
    ElemViewContext context_;
    ElemViewFrameState frame_;
    ElemViewPainterQt painter_;
    ElemViewModel model_;
    QImage buffer_;
    QFont axisFont_;
    bool updated_ = false;
    bool renderPending_ = false;
    QPoint pressAt_{-1000, -1000};  // where the left button went down
    bool torchXor_ = true;          // the mark on show was drawn with XOR
};
