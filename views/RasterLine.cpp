// Clipped Bresenham lines of a given width, written straight into the pixels of an image.
#include "views/RasterLine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Liang-Barsky clipping of a-b to [xmin, xmax] x [ymin, ymax]; false when nothing is left.
bool Clip(double& x1, double& y1, double& x2, double& y2, double xmin, double ymin, double xmax,
          double ymax) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double ox1 = x1, oy1 = y1;
    x1 = ox1 + t0 * dx;
    y1 = oy1 + t0 * dy;
    x2 = ox1 + t1 * dx;
    y2 = oy1 + t1 * dy;
    return true;
}

}  // namespace

void RasterLine(const RasterTarget& t, QPoint a, QPoint b, uint32_t colour, int width) {
    if (!t.bits || t.width <= 0 || t.height <= 0) return;
    width = std::max(width, 1);
    const int lo = -(width - 1) / 2, hi = lo + width - 1;
    int x1 = a.x(), y1 = a.y(), x2 = b.x(), y2 = b.y();
    const int margin = width;
    const bool inside = std::min(x1, x2) >= -margin && std::max(x1, x2) < t.width + margin &&
                        std::min(y1, y2) >= -margin && std::max(y1, y2) < t.height + margin;
    if (!inside) {
        double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
        if (!Clip(fx1, fy1, fx2, fy2, -margin, -margin, t.width - 1 + margin,
                  t.height - 1 + margin))
            return;
        x1 = static_cast<int>(std::lround(fx1));
        y1 = static_cast<int>(std::lround(fy1));
        x2 = static_cast<int>(std::lround(fx2));
        y2 = static_cast<int>(std::lround(fy2));
    }
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    const bool xMajor = dx >= dy;
    auto plot = [&](int x, int y) {
        if (xMajor) {
            if (static_cast<unsigned>(x) >= static_cast<unsigned>(t.width)) return;
            for (int k = lo; k <= hi; ++k)
                if (static_cast<unsigned>(y + k) < static_cast<unsigned>(t.height))
                    t.bits[static_cast<ptrdiff_t>(y + k) * t.stride + x] = colour;
        } else {
            if (static_cast<unsigned>(y) >= static_cast<unsigned>(t.height)) return;
            uint32_t* row = t.bits + static_cast<ptrdiff_t>(y) * t.stride;
            for (int k = lo; k <= hi; ++k)
                if (static_cast<unsigned>(x + k) < static_cast<unsigned>(t.width))
                    row[x + k] = colour;
        }
    };
    int err = dx - dy;
    for (;;) {
        plot(x1, y1);
        if (x1 == x2 && y1 == y2) break;
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x1 += sx;
        }
        if (e2 < dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void RasterTriangle(const RasterTarget& t, const QPoint p[3], uint32_t colour, int width) {
    if (!t.bits || t.width <= 0 || t.height <= 0) return;
    const int x0 = std::max(0, std::min({p[0].x(), p[1].x(), p[2].x()}));
    const int x1 = std::min(t.width - 1, std::max({p[0].x(), p[1].x(), p[2].x()}));
    const int y0 = std::max(0, std::min({p[0].y(), p[1].y(), p[2].y()}));
    const int y1 = std::min(t.height - 1, std::max({p[0].y(), p[1].y(), p[2].y()}));
    // Per row the span of pixel centres on the inner side of all three edges: each edge
    // function is linear in x, so it bounds x from one side.
    const long long area = static_cast<long long>(p[1].x() - p[0].x()) * (p[2].y() - p[0].y()) -
                           static_cast<long long>(p[1].y() - p[0].y()) * (p[2].x() - p[0].x());
    if (area != 0 && x0 <= x1 && y0 <= y1) {
        const double sign = area > 0 ? 1.0 : -1.0;
        for (int y = y0; y <= y1; ++y) {
            double lo = x0, hi = x1;
            for (int i = 0; i < 3 && lo <= hi; ++i) {
                const QPoint a = p[i], b = p[(i + 1) % 3];
                // e(x) = C - D (x - a.x) must have the sign of the area.
                const double c = sign * (double(b.x() - a.x()) * (y - a.y()));
                const double d = sign * double(b.y() - a.y());
                if (d > 0)
                    hi = std::min(hi, a.x() + std::floor(c / d));
                else if (d < 0)
                    lo = std::max(lo, a.x() + std::ceil(c / d));
                else if (c < 0)
                    hi = lo - 1;
            }
            if (lo > hi) continue;
            uint32_t* row = t.bits + static_cast<ptrdiff_t>(y) * t.stride;
            std::fill(row + static_cast<int>(lo), row + static_cast<int>(hi) + 1, colour);
        }
    }
    for (int i = 0; i < 3; ++i) RasterLine(t, p[i], p[(i + 1) % 3], colour, width);
}
