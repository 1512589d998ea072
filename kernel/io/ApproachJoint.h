// ApproachJoint: turns a laser tool path back into part outlines before DXF output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kernel/base/CxyData.h"

class CDtbArc;
class CDtbElement;
class CDtbEngine;

// option[7] of an approach or lead-out segment kept in the output, and of a joint segment.
inline constexpr uint32_t kOptionApproach = 99;
inline constexpr uint32_t kOptionJoint = 999;

// Walks the top-level chain of a work copy once: the approach (lead-in) elements that run
// from a pierce point onto a contour and the lead-out elements after a contour closed are
// deleted (mode 0) or marked with option[7] = 99 (other modes); a jump of at most the joint
// length inside a contour is bridged by joining the elements on both sides; a contour that ends
// a joint length short of its closing point gets a joint line (option[7] = 999 in mode 1).
//
// Groups, points, rapid traverses (class bits 1) and elements already marked are passed over.
// Only the cutting elements (class bits 4) form contours.
//
// Unlike the first version of this walk, bridging takes its candidates only among the cutting
// elements of the open contour and the unmarked cutting elements after the jump, so it never
// joins two contours nor deletes an element the walk still holds; the approach marked is the
// run of contour elements the walk collected, not whatever the chain holds after its start.
class ApproachJoint {
public:
    ApproachJoint(CDtbEngine& work, int mode, double jointLength, double checkLength)
        : work_(work), mode_(mode), joint_(jointLength), check_(checkLength) {}

    void Run();

    // |x| < joint length + 1e-8.
    bool IsJointLength(double x) const;

private:
    struct RunEntry {
        CDtbElement* element;
        double length;
    };
    struct RunPoint {
        CxyData point;  // end of run element `index`
        size_t index;
    };
    struct Bridge {
        CDtbElement* b = nullptr;  // the element before the jump, now joined
        int result = 2;            // 0 joined, 1 joined by merging, 2 no joint, -1 failed
    };

    // Deletes (mode 0) or marks the element; true when it was deleted.
    bool Mark(CDtbElement* e);
    void DropRun();
    bool InRun(const CDtbElement* e, size_t* index = nullptr) const;
    Bridge BridgeJoint(CDtbElement* b0, CDtbElement* f0);
    int Join(CDtbElement* b, CDtbElement* f);
    void FitClosingElement(CDtbElement* e, const CxyData& s, const CxyData& q);

    CDtbEngine& work_;
    int mode_;
    double joint_;
    double check_;

    CxyData prevEnd_{-1e15, -1e15};
    CDtbElement* prevElement_ = nullptr;
    bool leadOut_ = false;
    bool runOpen_ = false;
    std::vector<RunEntry> run_;  // the counted cutting elements of the open run, in chain order
    RunPoint points_[4] = {};
    size_t pointCount_ = 0;
    double runLength_ = 0.0;
};

// Path start and end of a line or an arc (arcs by their direction of travel).
CxyData DtbStartOf(const CDtbElement* e);
CxyData DtbEndOf(const CDtbElement* e);
