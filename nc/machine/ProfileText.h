// Small text helpers shared by the settings readers of the machine data.
#pragma once

#include <string>
#include <string_view>

// Cuts a settings value to at most maxBytes bytes, as a fixed read buffer did, but never in the
// middle of a double-byte (Shift-JIS) character: a lead byte that would lose its trail byte is
// dropped as well.
std::string CutToBuffer(std::string_view text, size_t maxBytes);
