// Widening of a caller's bounding box by a point (boxes are widened, never reset).
#pragma once

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"

// Callers start a box at min = +1e15 and max = -1e15 in every coordinate.
inline constexpr double kDtbBoxStart = 1e15;

inline void WidenBox(CxyData* min, CxyData* max, const CxyData& p) {
    if (p.x < min->x) min->x = p.x;
    if (p.y < min->y) min->y = p.y;
    if (p.x > max->x) max->x = p.x;
    if (p.y > max->y) max->y = p.y;
}

inline void WidenBox(CxyzData* min, CxyzData* max, const CxyzData& p) {
    WidenBox(static_cast<CxyData*>(min), static_cast<CxyData*>(max), p);
    if (p.z < min->z) min->z = p.z;
    if (p.z > max->z) max->z = p.z;
}

// An untouched box, as callers start it.
inline void ResetBox(CxyData* min, CxyData* max) {
    *min = CxyData(kDtbBoxStart, kDtbBoxStart);
    *max = CxyData(-kDtbBoxStart, -kDtbBoxStart);
}
inline void ResetBox(CxyzData* min, CxyzData* max) {
    *min = CxyzData(kDtbBoxStart, kDtbBoxStart, kDtbBoxStart);
    *max = CxyzData(-kDtbBoxStart, -kDtbBoxStart, -kDtbBoxStart);
}
