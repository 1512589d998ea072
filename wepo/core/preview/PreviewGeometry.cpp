// Fitting, mapping, clipping, arcs, text corners and full-width text of the previews.
#include "wepo/core/preview/PreviewGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/Cp932.h"

namespace wepo {

namespace {

constexpr double kPixelLimit = 1.0e7;
constexpr double kPi = 3.141592653589793;

int ToPixel(double v) {
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

double Norm360(double a) {
    return a - 360.0 * std::floor(a / 360.0);
}

// The full-width codes of the single bytes, by ranges.
unsigned FullWidthFor(unsigned b) {
    static const unsigned k21[] = {0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, 0x8169,
                                   0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E};
    static const unsigned k3A[] = {0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, 0x83D3};
    static const unsigned k5B[] = {0x816D, 0x818F, 0x816E, 0x817D, 0x8151};
    static const unsigned k7B[] = {0x816F, 0x8162, 0x8170, 0x8160};
    static const unsigned kA1[] = {0x8142, 0x8175, 0x8176, 0x8141, 0x8145};
    static const unsigned kA6[] = {0x8392, 0x8340, 0x8342, 0x8344, 0x8346,
                                   0x8348, 0x8383, 0x8385, 0x8387, 0x8362};
    static const unsigned kB0[] = {0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C,
                                   0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358, 0x835A, 0x835C};
    static const unsigned kC0[] = {0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
                                   0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D};
    static const unsigned kD0[] = {0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386, 0x8388, 0x8389,
                                   0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B};
    if (b >= 0x21 && b <= 0x2F) return k21[b - 0x21];
    if (b >= 0x30 && b <= 0x39) return 0x824F + (b - 0x30);
    if (b >= 0x3A && b <= 0x40) return k3A[b - 0x3A];
    if (b >= 0x41 && b <= 0x5A) return 0x8260 + (b - 0x41);
    if (b >= 0x5B && b <= 0x5F) return k5B[b - 0x5B];
    if (b >= 0x61 && b <= 0x7A) return 0x8281 + (b - 0x61);
    if (b >= 0x7B && b <= 0x7E) return k7B[b - 0x7B];
    if (b >= 0xA1 && b <= 0xA5) return kA1[b - 0xA1];
    if (b >= 0xA6 && b <= 0xAF) return kA6[b - 0xA6];
    if (b >= 0xB0 && b <= 0xBF) return kB0[b - 0xB0];
    if (b >= 0xC0 && b <= 0xCF) return kC0[b - 0xC0];
    if (b >= 0xD0 && b <= 0xDF) return kD0[b - 0xD0];
    return 0x8140;  // 00-20, 60, 7F-A0, E0-FF: the full-width space
}

}  // namespace

bool FitViewToPicture(PreviewView& v, double xmin, double ymin, double xmax, double ymax, int left,
                      int top, int right, int bottom) {
    v.left = left, v.top = top, v.right = right, v.bottom = bottom;
    const double W = static_cast<double>(right) - left, H = static_cast<double>(bottom) - top;
    if (!(W > 0) || !(H > 0)) return false;
    if (!std::isfinite(xmin) || !std::isfinite(ymin) || !std::isfinite(xmax) ||
        !std::isfinite(ymax))
        xmin = ymin = 0, xmax = ymax = 1;
    if (xmin > xmax) std::swap(xmin, xmax);
    if (ymin > ymax) std::swap(ymin, ymax);
    double dx = xmax - xmin, dy = ymax - ymin;
    if (!(dx > 0) && !(dy > 0)) {
        // A single point: a box of one unit about it, not an infinite scale.
        xmin -= 0.5, xmax += 0.5, ymin -= 0.5, ymax += 0.5;
        dx = dy = 1;
    }
    if (dx / W > dy / H) {
        const double cy = (ymin + ymax) * 0.5;
        dy = dx * H / W;
        ymin = cy - 0.5 * dy, ymax = cy + 0.5 * dy;
    } else {
        const double cx = (xmin + xmax) * 0.5;
        dx = dy * W / H;
        xmin = cx - 0.5 * dx, xmax = cx + 0.5 * dx;
    }
    v.xmin = xmin, v.ymin = ymin, v.xmax = xmax, v.ymax = ymax;
    v.sx = W / dx, v.sy = H / dy;
    return true;
}

int MapX(const PreviewView& v, double x) {
    return v.left + ToPixel(std::trunc((x - v.xmin) * v.sx + 0.5));
}

int MapY(const PreviewView& v, double y) {
    return v.bottom - ToPixel(std::trunc((y - v.ymin) * v.sy - 0.5));
}

int PointInBox(double xmin, double ymin, double xmax, double ymax, double x, double y) {
    return xmin <= x && x <= xmax && ymin <= y && y <= ymax ? 1 : 0;
}

int ClipSegment(double xmin, double ymin, double xmax, double ymax, double& x1, double& y1,
                double& x2, double& y2) {
    auto code = [&](double x, double y) {
        int c = x < xmin ? 1 : x > xmax ? 2 : 0;
        return c | (y < ymin ? 4 : y > ymax ? 8 : 0);
    };
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return 0;
    for (int pass = 0; pass < 2; ++pass) {
        int c1 = code(x1, y1), c2 = code(x2, y2);
        if (c1 & c2) return 0;
        if (!c1 && !c2) return 1;
        for (int end = 0; end < 2; ++end) {
            double& x = end == 0 ? x1 : x2;
            double& y = end == 0 ? y1 : y2;
            const int c = code(x, y);
            if (!c) continue;
            const double dx = x2 - x1, dy = y2 - y1;
            if (c & 3) {
                if (dx == 0) return 0;
                const double edge = (c & 1) ? xmin : xmax;
                y += (edge - x) * dy / dx;
                x = edge;
            } else {
                if (dy == 0) return 0;
                const double edge = (c & 4) ? ymin : ymax;
                x += (edge - y) * dx / dy;
                y = edge;
            }
        }
    }
    // A segment passing outside a corner leaves an end outside: nothing of it is in the box.
    return code(x1, y1) == 0 && code(x2, y2) == 0 ? 1 : 0;
}

ArcPlan PlanArc(const PreviewView& v, double cx, double cy, double r, double start, double end) {
    ArcPlan p;
    start = Norm360(start);
    end = Norm360(end);
    if (start >= end) end += 360.0;
    p.start = start;
    p.sweep = end - start;
    const double a0 = start * kPi / 180.0, a1 = end * kPi / 180.0;
    p.p0x = MapX(v, cx + r * std::cos(a0)), p.p0y = MapY(v, cy + r * std::sin(a0));
    p.p1x = MapX(v, cx + r * std::cos(a1)), p.p1y = MapY(v, cy + r * std::sin(a1));
    p.cx = MapX(v, cx), p.cy = MapY(v, cy);
    const double rp = std::trunc(r * v.sx + 0.5);
    p.rp = static_cast<int>(std::clamp(rp == rp ? rp : 0.0, -kPixelLimit, kPixelLimit));
    if (p.rp == 0 || (p.p0x == p.p1x && p.p0y == p.p1y && p.sweep < 360.0)) {
        p.kind = ArcPlan::kPixel;
    } else if ((p.rp * p.sweep * kPi / 180.0 <= 12.0 && p.sweep < 360.0) || p.rp >= 32767) {
        p.kind = ArcPlan::kLine;
    } else {
        p.kind = ArcPlan::kArc;
    }
    return p;
}

void RotateAbout(double& x, double& y, double ax, double ay, double angle) {
    if (angle == 0.0) return;
    const double a = angle * kPi / 180.0, c = std::cos(a), s = std::sin(a);
    const double dx = x - ax, dy = y - ay;
    x = dx * c - dy * s + ax;
    y = dx * s + dy * c + ay;
}

void AlignedBox(double x, double y, double l, double h, unsigned horizontal, unsigned vertical,
                double& x1, double& y1, double& x2, double& y2) {
    x1 = horizontal == 1 ? x - l / 2 : horizontal == 2 ? x - l : x;
    y1 = vertical == 1 ? y - h / 2 : vertical == 2 ? y - h : y;
    x2 = x1 + l;
    y2 = y1 + h;
}

PreviewPrimitive ViewPrimitive(double xmin, double ymin, double xmax, double ymax) {
    PreviewPrimitive p;
    p.kind = PP_VIEW;
    p.a[0] = xmin, p.a[1] = ymin, p.a[2] = xmax, p.a[3] = ymax;
    return p;
}

void AddAlignedText(PreviewDrawing& d, double x, double y, double h, double width, double spacing,
                    double angle, double l, unsigned horizontal, unsigned vertical, bool boxes,
                    std::string text) {
    double x1, y1, x2, y2;
    AlignedBox(x, y, l, h, horizontal, vertical, x1, y1, x2, y2);
    PreviewPrimitive p;
    p.pen = 6;
    if (boxes) {
        p.kind = PP_TEXTBOX;
        p.a[0] = x1, p.a[1] = y1, p.a[2] = x2, p.a[3] = y2, p.a[4] = x, p.a[5] = y, p.a[6] = angle;
    } else {
        double cx = x1, cy = y2;  // the top-left corner
        RotateAbout(cx, cy, x, y, angle);
        p.kind = PP_TEXT;
        p.a[0] = cx, p.a[1] = cy, p.a[2] = h, p.a[3] = width, p.a[4] = spacing, p.a[5] = angle;
        p.text = std::move(text);
    }
    d.primitives.push_back(std::move(p));
}

unsigned FullWidthCode(unsigned char byte) {
    return FullWidthFor(byte);
}

size_t ToFullWidth(std::string& text, size_t limit) {
    std::string out;
    out.reserve(text.size() * 2);
    size_t length = text.size();
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (platform::IsLeadByte(b) && i + 1 < text.size()) {
            out += text.substr(i, 2);
            i += 2;
        } else if (length + 1 < limit) {
            const unsigned code = FullWidthFor(b);
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
            ++length;
            ++i;
        } else {
            out += text[i];
            ++i;
        }
    }
    text = std::move(out);
    return text.size();
}

}  // namespace wepo
