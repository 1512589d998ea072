// CxyData: a point of the x/y plane, a plain value of two doubles.
#pragma once

#include <cmath>

#include "kernel/base/Tolerance.h"

// A point in the x/y plane. Plain value: copying, embedding and returning cost two doubles and
// never allocate.
//
// += and -= change the left operand in place. The binary + and - return a new point and leave
// both operands alone; they are [[nodiscard]] so that code written expecting an in-place "+"
// is caught by the compiler.
//
// Equality is a per-coordinate box test with the strict bound kCoincidenceTol, not a distance
// test: (0, 0) == (0.0000009, -0.0000009), but (0, 0) != (0.000001, 0).
struct CxyData {
    double x = 0.0;
    double y = 0.0;

    constexpr CxyData() = default;
    constexpr CxyData(double px, double py) : x(px), y(py) {}

    constexpr CxyData& operator+=(const CxyData& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr CxyData& operator-=(const CxyData& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    [[nodiscard]] friend constexpr CxyData operator+(CxyData a, const CxyData& b) { return a += b; }
    [[nodiscard]] friend constexpr CxyData operator-(CxyData a, const CxyData& b) { return a -= b; }

    // 1e-6 box test on x and y (strict bound).
    bool operator==(const CxyData& o) const {
        return std::fabs(x - o.x) < kCoincidenceTol && std::fabs(y - o.y) < kCoincidenceTol;
    }

    // Explicit plane operations: on a CxyzData they read and write x and y only and leave z
    // alone, whatever the dynamic type of the argument.
    constexpr CxyData& AssignXY(const CxyData& o) {
        x = o.x;
        y = o.y;
        return *this;
    }
    constexpr CxyData& AddXY(const CxyData& o) { return CxyData::operator+=(o); }
    constexpr CxyData& SubXY(const CxyData& o) { return CxyData::operator-=(o); }
    bool EqualXY(const CxyData& o) const { return CxyData::operator==(o); }
};
