// Little-endian numbers read from bytes held in memory (binary drawing files); the caller makes
// sure the bytes are there.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

inline uint16_t LeU16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                                 (static_cast<unsigned char>(b[at + 1]) << 8));
}
inline uint32_t LeU32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(LeU16(b, at)) | static_cast<uint32_t>(LeU16(b, at + 2)) << 16;
}
inline float LeF32(std::string_view b, size_t at) {
    const uint32_t bits = LeU32(b, at);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}
inline double LeF64(std::string_view b, size_t at) {
    const uint64_t bits =
        static_cast<uint64_t>(LeU32(b, at)) | static_cast<uint64_t>(LeU32(b, at + 4)) << 32;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}
