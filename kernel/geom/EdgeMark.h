// The end marks of lines and arcs (an arrow head or a dot), shared by the element views and the
// drawing previews.
#pragma once

// Mark codes.
inline constexpr int kEdgeMarkArrow = 1;
inline constexpr int kEdgeMarkDot = 2;

// The arrow head at (x, y) opening toward direction (degrees): the corners flank, tip, flank in
// drawing units, with 15-degree flanks of length size. The tip is (x, y).
struct EdgeArrow {
    double x[3];
    double y[3];
};
EdgeArrow EdgeArrowCorners(double x, double y, double direction, double size);

// The dot's radius in pixels: size * 0.5 * pixelsPerUnit + 0.5 cut to a whole number, at least 2
// (and at most a bound that keeps the pixel arithmetic in range).
int EdgeDotRadius(double size, double pixelsPerUnit);
