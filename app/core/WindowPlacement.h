// The main window's placement: the 44-byte record of "Morvalen.ini" and the start-up choice.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PlacementRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PlacementRect&) const = default;
};

// Show states of the record, with the values the settings files carry.
enum PlacementShow : uint32_t {
    kShowHide = 0,
    kShowNormal = 1,
    kShowMinimized = 2,
    kShowMaximized = 3,
    kShowNoActivate = 4,
    kShowShow = 5,
    kShowMinimize = 6,
    kShowMinNoActive = 7,
    kShowNa = 8,
    kShowRestore = 9,
};

// The record as stored: length (44), flags, show state, minimised and maximised positions and
// the normal rectangle, little-endian 32-bit fields.
struct WindowPlacementRecord {
    uint32_t length = 44;
    uint32_t flags = 0;
    uint32_t showCmd = kShowNormal;
    int32_t minX = -1, minY = -1, maxX = -1, maxY = -1;
    PlacementRect normal;

    std::vector<unsigned char> ToBytes() const;
    // Nothing unless the bytes are 44 long, say so in their length field and hold a normal
    // rectangle of positive size.
    static std::optional<WindowPlacementRecord> FromBytes(const std::vector<unsigned char>& bytes);
};

// The structure form of the profile functions: the bytes as upper-case hex pairs followed by
// the pair of their sum modulo 256.
std::string EncodeProfileStruct(const std::vector<unsigned char>& bytes);
// Nothing when the text is not hex pairs, the size differs or the checksum does not match.
std::optional<std::vector<unsigned char>> DecodeProfileStruct(std::string_view text, size_t size);

inline constexpr std::string_view kPlacementSection = "WINDOW";
inline constexpr std::string_view kPlacementKey = "PLACEMENT";

// [WINDOW] PLACEMENT of the placement file; nothing when missing or unreadable.
std::optional<WindowPlacementRecord> ReadPlacement(const std::filesystem::path& file);
bool WritePlacement(const std::filesystem::path& file, const WindowPlacementRecord& record);

// How the start-up shows the main window.
struct StartPlacement {
    bool maximized = false;
    PlacementRect normal;
};

// Process modes 1 and 11 get a fixed normal window (0, 139, 1025, 770), the other modes above
// 0 another one (213, 118, 1029, 793); mode 0 and below use the stored record (shown normal
// when it was minimised) or, on a first start, a maximised window whose normal rectangle
// leaves a tenth of the screen on every side.
StartPlacement ChooseStartPlacement(int processMode,
                                    const std::optional<WindowPlacementRecord>& stored,
                                    int screenWidth, int screenHeight);
