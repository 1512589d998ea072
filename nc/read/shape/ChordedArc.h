// Chorded arcs: an arc drawn as a "DevideArc" group of straight chords of about 5 degrees, in
// the plane of a laser shape or of a circle through three points.
#pragma once

#include "kernel/base/CxyzData.h"

class CDtbEngine;
class CDtbLine;
class CDtbNode;
struct CNcReadState;
struct HeadPlane;

enum class ChordStep {
    Fixed,   // chords of exactly 5 degrees (for sweeps that are whole multiples of 5)
    Fitted,  // at least one chord, the sweep shared out evenly over chords of 5 degrees or more
};

// An arc in local plane coordinates. The arc runs counter-clockwise from a0 to a1 (degrees, 0
// along +u, 90 along +v); a reversed arc is traversed from a1 back to a0.
struct ChordedArcParams {
    double cu = 0.0;  // centre
    double cv = 0.0;
    double radius = 0.0;
    double a0 = 0.0;
    double a1 = 0.0;
    ChordStep step = ChordStep::Fitted;
    bool reversed = false;
    // Brings a0 and a1 into canonical form first (NormalizeArcSweep with full circles 0..360).
    bool normalise = true;
};

// Line numbers and part number of the texts: the node gets "LineNo=" nodeLineNo and "PrtNo=",
// every chord "LineNo=" chordLineNo and "PrtNo=" behind the texts it copies from its template.
struct ChordTexts {
    int nodeLineNo = 0;
    int chordLineNo = 0;
    int partNo = 0;
};

struct ChordedArcResult {
    CDtbNode* node = nullptr;  // the group appended (it still lacks its "ElmInfo=" text)
    CxyzData start;            // world point where the traversal starts
    CxyzData end;              // world end of the last chord (start when there is none)
    double endU = 0.0;         // the same end in local coordinates
    double endV = 0.0;
    double total = 0.0;  // sum of the chord lengths
    int chords = 0;
};

// Appends a "DevideArc" group (owner "Tessmark") to db, opens it, appends the chords (copies of
// chordTemplate with new points; they keep its pen, head angles and texts) and closes it. Each
// chord's length is counted as a shape piece (cut length, and mark length while marking). The
// caller appends the node's "ElmInfo=" text.
//
// An arc that a construction shrinks to almost nothing (a1 - a0 within the radius's tolerance of
// 0) stays that short arc; the canonical form would make a full circle of it.
ChordedArcResult AppendChordedArc(CDtbEngine& db, const HeadPlane& plane,
                                  const ChordedArcParams& params, const CDtbLine& chordTemplate,
                                  const ChordTexts& texts, CNcReadState& state);
