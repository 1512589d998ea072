// The geometry of the previews: fitting the view, mapping to pixels, clipping, arcs, text
// corners and the widening of single-byte text.
#pragma once

#include <string>

#include "wepo/core/preview/PreviewTypes.h"

namespace wepo {

// Fits the world box to the picture rectangle: the shorter range grows about its centre so that
// both scales are equal; no margin. A box with no extent (a single point, an empty drawing) is
// taken as a box of one unit about its centre; an inverted box is turned round; a box that is not
// finite is taken as (0, 0) - (1, 1). False for an empty rectangle.
bool FitViewToPicture(PreviewView& view, double xmin, double ymin, double xmax, double ymax,
                      int left, int top, int right, int bottom);

// World to pixel: X = left + trunc((x - xmin) * sx + 0.5), Y = bottom - trunc((y - ymin) * sy -
// 0.5), clamped to +-1e7 before it becomes an integer (non-finite values give the clamp's edge).
int MapX(const PreviewView& view, double x);
int MapY(const PreviewView& view, double y);

// 1 when xmin <= x <= xmax and ymin <= y <= ymax.
int PointInBox(double xmin, double ymin, double xmax, double ymax, double x, double y);
// Outcode clipping in at most two passes; 1 with the ends moved onto the box when part of the
// segment lies in it, 0 when none does, when an end is still outside after the two passes (a
// segment passing outside a corner) or when a step would divide by zero.
int ClipSegment(double xmin, double ymin, double xmax, double ymax, double& x1, double& y1,
                double& x2, double& y2);

// How an arc is drawn at the view's scale.
struct ArcPlan {
    enum Kind { kPixel, kLine, kArc } kind = kPixel;
    double start = 0, sweep = 0;             // degrees, start in [0, 360), sweep in (0, 360]
    int p0x = 0, p0y = 0, p1x = 0, p1y = 0;  // mapped ends
    int cx = 0, cy = 0, rp = 0;              // mapped centre and radius in pixels
};
// Angles into [0, 360); a start not below the end adds 360 to the end (equal: a full circle). A
// radius below half a pixel, or ends on one pixel short of a full circle, is a pixel; an arc of
// at most 12 pixels (not a full circle), or of a radius of 32767 pixels or more, is a straight
// line from end to end; every other one an arc.
ArcPlan PlanArc(const PreviewView& view, double cx, double cy, double r, double start, double end);

// Rotates (x, y) about (ax, ay) by angle degrees (no change for an angle of exactly 0).
void RotateAbout(double& x, double& y, double ax, double ay, double angle);

// The text box and the top-left corner of a text of length l and height h at (x, y) for the
// horizontal alignment (0 left end, 1 centre, 2 right end) and vertical one (0 bottom, 1 middle,
// 2 top); other values count as 0.
void AlignedBox(double x, double y, double l, double h, unsigned horizontal, unsigned vertical,
                double& x1, double& y1, double& x2, double& y2);

// The primitive that fits the box (xmin, ymin) - (xmax, ymax) to the picture.
PreviewPrimitive ViewPrimitive(double xmin, double ymin, double xmax, double ymax);
// Adds a text of length l and height h at (x, y): with boxes its box about the anchor (x, y),
// else the text at its top-left corner turned by angle about (x, y); pen 6.
void AddAlignedText(PreviewDrawing& d, double x, double y, double h, double width, double spacing,
                    double angle, double l, unsigned horizontal, unsigned vertical, bool boxes,
                    std::string text);

// Widens every single byte of text to its double-byte (full-width) CP932 code while the text
// stays below limit bytes with its terminator; double-byte characters stay. The new length.
size_t ToFullWidth(std::string& text, size_t limit);
// The full-width code of a single byte (high byte first).
unsigned FullWidthCode(unsigned char byte);

}  // namespace wepo
