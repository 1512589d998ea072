// Walker helpers: drawing attributes, boxes of chains.
#include "kernel/db/DtbWalk.h"

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"

CDtbInfo* DtbInfoOf(CDtbElement* e) {
    return const_cast<CDtbInfo*>(DtbInfoOf(static_cast<const CDtbElement*>(e)));
}

const CDtbInfo* DtbInfoOf(const CDtbElement* e) {
    if (e == nullptr) return nullptr;
    switch (e->GetType()) {
        case kDtbTypeLine:
            return &static_cast<const CDtbLine*>(e)->info;
        case kDtbTypeArc:
            return &static_cast<const CDtbArc*>(e)->info;
        case kDtbTypePoint:
            return &static_cast<const CDtbPoint*>(e)->info;
        default:
            return nullptr;
    }
}

namespace {

// One element into the box: 1 when it counted.
template <class Point>
int ElementMinMax(const CDtbElement* e, Point* min, Point* max) {
    switch (e->GetType()) {
        case kDtbTypeLine:
            return static_cast<const CDtbLine*>(e)->MinMax(min, max);
        case kDtbTypeArc:
            return static_cast<const CDtbArc*>(e)->MinMax(min, max);
        case kDtbTypePoint:
            return static_cast<const CDtbPoint*>(e)->MinMax(min, max);
        case kDtbTypeNode:
            return DtbChainMinMax(static_cast<const CDtbNode*>(e)->firstChild, min, max);
        default:
            return 0;
    }
}

template <class Point>
int ChainMinMax(const CDtbElement* chain, Point* min, Point* max) {
    int any = 0;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next)
        any |= ElementMinMax(e, min, max);
    return any;
}

}  // namespace

int DtbChainMinMax(const CDtbElement* chain, CxyData* min, CxyData* max) {
    return ChainMinMax(chain, min, max);
}

int DtbChainMinMax(const CDtbElement* chain, CxyzData* min, CxyzData* max) {
    return ChainMinMax(chain, min, max);
}

int DtbChainMinMaxMask(const CDtbElement* chain, CxyData* min, CxyData* max, uint32_t mask) {
    int any = 0;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        const CDtbInfo* info = DtbInfoOf(e);
        if (info != nullptr && (mask & static_cast<uint32_t>(info->classBits)) == 0) continue;
        any |= ElementMinMax(e, min, max);
    }
    return any;
}
