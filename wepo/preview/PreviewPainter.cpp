// QPainter drawing of preview primitives.
#include "wepo/preview/PreviewPainter.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "kernel/geom/EdgeMark.h"
#include "platform/TextCodec.h"
#include "wepo/core/preview/PreviewGeometry.h"
#include "wepo/util/StringCache.h"

namespace wepo {

namespace {

constexpr double kDegPerRad = 57.29577951308232;

QPen PenOf(int index) {
    QPen pen(Qt::black, 0);
    pen.setCapStyle(Qt::FlatCap);
    switch (index & 0xF) {
        case 2:
            pen.setStyle(Qt::DashLine);
            break;
        case 3:
            pen.setStyle(Qt::DashDotLine);
            break;
        case 4:
            pen.setStyle(Qt::DashDotDotLine);
            break;
        case 5:
            pen.setStyle(Qt::DotLine);
            break;
        case 6:
            pen.setDashPattern({1, 1});
            break;  // every other pixel
        default:
            break;
    }
    return pen;
}

QPoint Map(const PreviewView& v, double x, double y) {
    return QPoint(MapX(v, x), MapY(v, y));
}

double MarkSize(const PreviewView& v) {
    return 0.015 * std::hypot(v.xmax - v.xmin, v.ymax - v.ymin);
}

// The fixed-pitch face of string 20, falling back through fontconfig to an installed (CJK) face.
QFont PreviewFont(int pixelHeight) {
    const char* face = LoadStringCached(LibraryModule(), 20);
    QFont font(QString::fromUtf8(face ? face : "Monospace"));
    font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
    font.setFixedPitch(true);
    font.setPixelSize(pixelHeight);
    font.setWeight(QFont::Normal);
    return font;
}

void DrawText(QPainter& p, const PreviewView& v, const PreviewPrimitive& t) {
    const double hp = std::trunc(t.a[2] * v.sx + 0.5), wp = std::trunc(t.a[3] * v.sx + 0.5);
    if (!(hp >= 2) || !(wp >= 2) || hp > 4000 || wp > 4000) return;
    const double spacing = std::trunc(t.a[4] * v.sx + 0.5);
    QFont font = PreviewFont(static_cast<int>(hp));
    QFontMetricsF natural(font);
    const double cell = natural.horizontalAdvance(QLatin1Char('M'));
    // The character width asked for: the font stretched to it; the extra spacing added.
    const double stretch = cell > 0 ? wp / cell : 1;
    if (std::isfinite(spacing)) font.setLetterSpacing(QFont::AbsoluteSpacing, spacing / stretch);
    const QPoint at = Map(v, t.a[0], t.a[1]);
    p.save();
    p.translate(at);
    p.rotate(-t.a[5]);  // the escapement turns counter-clockwise; the picture's y grows downwards
    p.scale(stretch, 1);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(0, QFontMetricsF(font).ascent()),
               QString::fromStdString(platform::Cp932ToUtf8(t.text)));
    p.restore();
}

}  // namespace

void DrawEdgeArrow(QPainter& p, const PreviewView& v, int mark, double x, double y,
                   double direction, double size) {
    if (mark == PM_ARROW) {
        const EdgeArrow corners = EdgeArrowCorners(x, y, direction, size);
        QPoint points[3];
        for (int i = 0; i < 3; ++i) points[i] = Map(v, corners.x[i], corners.y[i]);
        p.drawPolygon(points, 3);
    } else if (mark == PM_DOT) {
        const int r = EdgeDotRadius(size, v.sx);
        const QPoint k = Map(v, x, y);
        p.drawEllipse(QRect(k.x() - r, k.y() - r, 2 * r + 1, 2 * r + 1));
    }
}

void DrawPrimitive(QPainter& p, PreviewView& v, const PreviewPrimitive& prim) {
    const double* a = prim.a;
    switch (prim.kind) {
        case PP_VIEW:
            FitViewToPicture(v, a[0], a[1], a[2], a[3], v.left, v.top, v.right, v.bottom);
            return;
        case PP_CLEAR:
            p.fillRect(QRect(v.left, v.top, v.right - v.left, v.bottom - v.top), Qt::white);
            return;
        default:
            break;
    }
    p.setPen(PenOf(prim.pen));
    p.setBrush(Qt::black);
    switch (prim.kind) {
        case PP_POINT:
            if (PointInBox(v.xmin, v.ymin, v.xmax, v.ymax, a[0], a[1]))
                p.drawPoint(Map(v, a[0], a[1]));
            break;
        case PP_LINE: {
            double x1 = a[0], y1 = a[1], x2 = a[2], y2 = a[3];
            if (!ClipSegment(v.xmin, v.ymin, v.xmax, v.ymax, x1, y1, x2, y2)) break;
            p.drawLine(Map(v, x1, y1), Map(v, x2, y2));
            if (prim.marks) {
                p.setPen(PenOf(0));
                const double direction = std::atan2(y2 - y1, x2 - x1) * kDegPerRad;
                DrawEdgeArrow(p, v, static_cast<int>(prim.marks & 0xFFFF), x1, y1, direction,
                              MarkSize(v));
                DrawEdgeArrow(p, v, static_cast<int>(prim.marks >> 16), x2, y2, direction + 180,
                              MarkSize(v));
            }
            break;
        }
        case PP_ARC: {
            if (!std::isfinite(a[0]) || !std::isfinite(a[1]) || !std::isfinite(a[2])) break;
            const ArcPlan plan = PlanArc(v, a[0], a[1], a[2], a[3], a[4]);
            if (plan.kind == ArcPlan::kPixel) {
                p.drawPoint(plan.p0x, plan.p0y);
            } else if (plan.kind == ArcPlan::kLine) {
                p.drawLine(plan.p0x, plan.p0y, plan.p1x, plan.p1y);
            } else {
                p.setBrush(Qt::NoBrush);
                p.drawArc(QRect(plan.cx - plan.rp, plan.cy - plan.rp, 2 * plan.rp, 2 * plan.rp),
                          static_cast<int>(std::lround(plan.start * 16)),
                          static_cast<int>(std::lround(plan.sweep * 16)));
                if (prim.marks) {
                    p.setPen(PenOf(0));
                    p.setBrush(Qt::black);
                    const double s = plan.start / kDegPerRad,
                                 e = (plan.start + plan.sweep) / kDegPerRad;
                    DrawEdgeArrow(p, v, static_cast<int>(prim.marks & 0xFFFF),
                                  a[0] + a[2] * std::cos(s), a[1] + a[2] * std::sin(s),
                                  plan.start + 90, MarkSize(v));
                    DrawEdgeArrow(p, v, static_cast<int>(prim.marks >> 16),
                                  a[0] + a[2] * std::cos(e), a[1] + a[2] * std::sin(e),
                                  plan.start + plan.sweep - 90, MarkSize(v));
                }
            }
            break;
        }
        case PP_TEXTBOX: {
            double xs[4] = {a[0], a[0], a[2], a[2]}, ys[4] = {a[1], a[3], a[3], a[1]};
            QPolygon outline;
            for (int i = 0; i < 4; ++i) {
                RotateAbout(xs[i], ys[i], a[4], a[5], a[6]);
                outline << Map(v, xs[i], ys[i]);
            }
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(outline);
            break;
        }
        case PP_TEXT:
            DrawText(p, v, prim);
            break;
        default:
            break;
    }
}

QImage PaintPreview(const PreviewDrawing& drawing, QSize size, int mode, const PreviewRun& run) {
    if (!drawing.picture || size.isEmpty() || !run.Running()) return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, mode & PRM_COLOR);
        PreviewView view;
        view.right = size.width();
        view.bottom = size.height();
        size_t n = 0;
        for (const PreviewPrimitive& prim : drawing.primitives) {
            if ((++n & 4095) == 0 && !run.Running()) return {};
            DrawPrimitive(p, view, prim);
        }
    }
    if (!run.Running()) return {};
    if (mode & PRM_COLOR) return image;
    return image.convertToFormat(QImage::Format_Mono,
                                 Qt::MonoOnly | Qt::ThresholdDither | Qt::AvoidDither);
}

QImage MakeTextPicture(int mode, const QString* text, QSize size) {
    if (size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (text) {
        QPainter p(&image);
        // The status-bar font: the application's font for QStatusBar.
        p.setFont(QApplication::font("QStatusBar"));
        p.setPen(Qt::black);
        const QString shown = p.fontMetrics().elidedText(*text, Qt::ElideRight, size.width());
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter | Qt::TextSingleLine, shown);
    }
    if (mode & PRM_COLOR) return image;
    return image.convertToFormat(QImage::Format_Mono,
                                 Qt::MonoOnly | Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace wepo
