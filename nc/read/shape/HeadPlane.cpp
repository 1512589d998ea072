// HeadPlane: local (u, v) offsets in a plane in space to world points and back to angles.
#include "nc/read/shape/HeadPlane.h"

#include "kernel/base/DegreeTrig.h"
#include "nc/read/NcPointMath.h"
#include "nc/read/NcValues.h"

double FrameHeadAngle(double modal) {
    return IsGiven(modal) ? modal : 0.0;
}

CxyzData HeadPlane::ToWorld(double u, double v) const {
    double x = u, y = v, z = 0.0;
    const double rows[9] = {frame[0][0], frame[0][1], frame[0][2], frame[1][0], frame[1][1],
                            frame[1][2], frame[2][0], frame[2][1], frame[2][2]};
    MultiplyMatrix3Point(&x, &y, &z, rows);
    return CxyzData(origin.x + x, origin.y + y, origin.z + z);
}

CxyzData HeadPlane::OnCircle(double cu, double cv, double r, double angle) const {
    return ToWorld(cu + r * CosDeg(angle), cv + r * SinDeg(angle));
}

double HeadPlane::AngleOf(const CxyzData& p) const {
    const CxyzData d = p - origin;
    const double u = d.x * frame[0][0] + d.y * frame[1][0] + d.z * frame[2][0];
    const double v = d.x * frame[0][1] + d.y * frame[1][1] + d.z * frame[2][1];
    return Atan2Deg(v, u);
}
