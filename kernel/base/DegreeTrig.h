// Trigonometry in degrees and the canonical form of arc start and end angles.
#pragma once

#include <cmath>

#include "kernel/base/Tolerance.h"

inline constexpr double kDegToRad = 0.017453292519943295;
inline constexpr double kRadToDeg = 57.29577951308232;

inline double SinDeg(double a) {
    return std::sin(a * kDegToRad);
}
inline double CosDeg(double a) {
    return std::cos(a * kDegToRad);
}
inline double TanDeg(double a) {
    return std::tan(a * kDegToRad);
}
// The inverse functions do not clamp: a value outside [-1, 1] gives NaN; callers that need a
// clamp apply it themselves.
inline double AsinDeg(double v) {
    return std::asin(v) * kRadToDeg;
}
inline double AcosDeg(double v) {
    return std::acos(v) * kRadToDeg;
}
inline double AtanDeg(double v) {
    return std::atan(v) * kRadToDeg;
}

// Direction of (x, y) in [0, 360); 0 when both are exactly 0. Arguments in atan2 order, y first.
inline double Atan2Deg(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    double a = std::atan2(y, x) * kRadToDeg;
    if (a < 0.0) a += 360.0;
    // atan2 of a tiny negative y rounds to -0 + 360 == 360; keep the half-open range.
    return a >= 360.0 ? 0.0 : a;
}

// Brings the start and end angles (degrees) of a counter-clockwise arc of the given radius into
// canonical form, in place: afterwards 0 < end - start <= 360, and end <= 360 unless a full
// circle was made as end = start + 360. An arc crossing 0 degrees gets a negative start
// (350..10 becomes -10..10). The sweep direction never changes.
//
// A sweep within the radius's tolerance (the angle that moves a point of the circle by 0.001;
// 0.001 degrees for radius <= 0.001) of 0 or 360 is a full circle: with fullCircle non-zero it
// becomes 0..360; with fullCircle 0 it becomes start..start+360 only when the angles had to be
// changed, else it stays as given.
//
// Returns -1 when the angles were rewritten as a full circle, else 0. Null pointers and
// non-finite angles are left alone (result 0).
int NormalizeArcSweep(int fullCircle, double* start, double* end, double radius);

// Whether a sweep (end - start, degrees) is a whole, non-zero number of turns within tol. Angles
// summed over several turns carry rounding: 715.96 - 355.96 comes out as 360.00000000000006,
// which reduced by a turn would leave a full circle with no sweep at all. Every place that
// measures a sweep or reduces an arc's angles by whole turns asks this first.
inline bool IsWholeTurn(double sweep, double tol = kCoincidenceTol) {
    if (!std::isfinite(sweep)) return false;
    const double turns = std::round(sweep / 360.0);
    return turns != 0.0 && std::fabs(sweep - 360.0 * turns) <= tol;
}

// The counter-clockwise sweep from start to end in degrees, in [0, 360]: a whole number of
// turns (IsWholeTurn) is 360; else end - start when that lies in [0, 360], else reduced by whole
// turns into (0, 360]. An arc stored as 350..10 sweeps 20, one stored as 0..720 or 360..0 sweeps
// 360, and 10..10 sweeps 0.
inline double NormalizedSweep(double start, double end) {
    double d = end - start;
    if (!std::isfinite(d)) return d;
    if (IsWholeTurn(d)) return 360.0;
    if (d >= 0.0 && d <= 360.0) return d;
    d = std::fmod(d, 360.0);
    return d <= 0.0 ? d + 360.0 : d;
}
