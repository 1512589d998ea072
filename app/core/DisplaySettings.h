// Which commands appear in the menus and on the tool bars: the display flags of the system INI.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Bit 0: the command stays in the menu; bit 1: its button is shown on the tool bar.
inline constexpr uint16_t kFlagMenu = 1;
inline constexpr uint16_t kFlagButton = 2;

// The tool bars, in the order of the frame's members.
enum ToolBarIndex : int {
    kBarStandard = 0,
    kBarEdit,
    kBarZoom,
    kBarScroll,
    kBarOperation,
    kBarTrace,
    kBarProperty,
    kBarCount,
    kBarNone = -1,
};

struct DisplayKey {
    const char* key;
    int command;
    uint16_t defaultFlags;
    uint16_t defaultWithForbidSheetRead;  // used when [System] ForbidSheetRead is non-zero
};

// One group: its section of the system INI, its menu position, its tool bar and its keys in
// the order of the bar's command table (separators left out).
struct DisplayGroup {
    const char* name;
    const char* section;
    int menuPosition;
    int bar;  // ToolBarIndex, kBarNone for Help
    std::vector<DisplayKey> keys;
};

// The eight groups in load order: File, Edit, Operation, Zoom, Scroll, Trace, Setup, Help.
const std::vector<DisplayGroup>& DisplayGroups();

// The bits of flags from bit 0 up, each "1" or "0" followed by sep; trailing separators removed.
std::string FormatFlagBits(int bitCount, char sep, uint16_t flags);
// Reads sep-separated fields into flags (starting from 0): each non-empty field sets the next
// bit when it reads as a non-zero decimal number; empty fields use no bit. Returns the number of
// fields read.
int ParseFlagBits(char sep, std::string_view text, uint16_t& flags);

// The flags of every group, one word per key in key order.
struct DisplayFlags {
    std::vector<std::vector<uint16_t>> groups;  // parallel to DisplayGroups()
    // The flags of a command (the first key that names it); 3 when no group lists it.
    uint16_t FlagsOf(int command) const;
    void Set(int command, uint16_t flags);
};

// Reads every key (its default chosen by forbidSheetRead), writes the value read back so that
// every key exists in the file afterwards, and parses it.
DisplayFlags LoadDisplayFlags(const std::filesystem::path& iniPath, bool forbidSheetRead);

// One command of a tool bar's table after the flags are applied.
struct BarButtonPlan {
    int command = 0;
    bool inMenu = true;
    bool shown = false;            // the button is on the bar
    bool separatorBefore = false;  // a separator goes in front of it
};

// Applies the flags of one group to a bar's command table (0 marks a separator place): the
// flags are taken in table order, 3 when the array runs out. Separators appear only between two
// shown buttons, at most one at a place. With hasBar false every button counts as hidden.
std::vector<BarButtonPlan> ApplyDisplayFlags(const std::vector<int>& table,
                                             const std::vector<uint16_t>& flags, bool hasBar);
