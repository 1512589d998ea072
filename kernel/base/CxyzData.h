// CxyzData: a point in space, a CxyData with a z coordinate.
#pragma once

#include <cmath>

#include "kernel/base/CxyData.h"
#include "kernel/base/Tolerance.h"

// A point in space. The operators below work on x, y and z; the plane operations inherited
// from CxyData (AssignXY, AddXY, SubXY, EqualXY) work on x and y only and leave z alone.
// Assigning a CxyzData to a CxyData takes its x and y.
struct CxyzData : CxyData {
    double z = 0.0;

    constexpr CxyzData() = default;
    constexpr CxyzData(double px, double py, double pz) : CxyData(px, py), z(pz) {}

    constexpr CxyzData& operator+=(const CxyzData& o) {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    constexpr CxyzData& operator-=(const CxyzData& o) {
        x -= o.x;
        y -= o.y;
        z -= o.z;
        return *this;
    }
    [[nodiscard]] friend constexpr CxyzData operator+(CxyzData a, const CxyzData& b) {
        return a += b;
    }
    [[nodiscard]] friend constexpr CxyzData operator-(CxyzData a, const CxyzData& b) {
        return a -= b;
    }

    // 1e-6 box test on x, y and z (strict bound).
    bool operator==(const CxyzData& o) const {
        return std::fabs(x - o.x) < kCoincidenceTol && std::fabs(y - o.y) < kCoincidenceTol &&
               std::fabs(z - o.z) < kCoincidenceTol;
    }
};
