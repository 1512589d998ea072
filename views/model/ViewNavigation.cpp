// Zoom, fit, scroll, wheel and drag arithmetic on an element view's world window.
#include "views/model/ViewNavigation.h"

#include <algorithm>
#include <cmath>

namespace {

// Extents below this (in drawing units, a millionth of a millimetre) are one point.
constexpr double kPointExtent = 1e-6;

// Sets the window to centre +- the given half-spans.
void Centre(ViewWindow& w, double cx, double cy, double halfX, double halfY) {
    w.xmin = cx - halfX;
    w.xmax = cx + halfX;
    w.ymin = cy - halfY;
    w.ymax = cy + halfY;
}

void ZoomAboutClientCentre(ViewWindow& w, double factor) {
    const double cx = ClientToWorldX(w, (w.left + w.right) / 2);
    const double cy = ClientToWorldY(w, (w.top + w.bottom) / 2);
    Centre(w, cx, cy, factor * w.Width(), factor * w.Height());
}

}  // namespace

void ZoomInWindow(ViewWindow& w) {
    ZoomAboutClientCentre(w, 0.33);
}

void ZoomOutWindow(ViewWindow& w) {
    ZoomAboutClientCentre(w, 0.75);
}

int ZoomFitWindow(ViewWindow& w, const CxyData& min, const CxyData& max) {
    if (!(min.x <= max.x) || !(min.y <= max.y)) return 0;
    if (!std::isfinite(min.x) || !std::isfinite(min.y) || !std::isfinite(max.x) ||
        !std::isfinite(max.y))
        return 0;
    const double dx = max.x - min.x;
    const double dy = max.y - min.y;
    if (dx < kPointExtent && dy < kPointExtent) {
        // One point only (moves along the view direction alone, which project to rounding
        // noise): no span to scale by.
        Centre(w, (min.x + max.x) / 2.0, (min.y + max.y) / 2.0, 1.0, 1.0);
        return 1;
    }
    w.xmin = min.x - 0.15 * dx;
    w.xmax = max.x + 0.15 * dx;
    w.ymin = min.y - 0.15 * dy;
    w.ymax = max.y + 0.15 * dy;
    return 1;
}

void ScrollWindow(ViewWindow& w, ScrollDirection direction, int moveDirection) {
    const double sign = moveDirection != 0 ? 1.0 : -1.0;
    const double dx = 0.1 * w.Width() * sign;
    const double dy = 0.1 * w.Height() * sign;
    switch (direction) {
        case ScrollDirection::Up:
            w.ymin -= dy;
            w.ymax -= dy;
            break;
        case ScrollDirection::Down:
            w.ymin += dy;
            w.ymax += dy;
            break;
        case ScrollDirection::Left:
            w.xmin += dx;
            w.xmax += dx;
            break;
        case ScrollDirection::Right:
            w.xmin -= dx;
            w.xmax -= dx;
            break;
    }
}

void WheelZoomWindow(ViewWindow& w, unsigned flags, int delta, int clientX, int clientY,
                     WheelAnchor anchor) {
    const double sign = delta < 0 ? -1.0 : 1.0;
    if (flags & kWheelCtrl) {
        const double d = 0.2 * w.Height() * sign;
        w.ymin += d;
        w.ymax += d;
        return;
    }
    if (flags & kWheelShift) {
        const double d = 0.2 * w.Width() * sign;
        w.xmin += d;
        w.xmax += d;
        return;
    }
    const double px = ClientToWorldX(w, clientX);
    const double py = ClientToWorldY(w, clientY);
    const double factor = delta < 0 ? 0.8 : 0.3;
    double halfX = factor * w.Width();
    double halfY = factor * w.Height();
    if (delta >= 0 && halfX < 0.02 && halfY < 0.02) halfX = halfY = 0.02;
    if (anchor == WheelAnchor::Centre) {
        Centre(w, px, py, halfX, halfY);
        return;
    }
    // Keep the point at the same fraction of the window, hence under the cursor.
    const double fx = w.Width() > 0.0 ? (px - w.xmin) / w.Width() : 0.5;
    const double fy = w.Height() > 0.0 ? (py - w.ymin) / w.Height() : 0.5;
    w.xmin = px - fx * 2.0 * halfX;
    w.xmax = w.xmin + 2.0 * halfX;
    w.ymin = py - fy * 2.0 * halfY;
    w.ymax = w.ymin + 2.0 * halfY;
}

void DragZoomWindow(ViewWindow& w, int pressY, int y) {
    double c = w.Height() * (static_cast<double>(pressY) - y) * 0.01;
    const double cap = 0.45 * std::min(w.Width(), w.Height());
    if (c > cap) c = cap;
    if (!std::isfinite(c)) return;
    w.xmin += c;
    w.ymin += c;
    w.xmax -= c;
    w.ymax -= c;
}

void DragPanWindow(ViewWindow& w, const CxyData& pressWorld, int clientX, int clientY) {
    const double dx = pressWorld.x - ClientToWorldX(w, clientX);
    const double dy = pressWorld.y - ClientToWorldY(w, clientY);
    w.xmin += dx;
    w.xmax += dx;
    w.ymin += dy;
    w.ymax += dy;
}
