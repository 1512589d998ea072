// A tapping tool: the die of a tapping station and the NC lines that switch it on and off.
#pragma once

#include <cstdint>
#include <string>

class CTapTool {
public:
    int16_t DieNumber = 0;  // 0 when unset
    std::string StartCode;  // NC line that switches the tool on
    std::string EndCode;    // NC line that switches it off

    bool operator==(const CTapTool&) const = default;
};
