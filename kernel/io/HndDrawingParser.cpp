// The binary drawing layouts and their record walk, bounded by the size of the file.
#include "kernel/io/HndDrawingParser.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view kZedPlint = "ZED PLINT KQ V4.0";
constexpr std::string_view kRimbleton = "Rimbleton";
constexpr size_t kMinimumSize = 1024;

// Callers check the bounds; the doubles of layout 3 are not 8-byte aligned, hence memcpy.
uint16_t U16(std::string_view b, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) |
                                 (static_cast<unsigned char>(b[at + 1]) << 8));
}
double F64(std::string_view b, size_t at) {
    unsigned char raw[8];
    std::memcpy(raw, b.data() + at, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | raw[i];
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

}  // namespace

HndProduct HndProductOf(std::string_view bytes) {
    if (bytes.size() >= 4 + kZedPlint.size() && bytes.substr(4, kZedPlint.size()) == kZedPlint)
        return HndProduct::ZedPlint;
    if (bytes.size() >= 4 + kRimbleton.size() && bytes.substr(4, kRimbleton.size()) == kRimbleton)
        return HndProduct::Rimbleton;
    return HndProduct::None;
}

HndLayout HndLayoutOf(HndProduct product, unsigned char layoutByte) {
    if (layoutByte >= 80) return {3, 2906, 2914, 2916, 256, 15370, 128, 20};
    if (product == HndProduct::ZedPlint) return {1, 242, 248, 250, 16, 1024, 64, 16};
    return {2, 242, 248, 250, 256, 12704, 64, 16};
}

void ParseHndDrawing(std::string_view bytes, std::vector<DrawingEntity>& out) {
    if (bytes.size() < kMinimumSize) return;
    const HndProduct product = HndProductOf(bytes);
    if (product == HndProduct::None) return;
    const HndLayout layout = HndLayoutOf(product, static_cast<unsigned char>(bytes[25]));
    // Every header field lies before the first record; layout 3 keeps its count and flags
    // beyond byte 1024, so a short file must be refused before they are read.
    if (bytes.size() < layout.firstRecord) return;
    const size_t count = U16(bytes, layout.countOffset);
    if ((bytes.size() - layout.firstRecord) / layout.recordSize < count) return;

    std::array<uint16_t, 256> flags{};
    for (size_t i = 0; i < layout.flagCount; ++i) flags[i] = U16(bytes, layout.flagsOffset + 2 * i);
    const unsigned currentLayer = U16(bytes, layout.layerOffset);

    double shiftX = 0.0;
    double shiftY = 0.0;
    if (bytes.substr(0, 4) != "RMBT") {
        shiftX = -F64(bytes, 64);
        shiftY = -F64(bytes, 72);
    }

    for (size_t r = 0; r < count; ++r) {
        const size_t at = layout.firstRecord + r * layout.recordSize;
        unsigned status = U16(bytes, at);
        if (layout.number != 3 && static_cast<unsigned char>(bytes[at]) == 0xA5 &&
            static_cast<unsigned char>(bytes[at + 1]) == 0x25)
            status = 0;
        if (status & (0x0001u | 0x4000u | 0x8000u)) continue;
        const unsigned layer = static_cast<unsigned char>(bytes[at + 7]);
        if (layer != currentLayer && flags[layer] == 0) continue;
        const unsigned kind = U16(bytes, at + 4) & 0x0Fu;
        const size_t g = at + layout.geometryOffset;
        DrawingEntity e;
        if (kind == 2) {
            e.kind = DrawingEntity::Kind::Line;
            e.x1 = F64(bytes, g) + shiftX;
            e.y1 = F64(bytes, g + 8) + shiftY;
            e.x2 = F64(bytes, g + 16) + shiftX;
            e.y2 = F64(bytes, g + 24) + shiftY;
        } else if (kind == 4) {
            e.kind = DrawingEntity::Kind::Arc;
            e.x1 = F64(bytes, g) + shiftX;
            e.y1 = F64(bytes, g + 8) + shiftY;
            e.radius = F64(bytes, g + 16);
            e.startAngle = F64(bytes, g + 24);
            e.endAngle = F64(bytes, g + 32);
        } else {
            continue;
        }
        if (!std::isfinite(e.x1) || !std::isfinite(e.y1) || !std::isfinite(e.x2) ||
            !std::isfinite(e.y2) || !std::isfinite(e.radius) || !std::isfinite(e.startAngle) ||
            !std::isfinite(e.endAngle))
            continue;
        out.push_back(e);
    }
}
