// NcPunchPattern: the geometry of the trace's punch-pattern animation, as pure functions: the
// cells of a multi-part repetition in the order they are visited, and the hits of shear lines,
// nibbling lines and nibbling arcs with the corners of their outlines.
#pragma once

#include <array>
#include <vector>

#include "kernel/base/CxyzData.h"

class CDtbElement;

// The most hits the trace lays out for one pattern: a pattern whose count comes out larger (a
// tiny pitch, a huge length) is not drawn.
inline constexpr double kTracePatternMaxHits = 100000.0;

// A cell of a multi-part repetition: column c (0 to A) and row r (0 to B).
struct PunchCell {
    int c = 0;
    int r = 0;
    bool operator==(const PunchCell&) const = default;
};

// The repetition a punch group's first element carries: A + 1 columns and B + 1 rows, the
// traversal mode and the pitches of the columns (along X) and rows (along Y). Outside a
// repetition every value is 0: one cell.
struct PunchCells {
    int A = 0;
    int B = 0;
    int Mode = 0;
    double PitchA = 0.0;
    double PitchB = 0.0;

    // From option words 3 (A), 4 (B) and 6 (mode) and option values 0 and 1 (the pitches) of
    // first; null gives one cell. A mode outside 0-7 counts as 0, a negative A or B as 0, and
    // a grid of more cells than the reader ever makes as one cell.
    static PunchCells Of(const CDtbElement* first);
    // The offset of a cell from the cell (0, 0), which is the group's own position.
    CxyzData Offset(PunchCell cell) const {
        return CxyzData(cell.c * PitchA, cell.r * PitchB, 0.0);
    }
    // Every cell along the serpentine path: modes 0 to 3 row by row (along X first), 4 to 7
    // column by column, every second row (column) walked backwards; modes 0 and 4 start at
    // (0, 0), 1 and 5 at (A, 0), 2 and 6 at (0, B), 3 and 7 at (A, B).
    std::vector<PunchCell> Order() const;
};

// One hit laid out by the trace: its centre and the direction its outline is turned to
// (degrees; the line's angle, or on an arc the radial direction).
struct PunchTraceHit {
    CxyzData centre;
    double angle = 0.0;
};

// Shear line from p0 (the centre of the first stroke): tool length d1 along angle, tool width
// d2 across, total length length, minimum overlap ratio overlap (SHL_OverMin). The count is
// trunc((L - k d1) / (d1 - k d1) - 0.000001) + 1; the hits are spaced evenly from p0 to
// p0 + (L - d1) along the angle, the last one exactly there. Empty (not drawn) when d1, d2 or
// |L| is below 0.001, the overlap lies outside [0, 1), or the count is below 1, not finite or
// above kTracePatternMaxHits. d1 and d2 are taken as magnitudes.
std::vector<PunchTraceHit> ShearLineHits(const CxyzData& p0, double angle, double d1, double d2,
                                         double length, double overlap);

// Nibbling line from p0: hits pitch apart along angle, trunc(L / pitch) + 1 of them (the last
// one need not reach the end). Empty when the diameter, the pitch or |L| is below 0.001 (pitch
// and diameter as magnitudes), or the count is below 1, not finite or too large.
std::vector<PunchTraceHit> NibbleLineHits(const CxyzData& p0, double angle, double pitch,
                                          double diameter, double length);

// Nibbling arc about (cx, cy): radius R, start angle and signed sweep (degrees), pitch measured
// as arc length on R, and the band width w. The angle step is pitch * 360 / (2 pi R); the count
// trunc(|sweep / step|) + 1; hit h lies at start + h * step in the sweep's direction on the
// circle of radius R + w / 2, at z 0. Empty when |R| or |pitch| is below 0.001 or the count is
// not finite or too large.
std::vector<PunchTraceHit> NibbleArcHits(double cx, double cy, double radius, double start,
                                         double sweep, double pitch, double width);

// The shear tool's rectangle about a hit: d1 along its angle, d2 across; the corners back left,
// back right, front right, front left (back: -d1 / 2 along the angle; left: +90 degrees).
std::array<CxyzData, 4> ShearOutlineCorners(const PunchTraceHit& hit, double d1, double d2);

// A rectangular die about a nibbling-arc hit: sizeX across the radial direction, sizeY along
// it; the corners front right, back right, back left, front left (front: +sizeY / 2 along the
// radial direction; right: -90 degrees from it).
std::array<CxyzData, 4> DieOutlineCorners(const PunchTraceHit& hit, double sizeX, double sizeY);
