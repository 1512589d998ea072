// The element view's hover with its element tip, and its mouse, wheel and keys: clicks pick
// NC lines, routes and the rotation pivot; drags rotate, pan or zoom.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include "kernel/db/CDtbLine.h"
#include "views/CNcElemView.h"
#include "views/model/ElemInfoText.h"
#include "views/model/ElemViewPick.h"

namespace {

// The tip's period of redrawing while it is shown.
constexpr int kTipRefreshMs = 32667;
constexpr int kWheelNotch = 120;

// The key flags of a mouse message: 0x1 left, 0x2 right, 0x4 Shift, 0x8 Ctrl, 0x10 middle.
unsigned KeyFlags(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton) flags |= 0x1;
    if (buttons & Qt::RightButton) flags |= 0x2;
    if (keys & Qt::ShiftModifier) flags |= 0x4;
    if (keys & Qt::ControlModifier) flags |= 0x8;
    if (buttons & Qt::MiddleButton) flags |= 0x10;
    return flags;
}

QColor TipColour(int tipClass) {
    if (tipClass == 0) return QColor(0, 0, 0);
    if (tipClass == 1) return QColor(0, 0, 255);
    return QColor(0, 120, 0);
}

}  // namespace

// --- hover and tip -----------------------------------------------------------------------------

ElemHover CNcElemView::HitTest(QPoint client) const {
    return ::HoverAt(model_.MainDrawing(), model_.Window(), client.x(), client.y());
}

int CNcElemView::BuildElemInfoText(const CDtbElement& element, std::string* text,
                                   CxyzData* position) const {
    ElemInfoSource source;
    source.Lines = context_.Lines;
    source.AppMachineType = context_.AppMachineType;
    source.LineNumberOfRow = context_.LineNumberOfRow;
    return ::BuildElemInfoText(element, source, text, position);
}

void CNcElemView::RestoreHover(ElemViewDraw& draw) {
    const ElemHover h = model_.Hover();
    RestoreRuns(draw, h);
    // What the route layers showed there.
    const int mode = context_.ProcessMode;
    if (mode == 30 || mode == 31) {
        const ViewRgb incomplete = Colour(kIncmpProcRouteColor);
        const int width = Value(kRoutePenWide);
        const int r = DrawMatchingElement(draw, h.element, LayerSelectedRoute,
                                          Colour(kSelectRouteColor), width);
        if (r == 1 && h.element->link.next)
            DrawMatchingElement(draw, h.element->link.next, LayerIncompleteRoute, incomplete,
                                width);
        else if (r == -1)
            DrawMatchingElement(draw, h.element, LayerIncompleteRoute, incomplete, width);
    } else if (mode == 4) {
        DrawMatchingElement(draw, h.element, LayerSkipLogRoute, Colour(kSkipLogRouteColor),
                            Value(kSkipLogRoutePenWide));
        // The skip-log mark over it again (a mark on show with XOR is left to its erase).
        if (!(TorchShown && torchXor_)) DrawTorchPair(draw, false);
    }
    model_.ForgetHover();
}

void CNcElemView::HoverAt(QPoint client) {
    if (TraceRunning() || client == LastMousePoint || buffer_.isNull()) return;
    RenderPending();  // the picture the highlight goes onto
    const ElemHover hit = HitTest(client);
    const ElemHover old = model_.Hover();
    std::unique_ptr<ViewDc> dc;
    auto draw = [&]() -> ElemViewDraw& {
        if (!dc) dc = std::make_unique<ViewDc>(*this);
        return dc->Draw();
    };
    if (old.element && hit.element != old.element) RestoreHover(draw());
    if (hit.element) {
        if (hit.element != old.element) HideElemTip();
        std::string text;
        const int tipClass = BuildElemInfoText(*hit.element, &text);
        if (tipClass != -1)
            ShowTip(QString::fromUtf8(text.data(), qsizetype(text.size())), tipClass);
    } else if (!ElemTipText.isEmpty()) {
        HideElemTip();
    }
    if (hit.element && hit.element != old.element) {
        if (HighlightedLine > 0)
            DrawTraceRange(draw(), HighlightedLine, HighlightedLine, true, true);
        HighlightedLine = -1;
        HighlightRuns(draw(), hit, true);
        LastMousePoint = client;
        model_.SetHover(hit);
    }
}

void CNcElemView::ShowTip(const QString& text, int tipClass) {
    if (!tip_) {
        // A small popup of our own that never hides by itself: white, plain text, at most 700
        // pixels wide, margins of 3, a 12-pixel fixed-pitch font with a CJK fallback.
        tip_ = new QLabel(this, Qt::ToolTip);
        tip_->setObjectName(QStringLiteral("ElemTip"));
        tip_->setTextFormat(Qt::PlainText);
        tip_->setMaximumWidth(700);
        tip_->setContentsMargins(3, 3, 3, 3);
        tip_->setAutoFillBackground(true);
        QFont font;
        font.setFamilies({QStringLiteral("MS Gothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                          QStringLiteral("Noto Sans CJK JP"), QStringLiteral("monospace")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
        font.setPixelSize(12);
        tip_->setFont(font);
        tipTimer_ = new QTimer(this);
        tipTimer_->setInterval(kTipRefreshMs);
        connect(tipTimer_, &QTimer::timeout, this, [this] {
            if (tip_) tip_->update();
        });
    }
    QPalette palette = tip_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, TipColour(tipClass));
    tip_->setPalette(palette);
    const bool wasShown = !ElemTipText.isEmpty() && tip_->isVisible();
    ElemTipText = text;
    tip_->setText(text);
    tip_->adjustSize();
    if (!wasShown) {
        // Below and to the right of the cursor, kept on its screen.
        QPoint at = QCursor::pos() + QPoint(2, 20);
        if (const QScreen* screen = QGuiApplication::screenAt(QCursor::pos())) {
            const QRect room = screen->availableGeometry();
            at.setX(std::max(room.left(), std::min(at.x(), room.right() - tip_->width())));
            if (at.y() + tip_->height() > room.bottom())
                at.setY(QCursor::pos().y() - tip_->height() - 4);
        }
        tip_->move(at);
        tip_->show();
    }
    tipTimer_->start();
}

int CNcElemView::HideElemTip() {
    if (ElemTipText.isEmpty()) return 0;
    if (tip_) tip_->hide();
    ElemTipText.clear();
    PaintArmed = 1;
    if (tipTimer_) tipTimer_->stop();
    return 1;
}

// --- mouse -------------------------------------------------------------------------------------

void CNcElemView::mousePressEvent(QMouseEvent* event) {
    Refresh();
    const QPoint at = event->position().toPoint();
    switch (event->button()) {
        case Qt::RightButton:
            HideElemTip();
            return;
        case Qt::MiddleButton:
            ZoomFit();
            return;
        case Qt::LeftButton:
            break;
        default:
            QWidget::mousePressEvent(event);
            return;
    }
    // A press without a move before it (a touch screen's tap) hovers its point first.
    HoverAt(at);
    if (HideElemTip()) {
        // What hiding the tip uncovered is painted now; the paint after that only works the
        // hover out again.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        PaintArmed = 0;
    }
    if (host_.RefreshAxisRotateDlg) host_.RefreshAxisRotateDlg();
    captured_ = true;
    PressPoint = at;
    PressWorldPoint = CxyData(model_.ClientToWorldX(at.x()), model_.ClientToWorldY(at.y()));
}

void CNcElemView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const Qt::MouseButtons buttons = event->buttons();
    if (captured_ && (buttons & (Qt::LeftButton | Qt::RightButton))) {
        Refresh();
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        if (frame_.RotateMouseOperation == 1) {
            // Re-projects every layer (the routes, the skip-log route and its mark too) and
            // refits.
            model_.DragRotate(at.x() - PressPoint.x(), at.y() - PressPoint.y());
            PressPoint = at;
        } else if ((frame_.CtrlSwitch == 0) != ctrl) {
            // The press point stays under the cursor.
            model_.DragPan(PressWorldPoint, at.x(), at.y());
        } else {
            model_.DragZoom(PressPoint.y(), at.y());
            PressPoint = at;
        }
        return;
    }
    if (buttons == Qt::NoButton) {
        Refresh();
        HoverAt(at);
    }
}

void CNcElemView::mouseReleaseEvent(QMouseEvent* event) {
    Refresh();
    if (event->button() == Qt::RightButton) {
        if (host_.ContextMenu)
            host_.ContextMenu(TraceRunning() ? 1 : 0, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool wasCaptured = captured_;
    captured_ = false;
    // A click is a release where the button went down, on a hovered element. (Rotation and
    // zoom drags move the press point along, but change the window, which forgets the hover.)
    if (!wasCaptured || event->position().toPoint() != PressPoint || TraceRunning() ||
        !HoverElement())
        return;
    OnClick();
}

void CNcElemView::OnClick() {
    RenderPending();  // ProjectedOrigin as the picture shows it
    const ElemHover h = model_.Hover();
    if (!h.element) return;
    const int mode = context_.ProcessMode;
    if (mode == 30 || mode == 31) {
        // The route from the picked block: not from a rapid move.
        const CDtbLine* line = DtbCast<CDtbLine>(h.element);
        if (line && (line->info.classBits & kDtbClassRapid)) return;
        const int prtNo = FirstNumber(*h.element, "PrtNo=");
        const int lineNo = FirstNumber(*h.element, "LineNo=");
        int seq = -1;
        if (model_.BuildRouteLayers(mode == 30 ? 0 : 1, prtNo, lineNo, &seq) == -1) return;
        context_.PickPos[0] = prtNo;
        context_.PickPos[1] = lineNo;
        if (host_.SetPickPos) host_.SetPickPos(prtNo, lineNo);
        model_.CallSetProcStartPos(prtNo, seq);
        FitAspect();
        return;
    }
    if (frame_.RotateMouseOperation == 1) {
        // The pivot at the element's point; the offset keeps the drawing where it is.
        CxyzData pivot;
        if (BuildElemInfoText(*h.element, nullptr, &pivot) == -1) pivot = CxyzData();
        model_.SetPivot(pivot, CxyzData());
        double x = 0, y = 0;
        model_.ProjectPoint(0, 0, 0, &x, &y, true);
        model_.SetPivot(pivot, CxyzData(x - ProjectedOrigin.x, y - ProjectedOrigin.y, 0));
    }
    // Selecting or extracting may rebuild the layers: the lines are taken first, and the loop
    // stops once the element is gone.
    const std::vector<int> lines = ElementLines(*h.element);
    for (int line : lines) {
        if (!HoverElement()) break;
        if (host_.ElementClicked) host_.ElementClicked(line);
    }
}

void CNcElemView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        Refresh();
        ResetRotationFromKey();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);  // a press as any other
}

void CNcElemView::wheelEvent(QWheelEvent* event) {
    event->accept();
    // A touchpad's small steps add up to whole notches.
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / kWheelNotch;
    if (notches == 0) return;
    wheelRest_ -= notches * kWheelNotch;
    const unsigned flags = KeyFlags(event->modifiers(), event->buttons());
    const QPoint screen = event->globalPosition().toPoint();
    if (host_.RouteMouseWheel)
        host_.RouteMouseWheel(flags, notches * kWheelNotch, screen);
    else
        WheelZoom(flags, notches * kWheelNotch, screen);
}

// --- keys --------------------------------------------------------------------------------------

bool CNcElemView::event(QEvent* event) {
    // The arrow keys scroll the view before Qt's focus navigation takes them.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                keyPressEvent(key);
                return true;
            default:
                break;
        }
    }
    return QWidget::event(event);
}

void CNcElemView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
            if (host_.TraceStep) host_.TraceStep();
            break;
        case Qt::Key_PageUp:
            ZoomIn();
            break;
        case Qt::Key_PageDown:
            ZoomOut();
            break;
        case Qt::Key_Left:
            ScrollLeft();
            break;
        case Qt::Key_Right:
            ScrollRight();
            break;
        case Qt::Key_Up:
            ScrollUp();
            break;
        case Qt::Key_Down:
            ScrollDown();
            break;
        case Qt::Key_R:
            Refresh();
            ResetRotationFromKey();
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CNcElemView::ResetRotationFromKey() {
    if (host_.ResetRotation) host_.ResetRotation();
    SetViewType(ViewType(), 0, 0, 0);
    ZoomFit();
    // An open rotation dialog shows the angles now in force; left with the old ones, its OK
    // would save them over the reset.
    if (host_.RefreshAxisRotateDlg) host_.RefreshAxisRotateDlg();
}
