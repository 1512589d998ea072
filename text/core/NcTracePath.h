// NcTracePath: the points the trace animation moves the torch mark through along one line or
// arc, the removal of punch groups from a block's copy before it is drawn, and the rapids of a
// skip-log route hidden.
#pragma once

#include "kernel/base/CxyzData.h"

class CDtbArc;
class CDtbElement;
class CDtbEngine;
class CDtbLine;

// n + 1 points from the element's start to its end, n = ceil(length / step), spaced
// length / n apart: the ends are points, so consecutive elements share one. A line moves in
// the plane along its angle (z stays the start's); an arc turns from its start angle upwards
// (direction 0) or from its end angle downwards (direction 1) at the centre's z. An element
// of length 0, an arc of radius 0 or a step that is not positive has its start point alone.
class NcTracePath {
public:
    static NcTracePath Line(const CDtbLine& line, double step);
    static NcTracePath Arc(const CDtbArc& arc, double step);

    int Count() const { return n_ + 1; }
    // Point i (0 to Count() - 1).
    CxyzData Point(int i) const;

private:
    bool arc_ = false;
    int n_ = 0;
    CxyzData origin_;       // a line's start, an arc's centre
    double direction_ = 0;  // a line's angle, degrees
    double seg_ = 0;        // a line's spacing
    double radius_ = 0;
    double angle0_ = 0;     // an arc's first angle, degrees
    double angleStep_ = 0;  // signed, degrees
};

// Deletes from engine, walking the siblings from first, every group whose owner is "Tessmark"
// and kind "Punch" with its content; other groups are searched the same way through their
// first child. Returns 0.
int RemovePunchNodes(CDtbEngine* engine, CDtbElement* first);

// Sets noDisplay on every top-level line of engine whose pen kind is rapidPenKind (the machine
// settings' FF pen kind): a route rebuilt from the skip log shows without its rapids. Returns 1.
int MarkRapidElements(CDtbEngine* engine, int rapidPenKind);
