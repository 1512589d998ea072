// Geometry of arc elements.
#include "kernel/db/CDtbArc.h"

#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"
#include "kernel/db/DtbBox.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

CDtbArc& CDtbArc::operator=(const CDtbArc& source) {
    if (this == &source) return *this;
    CDtbElement::operator=(source);
    centre = source.centre;
    radius = source.radius;
    startAngle = source.startAngle;
    endAngle = source.endAngle;
    direction = source.direction;
    info = source.info;
    return *this;
}

CDtbArc& CDtbArc::operator+=(const CxyzData& v) {
    centre += v;
    return *this;
}

int CDtbArc::GetAnglePosition(double angle, CxyData& out) const {
    out.x = centre.x + radius * CosDeg(angle);
    out.y = centre.y + radius * SinDeg(angle);
    return 1;
}

int CDtbArc::GetAnglePosition(double angle, CxyzData& out) const {
    GetAnglePosition(angle, static_cast<CxyData&>(out));
    out.z = centre.z;
    return 1;
}

int CDtbArc::GetStartPoint(CxyData& out) const {
    return GetAnglePosition(direction != 0 ? endAngle : startAngle, out);
}
int CDtbArc::GetStartPoint(CxyzData& out) const {
    return GetAnglePosition(direction != 0 ? endAngle : startAngle, out);
}
int CDtbArc::GetEndPoint(CxyData& out) const {
    return GetAnglePosition(direction != 0 ? startAngle : endAngle, out);
}
int CDtbArc::GetEndPoint(CxyzData& out) const {
    return GetAnglePosition(direction != 0 ? startAngle : endAngle, out);
}

double CDtbArc::GetStartTangentAngle() const {
    return direction != 0 ? endAngle - 90.0 : startAngle + 90.0;
}
double CDtbArc::GetEndTangentAngle() const {
    return direction != 0 ? startAngle - 90.0 : endAngle + 90.0;
}

double CDtbArc::GetSweep() const {
    return NormalizedSweep(startAngle, endAngle);
}

// The plain |end - start| would give 340 degrees for an arc stored as 350..10 (as the drawing
// readers store it); the arc sweeps 20.
double CDtbArc::GetElementLength() const {
    return kTwoPi * radius * GetSweep() / 360.0;
}

void CDtbArc::Inverse() {
    direction = direction == 0 ? 1 : 0;
}

int CDtbArc::Stretch(int which, double length) {
    if ((which != 0 && which != 1) || !(std::fabs(length) >= kLengthTol)) return 0;
    const double q = kTwoPi * radius / length;
    if (!(std::fabs(q) >= kLengthTol)) return 0;
    const double delta = 360.0 / q;
    // Which stored angle lies at the chosen end of the path depends on the direction of travel.
    const bool atStartAngle = (which == 0) == (direction == 0);
    if (atStartAngle) {
        startAngle -= delta;
    } else {
        endAngle += delta;
    }
    if (startAngle >= endAngle - kCoincidenceTol) startAngle -= 360.0;
    return 1;
}

namespace {

// Brings an angle into [0, 360] by whole turns (720 becomes 360, -360 becomes 0).
double IntoOneTurn(double a) {
    if (!std::isfinite(a)) return a;
    if (a > 360.0) {
        a = std::fmod(a, 360.0);
        if (a == 0.0) a = 360.0;  // whole turns above 360 stop at 360
    } else if (a < 0.0) {
        a = std::fmod(a, 360.0);
        if (a < 0.0) a += 360.0;
    }
    return a;
}

template <class Point>
void WidenByArc(const CDtbArc& arc, Point* min, Point* max) {
    Point p;
    arc.GetStartPoint(p);
    WidenBox(min, max, p);
    arc.GetEndPoint(p);
    WidenBox(min, max, p);
    const double s = IntoOneTurn(arc.startAngle);
    const double e = IntoOneTurn(arc.endAngle);
    // Angles a whole turn apart reduce to nearly the same angle: a full circle, however the
    // rounding of the two went.
    const double last = IsWholeTurn(arc.endAngle - arc.startAngle) ? s + 360.0
                        : s >= e                                   ? e + 360.0
                                                                   : e;
    for (int q = 0; q <= 720; q += 90) {
        if (q >= s && q <= last) {
            arc.GetAnglePosition(q, p);
            WidenBox(min, max, p);
        }
    }
}

}  // namespace

int CDtbArc::MinMax(CxyData* min, CxyData* max) const {
    WidenByArc(*this, min, max);
    return 1;
}

int CDtbArc::MinMax(CxyzData* min, CxyzData* max) const {
    WidenByArc(*this, min, max);
    return 1;
}
