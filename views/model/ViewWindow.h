// ViewWindow: the world window of an element view, its client rectangle, scales and conversions.
#pragma once

#include <cmath>

// The world window in view coordinates (the x and y that the projection yields), the client
// rectangle in pixels as last given to FitAspect, and the pixels per view unit. The y axis
// points up on the screen.
struct ViewWindow {
    double xmin = -1000.0;
    double ymin = -1000.0;
    double xmax = 1000.0;
    double ymax = 1000.0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    double scaleX = 1.0;
    double scaleY = 1.0;
    // Diagonal of this view's client rectangle in pixels, set by FitAspect. Each view keeps
    // its own: a value shared by all views clamped the long lines of a large pane to the
    // diagonal of a smaller one.
    double clientDiagonal = 0.0;

    double Width() const { return xmax - xmin; }
    double Height() const { return ymax - ymin; }
};

// Client pixel of a view coordinate: trunc((x - xmin) * scaleX + 0.5) + left and
// bottom - trunc((y - ymin) * scaleY - 0.5). Computed in double and clamped to +-2^30 before
// the conversion, so that a far-off point at a high zoom gives a far-off pixel, never an
// overflow.
int WorldToScreenX(const ViewWindow& w, double x);
int WorldToScreenY(const ViewWindow& w, double y);
// The same without the conversion to int (for clipping in floating point). Inline: the drawing
// converts every vertex of a layer.
inline double WorldToScreenXf(const ViewWindow& w, double x) {
    return std::trunc((x - w.xmin) * w.scaleX + 0.5) + w.left;
}
inline double WorldToScreenYf(const ViewWindow& w, double y) {
    return w.bottom - std::trunc((y - w.ymin) * w.scaleY - 0.5);
}
// View coordinate of a client pixel.
double ClientToWorldX(const ViewWindow& w, int px);
double ClientToWorldY(const ViewWindow& w, int py);

// Matches the world window to the aspect of the client rectangle (left, top, right, bottom):
// the axis with more view units per pixel keeps its range, the other is widened or narrowed
// about its centre; then the scales and the client diagonal are set. Returns 1.
// A client rectangle without area, or a world window whose spans are not finite or both not
// positive, changes nothing and returns 0: the window stays usable for the next call with a
// real size.
int FitAspect(ViewWindow& w, int left, int top, int right, int bottom);
