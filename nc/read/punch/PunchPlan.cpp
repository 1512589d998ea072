// Punch pattern plans: special-die conversions, required words and the punch record.
#include "nc/read/punch/PunchPlan.h"

#include <cmath>

#include "nc/machine/DieRecords.h"
#include "nc/read/NcValues.h"
#include "nc/read/punch/PunchStatus.h"

namespace {

constexpr double kPi = 3.141592653589793;

// A count from a real: n when it is finite, at least 1 and at most kPunchMaxHits; else 0.
int CountOf(double n) {
    if (!(n >= 1.0 && n <= static_cast<double>(kPunchMaxHits))) return 0;
    return static_cast<int>(n);
}

int8_t TypeOf(int code) {
    switch (code) {
        case 28:
            return kPunchLine;
        case 26:
            return kPunchCircle;
        case 29:
            return kPunchArc;
        case 36:
            return kPunchGridRows;
        case 37:
            return kPunchGridColumns;
        case 66:
            return kPunchShear;
        case 69:
        case 79:
            return kPunchNibbleLine;
        case 68:
        case 78:
            return kPunchNibbleArc;
        case 67:
            return kPunchSquare;
        case 202:
            return kPunchCode202;
        default:
            return kPunchSingle;
    }
}

// Required words and counts of the hit patterns.
int CheckHitPattern(int code, const NcBlockWords& w) {
    if (code == -1 || code == 66 || code == 68 || code == 69 || code == 78 || code == 79 ||
        code == 202) {
        return kPunchDone;
    }
    if (!IsGiven(w.I) || !IsGiven(w.J)) return kPunchMissingWord;
    switch (code) {
        case 26:
            if (w.KCount < 0) return kPunchMissingWord;
            if (w.KCount == 0) return kPunchZeroDivisor;  // the pitch is 360 / K
            if (w.KCount > kPunchMaxHits) return kPunchZeroDivisor;
            break;
        case 28:
            if (w.KCount < 0) return kPunchMissingWord;
            if (w.KCount > kPunchMaxHits) return kPunchZeroDivisor;
            break;
        case 29:
            if (w.KCount < 0 || !IsGiven(w.PLength)) return kPunchMissingWord;
            if (w.KCount > kPunchMaxHits) return kPunchZeroDivisor;
            break;
        case 36:
        case 37:
            if (w.KCount < 0 || w.PCount < 0) return kPunchMissingWord;
            if ((w.PCount + 1LL) * (w.KCount + 1LL) > kPunchMaxHits) return kPunchZeroDivisor;
            break;
        default:  // 67 records I and J only
            break;
    }
    return kPunchDone;
}

}  // namespace

bool IsPunchPatternCode(int code) {
    switch (code) {
        case 26:
        case 28:
        case 29:
        case 36:
        case 37:
        case 66:
        case 67:
        case 68:
        case 69:
        case 78:
        case 79:
        case 202:
            return true;
        default:
            return false;
    }
}

PunchPlan MakePunchPlan(int code, const NcBlockWords& words, const DieRecord& die, int dieIndex,
                        const CxyzData& target) {
    PunchPlan plan;
    plan.Code = code;
    plan.Words = words;
    NcBlockWords& w = plan.Words;

    // A special-shape die cannot nibble: the strip becomes a row or an arc of single hits.
    if (die.Shape == kShapeSpecial && code == 79) {
        if (!IsGiven(w.I) || !IsGiven(w.J) || !IsGiven(w.Q)) {
            plan.Status = kPunchMissingWord;
            return plan;
        }
        const double pitch = w.Q - 0.001;
        const int n = pitch != 0.0 ? CountOf(std::ceil(w.I / pitch)) : 0;
        if (n == 0) {
            plan.Status = kPunchZeroDivisor;
            return plan;
        }
        w.I /= n;  // the hits end exactly at the distance the block's I gave
        w.KCount = n;
        plan.Code = 28;
    } else if (die.Shape == kShapeSpecial && code == 78) {
        if (!IsGiven(w.I) || !IsGiven(w.J) || !IsGiven(w.K) || !IsGiven(w.Q)) {
            plan.Status = kPunchMissingWord;
            return plan;
        }
        if (std::fabs(w.I) < 0.001) {
            plan.Status = kPunchZeroDivisor;
            return plan;
        }
        // The angle that an arc length Q spans at radius I.
        const double a = 360.0 * w.Q / (2.0 * w.I * kPi);
        const double step = a - 0.001;
        const int n = step != 0.0 ? CountOf(std::ceil(std::fabs(w.K / step))) : 0;
        if (n == 0 || n >= kPunchMaxHits) {
            plan.Status = kPunchZeroDivisor;
            return plan;
        }
        w.PLength = w.K / n;
        w.KCount = n + 1;
        plan.Code = 29;
    }
    plan.Status = CheckHitPattern(plan.Code, w);

    PunchInfo& info = plan.Info;
    info.Type = TypeOf(plan.Code);
    info.DieIndex = static_cast<uint16_t>(dieIndex);
    info.X = target.x;
    info.Y = target.y;
    auto f = [](double v) { return static_cast<float>(v); };
    switch (plan.Code) {
        case 66:
            info.Values = {f(w.J), 0.0f, f(w.PLength), f(w.Q), f(w.I)};
            break;
        case 69:
        case 79:
            info.Values = {f(w.J), f(w.Q), f(w.PLength), f(w.I), 0.0f};
            break;
        case 68:
        case 78:
            info.Values = {f(w.I), f(w.J), f(w.K), f(w.Q), f(w.PLength)};
            break;
        case 67: {
            const bool hasQ = std::fabs(w.Q - kNcAbsent) >= 0.001;
            info.Values = {f(w.I), f(w.J), f(w.P), hasQ ? f(w.Q) : f(w.P), 0.0f};
            break;
        }
        case 202:
            info.Values = {0.0f, 80.0f, 80.0f, 0.0f, 0.0f};
            break;
        default:
            break;
    }
    return plan;
}
