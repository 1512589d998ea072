// Point elements.
#include "kernel/db/CDtbPoint.h"

#include "kernel/db/DtbBox.h"

CDtbPoint& CDtbPoint::operator=(const CDtbPoint& source) {
    if (this == &source) return *this;
    CDtbElement::operator=(source);
    point = source.point;
    kind = source.kind;
    info = source.info;
    return *this;
}

CDtbPoint& CDtbPoint::operator+=(const CxyzData& v) {
    point += v;
    return *this;
}

int CDtbPoint::MinMax(CxyData* min, CxyData* max) const {
    WidenBox(min, max, point);
    return 1;
}

int CDtbPoint::MinMax(CxyzData* min, CxyzData* max) const {
    WidenBox(min, max, point);
    return 1;
}
