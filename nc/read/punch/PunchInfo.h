// PunchInfo: the punch information record, the 56-byte data block of every "Punch" group.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

class CPunchTool;
struct DieRecord;

// Pattern types of the record (byte 16).
enum PunchPatternType : int8_t {
    kPunchSingle = 0,       // one hit
    kPunchLine = 1,         // 28, and 79 with a special-shape die
    kPunchCircle = 2,       // 26
    kPunchArc = 3,          // 29, and 78 with a special-shape die
    kPunchGridRows = 4,     // 36
    kPunchGridColumns = 5,  // 37
    kPunchShear = 6,        // 66, line punching with the die
    kPunchNibbleLine = 8,   // 69, and 79 with any other die
    kPunchNibbleArc = 9,    // 68, and 78 with any other die
    kPunchSquare = 10,      // 67
    kPunchCode202 = 11,     // 202
};

// The record as values. The trace and the element views read it back from the group's data
// block, so its bytes are fixed: packed, little-endian, every byte zero unless a field sets it.
//
//   0  char[16]  "PunchInfo", NUL-padded
//  16  int8      type
//  17  uint16    die index in the possessed-die table
//  19  float[5]  values at 19, 23, 27, 31, 35; type 8 puts its four at 19, 23, 29, 33
//  39  byte      zero
//  40  double    x of the reference point
//  48  double    y of the reference point
//
// Values holds the pattern values in order; ToBytes and FromBytes place them by type, so no
// caller ever deals with the odd offsets of type 8.
struct PunchInfo {
    static constexpr size_t kSize = 56;
    static constexpr size_t kNameSize = 16;
    using Bytes = std::array<uint8_t, kSize>;

    int8_t Type = kPunchSingle;
    uint16_t DieIndex = 0;
    std::array<float, 5> Values{};  // by type; type 8 uses the first four
    double X = 0.0;
    double Y = 0.0;

    // The 56 bytes, written field by field (never by the struct's memory layout).
    Bytes ToBytes() const;
    // The record from a data block of at least kSize bytes whose name is "PunchInfo"; nothing
    // for a shorter block or another name.
    static std::optional<PunchInfo> FromBytes(std::span<const uint8_t> bytes);
    static std::optional<PunchInfo> FromBytes(const char* data, size_t length);

    // Byte offset of value i for a record of type type; i from 0 to 4 (type 8: 0 to 3).
    static size_t ValueOffset(int8_t type, int i);
    // Values a type uses: 5, 4 for type 8 alone.
    static int ValueCount(int8_t type) { return type == kPunchNibbleLine ? 4 : 5; }

    bool operator==(const PunchInfo&) const = default;
};

// The die a record names, or null when its index lies outside the dies of the table (the
// record may come from a document built with other die data, or be damaged).
const DieRecord* PunchInfoDie(const CPunchTool& dies, const PunchInfo& info);
