// Drawing of element chains: culling, pixel conversion and clamping, polylines, arcs, end marks.
#include "views/ElemViewDraw.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/geom/EdgeMark.h"
#include "platform/Numbers.h"
#include "views/RasterLine.h"
#include "views/model/ProjectedLayer.h"

namespace {

constexpr double kDegPerRad = 57.29577951308232;
constexpr double kRadPerDeg = 0.017453292519943295;
// The raster engine works in 26.6 fixed point: pixels beyond this are pulled in along the line.
constexpr double kFarPixel = 4.0e6;

int ToInt(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -kFarPixel * 4, kFarPixel * 4));
}

// Brings an angle into [0, 360): n = its integer part / 360 toward zero, one less when negative.
double Reduce360(double a) {
    double n = std::trunc(a / 360.0);
    if (a < 0) n -= 1.0;
    a -= 360.0 * n;
    if (a >= 360.0) a -= 360.0;
    return a;
}

const CDtbInfo* InfoOf(const CDtbElement* e) {
    if (const auto* l = DtbCast<CDtbLine>(e)) return &l->info;
    if (const auto* a = DtbCast<CDtbArc>(e)) return &a->info;
    return nullptr;
}

unsigned ColourOf(const CDtbInfo& i) {
    return ColourValue(ViewRgb{i.red, i.green, i.blue});
}

bool IsTessmark(const CDtbNode* n, std::string_view kind) {
    return n->Is(kDtbOwnerTessmark, kind);
}

Qt::PenStyle PenStyleOf(int style) {
    switch (style) {
        case 1:
            return Qt::DashLine;
        case 2:
            return Qt::DotLine;
        case 3:
            return Qt::DashDotLine;
        case 4:
            return Qt::DashDotDotLine;
        case 5:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

bool Inside(const ViewWindow& w, double x, double y) {
    return w.left <= x && x <= w.right && w.top <= y && y <= w.bottom;
}

// A pixel coordinate truncated to a whole pixel, except that a value within rounding noise of a
// whole pixel is that pixel: sin(pi) is 1.2e-16, not 0, and truncating 206 - 1e-13 would put
// one end of a horizontal line a row higher than the other (a step across the view).
double WholePixel(double v) {
    const double r = std::round(v);
    return std::fabs(v - r) < 1e-6 ? r : std::trunc(v);
}

// Moves `far` to `dist` pixels from `near` along the line (offsets truncated to whole pixels).
void PullIn(double nx, double ny, double& fx, double& fy, double dist) {
    const double u = std::atan2(fy - ny, fx - nx);
    fx = nx + WholePixel(dist * std::cos(u));
    fy = ny + WholePixel(dist * std::sin(u));
}

// Both ends off: a piece of length dist centred on the foot of the perpendicular from (cx, cy).
void Recentre(PixelSegment& s, double cx, double cy, double dist) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
    const double len2 = dx * dx + dy * dy;
    double fx = s.x1, fy = s.y1;
    if (len2 > 0) {
        const double t = ((cx - s.x1) * dx + (cy - s.y1) * dy) / len2;
        fx = s.x1 + t * dx;
        fy = s.y1 + t * dy;
    }
    const double u = std::atan2(s.y1 - s.y2, s.x1 - s.x2);
    const double ox = (dist / 2) * std::cos(u), oy = (dist / 2) * std::sin(u);
    s.x1 = WholePixel(fx + ox);
    s.y1 = WholePixel(fy + oy);
    s.x2 = WholePixel(fx - ox);
    s.y2 = WholePixel(fy - oy);
}

}  // namespace

QColor ToQColor(ViewRgb c) {
    return QColor(c.r & 0xFF, c.g & 0xFF, c.b & 0xFF);
}

bool CullLine(const ViewWindow& w, double ax, double ay, double bx, double by) {
    return (ax < w.xmin && bx < w.xmin) || (ax > w.xmax && bx > w.xmax) ||
           (ay < w.ymin && by < w.ymin) || (ay > w.ymax && by > w.ymax);
}

PixelSegment LinePixels(const ViewWindow& w, double ax, double ay, double bx, double by) {
    PixelSegment s{WorldToScreenXf(w, ax), WorldToScreenYf(w, ay), WorldToScreenXf(w, bx),
                   WorldToScreenYf(w, by)};
    const double diag = w.clientDiagonal;
    auto clamp = [&](auto inside, double dist) {
        const bool in1 = inside(s.x1, s.y1), in2 = inside(s.x2, s.y2);
        if (!in1 && in2) {
            PullIn(s.x2, s.y2, s.x1, s.y1, dist);
        } else if (in1 && !in2) {
            PullIn(s.x1, s.y1, s.x2, s.y2, dist);
        } else if (!in1 && !in2) {
            Recentre(s, (w.right - w.left) / 2.0, (w.bottom - w.top) / 2.0, dist);
        }
    };
    if (w.scaleX > 1 || w.scaleY > 1) {
        clamp([&](double x, double y) { return Inside(w, x, y); }, diag);
    } else {
        // Zoomed out the ends stay as they are, unless they are beyond what the rasteriser
        // takes; the pulled-in end is still well outside the client area.
        const double far = kFarPixel / 2;
        clamp([&](double x, double y) { return std::abs(x) < far && std::abs(y) < far; },
              std::max(diag, far / 2));
    }
    return s;
}

ArcPixels PlanArc(const ViewWindow& w, const CDtbArc& arc) {
    ArcPixels a;
    const double cx = arc.centre.x, cy = arc.centre.y, r = arc.radius;
    if (w.xmin - r > cx || cx > w.xmax + r || w.ymin - r > cy || cy > w.ymax + r) return a;
    double g = Reduce360(arc.startAngle);
    double h = Reduce360(arc.endAngle);
    if (g >= h) h += 360.0;
    // Angles a whole turn apart may reduce to angles a hair apart, and h - g of a full circle
    // need not come out as 360 in floating point: the circle is decided on whole turns.
    const bool full = IsWholeTurn(arc.endAngle - arc.startAngle) || IsWholeTurn(h - g);
    if (full) h = g + 360.0;
    a.g = g;
    a.h = h;
    const double sx = cx + r * std::cos(g * kRadPerDeg), sy = cy + r * std::sin(g * kRadPerDeg);
    const double ex = cx + r * std::cos(h * kRadPerDeg), ey = cy + r * std::sin(h * kRadPerDeg);
    a.k = QPoint(WorldToScreenX(w, cx), WorldToScreenY(w, cy));
    a.s = QPoint(WorldToScreenX(w, sx), WorldToScreenY(w, sy));
    a.e = QPoint(WorldToScreenX(w, ex), WorldToScreenY(w, ey));
    if (a.k == a.s || a.k == a.e) return a;
    const double l = std::trunc(r * w.scaleX + 0.5);
    a.radius = static_cast<int>(std::min(l, 1.0e9));
    const double m = l * (full ? 360.0 : h - g) * kRadPerDeg;
    if (l == 0 || (a.s == a.e && !full)) {
        a.kind = ArcPixels::Dot;
    } else if ((m <= 12 && !full) || l >= 32767) {
        a.kind = ArcPixels::Chord;
    } else {
        a.kind = ArcPixels::Arc;
    }
    return a;
}

ElemViewDraw::ElemViewDraw(QPainter& painter, const ViewWindow& window) : p_(painter), w_(window) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    QPaintDevice* device = p_.device();
    if (device && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        const QImage::Format f = image->format();
        if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
            f == QImage::Format_ARGB32_Premultiplied) {
            raster_.bits = reinterpret_cast<uint32_t*>(image->bits());
            raster_.stride = static_cast<int>(image->bytesPerLine() / 4);
            raster_.width = image->width();
            raster_.height = image->height();
        }
    }
}

void ElemViewDraw::SelectPen(ViewRgb colour, int style, int width) {
    const QColor c = ToQColor(colour);
    // Solid lines in the normal mixing mode go straight into the image's pixels (a wide line
    // repeats its pixels across the minor axis); everything else, XOR marks above all, is
    // drawn by the painter. Widths of 0 and 1 are the painter's one-pixel lines.
    fast_ = raster_.bits && style == 0 &&
            p_.compositionMode() == QPainter::CompositionMode_SourceOver && !p_.hasClipping() &&
            p_.worldTransform().isIdentity();
    fastWidth_ = std::max(width, 1);
    fastColour_ = 0xFF000000u | c.rgb();
    QPen pen(c, width > 1 ? width : 0, PenStyleOf(style), Qt::RoundCap, Qt::RoundJoin);
    p_.setPen(pen);
    p_.setBrush(c);
}

double ElemViewDraw::MarkSize() const {
    return 0.015 * std::hypot(w_.xmax - w_.xmin, w_.ymax - w_.ymin);
}

int ElemViewDraw::DrawLayer(const CDtbElement* first, ViewRgb colour, int style, int width,
                            int classMask, bool onlyFirst) {
    SelectPen(colour, style, width);
    DrawElements(first, classMask, onlyFirst);
    return 0;
}

int ElemViewDraw::DrawLayerTwoPass(const CDtbElement* first, ViewRgb colour, int width,
                                   const ElemPen& ff, bool onlyFirst) {
    SelectPen(ff.colour, ff.style, ff.width);
    DrawElements(first, kDtbClassRapid, onlyFirst);
    SelectPen(colour, 0, width);
    DrawElements(first, kDtbClassMark | kDtbClassCut | kDtbClassPunch, onlyFirst);
    return 0;
}

int ElemViewDraw::DrawLayerByClass(const CDtbElement* first, const ElemViewPenTable& pens,
                                   bool onlyFirst) {
    auto pass = [&](int entry, int mask) {
        const ElemPen& pen = pens.entries[static_cast<size_t>(entry)];
        SelectPen(pen.colour, pen.style, pen.width);
        DrawElementsPolyline(first, mask, onlyFirst, -1);
    };
    if (pens.drawShavColor == 0) {
        pass(kPenFF, kDtbClassRapid);
        pass(kPenMark, kDtbClassMark);
        pass(kPenCut, kDtbClassCut);
        pass(kPenPunch, kDtbClassPunch);
        return 0;
    }
    pass(kPenFF, kDtbClassRapid);
    pass(kPenPunch, kDtbClassPunch);
    std::vector<unsigned> colours;
    CollectColors(first, kDtbClassMark | kDtbClassCut, colours);
    const ElemPen& cut = pens.entries[kPenCut];
    for (unsigned c : colours) {
        SelectPen(ViewRgb{static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                          static_cast<int>((c >> 16) & 0xFF)},
                  cut.style, cut.width);
        DrawElementsPolyline(first, kDtbClassMark | kDtbClassCut, onlyFirst, c);
    }
    return 0;
}

void ElemViewDraw::CollectColors(const CDtbElement* e, int classMask,
                                 std::vector<unsigned>& colours) {
    for (; e; e = e->link.next) {
        if (e->noDisplay) continue;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            if (!IsTessmark(node, kDtbKindPunch))
                CollectColors(node->firstChild, classMask, colours);
            continue;
        }
        const CDtbInfo* info = InfoOf(e);
        if (!info || !(info->classBits & classMask)) continue;
        const unsigned c = ColourOf(*info);
        if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
    }
}

int ElemViewDraw::DrawElements(const CDtbElement* e, int classMask, bool onlyFirst) {
    int drawn = 0;
    for (; e; e = e->link.next) {
        if (e->noDisplay) continue;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            DrawElementsPolyline(node->firstChild, classMask, false, -1);
            drawn = 1;
            if (onlyFirst) break;
            continue;
        }
        const CDtbInfo* info = InfoOf(e);
        if (!info) {
            if (onlyFirst) break;
            continue;
        }
        if (!(info->classBits & classMask)) continue;
        DrawElement(e);
        drawn = 1;
        if (onlyFirst) break;
    }
    return drawn;
}

int ElemViewDraw::DrawElementsPolyline(const CDtbElement* first, int classMask, bool onlyFirst,
                                       long colourFilter) {
    Polyline buffer;
    int drawn = 0;
    for (const CDtbElement* e = first; e; e = e->link.next) {
        if (e->noDisplay) continue;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            Flush(buffer);
            DrawElementsPolyline(node->firstChild, classMask, false, colourFilter);
            drawn = 1;
            if (onlyFirst) break;
            continue;
        }
        const CDtbInfo* info = InfoOf(e);
        if (!info) {
            if (onlyFirst) break;
            continue;
        }
        if (!(info->classBits & classMask)) continue;
        if (colourFilter != -1 && static_cast<long>(ColourOf(*info)) != colourFilter) continue;
        if (const auto* line = DtbCast<CDtbLine>(e))
            DrawLine(*line, &buffer);
        else
            DrawArc(*DtbCast<CDtbArc>(e), &buffer);
        drawn = 1;
        if (onlyFirst) break;
    }
    Flush(buffer);
    return drawn;
}

int ElemViewDraw::DrawElement(const CDtbElement* element) {
    if (const auto* line = DtbCast<CDtbLine>(element)) return DrawLine(*line, nullptr);
    if (const auto* arc = DtbCast<CDtbArc>(element)) return DrawArc(*arc, nullptr);
    return 0;
}

void ElemViewDraw::Flush(Polyline& b) {
    if (b.count >= 2) StrokePolyline(b.points.data(), b.count);
    b.count = 0;
}

void ElemViewDraw::StrokeLine(QPoint a, QPoint b) {
    if (fast_)
        RasterLine(raster_, a, b, fastColour_, fastWidth_);
    else
        p_.drawLine(a, b);
}

void ElemViewDraw::StrokePolyline(const QPoint* pts, int count) {
    if (!fast_) {
        p_.drawPolyline(pts, count);
        return;
    }
    for (int i = 1; i < count; ++i)
        RasterLine(raster_, pts[i - 1], pts[i], fastColour_, fastWidth_);
}

int ElemViewDraw::DrawRuns(const ProjectedLayer& layer, int classMask, long colourFilter,
                           bool topLevelAsLines, uint32_t first, uint32_t end) {
    Polyline buffer;
    int drawn = 0;
    // A group boundary before a run of another class still ends the polyline at the next run
    // drawn; a run of another colour takes its boundary with it.
    bool pendingBreak = false;
    const CxyData* v = layer.Vertices().data();
    const std::vector<ProjectedRun>& runs = layer.Runs();
    end = std::min<uint32_t>(end, static_cast<uint32_t>(runs.size()));
    for (uint32_t r = first; r < end; ++r) {
        const ProjectedRun& run = runs[r];
        const uint8_t flags = run.Flags();
        if (!(run.classBits & classMask)) {
            pendingBreak |= (flags & ProjectedRun::kBreakBefore) != 0;
            continue;
        }
        const bool breakBefore = pendingBreak || (flags & ProjectedRun::kBreakBefore);
        pendingBreak = false;
        if (colourFilter != -1 && static_cast<long>(run.Colour()) != colourFilter) continue;
        if (breakBefore) Flush(buffer);
        drawn = 1;
        if (flags & ProjectedRun::kArc) {
            DrawArc(*DtbCast<CDtbArc>(run.source), &buffer);
            continue;
        }
        const bool single = topLevelAsLines && !(flags & ProjectedRun::kInGroup);
        Polyline* target = single ? nullptr : &buffer;
        const CxyData* p = v + run.vertex;
        if (target && run.startMark == 0 && run.endMark == 0 && !(w_.scaleX > 1 || w_.scaleY > 1)) {
            DrawPiecesZoomedOut(p, run.pieces, *target);
            continue;
        }
        const int last = run.pieces - 1;
        for (int i = 0; i <= last; ++i)
            DrawSegment(p[i].x, p[i].y, p[i + 1].x, p[i + 1].y, i == 0 ? run.startMark : 0,
                        i == last ? run.endMark : 0, target);
    }
    Flush(buffer);
    return drawn;
}

// DrawSegment of each piece into the polyline, for the common case of a layer seen whole: at
// most one pixel per unit the ends stay where they are (unless they lie beyond what the
// rasteriser takes: those pieces go through DrawSegment), so each vertex is converted once,
// with integer truncation (the same whole numbers std::trunc gives in this range, at a
// fraction of its cost on the baseline instruction set).
bool ElemViewDraw::ZoomedOutPixel(double x, double y, QPoint& pixel) const {
    const double tx = (x - w_.xmin) * w_.scaleX + 0.5;
    const double ty = (y - w_.ymin) * w_.scaleY - 0.5;
    constexpr double kLimit = 1e15;  // exact in int64, far beyond any pixel kept
    if (!(std::abs(tx) < kLimit && std::abs(ty) < kLimit)) return false;
    const int64_t px = static_cast<int64_t>(tx) + w_.left;
    const int64_t py = w_.bottom - static_cast<int64_t>(ty);
    constexpr int64_t kFar = static_cast<int64_t>(kFarPixel / 2);
    if (!(px > -kFar && px < kFar && py > -kFar && py < kFar)) return false;
    pixel = QPoint(static_cast<int>(px), static_cast<int>(py));
    return true;
}

void ElemViewDraw::DrawPiecesZoomedOut(const CxyData* p, int pieces, Polyline& buffer) {
    QPoint q1;
    bool known = false;  // q1 holds the pixel of p[i]
    for (int i = 0; i < pieces; ++i) {
        const double ax = p[i].x, ay = p[i].y, bx = p[i + 1].x, by = p[i + 1].y;
        if (CullLine(w_, ax, ay, bx, by)) {
            known = false;
            continue;
        }
        QPoint q2;
        if (!(known || ZoomedOutPixel(ax, ay, q1)) || !ZoomedOutPixel(bx, by, q2)) {
            DrawSegment(ax, ay, bx, by, 0, 0, &buffer);
            known = false;
            continue;
        }
        if (q1 != q2) {
            if (buffer.count > 0 && buffer.points[buffer.count - 1] != q1) Flush(buffer);
            if (buffer.count == 0) buffer.points[buffer.count++] = q1;
            buffer.points[buffer.count++] = q2;
        }
        if (buffer.count >= 100) Flush(buffer);
        q1 = q2;
        known = true;
    }
}

int ElemViewDraw::DrawLayer(const ProjectedLayer& layer, ViewRgb colour, int style, int width,
                            int classMask, uint32_t first, uint32_t end) {
    SelectPen(colour, style, width);
    DrawRuns(layer, classMask, -1, true, first, end);
    return 0;
}

int ElemViewDraw::DrawLayerByClass(const ProjectedLayer& layer, const ElemViewPenTable& pens,
                                   uint32_t first, uint32_t end) {
    auto pass = [&](int entry, int mask) {
        const ElemPen& pen = pens.entries[static_cast<size_t>(entry)];
        SelectPen(pen.colour, pen.style, pen.width);
        DrawRuns(layer, mask, -1, false, first, end);
    };
    pass(kPenFF, kDtbClassRapid);
    if (pens.drawShavColor == 0) {
        pass(kPenMark, kDtbClassMark);
        pass(kPenCut, kDtbClassCut);
        pass(kPenPunch, kDtbClassPunch);
        return 0;
    }
    pass(kPenPunch, kDtbClassPunch);
    std::vector<unsigned> colours;
    const std::vector<ProjectedRun>& runs = layer.Runs();
    for (uint32_t r = first; r < std::min<uint32_t>(end, uint32_t(runs.size())); ++r) {
        const ProjectedRun& run = runs[r];
        if ((run.classBits & (kDtbClassMark | kDtbClassCut)) &&
            !(run.Flags() & ProjectedRun::kInPunch) &&
            std::find(colours.begin(), colours.end(), run.Colour()) == colours.end())
            colours.push_back(run.Colour());
    }
    const ElemPen& cut = pens.entries[kPenCut];
    for (unsigned c : colours) {
        SelectPen(ViewRgb{static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                          static_cast<int>((c >> 16) & 0xFF)},
                  cut.style, cut.width);
        DrawRuns(layer, kDtbClassMark | kDtbClassCut, c, false, first, end);
    }
    return 0;
}

int ElemViewDraw::DrawLine(const CDtbLine& line, Polyline* buffer) {
    return DrawSegment(line.start.x, line.start.y, line.end.x, line.end.y, line.info.startMark,
                       line.info.endMark, buffer);
}

int ElemViewDraw::DrawSegment(double ax, double ay, double bx, double by, int startMark,
                              int endMark, Polyline* buffer) {
    if (CullLine(w_, ax, ay, bx, by)) return 0;
    const PixelSegment s = LinePixels(w_, ax, ay, bx, by);
    const QPoint p1(ToInt(s.x1), ToInt(s.y1)), p2(ToInt(s.x2), ToInt(s.y2));
    if (p1 != p2) {
        if (!buffer) {
            StrokeLine(p1, p2);
        } else {
            if (buffer->count > 0 && buffer->points[buffer->count - 1] != p1) Flush(*buffer);
            if (buffer->count == 0) buffer->points[buffer->count++] = p1;
            buffer->points[buffer->count++] = p2;
        }
    }
    if (startMark || endMark) {
        if (buffer) Flush(*buffer);
        DrawEndMarks(startMark, endMark, ax, ay, bx, by, std::atan2(by - ay, bx - ax) * kDegPerRad);
    }
    if (buffer && buffer->count >= 100) Flush(*buffer);
    return 1;
}

void ElemViewDraw::DrawEndMarks(int startMark, int endMark, double x1, double y1, double x2,
                                double y2, double angle) {
    const double size = MarkSize();
    DrawEdgeArrow(startMark, x1, y1, angle, size);
    DrawEdgeArrow(endMark, x2, y2, angle + 180.0, size);
}

int ElemViewDraw::DrawArc(const CDtbArc& arc, Polyline* buffer) {
    if (buffer) Flush(*buffer);
    const ArcPixels a = PlanArc(w_, arc);
    if (a.kind == ArcPixels::None) return 0;
    switch (a.kind) {
        case ArcPixels::Dot: {
            // In the pen's colour and mixing mode, so that XOR pairs and erasing hold.
            const QPen old = p_.pen();
            p_.setPen(QPen(old.color(), 0));
            p_.drawPoint(a.s);
            p_.setPen(old);
            break;
        }
        case ArcPixels::Chord:
            StrokeLine(a.s, a.e);
            break;
        default: {
            const QRect box(a.k.x() - a.radius, a.k.y() - a.radius, 2 * a.radius, 2 * a.radius);
            p_.drawArc(box, static_cast<int>(std::lround(a.g * 16)),
                       static_cast<int>(std::lround((a.h - a.g) * 16)));
            if (arc.info.startMark || arc.info.endMark) {
                const double r = arc.radius, cx = arc.centre.x, cy = arc.centre.y;
                const double size = MarkSize();
                DrawEdgeArrow(arc.info.startMark, cx + r * std::cos(a.g * kRadPerDeg),
                              cy + r * std::sin(a.g * kRadPerDeg), a.g + 90.0, size);
                DrawEdgeArrow(arc.info.endMark, cx + r * std::cos(a.h * kRadPerDeg),
                              cy + r * std::sin(a.h * kRadPerDeg), a.h - 90.0, size);
            }
            break;
        }
    }
    return 1;
}

void ElemViewDraw::DrawEdgeArrow(int kind, double x, double y, double angle, double size) {
    if (kind == kDtbMarkArrow) {
        const EdgeArrow corners = EdgeArrowCorners(x, y, angle, size);
        QPoint pts[3];
        for (int i = 0; i < 3; ++i) {
            const PixelSegment seg = LinePixels(w_, x, y, corners.x[i], corners.y[i]);
            pts[i] = QPoint(ToInt(seg.x2), ToInt(seg.y2));
        }
        if (fast_)
            RasterTriangle(raster_, pts, fastColour_, fastWidth_);
        else
            p_.drawPolygon(pts, 3);
    } else if (kind == kDtbMarkDot) {
        const int r = EdgeDotRadius(size, w_.scaleX);
        const QPoint k(WorldToScreenX(w_, x), WorldToScreenY(w_, y));
        p_.drawEllipse(QRect(k.x() - r, k.y() - r, 2 * r + 1, 2 * r + 1));
    }
}

void ElemViewDraw::ArrowAt(double ax, double ay, double bx, double by, double size) {
    if (CullLine(w_, ax, ay, bx, by)) return;
    if (WorldToScreenX(w_, ax) == WorldToScreenX(w_, bx) &&
        WorldToScreenY(w_, ay) == WorldToScreenY(w_, by))
        return;
    DrawEdgeArrow(kDtbMarkArrow, bx, by, std::atan2(by - ay, bx - ax) * kDegPerRad + 180.0, size);
}

void ElemViewDraw::ArrowFor(const CDtbElement* e, double size) {
    if (const auto* line = DtbCast<CDtbLine>(e)) {
        ArrowAt(line->start.x, line->start.y, line->end.x, line->end.y, size);
    } else if (const auto* arc = DtbCast<CDtbArc>(e)) {
        const ArcPixels a = PlanArc(w_, *arc);
        if (a.kind != ArcPixels::Arc) return;
        const double r = arc->radius, cx = arc->centre.x, cy = arc->centre.y;
        if (arc->direction == 0)
            DrawEdgeArrow(kDtbMarkArrow, cx + r * std::cos(a.h * kRadPerDeg),
                          cy + r * std::sin(a.h * kRadPerDeg), a.h - 90.0, size);
        else
            DrawEdgeArrow(kDtbMarkArrow, cx + r * std::cos(a.g * kRadPerDeg),
                          cy + r * std::sin(a.g * kRadPerDeg), a.g + 90.0, size);
    }
}

void ElemViewDraw::DrawEdgeArrows(const CDtbElement* e, ViewRgb colour, int arrowSize,
                                  bool onlyFirst) {
    SelectPen(colour, 0, 1);
    const double size = 0.001 * arrowSize * std::hypot(w_.xmax - w_.xmin, w_.ymax - w_.ymin);
    for (; e; e = e->link.next) {
        if (e->noDisplay) {
            if (onlyFirst) break;
            continue;
        }
        const CDtbElement* target = e;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            if (IsTessmark(node, kDtbKindPunch) || IsTessmark(node, kDtbKindPunch2)) {
                DrawEdgeArrows(node->firstChild, colour, arrowSize, false);
                if (onlyFirst) break;
                continue;
            }
            if (IsTessmark(node, kDtbKindPunch1)) {
                if (onlyFirst) break;
                continue;
            }
            // Any other group (a divided arc above all) stands for its last child.
            target = node->GetLastChild();
            while (const auto* inner = DtbCast<CDtbNode>(target)) target = inner->GetLastChild();
            if (!target || target->noDisplay) {
                if (onlyFirst) break;
                continue;
            }
        }
        ArrowFor(target, size);
        if (onlyFirst) break;
    }
}

void ElemViewDraw::DrawEdgeArrows(const std::vector<ProjectedSegment>& lines, ViewRgb colour,
                                  int arrowSize) {
    SelectPen(colour, 0, 1);
    const double size = 0.001 * arrowSize * std::hypot(w_.xmax - w_.xmin, w_.ymax - w_.ymin);
    for (const ProjectedSegment& s : lines) ArrowAt(s.x1, s.y1, s.x2, s.y2, size);
}

void ElemViewDraw::AcAxisLine(double ax, double ay, double bx, double by) {
    if (CullLine(w_, ax, ay, bx, by)) return;
    const PixelSegment s = LinePixels(w_, ax, ay, bx, by);
    const QPoint p1(ToInt(s.x1), ToInt(s.y1)), p2(ToInt(s.x2), ToInt(s.y2));
    if (p1 != p2) p_.drawLine(p1, p2);
}

void ElemViewDraw::DrawAcAxisLayer(const CDtbElement* e, ViewRgb colour, bool onlyFirst) {
    SelectPen(colour, 0, 1);
    for (; e; e = e->link.next) {
        const CDtbElement* target = e;
        if (const auto* node = DtbCast<CDtbNode>(e)) {
            if (IsTessmark(node, kDtbKindPunch1)) continue;
            target = node->GetLastChild();
        }
        if (const auto* line = DtbCast<CDtbLine>(target))
            AcAxisLine(line->start.x, line->start.y, line->end.x, line->end.y);
        if (onlyFirst) break;
    }
}

void ElemViewDraw::DrawAcAxisLines(const std::vector<ProjectedSegment>& lines, ViewRgb colour) {
    SelectPen(colour, 0, 1);
    for (const ProjectedSegment& s : lines) AcAxisLine(s.x1, s.y1, s.x2, s.y2);
}

void ElemViewDraw::DrawTorchMark(const CxyzData& position, int size, ViewRgb outline,
                                 ViewRgb fill) {
    const int cx = WorldToScreenX(w_, position.x), cy = WorldToScreenY(w_, position.y);
    const int t = size / 2;
    const int left = cx - t, top = cy - t, right = cx + t, bottom = cy + t;
    p_.setPen(QPen(ToQColor(outline), 0));
    p_.setBrush(ToQColor(fill));
    p_.drawEllipse(QRect(left, top, right - left, bottom - top));
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    p_.drawLine(left, midY, right - 1, midY);
    p_.drawLine(midX, top, midX, bottom - 1);
}

void ElemViewDraw::DrawOriginMark(QPoint px) {
    const QColor red(255, 0, 0);
    p_.setPen(QPen(red, 0));
    p_.setBrush(QColor(36, 106, 106));
    p_.drawEllipse(QRect(px.x() - 5, px.y() - 5, 10, 10));
    p_.drawLine(px.x() - 5, px.y(), px.x() + 5, px.y());
    p_.drawLine(px.x(), px.y() - 5, px.x(), px.y() + 5);
    p_.drawPoint(px);
}
