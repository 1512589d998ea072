// The reader's markers for values that a block or the modal state does not give.
#pragma once

#include <cmath>

// A double word or modal value that is not given.
inline constexpr double kNcAbsent = -9999.99;
// An int word that is not given; also "no line found".
inline constexpr int kNcAbsentInt = -1;
// A condition number that is not given.
inline constexpr int kNcNoCondition = -999;

// True when a double differs from the absent marker by 0.001 or more.
inline bool IsGiven(double value) {
    return std::fabs(value - kNcAbsent) >= 0.001;
}
