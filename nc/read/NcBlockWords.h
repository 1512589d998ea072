// NcBlockWords: the words of one NC block, as the tokeniser fills them.
#pragma once

#include "nc/read/NcValues.h"

// One flat record per block. Absent words hold kNcAbsentInt (ints), kNcAbsent (doubles) and
// kNcNoCondition (the condition number); Reset() restores those before every line.
struct NcBlockWords {
    int F = kNcAbsentInt;  // F word
    int N = kNcAbsentInt;  // sequence number: N, or the CodeHNumber letter
    int ProgramNo =
        kNcAbsentInt;             // CodeMainPro/CodeMainSub letter, or CodeMainCall with OptSubCall
    int ForValue = kNcAbsentInt;  // CodeFor letter
    int P = kNcAbsentInt;         // P word where it is not a count or a length
    int W = kNcAbsentInt;
    int T = kNcAbsentInt;  // also set by the tapping marker lines
    int L = 1;             // repeat count; 1 when absent or unreadable
    int QMode = -1;        // Q of a G75/G76 block; kept from block to block

    // Coordinate words, stored in program units (numbers without a point divided by ZeroTimes).
    double X = kNcAbsent;
    double Y = kNcAbsent;
    double Z = kNcAbsent;
    double I = kNcAbsent;
    double J = kNcAbsent;
    double R = kNcAbsent;
    double D = kNcAbsent;  // also the G08/G08.4 D length
    double A = kNcAbsent;
    double U = kNcAbsent;
    double V = kNcAbsent;
    double C = kNcAbsent;
    double K = kNcAbsent;        // K as a length (patterns 66/68/78, shape cycles 111/112)
    double Q = kNcAbsent;        // Q as a coordinate word
    double PLength = kNcAbsent;  // P as a length (patterns 29/66/68/69/78/79)
    double E = kNcAbsent;
    double B = kNcAbsent;
    double H = kNcAbsent;  // the gap word of the shape cycles 111/112

    int KCount = kNcAbsentInt;         // K as a count
    int PCount = kNcAbsentInt;         // P as a count (36, 37, 98)
    int ConditionNo = kNcNoCondition;  // lower-case e word

    // Back to "nothing given", keeping QMode.
    void Reset() {
        const int qMode = QMode;
        *this = NcBlockWords{};
        QMode = qMode;
    }
};
