// The cells and hits of the trace's punch-pattern animation.
#include "text/core/NcPunchPattern.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbElement.h"
#include "nc/read/NcReadStatus.h"

namespace {

constexpr double kMinSize = 0.001;  // a size, pitch or length below this fails the check

// An option word as a count: a word read back negative counts as 0.
int CountWord(const CDtbElement& e, int i) {
    const auto v = static_cast<int32_t>(e.GetOption(i));
    return v < 0 ? 0 : v;
}

// A hit count computed in double: 0 (not drawn) unless it is finite and between 1 and the cap.
int HitCount(double n) {
    if (!std::isfinite(n) || n < 1.0 || n > kTracePatternMaxHits) return 0;
    return static_cast<int>(n);
}

CxyzData Along(const CxyzData& from, double angle, double distance) {
    return CxyzData(from.x + distance * CosDeg(angle), from.y + distance * SinDeg(angle), from.z);
}

// The four corners of a rectangle about centre: half sizes ha along angle and hb across it
// (towards angle + 90), in the order of the signs given.
std::array<CxyzData, 4> Corners(const CxyzData& centre, double angle, double ha, double hb,
                                const int (&signs)[4][2]) {
    const double ux = CosDeg(angle), uy = SinDeg(angle);  // along
    const double vx = -uy, vy = ux;                       // across, +90 degrees
    std::array<CxyzData, 4> out;
    for (int i = 0; i < 4; ++i) {
        const double a = signs[i][0] * ha, b = signs[i][1] * hb;
        out[i] = CxyzData(centre.x + a * ux + b * vx, centre.y + a * uy + b * vy, centre.z);
    }
    return out;
}

}  // namespace

PunchCells PunchCells::Of(const CDtbElement* first) {
    PunchCells cells;
    if (first == nullptr) return cells;
    cells.A = CountWord(*first, 3);
    cells.B = CountWord(*first, 4);
    const auto mode = static_cast<int32_t>(first->GetOption(6));
    cells.Mode = mode >= 0 && mode <= 7 ? mode : 0;
    cells.PitchA = first->GetOptionValue(0);
    cells.PitchB = first->GetOptionValue(1);
    if ((cells.A + 1LL) * (cells.B + 1LL) > kNcMaxGridCells) cells.A = cells.B = 0;
    return cells;
}

std::vector<PunchCell> PunchCells::Order() const {
    const bool xFirst = Mode < 4;
    const int corner = Mode % 4;  // 0 (0, 0), 1 (A, 0), 2 (0, B), 3 (A, B)
    const bool fromRight = corner == 1 || corner == 3;
    const bool fromTop = corner >= 2;
    const int outerCount = xFirst ? B : A;
    const int innerCount = xFirst ? A : B;
    std::vector<PunchCell> cells;
    cells.reserve(static_cast<size_t>((A + 1) * (B + 1)));
    for (int o = 0; o <= outerCount; ++o) {
        for (int i = 0; i <= innerCount; ++i) {
            const int walked = o % 2 == 0 ? i : innerCount - i;
            int c = xFirst ? walked : o;
            int r = xFirst ? o : walked;
            if (fromRight) c = A - c;
            if (fromTop) r = B - r;
            cells.push_back({c, r});
        }
    }
    return cells;
}

std::vector<PunchTraceHit> ShearLineHits(const CxyzData& p0, double angle, double d1, double d2,
                                         double length, double overlap) {
    d1 = std::fabs(d1);
    d2 = std::fabs(d2);
    // An overlap of 1 or more divides by zero or counts backwards.
    if (!(overlap >= 0.0 && overlap < 1.0)) return {};
    if (d1 < kMinSize || d2 < kMinSize || std::fabs(length) < kMinSize) return {};
    const int n =
        HitCount(std::trunc((length - overlap * d1) / (d1 - overlap * d1) - 0.000001) + 1.0);
    if (n == 0) return {};
    const double travel = length - d1;
    const double pitch = n > 1 ? std::fabs(travel) / (n - 1) : 0.0;
    std::vector<PunchTraceHit> hits;
    hits.reserve(static_cast<size_t>(n));
    for (int h = 0; h < n; ++h) {
        const double at = h == n - 1 ? travel : h * pitch;
        hits.push_back({Along(p0, angle, at), angle});
    }
    return hits;
}

std::vector<PunchTraceHit> NibbleLineHits(const CxyzData& p0, double angle, double pitch,
                                          double diameter, double length) {
    pitch = std::fabs(pitch);
    if (std::fabs(diameter) < kMinSize || pitch < kMinSize || std::fabs(length) < kMinSize)
        return {};
    const int n = HitCount(std::trunc(length / pitch) + 1.0);
    if (n == 0) return {};
    std::vector<PunchTraceHit> hits;
    hits.reserve(static_cast<size_t>(n));
    for (int h = 0; h < n; ++h) hits.push_back({Along(p0, angle, h * pitch), angle});
    return hits;
}

std::vector<PunchTraceHit> NibbleArcHits(double cx, double cy, double radius, double start,
                                         double sweep, double pitch, double width) {
    if (std::fabs(radius) < kMinSize || std::fabs(pitch) < kMinSize) return {};
    const double step = pitch * 360.0 / (2.0 * std::numbers::pi * radius);
    const int n = HitCount(std::trunc(std::fabs(sweep / step)) + 1.0);
    if (n == 0) return {};
    const double sign = sweep >= 0.0 ? 1.0 : -1.0;
    const double r = radius + width / 2.0;
    std::vector<PunchTraceHit> hits;
    hits.reserve(static_cast<size_t>(n));
    for (int h = 0; h < n; ++h) {
        const double t = start + h * step * sign;
        hits.push_back({CxyzData(cx + r * CosDeg(t), cy + r * SinDeg(t), 0.0), t});
    }
    return hits;
}

std::array<CxyzData, 4> ShearOutlineCorners(const PunchTraceHit& hit, double d1, double d2) {
    static constexpr int kOrder[4][2] = {{-1, 1}, {-1, -1}, {1, -1}, {1, 1}};
    return Corners(hit.centre, hit.angle, std::fabs(d1) / 2.0, std::fabs(d2) / 2.0, kOrder);
}

std::array<CxyzData, 4> DieOutlineCorners(const PunchTraceHit& hit, double sizeX, double sizeY) {
    // Along the radial direction (front +), across it (left +).
    static constexpr int kOrder[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    return Corners(hit.centre, hit.angle, sizeY / 2.0, sizeX / 2.0, kOrder);
}
