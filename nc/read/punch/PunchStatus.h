// Result codes of the punch pattern, hit and strip routines of the reader.
#pragma once

enum PunchStatus : int {
    kPunchDone = 0,
    // CNcRead::PunchPattern: no tool selected (no T word yet, or T0 without a tapping tool).
    kPunchNoTool = 1,
    // No die: the station is empty, the die is not possessed, or a die index lies outside
    // the die table. The strip routines also give it for a die shape they cannot work with.
    kPunchNoDie = -1,
    // CNcRead::PunchPattern: a routine refused the block; the pattern's group is removed.
    kPunchRefused = -2,
    // A word the pattern needs is absent.
    kPunchMissingWord = -3,
    // A pitch, count or radius that the pattern divides by is zero (or the count it gives is
    // beyond kPunchMaxHits).
    kPunchZeroDivisor = -4,
};

// Hits one pattern block may ask for; beyond it the block is refused rather than keeping the
// reader busy for hours or exhausting memory.
inline constexpr long long kPunchMaxHits = 1'000'000;
