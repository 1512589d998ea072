// Geometry of straight elements.
#include "kernel/db/CDtbLine.h"

#include <cmath>
#include <utility>

#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"
#include "kernel/db/DtbBox.h"

CDtbLine& CDtbLine::operator=(const CDtbLine& source) {
    if (this == &source) return *this;
    CDtbElement::operator=(source);
    start = source.start;
    end = source.end;
    info = source.info;
    return *this;
}

CDtbLine& CDtbLine::operator+=(const CxyzData& v) {
    start += v;
    end += v;
    return *this;
}

int CDtbLine::GetCenterPoint(CxyData& out) const {
    out.x = (start.x + end.x) / 2.0;
    out.y = (start.y + end.y) / 2.0;
    return 1;
}

double CDtbLine::GetElementLength() const {
    return std::hypot(start.x - end.x, start.y - end.y);
}

double CDtbLine::GetElementLength3D() const {
    const double dx = start.x - end.x, dy = start.y - end.y, dz = start.z - end.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double CDtbLine::GetLineAngle() const {
    return Atan2Deg(end.y - start.y, end.x - start.x);
}

void CDtbLine::Inverse() {
    std::swap(start, end);
}

int CDtbLine::CalcPerpendicular(const CxyData* p, CxyData* foot, double* dist) const {
    if (dist != nullptr) *dist = 0.0;
    const double a = end.x - start.x;
    const double b = end.y - start.y;
    const double c = a * a + b * b;
    if (std::fabs(c) <= kCoincidenceTol) return -1;
    const double d = ((p->x - start.x) * b - (p->y - start.y) * a) / c;
    if (dist != nullptr) *dist = std::sqrt(c) * std::fabs(d);
    foot->x = p->x - b * d;
    foot->y = p->y + a * d;
    const double along =
        (foot->x - start.x) * (foot->x - end.x) + (foot->y - start.y) * (foot->y - end.y);
    return along <= kCoincidenceTol ? 0 : 1;
}

int CDtbLine::NearestPoint(const CxyData* p, CxyData* nearest, double* dist) const {
    if (CalcPerpendicular(p, nearest, dist) == 0) return 0;
    const double ds = std::hypot(p->x - start.x, p->y - start.y);
    const double de = std::hypot(p->x - end.x, p->y - end.y);
    const CxyzData& q = ds < de ? start : end;
    nearest->AssignXY(q);
    *dist = ds < de ? ds : de;
    return 0;
}

int CDtbLine::Stretch(int which, double length) {
    if ((which != 0 && which != 1) || !(std::fabs(length) >= kLengthTol)) return 0;
    const double theta = GetLineAngle();
    if (which == 1) {
        end.x += length * CosDeg(theta);
        end.y += length * SinDeg(theta);
    } else {
        start.x += length * CosDeg(theta - 180.0);
        start.y += length * SinDeg(theta - 180.0);
    }
    return 1;
}

int CDtbLine::MinMax(CxyData* min, CxyData* max) const {
    WidenBox(min, max, start);
    WidenBox(min, max, end);
    return 1;
}

int CDtbLine::MinMax(CxyzData* min, CxyzData* max) const {
    WidenBox(min, max, start);
    WidenBox(min, max, end);
    return 1;
}
