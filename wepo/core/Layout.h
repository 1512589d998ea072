// Geometry of proportional re-layout and of tiled and cascaded windows, as pure functions.
#pragma once

#include <vector>

namespace wepo {

struct IntRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const IntRect&) const = default;
};

// Flags of a re-layout record.
enum : unsigned {
    kFollowRight = 0x1,   // the right edge follows dx
    kFollowBottom = 0x2,  // the bottom edge follows dy
    kMoveX = 0x10,        // left and right follow dx (the control moves sideways)
    kMoveY = 0x20,        // top and bottom follow dy (the control moves down)
};

// The rectangle of a control recorded at size change 0, after a total size change of (dx, dy):
// shares holds the percent of dx in its low 16 bits and of dy in its high 16 bits (0 means
// 100); each share is truncated toward zero. Computed from the recorded rectangle every time,
// so that controls never drift over many resizes.
IntRect RelayoutRect(const IntRect& recorded, unsigned flags, unsigned shares, int dx, int dy);

// Tiled windows: rows = the integer square root of n (1 below 4), columns = n / rows, the last
// n mod rows columns hold one window more; windows fill each column from the top, columns from
// the left, each column's windows sharing its height equally. n rectangles in that order.
std::vector<IntRect> TileRects(int n, int width, int height);

// Cascaded windows: k = height / (3 * stepY); window i (from the bottom of the stacking order)
// at ((i mod (k + 1)) * stepX, (i mod (k + 1)) * stepY), of size (width - k * stepX,
// height - k * stepY).
std::vector<IntRect> CascadeRects(int n, int width, int height, int stepX, int stepY);

}  // namespace wepo
