// Arrow-head corners and dot radius of the end marks.
#include "kernel/geom/EdgeMark.h"

#include <algorithm>
#include <cmath>

EdgeArrow EdgeArrowCorners(double x, double y, double direction, double size) {
    // The direction in [0, 360): a - 360 * floor(a / 360).
    const double a = (direction - 360.0 * std::floor(direction / 360.0)) * 0.017453292519943295;
    const double c = std::cos(a), s = std::sin(a);
    const double length = size * 0.965925826, width = size * 0.258819045;  // cos, sin of 15 degrees
    return {{x + length * c - width * s, x, x + length * c + width * s},
            {y + length * s + width * c, y, y + length * s - width * c}};
}

int EdgeDotRadius(double size, double pixelsPerUnit) {
    const double r = std::trunc(size * 0.5 * pixelsPerUnit + 0.5);
    if (!(r == r)) return 2;
    return static_cast<int>(std::clamp(r, 2.0, 1.0e6));
}
