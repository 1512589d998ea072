// Test helpers: build small element trees, print their shape, check their links.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"

namespace dtbtest {

inline CDtbInfo Info(int classBits, int r = 0, int g = 0, int b = 0, int width = 0, int kind = 0) {
    return CDtbInfo{r, g, b, width, kind, classBits, 0, 0};
}
inline CDtbLine* NewLine(double x1, double y1, double x2, double y2, int classBits = kDtbClassCut) {
    return new CDtbLine(CxyzData(x1, y1, 0), CxyzData(x2, y2, 0), Info(classBits));
}
inline CDtbArc* NewArc(double cx, double cy, double r, double s, double e,
                       int classBits = kDtbClassCut) {
    return new CDtbArc(CxyzData(cx, cy, 0), r, s, e, 0, Info(classBits));
}
inline CDtbPoint* NewPoint(double x, double y, int classBits = kDtbClassPunch) {
    return new CDtbPoint(CxyzData(x, y, 0), 1, Info(classBits));
}
inline CDtbNode* NewGroup(const char* kind = "Punch1") {
    return new CDtbNode("Tessmark", kind, "");
}

// The shape of a chain: L line, A arc, P point, G(...) group, ? other.
inline std::string Shape(const CDtbElement* chain) {
    std::string s;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        if (!s.empty()) s += ',';
        switch (e->GetType()) {
            case kDtbTypeLine:
                s += 'L';
                break;
            case kDtbTypeArc:
                s += 'A';
                break;
            case kDtbTypePoint:
                s += 'P';
                break;
            case kDtbTypeNode:
                s += "G(" + Shape(static_cast<const CDtbNode*>(e)->firstChild) + ")";
                break;
            default:
                s += '?';
                break;
        }
    }
    return s;
}
inline std::string Shape(const CDtbEngine& db) {
    return Shape(db.GetFirstElement());
}

// Every prev, next and parent link of the chain agrees with its neighbours.
inline ::testing::AssertionResult LinksConsistent(const CDtbElement* chain,
                                                  const CDtbNode* parent) {
    const CDtbElement* prev = nullptr;
    for (const CDtbElement* e = chain; e != nullptr; e = e->link.next) {
        if (e->link.prev != prev) return ::testing::AssertionFailure() << "bad prev";
        if (e->link.parent != parent) return ::testing::AssertionFailure() << "bad parent";
        if (const CDtbNode* n = DtbCast<CDtbNode>(e)) {
            auto r = LinksConsistent(n->firstChild, n);
            if (!r) return r;
        }
        prev = e;
    }
    return ::testing::AssertionSuccess();
}
inline ::testing::AssertionResult LinksConsistent(const CDtbEngine& db) {
    return LinksConsistent(db.GetFirstElement(), nullptr);
}

// A database of: line, group(arc, arc), point.
inline void BuildSample(CDtbEngine& db) {
    db.AppendDtb(NewLine(0, 0, 10, 0));
    CDtbNode* g = NewGroup();
    db.AppendDtb(g);
    db.NodeUp(g);
    db.AppendDtb(NewArc(0, 0, 5, 0, 90));
    db.AppendDtb(NewArc(0, 0, 5, 90, 180));
    db.NodeDown();
    db.AppendDtb(NewPoint(3, 4));
}

}  // namespace dtbtest
