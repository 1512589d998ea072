// The attribute texts of the reader's elements: "LineNo=", "PrtNo=" and "ElmInfo=" kinds 1 to 9,
// formatted and read back in C notation whatever the process locale.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "kernel/base/CxyzData.h"

class CDtbArc;
class CDtbAttributes;
class CDtbElement;
class CDtbLine;

// The values of one "ElmInfo=" text in field order. Integer fields are held as doubles and
// printed as integers. The field layout of each kind is fixed (see ElmInfoLayout).
struct NcElmInfo {
    static constexpr int kMaxFields = 15;
    int kind = 0;
    int count = 0;  // fields filled
    std::array<double, kMaxFields> v{};

    void Add(double value) {
        if (count < kMaxFields) v[count++] = value;
    }
    void Add(const CxyzData& p) {
        Add(p.x);
        Add(p.y);
        Add(p.z);
    }
};

// Field types of a kind, one character per field: 'f' a real ("%.3lf"), 'd' an integer ("%d").
// Empty for a kind outside 1 to 9.
std::string_view ElmInfoLayout(int kind);
// Indices of the fields of a kind that start a point (x, y, z) moved with the element; the
// count is returned, at most 3.
int ElmInfoPointFields(int kind, std::array<int, 3>& first);

// Room for the longest text: 15 fields of at most 320 characters ("%.3lf" of 1.7e308 has 313).
inline constexpr size_t kNcTextCapacity = 15 * 320 + 32;

// "%.3lf" in C notation into out (at least 330 bytes); returns the length. Matches printf,
// "-0.000" for small negatives included.
size_t FormatFixed3(char* out, double value);
// "ElmInfo=<kind> v1 v2 ..." into out (kNcTextCapacity bytes); returns the length.
size_t FormatElmInfo(const NcElmInfo& info, char* out);
// Reads the text "ElmInfo=..." back. true when the kind lies in 1 to 9 and every field of the
// kind was read; info then holds them (fields beyond the text's are 0).
bool ParseElmInfo(std::string_view text, NcElmInfo& info);

// The texts of the kinds the motion elements write.
NcElmInfo LineElmInfo(const CDtbLine& line);   // kind 1, or 3 when the heights differ
NcElmInfo LineElmInfo3(const CDtbLine& line);  // kind 3 whatever the heights
NcElmInfo LineElmInfo1(const CDtbLine& line);  // kind 1 whatever the heights (length in space)
NcElmInfo ArcElmInfo(const CDtbArc& arc);      // kind 2
NcElmInfo DividedArcElmInfo(const CxyzData& start, const CxyzData& end, const CxyzData& centre,
                            double radius, double total);  // kind 4

// Appends "LineNo=<lineNo>", "PrtNo=<partNo>" and, when info is not null, its "ElmInfo=" text
// to the element's texts, with one allocation at most.
void AddElementTexts(CDtbElement& element, int lineNo, int partNo, const NcElmInfo* info);
// Appends only "LineNo=<lineNo>" (the "Punch" group nodes carry no "PrtNo=").
void AddLineNoText(CDtbAttributes& texts, int lineNo);
// Appends only the "ElmInfo=" text.
void AddElmInfoText(CDtbAttributes& texts, const NcElmInfo& info);

// Rewrites every "ElmInfo=" text of element in place with its points moved by offset (the
// grid copies, whose copied elements may carry their source's text beside their own). Returns
// the count rewritten.
int OffsetAllElmInfo(CDtbElement& element, const CxyzData& offset);
