// Projection of element chains into view layers, and the division of arcs into line pieces.
#pragma once

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbEngine.h"
#include "views/model/ViewProjection.h"

// What the A/C head-direction lines need: the machine's head type (non-zero = the head with the
// A axis inclined at 45 degrees) and their length in world units.
struct AcAxisParams {
    int headType = 0;
    double length = 10.0;
};

// How an arc is cut into pieces: travel from s to e degrees (e below s for clockwise travel),
// in `pieces` equal pieces.
struct ArcPieces {
    double s = 0.0;
    double e = 0.0;
    int pieces = 0;
};

// Pieces of at most 15 degrees (7.5 above radius 10), plus two. The count follows the sweep
// actually travelled, so an arc of radius 5 stored as 300..290 (350 degrees) gets 25 pieces, not
// the two chords that the difference of the stored angles gives. At most kMaxArcPieces. False for
// an arc with non-finite angles or radius (it is then left out).
inline constexpr int kMaxArcPieces = 2000;
bool DivideArc(const CDtbArc& arc, ArcPieces* out);

// Appends to dst projected copies of the chain from first on (following the next links, groups
// with their children as groups): lines with both ends projected about the pivot (z 0), arcs
// as "Tessmark"/"DevideArc" groups of projected line pieces, points left out. The no-display
// flag is copied, not tested. When acLayer is not null, every line and arc whose class is not
// exactly rapid, and the last piece of every DevideArc group met at this level, also give an
// A/C head-direction line into acLayer. Returns the number of lines and arcs projected.
// The caller empties the layers beforehand.
int ProjectElements(const ViewProjection& projection, CDtbEngine& dst, const CDtbElement* first,
                    CDtbEngine* acLayer, const AcAxisParams& ac);

// The same walk without projection and without A/C lines: copies of the chain with every arc
// replaced by its group of pieces. Returns the number of lines and arcs copied.
int DivideArcs(CDtbEngine& dst, const CDtbElement* first);
