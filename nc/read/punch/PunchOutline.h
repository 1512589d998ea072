// Die outlines of punch hits: the lines and arcs of each die shape about a hit point.
#pragma once

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbInfo.h"

class CDtbEngine;
struct DieRecord;

// Turns below this angle (degrees) leave an outline unturned.
inline constexpr double kPunchTurnTol = 0.001;

// Appends the outline of die (shapes 1 to 9, 11 and 14) about hit, turned by angle degrees, to
// the sink's current level in pen (its class included); every point lies at hit.z. Shapes with
// a figure file (10, 12, 13) and unknown shapes append nothing. Returns the count appended.
//
// Round, centre-punch, burring and tapping circles are never turned. A double-D or single-D die
// whose flat lies outside its circle would give no real outline: it is drawn as the plain
// circle of diameter X instead of with undefined (NaN) points.
int AppendDieOutline(CDtbEngine& sink, const DieRecord& die, const CxyzData& hit, double angle,
                     const CDtbInfo& pen);

// The rectangle of half sizes hx by hy about centre, turned by angle when |angle| reaches
// kPunchTurnTol: lines p0-p1, p1-p2, p2-p3, p3-p0 from the corner at (-hx, -hy). Returns 4.
int AppendDieRectangle(CDtbEngine& sink, const CxyzData& centre, double hx, double hy, double angle,
                       const CDtbInfo& pen);

// A full circle (0 to 360, direction 0) of radius about centre. Returns 1.
int AppendPunchCircle(CDtbEngine& sink, const CxyzData& centre, double radius, const CDtbInfo& pen);
