// Value records of the die tooling: possessed dies, turret stations and the file header.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Sizes of the blocks the die files and the die dialogs work on.
inline constexpr int kMaxDies = 2000;
inline constexpr int kMaxStations = 100;
inline constexpr int kMaxTapTools = 8;

// Longest texts the records hold, in bytes (CP932); longer texts are cut at a character
// boundary when they are read or written.
inline constexpr size_t kShapeFileMax = 261;
inline constexpr size_t kCodeMax = 129;
inline constexpr size_t kFormFileMax = 13;
inline constexpr size_t kTurretNameMax = 15;

// Die shape codes of the possessed-die file.
enum DieShape : int16_t {
    kShapeRound = 1,
    kShapeSquare = 2,
    kShapeRectangle = 3,
    kShapeObround = 4,
    kShapeCentrePunch = 5,
    kShapeDoubleD = 6,
    kShapeSingleD = 7,
    kShapeBurring = 8,
    kShapeSquareRadius = 9,
    kShapeSpecial = 10,
    kShapeTapping = 11,
    kShapeForming = 12,
    kShapeStamping = 13,
    kShapeCornerRadius = 14,
};

// One possessed die. Records are compared whole (the editing drivers detect changes that
// way), so every field takes part in ==.
struct DieRecord {
    int16_t Number = 0;  // die number (the TNO of the arrangement file)
    int16_t Range = 0;   // station size range 1..10 (letters A..J)
    int16_t Shape = 0;   // DieShape
    double SizeX = 0.0;
    double SizeY = 0.0;
    double SizeR = 0.0;
    double Angle = 0.0;  // degrees
    int16_t Usage = 0;   // bits 0..5: outline, nibbling, forming, pierce, corner, blanking
    int16_t Air = 0;
    int16_t Rotation = 0;
    int16_t Clamp = 0;
    std::string ShapeFile;  // figure file of a special shape, at most kShapeFileMax bytes
    std::string StartCode;  // at most kCodeMax bytes
    std::string EndCode;    // at most kCodeMax bytes
    int16_t Placed = 0;     // 1 when a station of the arrangement holds it; dialogs use 2, 3 too

    bool operator==(const DieRecord&) const = default;
};

// One turret station.
struct StationRecord {
    int16_t Index = 0;      // 0-based position of the record
    int16_t StationNo = 0;  // tool number that selects it; 0 for tapping stations
    int16_t Range = 0;      // 1..10 (A..J)
    int32_t KeyBits = 0;    // 24 key bits
    int16_t AutoIndex = 0;
    double PosX = 0.0;
    double PosY = 0.0;
    DieRecord Die;  // copy of the placed die; Die.Number is -1 for an empty station
    int16_t AcFlag = 0;
    double DangerWidth = 0.0;
    double DangerHeight = 0.0;
    std::string StartCode;  // for a tapping station, the NC line that switches its tool on
    std::string EndCode;    // ... and off

    bool operator==(const StationRecord&) const = default;
};

struct TurretArrangement {
    std::string FormFile;      // turret form file, for reference; at most kFormFileMax bytes
    std::string TurretName;    // at most kTurretNameMax bytes
    int32_t StationCount = 0;  // valid records at the start of Stations, 0..kMaxStations
    int32_t AutoIndexCount = 0;
    std::array<StationRecord, kMaxStations> Stations{};

    bool operator==(const TurretArrangement&) const = default;
};

// Versions, die count and the die selection dialog's result.
struct DieFileHeader {
    double PossessedVersion = 0.0;
    int32_t DieCount = 0;  // valid records at the start of the die table
    double ArrangementVersion = 0.0;
    int32_t SelectedDie = 0;  // index into the die table, -1 automatic choice, -99 none
    int32_t AutoSelect = 0;   // 1 when the selection dialog last ended with the automatic choice

    bool operator==(const DieFileHeader&) const = default;
};
