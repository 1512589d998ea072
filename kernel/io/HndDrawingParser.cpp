// The binary drawing layouts and their record walk, bounded by the size of the file.
#include "kernel/io/HndDrawingParser.h"

#include "kernel/io/LittleEndian.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::string_view kZedPlint = "ZED PLINT KQ V4.0";
constexpr std::string_view kRimbleton = "Rimbleton";
constexpr size_t kMinimumSize = 1024;

// Callers check the bounds; the doubles of layout 3 are not 8-byte aligned.
uint16_t U16(std::string_view b, size_t at) {
    return LeU16(b, at);
}
float F32(std::string_view b, size_t at) {
    return LeF32(b, at);
}
double F64(std::string_view b, size_t at) {
    return LeF64(b, at);
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

bool ReadHndHeader(std::string_view bytes, HndDrawingHeader& h) {
    if (bytes.size() < kMinimumSize) return false;
    h.product = HndProductOf(bytes);
    if (h.product == HndProduct::None) return false;
    h.layout = HndLayoutOf(h.product, static_cast<unsigned char>(bytes[25]));
    // Every header field lies before the first record; layout 3 keeps its count and flags
    // beyond byte 1024, so a short file must be refused before they are read.
    if (bytes.size() < h.layout.firstRecord) return false;
    h.count = U16(bytes, h.layout.countOffset);
    // 64-bit arithmetic: a count never wraps the size check.
    if ((bytes.size() - h.layout.firstRecord) / h.layout.recordSize < h.count) return false;
    h.layerFlags.fill(0);
    for (size_t i = 0; i < h.layout.flagCount; ++i)
        h.layerFlags[i] = U16(bytes, h.layout.flagsOffset + 2 * i);
    h.currentLayer = U16(bytes, h.layout.layerOffset);
    h.tagged = bytes.substr(0, 4) == "RMBT";
    if (h.tagged) {
        h.shiftX = h.shiftY = 0.0;
        h.xmin = F64(bytes, 48);
        h.ymin = F64(bytes, 56);
        h.xmax = F64(bytes, 32);
        h.ymax = F64(bytes, 40);
    } else {
        h.shiftX = -F64(bytes, 64);
        h.shiftY = -F64(bytes, 72);
        h.xmin = h.shiftX;
        h.ymin = h.shiftY;
        h.xmax = F64(bytes, 32) + h.shiftX;
        h.ymax = F64(bytes, 40) + h.shiftY;
    }
    return true;
}

HndRecord DecodeHndRecord(std::string_view bytes, size_t at, double shiftX, double shiftY) {
    HndRecord r;
    r.flags = U16(bytes, at);
    r.kind = U16(bytes, at + 4) & 0x0Fu;
    r.layer = static_cast<unsigned char>(bytes[at + 7]);
    r.link = U16(bytes, at + 62);
    switch (r.kind) {
        case 1:
            r.x1 = F64(bytes, at + 16) + shiftX;
            r.y1 = F64(bytes, at + 24) + shiftY;
            break;
        case 2:
            r.x1 = F64(bytes, at + 16) + shiftX;
            r.y1 = F64(bytes, at + 24) + shiftY;
            r.x2 = F64(bytes, at + 32) + shiftX;
            r.y2 = F64(bytes, at + 40) + shiftY;
            r.style = U16(bytes, at + 48);
            break;
        case 4:
            r.cx = F64(bytes, at + 16) + shiftX;
            r.cy = F64(bytes, at + 24) + shiftY;
            r.radius = F64(bytes, at + 32);
            r.start = F64(bytes, at + 40);
            r.end = F64(bytes, at + 48);
            r.style = U16(bytes, at + 56);
            break;
        case 8:
            r.tx = F32(bytes, at + 16) + shiftX;
            r.ty = F32(bytes, at + 20) + shiftY;
            r.height = F32(bytes, at + 24);
            r.width = F32(bytes, at + 28);
            r.spacing = F32(bytes, at + 32);
            r.angle = F32(bytes, at + 36);
            r.textAttributes = U16(bytes, at + 44);
            r.characterCount = U16(bytes, at + 46);
            break;
        default:
            break;
    }
    return r;
}

namespace {

bool AllA5(std::string_view bytes, size_t from, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(bytes[from + i]) != 0xA5) return false;
    return true;
}

// The text of record at (its 14 bytes) and the pieces of its chain; reached is how far the walk
// has cleaned the records (pieces before it read as cleaned).
std::string ReadTextChain(std::string_view bytes, const HndDrawingHeader& h, size_t at,
                          size_t reached) {
    std::string text(bytes.substr(at + 48, 14));
    size_t room = 256 - 14;
    unsigned link = U16(bytes, at + 62);
    if (AllA5(bytes, at + 58, 6)) {
        std::fill(text.begin() + 10, text.end(), '\0');  // bytes 58-61 of the record's own text
        link = 0;
    }
    for (size_t steps = 0;
         link >= 1 && link <= h.count && link != 65535 && room > 46 && steps < h.count; ++steps) {
        const size_t piece = h.layout.firstRecord + (link - 1) * h.layout.recordSize;
        const bool cleaned = link - 1 <= reached;
        unsigned flags = U16(bytes, piece);
        if (cleaned && static_cast<unsigned char>(bytes[piece]) == 0xA5 &&
            static_cast<unsigned char>(bytes[piece + 1]) == 0x25)
            flags = 0;
        const bool tailCleaned = cleaned && AllA5(bytes, piece + 58, 6);
        if (!(flags & (0x0001u | 0x4000u))) {
            std::string part(bytes.substr(piece + 16, 46));
            if (tailCleaned) std::fill(part.begin() + 42, part.end(), '\0');  // bytes 58-61
            text += part;
        }
        room -= 46;
        link = tailCleaned ? 0 : U16(bytes, piece + 62);
    }
    return text;
}

}  // namespace

bool VisitHndRecords(std::string_view bytes, const HndDrawingHeader& h,
                     const std::function<bool(const HndRecord&)>& visit) {
    for (size_t r = 0; r < h.count; ++r) {
        const size_t at = h.layout.firstRecord + r * h.layout.recordSize;
        unsigned status = U16(bytes, at);
        if (h.layout.number != 3 && static_cast<unsigned char>(bytes[at]) == 0xA5 &&
            static_cast<unsigned char>(bytes[at + 1]) == 0x25)
            status = 0;
        if (status & (0x0001u | 0x4000u | 0x8000u)) continue;
        const unsigned layer = static_cast<unsigned char>(bytes[at + 7]);
        if (layer != h.currentLayer && h.layerFlags[layer] == 0) continue;
        const unsigned kind = U16(bytes, at + 4) & 0x0Fu;
        if (kind != 1 && kind != 2 && kind != 4 && kind != 8) continue;
        HndRecord rec;
        if (h.layout.number == 3) {
            // Layout 3 stores its geometry from byte 20 of a 128-byte record.
            if (kind != 2 && kind != 4) continue;
            const size_t g = at + h.layout.geometryOffset;
            rec.kind = kind;
            rec.layer = layer;
            if (kind == 2) {
                rec.x1 = F64(bytes, g) + h.shiftX, rec.y1 = F64(bytes, g + 8) + h.shiftY;
                rec.x2 = F64(bytes, g + 16) + h.shiftX, rec.y2 = F64(bytes, g + 24) + h.shiftY;
            } else {
                rec.cx = F64(bytes, g) + h.shiftX, rec.cy = F64(bytes, g + 8) + h.shiftY;
                rec.radius = F64(bytes, g + 16), rec.start = F64(bytes, g + 24),
                rec.end = F64(bytes, g + 32);
            }
        } else {
            rec = DecodeHndRecord(bytes, at, h.shiftX, h.shiftY);
            if (kind == 8) rec.text = ReadTextChain(bytes, h, at, r);
            if (AllA5(bytes, at + 58, 6)) rec.link = 0;
        }
        rec.index = r;
        rec.flags = status;
        if (!visit(rec)) return false;
    }
    return true;
}

void ParseHndDrawing(std::string_view bytes, std::vector<DrawingEntity>& out) {
    HndDrawingHeader header;
    if (!ReadHndHeader(bytes, header)) return;
    VisitHndRecords(bytes, header, [&out](const HndRecord& r) {
        DrawingEntity e;
        if (r.kind == 2) {
            e.kind = DrawingEntity::Kind::Line;
            e.x1 = r.x1, e.y1 = r.y1, e.x2 = r.x2, e.y2 = r.y2;
        } else if (r.kind == 4) {
            e.kind = DrawingEntity::Kind::Arc;
            e.x1 = r.cx, e.y1 = r.cy;
            e.radius = r.radius, e.startAngle = r.start, e.endAngle = r.end;
        } else {
            return true;  // points and texts are not elements
        }
        if (std::isfinite(e.x1) && std::isfinite(e.y1) && std::isfinite(e.x2) &&
            std::isfinite(e.y2) && std::isfinite(e.radius) && std::isfinite(e.startAngle) &&
            std::isfinite(e.endAngle))
            out.push_back(e);
        return true;
    });
}
