// The element view widget: back buffer, full paint in its two orders, navigation forwarding.
#include "views/CNcElemView.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPaintEvent>
#include <QResizeEvent>

namespace {

constexpr int kMaskProgram = kDtbClassMark | kDtbClassCut | kDtbClassPunch;  // 14

// Shows the wait cursor for the life of a full paint.
class WaitCursor {
public:
    WaitCursor() {
        if (qobject_cast<QApplication*>(QCoreApplication::instance()))
            QApplication::setOverrideCursor(Qt::WaitCursor), set_ = true;
    }
    ~WaitCursor() {
        if (set_) QApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool set_ = false;
};

}  // namespace

CNcElemView::CNcElemView(QWidget* parent, ElemViewHost host)
    : QWidget(parent), host_(std::move(host)), painter_(*this), model_(&context_, &painter_) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::WheelFocus);
    // Hover needs the moves without a button; the context menu opens on the right release.
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setMinimumSize(16, 16);
    axisFont_ = QFont(QStringLiteral("MS Gothic"));
    axisFont_.setStyleHint(QFont::TypeWriter);
    axisFont_.setFixedPitch(true);
    axisFont_.setPixelSize(13);
    axisFont_.setWeight(QFont::DemiBold);
    Refresh();
    model_.LoadSettings();
    TorchOutlineColour = TorchFillColour = Colour(kBackGround);
}

CNcElemView::~CNcElemView() {
    model_.SetPainter(nullptr);
}

void CNcElemView::Refresh() {
    if (host_.Refresh) host_.Refresh(context_, frame_);
}

void CNcElemView::OnUpdate() {
    Refresh();
    updated_ = true;
    model_.Update();  // ends with a fit, which repaints
    HighlightedLine = -1;
    if (host_.DocumentUpdated) host_.DocumentUpdated();
    // The route layers of a program loaded before are gone with it.
    EmptyLayers({LayerSelectedRoute, LayerIncompleteRoute, LayerSkipLogRoute});
    if (host_.UpdatedAfterLoad) host_.UpdatedAfterLoad();
}

void CNcElemView::RenderAll() {
    renderPending_ = false;
    if (buffer_.isNull()) return;
    QPainter painter(&buffer_);
    EraseBackground(painter);
    DrawAll(painter);
}

void CNcElemView::RepaintAll() {
    renderPending_ = true;
    model_.ForgetHover();
    HighlightedLine = -1;
    update();
}

bool CNcElemView::RenderPending() {
    if (!renderPending_) return false;
    WaitCursor wait;
    Refresh();
    RenderAll();
    return true;
}

const QImage& CNcElemView::BackBuffer() {
    RenderPending();
    return buffer_;
}

void CNcElemView::EraseBackground(QPainter& painter) {
    const ViewWindow& w = model_.Window();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(buffer_.rect(), ToQColor(Colour(kBackGround)));
    ElemViewDraw draw(painter, w);
    draw.DrawLayer(First(LayerGrid), Colour(kGridPen), Value(kGridPenStyle), Value(kGridPenWide),
                   kDtbClassGrid, false);
    double x = 0, y = 0;
    model_.ProjectPoint(0, 0, 0, &x, &y, true);
    ProjectedOrigin = CxyzData(x, y, 0);
    draw.DrawOriginMark(QPoint(WorldToScreenX(w, x), WorldToScreenY(w, y)));
}

int CNcElemView::DrawAll(QPainter& painter) {
    ElemViewDraw draw(painter, model_.Window());
    if (frame_.TraceActive)
        DrawTracing(draw);
    else
        DrawViewing(draw);
    if (frame_.XYZAxis == 1)
        draw.DrawXyzAxes(model_.Projection(), model_.Settings().XyzAxisLength,
                         frame_.FrameViewType == 4, axisFont_);
    model_.ForgetHover();
    HighlightedLine = -1;
    return 0;
}

void CNcElemView::DrawTracing(ElemViewDraw& draw) {
    const int mode = context_.ProcessMode;
    const ViewRgb dark = Colour(kTraceDarkPen);
    const int darkWidth = Value(kTraceDarkPenWide);
    draw.DrawLayer(model_.MainDrawing(), dark, 0, darkWidth, kMaskProgram);
    draw.DrawLayer(First(LayerSecond), dark, 0, darkWidth, kMaskProgram, false);
    const int frameStyle = Value(kFramePenStyle), frameWidth = Value(kFramePenWide);
    draw.DrawLayer(First(LayerSheetFrame), dark, frameStyle, frameWidth, kDtbClassFrame, false);
    draw.DrawLayer(First(LayerMovedSheet), Colour(kFramePen), frameStyle, frameWidth,
                   kDtbClassFrame, false);
    draw.DrawLayer(First(LayerDangerZone), Colour(kDangerousZonePen), frameStyle, frameWidth,
                   kDtbClassFrame, false);
    draw.DrawLayerByClass(First(LayerTraced), frame_.Pens, false);
    if (frame_.EdgeDisp == 1)
        draw.DrawEdgeArrows(First(LayerTraced), Colour(kEdgeArrowPen), Value(kEdgeArrowSize),
                            false);
    // The current step as DrawTraceStep draws it, so that the XOR erase of the commit finds
    // its arrows: in process mode 0 in one pen with the arrows as XOR pairs, else in two
    // passes without arrows.
    const ViewRgb current = Colour(kTraceCurrentPen);
    const int currentWidth = Value(kTraceCurrentPenWide);
    if (mode == 0) {
        draw.DrawLayer(First(LayerCurrentStep), current, 0, currentWidth, kDtbClassAll, false);
        XorStepArrows(draw, First(LayerCurrentStep));
    } else {
        draw.DrawLayerTwoPass(First(LayerCurrentStep), current, currentWidth,
                              frame_.Pens.entries[kPenFF], false);
    }
    stepArrowsXor_ = mode == 0;
    // The tool outline: an XOR pair, background colour first. Process mode 2 shows the torch
    // in its place.
    toolDrawn_ = mode != 2;
    if (toolDrawn_) XorToolOutline(draw);
    DrawTorchForPaint(draw);
}

void CNcElemView::DrawViewing(ElemViewDraw& draw) {
    const int mode = context_.ProcessMode;
    toolDrawn_ = stepArrowsXor_ = false;
    draw.DrawLayer(First(LayerSheetFrame), Colour(kFramePen), Value(kFramePenStyle),
                   Value(kFramePenWide), kDtbClassFrame, false);
    draw.DrawLayerByClass(model_.MainDrawing(), frame_.Pens);
    draw.DrawLayerByClass(First(LayerSecond), frame_.Pens, false);
    if (mode == 30 || mode == 31) {
        draw.DrawLayer(First(LayerSelectedRoute), Colour(kSelectRouteColor), 0,
                       Value(kRoutePenWide), kDtbClassAll, false);
        draw.DrawLayer(First(LayerIncompleteRoute), Colour(kIncmpProcRouteColor), 0,
                       Value(kRoutePenWide), kDtbClassAll, false);
    } else if (mode == 4) {
        draw.DrawLayer(First(LayerSkipLogRoute), Colour(kSkipLogRouteColor), 0,
                       Value(kSkipLogRoutePenWide), kDtbClassAll, false);
    }
    if (frame_.EdgeDisp == 1) {
        if (const auto* arrows = model_.MainArrows())
            draw.DrawEdgeArrows(*arrows, Colour(kEdgeArrowPen), Value(kEdgeArrowSize));
        else
            draw.DrawEdgeArrows(First(LayerMain), Colour(kEdgeArrowPen), Value(kEdgeArrowSize),
                                false);
        draw.DrawEdgeArrows(First(LayerSecond), Colour(kEdgeArrowPen), Value(kEdgeArrowSize),
                            false);
    }
    if (frame_.ACAxis == 1) {
        if (const auto* lines = model_.AcAxisLines())
            draw.DrawAcAxisLines(*lines, Colour(kAcAxisPen));
        else
            draw.DrawAcAxisLayer(First(LayerAcAxis), Colour(kAcAxisPen), false);
    }
    DrawTorchForPaint(draw);
    // The line range of the open smoothing dialog.
    if (frame_.SmoothFrom > 0)
        DrawTraceRange(draw, frame_.SmoothFrom, frame_.SmoothTo, false, false);
}

void CNcElemView::DrawTorchPair(ElemViewDraw& draw, bool xorMode) {
    QPainter& p = draw.Painter();
    const QPainter::CompositionMode old = p.compositionMode();
    p.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                 : QPainter::CompositionMode_SourceOver);
    const ViewRgb bg = Colour(kBackGround);
    draw.DrawTorchMark(TorchPosition, Value(kTorchSize), bg, bg);
    draw.DrawTorchMark(TorchPosition, Value(kTorchSize), TorchOutlineColour, TorchFillColour);
    p.setCompositionMode(old);
}

// A mark on show is part of the picture in every process mode, so that the XOR erase of
// MoveTorchMark and CommitTraceStep finds it after any repaint; the skip-log mark of process
// mode 4 is always drawn while viewing.
void CNcElemView::DrawTorchForPaint(ElemViewDraw& draw) {
    if (TorchShown && torchXor_)
        DrawTorchPair(draw, true);
    else if (TorchShown || (!frame_.TraceActive && context_.ProcessMode == 4))
        DrawTorchPair(draw, false);
}

// --- drawing between paints --------------------------------------------------------------------

std::unique_ptr<CNcElemView::ViewDc> CNcElemView::DrawNow() {
    if (buffer_.isNull() || renderPending_) return nullptr;
    return std::make_unique<ViewDc>(*this);
}

// A pending full repaint comes first: what is drawn now goes over the finished picture.
CNcElemView::ViewDc::ViewDc(CNcElemView& view)
    : view_(view),
      painter_((view.RenderPending(), &view.buffer_)),
      draw_(painter_, view.model_.Window()) {}

CNcElemView::ViewDc::~ViewDc() {
    painter_.end();
    view_.repaint();
}

void CNcElemView::PaintLayerNow(ViewLayerId id, ViewRgb colour, int style, int width,
                                int classMask) {
    if (buffer_.isNull()) return;
    ViewDc dc(*this);
    dc.Draw().DrawLayer(First(id), colour, style, width, classMask, false);
}

// --- Qt events ---------------------------------------------------------------------------------

void CNcElemView::paintEvent(QPaintEvent* event) {
    RenderPending();
    QPainter p(this);
    if (buffer_.isNull()) {
        p.fillRect(event->rect(), ToQColor(Colour(kBackGround)));
        return;
    }
    p.drawImage(event->rect(), buffer_, event->rect());
    p.end();
    // After a left press hid a tip: this paint only works the hover out again. (The picture
    // itself is never left unrendered: a pending render happened above.)
    if (!PaintArmed) {
        PaintArmed = 1;
        LastMousePoint = QPoint(-9999, -9999);
        HoverAt(mapFromGlobal(QCursor::pos()));
    }
}

void CNcElemView::resizeEvent(QResizeEvent* event) {
    const QSize size = event->size();
    if (size.isEmpty()) return;
    buffer_ = QImage(size, QImage::Format_RGB32);
    buffer_.fill(ToQColor(Colour(kBackGround)));
    model_.SetClientRect(0, 0, size.width(), size.height());
    if (!updated_) return;  // the first update fits and paints
    model_.FitAspect();
}

void CNcElemView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!updated_) OnUpdate();
}

void CNcElemView::hideEvent(QHideEvent* event) {
    HideElemTip();
    QWidget::hideEvent(event);
}

// --- what the frame forwards ---------------------------------------------------------------------

void CNcElemView::SetViewType(int type, int angleX, int angleY, int angleZ) {
    Refresh();
    model_.SetViewType(type, angleX, angleY, angleZ);
}

void CNcElemView::SetRotationAngles(const CxyzData& angles, int mask) {
    Refresh();
    model_.SetRotationAngles(angles, mask);
}

void CNcElemView::FitAspect() {
    model_.FitAspect();
}

void CNcElemView::ZoomFit() {
    model_.ZoomFit();
}

void CNcElemView::ZoomIn() {
    model_.ZoomIn();
}

void CNcElemView::ZoomOut() {
    model_.ZoomOut();
}

void CNcElemView::ScrollUp() {
    model_.ScrollUp();
}

void CNcElemView::ScrollDown() {
    model_.ScrollDown();
}

void CNcElemView::ScrollLeft() {
    model_.ScrollLeft();
}

void CNcElemView::ScrollRight() {
    model_.ScrollRight();
}

void CNcElemView::BuildDangerZones(int toolNo) {
    Refresh();
    model_.BuildDangerZones(toolNo);
}

void CNcElemView::SetSkipLogRoute(CDtbEngine* route) {
    if (route) model_.SetSkipLogRoute(*route);
}

void CNcElemView::MoveSheet(const double offset[3]) {
    Refresh();
    model_.MoveSheet(offset);
}

void CNcElemView::RebuildMainLayer() {
    if (!updated_) {
        OnUpdate();
        return;
    }
    Refresh();
    model_.RebuildMainLayer();
    // The grid follows the program's extents.
    model_.BuildGrid();
    model_.BuildSheetFrame();
    if (host_.DocumentUpdated) host_.DocumentUpdated();
    EmptyLayers({LayerSelectedRoute, LayerIncompleteRoute, LayerSkipLogRoute});
    RepaintAll();
    if (host_.UpdatedAfterLoad) host_.UpdatedAfterLoad();
}

void CNcElemView::ResetPivot() {
    model_.SetPivot(CxyzData(), CxyzData());
    ProjectedOrigin = CxyzData();
}

void CNcElemView::EmptyLayers(const std::vector<int>& layers) {
    for (int id : layers)
        if (id >= 0 && id < kViewLayerCount) model_.Layer(static_cast<ViewLayerId>(id)).Empty();
}

void CNcElemView::WheelZoom(unsigned keyFlags, int delta, QPoint screen) {
    const QPoint client = mapFromGlobal(screen);
    model_.WheelZoom(keyFlags, delta, client.x(), client.y());
}
