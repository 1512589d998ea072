// LaserOutline: the outlines of the nine laser shape numbers, built in the head plane of a G08.1
// block from its approach line to the point where the approach ended.
#pragma once

#include "kernel/base/CxyzData.h"
#include "kernel/db/CDtbInfo.h"
#include "nc/read/shape/ChordedArc.h"
#include "nc/read/shape/HeadPlane.h"

class CDtbEngine;
class CDtbLine;
struct CNcReadState;

// The dimension slots of the shape definition that the outlines use.
struct LaserShapeDims {
    double U = 1.0;  // length along the shape's u axis
    double V = 1.0;  // width along its v axis
    double R = 1.0;  // corner, fillet or circle radius
    double D = 1.0;  // diameter or slot width
    double E = 1.0;  // fillet radius of shape 8
};

enum class OutlineResult {
    Drawn,     // the whole outline was appended
    NotFound,  // a construction point does not exist: what was appended stays, the block ends
    NoShape,   // a shape number outside 1 to 9, or sizes that make no shape: nothing appended
};

// Builds one outline into db. The plane's origin is the head position P (local (0, 0)); every
// element is a line or a chorded-arc group with the given pen and head angles, texts "LineNo=",
// "PrtNo=" and, on lines, "ElmInfo=3"; every length counts as a shape piece in state. Used for
// one block and dropped.
class LaserOutline {
public:
    LaserOutline(CDtbEngine& db, const HeadPlane& plane, const CDtbInfo& pen, float headA,
                 float headC, int lineNo, int partNo, CNcReadState& state);

    OutlineResult Build(int shapeNo, const LaserShapeDims& dims);

    // The local end of the approach line of the last Build (where the outline closes).
    double ApproachEndU() const { return approachU_; }
    double ApproachEndV() const { return approachV_; }

private:
    OutlineResult RectangleFamily(int shapeNo, const LaserShapeDims& d);
    OutlineResult Keyhole(int shapeNo, const LaserShapeDims& d);
    OutlineResult HalfDisc(const LaserShapeDims& d);
    OutlineResult Hexagon(const LaserShapeDims& d);
    OutlineResult SlotWithCircle(const LaserShapeDims& d);

    // The approach line from P to (u, v): made new; becomes the chord template.
    const CDtbLine& Approach(double u, double v);
    // A copy of source from the current point to the local point (u, v), appended with its own
    // texts behind the copied ones. The returned line lives in db.
    const CDtbLine& LineTo(const CDtbLine& source, double u, double v);
    const CDtbLine& LineBy(const CDtbLine& source, double du, double dv);
    // A chorded-arc group of chords copied from the chord template; the current point moves to
    // its end.
    void Arc(double cu, double cv, double r, double a0, double a1, ChordStep step,
             bool reversed = false, bool normalise = true);
    // The point (x, h) where the line from (0, h) to (length, h) meets the arc of radius r about
    // P between angles b0 and b1, and its angle t. false when there is none.
    static bool Construct(double h, double length, double r, double b0, double b1, double& x,
                          double& t);

    CDtbEngine& db_;
    HeadPlane plane_;
    CDtbInfo pen_;
    float headA_;
    float headC_;
    int lineNo_;
    int partNo_;
    CNcReadState& state_;

    CxyzData cur_;  // world current point (end of the last element)
    double curU_ = 0.0;
    double curV_ = 0.0;
    const CDtbLine* approach_ = nullptr;
    const CDtbLine* template_ = nullptr;  // template of the chords
    double approachU_ = 0.0;
    double approachV_ = 0.0;
};
