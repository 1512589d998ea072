// Walker helpers shared by the element classes and the database: drawing attributes of an
// element, the attribute filter and bounding boxes of chains.
#pragma once

#include <cstdint>

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbInfo.h"

// "Any value" in the attribute filters and in ChangeDtbInfo.
inline constexpr int kDtbAny = -999;

// The drawing attributes of a line, arc or point; null for groups and other elements.
CDtbInfo* DtbInfoOf(CDtbElement* e);
const CDtbInfo* DtbInfoOf(const CDtbElement* e);

// The attribute filter: kDtbAny stands for any value. The colour is compared only when all three
// components are given; classBits is an equality test, not a mask.
struct DtbFilter {
    int red = kDtbAny;
    int green = kDtbAny;
    int blue = kDtbAny;
    int penWidth = kDtbAny;
    int penKind = kDtbAny;
    int classBits = kDtbAny;

    bool Passes(const CDtbInfo& info) const {
        if (red != kDtbAny && green != kDtbAny && blue != kDtbAny &&
            (info.red != red || info.green != green || info.blue != blue))
            return false;
        return (penWidth == kDtbAny || info.penWidth == penWidth) &&
               (penKind == kDtbAny || info.penKind == penKind) &&
               (classBits == kDtbAny || info.classBits == classBits);
    }
};

// Widens the caller's box by every line, arc and point of the chain from chain on, groups
// recursively. Returns 1 when at least one element was taken in, else 0 (a null chain gives 0).
int DtbChainMinMax(const CDtbElement* chain, CxyData* min, CxyData* max);
int DtbChainMinMax(const CDtbElement* chain, CxyzData* min, CxyzData* max);
// The same, but a line, arc or point of the chain itself counts only when mask AND its
// classBits is non-zero; a group counts with all of its content, unmasked.
int DtbChainMinMaxMask(const CDtbElement* chain, CxyData* min, CxyData* max, uint32_t mask);
