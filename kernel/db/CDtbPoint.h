// CDtbPoint: a single point element (punch hits and marks).
#pragma once

#include <cstdint>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbInfo.h"

class CDtbPoint : public CDtbElement {
public:
    static constexpr int kType = kDtbTypePoint;

    CDtbPoint() : CDtbElement(kType) {}
    CDtbPoint(const CxyzData& p, uint32_t k, const CDtbInfo& i)
        : CDtbElement(kType), kind(k), point(p), info(i) {}
    // A copy of everything but the links (it starts unlinked).
    explicit CDtbPoint(const CDtbPoint* source) : CDtbPoint(*source) {}
    CDtbPoint(const CDtbPoint& source) = default;
    // Takes type, text, point, kind, info, noDisplay and options; keeps own links and attribute
    // texts.
    CDtbPoint& operator=(const CDtbPoint& source);

    // Moves the point by v (x, y and z).
    CDtbPoint& operator+=(const CxyzData& v);

    // Widens the caller's box by the point; 1.
    int MinMax(CxyData* min, CxyData* max) const;
    int MinMax(CxyzData* min, CxyzData* max) const;

    // First: it fills the room the element's 4-byte fields leave before the doubles.
    uint32_t kind = 0;  // 1 for the hit points of punch figures
    CxyzData point;
    CDtbInfo info;
};
