// Canonical form of arc start and end angles.
#include "kernel/base/DegreeTrig.h"

#include <cmath>

#include "kernel/base/Tolerance.h"

namespace {

// Brings an angle into [0, 360), except that every negative angle loses one turn more (so -360
// becomes 360). The turn count is kept in double: an integer count overflows for huge angles.
bool ReduceAngle(double& angle) {
    double turns = std::trunc(angle / 360.0);
    if (angle < 0.0) turns -= 1.0;
    if (turns == 0.0) return false;
    angle -= 360.0 * turns;
    return true;
}

}  // namespace

int NormalizeArcSweep(int fullCircle, double* start, double* end, double radius) {
    if (start == nullptr || end == nullptr) return 0;
    if (!std::isfinite(*start) || !std::isfinite(*end)) return 0;

    const double tol = radius <= kLengthTol
                           ? kLengthTol
                           : std::asin(kLengthTol / radius) * 180.0 / 3.141592653589793;

    double s = *start;
    double e = *end;
    bool changed = ReduceAngle(s);
    changed = ReduceAngle(e) || changed;
    if (s >= e) {
        e += 360.0;
        changed = true;
    }
    if (e > 360.0) {
        s -= 360.0;
        e -= 360.0;
        changed = true;
    }

    const double sweep = e - s;
    if (tol >= std::fabs(sweep) || tol >= std::fabs(sweep - 360.0)) {
        if (fullCircle != 0) {
            *start = 0.0;
            *end = 360.0;
            return -1;
        }
        if (changed) {
            *start = s;
            *end = s + 360.0;
            return -1;
        }
        return 0;
    }
    *start = s;
    *end = e;
    return 0;
}
