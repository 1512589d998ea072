// CDtbInfo: colour, pen, element class and end marks of a line, arc or point.
#pragma once

#include <cstdint>

// Element classes (classBits) in use; readers select elements by AND with a mask.
inline constexpr int32_t kDtbClassRapid = 1;
inline constexpr int32_t kDtbClassMark = 2;
inline constexpr int32_t kDtbClassCut = 4;
inline constexpr int32_t kDtbClassPunch = 8;
inline constexpr int32_t kDtbClassGrid = 256;
inline constexpr int32_t kDtbClassToolMark = 512;
inline constexpr int32_t kDtbClassFrame = 1024;
inline constexpr int32_t kDtbClassAll = 4095;

// End marks (startMark, endMark).
inline constexpr int32_t kDtbMarkNone = 0;
inline constexpr int32_t kDtbMarkArrow = 1;
inline constexpr int32_t kDtbMarkDot = 2;

struct CDtbInfo {
    int32_t red = 0;  // colour components 0..255
    int32_t green = 0;
    int32_t blue = 0;
    int32_t penWidth = 0;  // pen widths and kinds of the machine file
    int32_t penKind = 0;
    int32_t classBits = 0;  // kDtbClass* values
    int32_t startMark = 0;  // kDtbMark* values
    int32_t endMark = 0;

    bool operator==(const CDtbInfo&) const = default;
};
