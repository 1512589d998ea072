// The outline of each die shape about a hit point.
#include "nc/read/punch/PunchOutline.h"

#include <cmath>
#include <memory>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/geom/PlaneGeometry.h"
#include "nc/machine/DieRecords.h"

namespace {

// Builds one outline: points relative to the hit, turned together, appended as lines and arcs.
class Outline {
public:
    Outline(CDtbEngine& sink, const CxyzData& hit, double angle, const CDtbInfo& pen)
        : sink_(sink),
          hit_(hit),
          angle_(angle),
          turn_(std::fabs(angle) >= kPunchTurnTol),
          pen_(pen) {}

    bool Turns() const { return turn_; }
    double Angle() const { return angle_; }

    // The point at (dx, dy) from the hit, turned when the outline turns.
    CxyzData At(double dx, double dy) const {
        CxyzData p(hit_.x + dx, hit_.y + dy, hit_.z);
        if (turn_) RotatePoint2D(hit_, p, p, angle_);
        return p;
    }
    // An arc angle, turned when the outline turns.
    double Turned(double a) const { return turn_ ? a + angle_ : a; }

    void Line(const CxyzData& a, const CxyzData& b) {
        sink_.Append(std::make_unique<CDtbLine>(a, b, pen_));
        ++count_;
    }
    // An arc about centre from start to end (degrees), brought into canonical form first.
    void Arc(const CxyzData& centre, double radius, double start, double end) {
        NormalizeArcSweep(0, &start, &end, radius);
        RawArc(centre, radius, start, end, pen_);
    }
    void RawArc(const CxyzData& centre, double radius, double start, double end,
                const CDtbInfo& pen) {
        sink_.Append(std::make_unique<CDtbArc>(centre, radius, start, end, 0, pen));
        ++count_;
    }
    int Count() const { return count_; }
    const CxyzData& Hit() const { return hit_; }
    const CDtbInfo& Pen() const { return pen_; }

private:
    CDtbEngine& sink_;
    CxyzData hit_;
    double angle_;
    bool turn_;
    CDtbInfo pen_;
    int count_ = 0;
};

void Circle(Outline& o, double radius) {
    o.RawArc(o.Hit(), radius, 0.0, 360.0, o.Pen());
}

void Rectangle(Outline& o, double hx, double hy) {
    const CxyzData p0 = o.At(-hx, -hy);
    const CxyzData p1 = o.At(hx, -hy);
    const CxyzData p2 = o.At(hx, hy);
    const CxyzData p3 = o.At(-hx, hy);
    o.Line(p0, p1);
    o.Line(p1, p2);
    o.Line(p2, p3);
    o.Line(p3, p0);
}

void Obround(Outline& o, double x, double y) {
    const double r = y / 2.0;
    const double h = x / 2.0 - r;
    o.Line(o.At(-h, -r), o.At(h, -r));
    o.Line(o.At(-h, r), o.At(h, r));
    o.Arc(o.At(-h, 0.0), r, o.Turned(90.0), o.Turned(270.0));
    o.Arc(o.At(h, 0.0), r, o.Turned(270.0), o.Turned(90.0));
}

void DoubleD(Outline& o, double x, double y) {
    const double radius = x / 2.0;
    const double f = y / 2.0;
    const double square = radius * radius - f * f;
    if (!(square >= 0.0)) return Circle(o, radius);  // the flats miss the circle
    const double h = std::sqrt(square);
    const double t = Atan2Deg(f, h);
    o.Line(o.At(-h, -f), o.At(h, -f));
    o.Line(o.At(-h, f), o.At(h, f));
    o.Arc(o.Hit(), radius, o.Turned(-t), o.Turned(t));
    o.Arc(o.Hit(), radius, o.Turned(180.0 - t), o.Turned(180.0 + t));
}

void SingleD(Outline& o, double x, double y) {
    const double radius = x / 2.0;
    const double d = y - radius;
    const double square = radius * radius - d * d;
    if (!(square >= 0.0)) return Circle(o, radius);  // the flat misses the circle
    const double h = std::sqrt(square);
    const double t = Atan2Deg(d, h);
    o.Line(o.At(-h, d), o.At(h, d));
    o.Arc(o.Hit(), radius, o.Turned(180.0 - t), o.Turned(t));
}

void SquareWithRadius(Outline& o, double x, double y, double r) {
    const double hx = x / 2.0;
    const double hy = y / 2.0;
    o.Line(o.At(-hx + r, -hy), o.At(hx - r, -hy));
    o.Line(o.At(hx, -hy + r), o.At(hx, hy - r));
    o.Line(o.At(-hx + r, hy), o.At(hx - r, hy));
    o.Line(o.At(-hx, -hy + r), o.At(-hx, hy - r));
    const CxyzData centres[4] = {o.At(-hx + r, -hy + r), o.At(hx - r, -hy + r),
                                 o.At(hx - r, hy - r), o.At(-hx + r, hy - r)};
    for (int i = 0; i < 4; ++i) {
        // The die's angle goes into the corner arcs even when it is too small to turn points.
        const double start = (i + 2) * 90.0 + o.Angle();
        o.Arc(centres[i], r, start, start + 90.0);
    }
}

// A square of side x whose corners are cut back by w, each cut ending in a concave quarter
// circle of radius r.
void CornerRadius(Outline& o, double x, double w, double r) {
    const double hx = x / 2.0;
    const double rel[12][2] = {{hx - w, hx - w + r},
                               {hx - w, hx},
                               {w - hx, hx},
                               {w - hx, hx - w + r},
                               {w - hx - r, hx - w},
                               {-hx, hx - w},
                               {-hx, w - hx},
                               {w - hx - r, w - hx},
                               {w - hx - r, w - hx - r},
                               {hx - w + r, w - hx - r},
                               {hx - w + r, hx - w + r},
                               {w - hx - r, hx - w + r}};
    CxyzData q[12];
    for (int i = 0; i < 12; ++i) q[i] = o.At(rel[i][0], rel[i][1]);
    auto line = [&o](const CxyzData& a, const CxyzData& b) {
        if (std::hypot(b.x - a.x, b.y - a.y) >= 0.001) o.Line(a, b);
    };
    auto sixLines = [&line](const CxyzData* p) {
        line(p[0], p[1]);
        line(p[1], p[2]);
        line(p[2], p[3]);
        line(p[4], p[5]);
        line(p[5], p[6]);
        line(p[6], p[7]);
    };
    sixLines(q);
    CxyzData turned[8];
    for (int i = 0; i < 8; ++i) {
        turned[i] = q[i];
        RotatePoint2D(o.Hit(), q[i], turned[i], 180.0);
    }
    sixLines(turned);
    for (int i = 0; i < 4; ++i) {
        const double start = i * 90.0 + o.Angle();
        const double end = start + 90.0;
        if (end - start >= 0.001 && r >= 0.001) o.Arc(q[8 + i], r, start, end);
    }
}

}  // namespace

int AppendDieOutline(CDtbEngine& sink, const DieRecord& die, const CxyzData& hit, double angle,
                     const CDtbInfo& pen) {
    Outline o(sink, hit, angle, pen);
    switch (die.Shape) {
        case kShapeRound:
            Circle(o, die.SizeX / 2.0);
            break;
        case kShapeBurring: {
            CDtbInfo burring = pen;
            burring.penKind = 2;
            o.RawArc(hit, die.SizeX / 2.0, 0.0, 360.0, burring);
            break;
        }
        case kShapeTapping: {
            Circle(o, die.SizeX / 2.0);
            CDtbInfo arrow = pen;
            (std::fabs(die.SizeY) < 0.001 ? arrow.startMark : arrow.endMark) = kDtbMarkArrow;
            o.RawArc(hit, die.SizeX / 4.0, 0.0, 180.0, arrow);
            break;
        }
        case kShapeCentrePunch:
            Circle(o, 1.0);
            break;
        case kShapeSquare:
            Rectangle(o, die.SizeX / 2.0, die.SizeX / 2.0);
            break;
        case kShapeRectangle:
            Rectangle(o, die.SizeX / 2.0, die.SizeY / 2.0);
            break;
        case kShapeObround:
            Obround(o, die.SizeX, die.SizeY);
            break;
        case kShapeDoubleD:
            DoubleD(o, die.SizeX, die.SizeY);
            break;
        case kShapeSingleD:
            SingleD(o, die.SizeX, die.SizeY);
            break;
        case kShapeSquareRadius:
            SquareWithRadius(o, die.SizeX, die.SizeY, die.SizeR);
            break;
        case kShapeCornerRadius:
            CornerRadius(o, die.SizeX, die.SizeY, die.SizeR);
            break;
        default:  // figure files (10, 12, 13) are drawn by the caller; others draw nothing
            break;
    }
    return o.Count();
}

int AppendDieRectangle(CDtbEngine& sink, const CxyzData& centre, double hx, double hy, double angle,
                       const CDtbInfo& pen) {
    Outline o(sink, centre, angle, pen);
    Rectangle(o, hx, hy);
    return o.Count();
}

int AppendPunchCircle(CDtbEngine& sink, const CxyzData& centre, double radius,
                      const CDtbInfo& pen) {
    sink.Append(std::make_unique<CDtbArc>(centre, radius, 0.0, 360.0, 0, pen));
    return 1;
}
