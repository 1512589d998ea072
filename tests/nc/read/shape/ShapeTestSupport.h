// Test helpers for the shape cycles, laser shapes and three-point arcs: a run that records each
// block's status, the drawn path flattened through its groups, and the expected lengths of
// chorded arcs computed from their dimensions.
#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "../NcReadFixture.h"

namespace shapetest {

inline constexpr double kPi = 3.14159265358979323846;

inline double Rad(double deg) {
    return deg * kPi / 180.0;
}

// Length of an arc of the given sweep drawn as chords: fixed chords of 5 degrees each, or fitted
// ones (at least one, the sweep shared out evenly over chords of 5 degrees or more).
inline double FixedChords(double r, double sweep) {
    const int n = static_cast<int>(std::lround(sweep / 5.0));
    return n * 2.0 * r * std::sin(Rad(2.5));
}
inline double FittedChords(double r, double sweep) {
    const int n = std::max(1, static_cast<int>(sweep / 5.0 + 1e-9));
    return n * 2.0 * r * std::sin(Rad(sweep / (2.0 * n)));
}
inline int FittedCount(double sweep) {
    return std::max(1, static_cast<int>(sweep / 5.0 + 1e-9));
}

// A leaf of the drawn path: a line or an arc with its path start and end.
struct Leaf {
    const CDtbElement* element = nullptr;
    const CDtbLine* line = nullptr;
    const CDtbArc* arc = nullptr;
    int depth = 0;  // 0 top level, 1 inside a group
    CxyzData start;
    CxyzData end;
    double length = 0.0;
};

inline void CollectLeaves(const CDtbElement* e, int depth, std::vector<Leaf>& out) {
    for (; e != nullptr; e = e->link.next) {
        if (auto* l = DtbCast<CDtbLine>(e)) {
            out.push_back({e, l, nullptr, depth, l->start, l->end, l->GetElementLength3D()});
        } else if (auto* a = DtbCast<CDtbArc>(e)) {
            Leaf leaf{e, nullptr, a, depth, {}, {}, a->GetElementLength()};
            a->GetStartPoint(leaf.start);
            a->GetEndPoint(leaf.end);
            out.push_back(leaf);
        } else if (auto* n = DtbCast<CDtbNode>(e)) {
            CollectLeaves(n->firstChild, depth + 1, out);
        }
    }
}
inline std::vector<Leaf> Leaves(const CDtbEngine& db) {
    std::vector<Leaf> out;
    CollectLeaves(db.GetFirstElement(), 0, out);
    return out;
}

// The top-level elements.
inline std::vector<const CDtbElement*> TopLevel(const CDtbEngine& db) {
    std::vector<const CDtbElement*> out;
    for (const CDtbElement* e = db.GetFirstElement(); e != nullptr; e = e->link.next) {
        out.push_back(e);
    }
    return out;
}
inline int CountGroups(const CDtbEngine& db) {
    int n = 0;
    for (const CDtbElement* e : TopLevel(db)) {
        if (auto* g = DtbCast<CDtbNode>(e))
            n += g->Is(kDtbOwnerTessmark, kDtbKindDevideArc) ? 1 : 0;
    }
    return n;
}

inline double Distance(const CxyzData& a, const CxyzData& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}

// The index of the first leaf that does not start where the one before it ended (within tol);
// -1 when the path is one chain.
inline int FirstBreak(const std::vector<Leaf>& leaves, size_t from = 0, double tol = 1e-9) {
    for (size_t i = from + 1; i < leaves.size(); ++i) {
        if (Distance(leaves[i - 1].end, leaves[i].start) > tol) return static_cast<int>(i);
    }
    return -1;
}

inline double SumLengths(const std::vector<Leaf>& leaves, size_t from = 0) {
    double sum = 0.0;
    for (size_t i = from; i < leaves.size(); ++i) sum += leaves[i].length;
    return sum;
}

inline std::vector<std::string> Texts(const CDtbElement& e) {
    std::vector<std::string> out;
    for (std::string_view t : e.attributes) out.emplace_back(t);
    return out;
}

// The statuses of every block read by the runner, in order.
struct SteppedProgram {
    CNcReadInfo settings;
    CNcRead reader;
    CDtbEngine elements;
    std::vector<int> statuses;

    explicit SteppedProgram(const std::vector<std::string>& lines,
                            CNcReadInfo s = nctest::LaserSettings())
        : settings(std::move(s)) {
        reader.SetProgram(lines, &settings, nullptr, 1);
        NcProgramRunner runner(reader);
        while (!runner.Finished()) statuses.push_back(runner.Step(elements).Status);
    }
    // The status of the block on document line index (0-based).
    int StatusOfLine(size_t index) const { return statuses.at(index); }
};

}  // namespace shapetest
