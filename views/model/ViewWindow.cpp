// World/screen conversions and aspect matching of the element view's world window.
#include "views/model/ViewWindow.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPixelLimit = 1073741824.0;  // 2^30: room left for adding the client origin

int ToPixel(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

}  // namespace

int WorldToScreenX(const ViewWindow& w, double x) {
    return ToPixel(WorldToScreenXf(w, x));
}

int WorldToScreenY(const ViewWindow& w, double y) {
    return ToPixel(WorldToScreenYf(w, y));
}

double ClientToWorldX(const ViewWindow& w, int px) {
    return (px - w.left) / w.scaleX + w.xmin;
}

double ClientToWorldY(const ViewWindow& w, int py) {
    return (w.bottom - py) / w.scaleY + w.ymin;
}

int FitAspect(ViewWindow& w, int left, int top, int right, int bottom) {
    const double cw = static_cast<double>(right) - left;
    const double ch = static_cast<double>(bottom) - top;
    double ww = w.xmax - w.xmin;
    double wh = w.ymax - w.ymin;
    if (!(cw > 0.0) || !(ch > 0.0)) return 0;
    if (!std::isfinite(ww) || !std::isfinite(wh) || !std::isfinite(w.xmin + w.ymin)) return 0;
    if (!(ww > 0.0) && !(wh > 0.0)) return 0;
    if (ww < 0.0 || wh < 0.0) return 0;
    w.left = left;
    w.top = top;
    w.right = right;
    w.bottom = bottom;
    if (ww / cw > wh / ch) {
        const double centre = (w.ymin + w.ymax) / 2.0;
        wh = ww * ch / cw;
        w.ymin = centre - wh / 2.0;
        w.ymax = centre + wh / 2.0;
    } else {
        const double centre = (w.xmin + w.xmax) / 2.0;
        ww = wh * cw / ch;
        w.xmin = centre - ww / 2.0;
        w.xmax = centre + ww / 2.0;
    }
    w.scaleX = cw / ww;
    w.scaleY = ch / wh;
    w.clientDiagonal = std::hypot(cw, ch);
    return 1;
}
