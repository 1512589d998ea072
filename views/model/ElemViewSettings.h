// ElemViewSettings: the colours, pen styles, widths and sizes of an element view, and their keys.
#pragma once

#include <array>
#include <filesystem>

#include "kernel/db/CDtbInfo.h"

// Indexes into ElemViewSettings::Values, in the order of the settings block. A colour is
// three consecutive values R, G, B starting at its index.
enum ElemViewSetting : int {
    kBackGround = 0,  // R, G, B
    kGridPen = 3,     // R, G, B
    kGridPenStyle = 6,
    kGridPenWide = 7,
    kNaviPen = 8,  // R, G, B
    kNaviPenStyle = 11,
    kNaviPenWide = 12,
    kTraceDarkPen = 13,  // R, G, B
    kTraceDarkPenWide = 16,
    kTraceCurrentPen = 17,  // R, G, B
    kTraceCurrentPenWide = 20,
    kTraceToolPen = 21,  // R, G, B
    kTraceToolPenStyle = 24,
    kTraceToolPenWide = 25,
    kTorchColorLaserOff = 26,  // R, G, B
    kTorchColorLaserOn = 29,   // R, G, B
    kTorchColorPonch = 32,     // R, G, B
    kTorchSize = 35,
    kSelectRouteColor = 36,     // R, G, B
    kIncmpProcRouteColor = 39,  // R, G, B
    kRoutePenWide = 42,
    kSkipLogRouteColor = 43,  // R, G, B
    kSkipLogRoutePenWide = 46,
    kTorchColorSkipLog = 47,  // R, G, B
    kEdgeArrowPen = 50,       // R, G, B
    kEdgeArrowSize = 53,
    kFramePen = 54,  // R, G, B
    kFramePenStyle = 57,
    kFramePenWide = 58,
    kDangerousZonePen = 59,  // R, G, B
    kAcAxisPen = 62,         // R, G, B
    kAcAxisLength = 65,
    kMoveDirection = 66,
    kElemViewSettingCount = 67,
};

inline constexpr char kSectionElemView[] = "NcElemView";
inline constexpr char kSection16ILB[] = "Setting for 16ILB";

// One value of the block: where it is stored and what a missing key gives.
struct ElemViewSettingKey {
    const char* section;
    const char* key;
    int def;
};

// The key of every value, in block order.
const std::array<ElemViewSettingKey, kElemViewSettingCount>& ElemViewSettingKeys();

// A colour as stored: three ints, not limited to 0..255.
struct ViewRgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const ViewRgb&) const = default;
};

// The colour value R + 256 G + 65536 B, each component cut to its low eight bits first (a
// stored 300 draws as 44, -1 as 255).
inline constexpr unsigned ColourValue(ViewRgb c) {
    return (static_cast<unsigned>(c.r) & 0xFFu) | ((static_cast<unsigned>(c.g) & 0xFFu) << 8) |
           ((static_cast<unsigned>(c.b) & 0xFFu) << 16);
}

struct ElemViewSettings {
    std::array<int, kElemViewSettingCount> Values{};
    int XyzAxisLength = 50;  // [NcElemView] XyzAxisLength, kept apart from the block

    // Every value at its default.
    ElemViewSettings();

    int operator[](ElemViewSetting i) const { return Values[static_cast<size_t>(i)]; }
    ViewRgb Colour(ElemViewSetting first) const;
    // Drawing attributes of a scene element: colour at `colour`, the given pen and class.
    CDtbInfo Pen(ElemViewSetting colour, int penKind, int penWidth, int classBits) const;

    // Reads the block and XyzAxisLength from the settings file (missing keys give their
    // defaults, no value is limited) and writes XyzAxisLength straight back as decimal text,
    // which creates a missing file. Returns 1.
    int Load(const std::filesystem::path& iniPath);
    // Writes the [Setting for 16ILB] values of the block back (the frame does this when it
    // closes in a special process mode). True when the file was written.
    bool Save16ILB(const std::filesystem::path& iniPath) const;
};
