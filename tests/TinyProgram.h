// A minimal Windows program with a version resource, built byte by byte for tests.
#pragma once

#include <cstdint>
#include <string>

#include "HndFixture.h"

namespace test {

// A minimal Windows program: DOS header, PE header, one section holding a version resource.
inline std::string TinyProgram(uint32_t high, uint32_t low) {
    Bytes b(0x200);
    b.Put(0, "MZ")
        .U32(0x3C, 0x40)
        .Put(0x40, std::string("PE\0\0", 4))
        .U16(0x44, 0x14C)
        .U16(0x46, 1);
    b.U16(0x54, 0xE0).U16(0x58, 0x10B);
    b.U32(0xC8, 0x1000).U32(0xCC, 0xB4);  // resource directory
    b.Put(0x138, ".rsrc").U32(0x140, 0xB4).U32(0x144, 0x1000).U32(0x148, 0xB4).U32(0x14C, 0x200);
    const size_t r = 0x200;
    b.U16(r + 14, 1).U32(r + 16, 16).U32(r + 20, 0x80000018);  // type 16: version
    b.U16(r + 0x18 + 14, 1).U32(r + 0x18 + 16, 1).U32(r + 0x18 + 20, 0x80000030);
    b.U16(r + 0x30 + 14, 1).U32(r + 0x30 + 16, 0x411).U32(r + 0x30 + 20, 0x48);
    b.U32(r + 0x48, 0x1000 + 0x58).U32(r + 0x4C, 0x5C);  // the data entry
    const size_t v = r + 0x58;
    b.U16(v, 0x5C).U16(v + 2, 52);
    const char* key = "VS_VERSION_INFO";
    for (int i = 0; key[i]; ++i) b.U16(v + 6 + 2 * i, static_cast<unsigned char>(key[i]));
    b.U32(v + 40, 0xFEEF04BD)
        .U32(v + 44, 0x10000)
        .U32(v + 48, high)
        .U32(v + 52, low)
        .U32(v + 90, 0);
    return b.data();
}

}  // namespace test
