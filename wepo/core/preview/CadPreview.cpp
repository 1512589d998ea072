// Native drawings through the kernel's record walk; backups and headers read here.
#include "wepo/core/preview/CadPreview.h"

#include <cstring>

#include "kernel/io/HndDrawingParser.h"
#include "kernel/io/LittleEndian.h"
#include "platform/Cp932.h"
#include "wepo/core/preview/PreviewGeometry.h"

namespace wepo {

namespace {

constexpr std::string_view kBackupName = "FLENDIR rimbl Backup V2";
constexpr size_t kBackupRecords = 446;

// A character field: up to its first zero, at most its width less one byte, never beyond the data.
std::string_view Field(std::string_view bytes, size_t at, size_t width) {
    if (at >= bytes.size()) return {};
    std::string_view f = bytes.substr(at, std::min(width - 1, bytes.size() - at));
    return f.substr(0, f.find('\0'));
}

// Adds the primitive of a point, line or arc record; marks from the style word when wanted.
void AddGeometry(PreviewDrawing& d, const HndRecord& r, bool marks) {
    PreviewPrimitive p;
    p.pen = static_cast<int>((r.style >> 4) & 0xF);
    if (marks) p.marks = ((r.style >> 8) & 0x3) | (((r.style >> 11) & 0x3) << 16);
    if (r.kind == 1) {
        p.kind = PP_POINT;
        p.pen = 0;
        p.a[0] = r.x1, p.a[1] = r.y1;
    } else if (r.kind == 2) {
        p.kind = PP_LINE;
        p.a[0] = r.x1, p.a[1] = r.y1, p.a[2] = r.x2, p.a[3] = r.y2;
    } else {
        p.kind = PP_ARC;
        p.a[0] = r.cx, p.a[1] = r.cy, p.a[2] = r.radius, p.a[3] = r.start, p.a[4] = r.end;
    }
    d.primitives.push_back(std::move(p));
}

}  // namespace

void AppendTitleFields(PreviewText& text, const PreviewLabels& labels, std::string_view name,
                       std::string_view number, std::string_view designer) {
    if (!text.Wanted()) return;
    const std::string* label[3] = {&labels.name, &labels.number, &labels.designer};
    std::string_view field[3] = {name, number, designer};
    for (int i = 0; i < 3; ++i) {
        std::string value(field[i]);
        if (value.size() < 42) value.append(42 - value.size(), ' ');
        text.AppendCut(*label[i] + "\r\r\n" + value + "\r\r\n\r\r\n");
    }
}

std::string CadTextOf(std::string raw) {
    raw = raw.substr(0, raw.find('\0'));
    std::string kept;
    for (size_t i = 0; i < raw.size();) {
        size_t n = platform::CharLength(raw, i);
        char c = raw[i];
        if (n == 2 || (c != '|' && c != '_' && c != '[' && c != ']')) kept += raw.substr(i, n);
        i += n;
    }
    ToFullWidth(kept, 256);
    return kept;
}

PreviewDrawing ParseCadDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewLabels& labels, const PreviewRun& run) {
    PreviewDrawing d;
    HndDrawingHeader h;
    if (!ReadHndHeader(bytes, h) || h.layout.number == 3) return d;
    AppendTitleFields(text, labels, Field(bytes, 106, 42), Field(bytes, 148, 42),
                      Field(bytes, 190, 42));
    d.primitives.push_back(ViewPrimitive(h.xmin, h.ymin, h.xmax, h.ymax));
    const bool boxes = mode & PRM_TEXT_BOXES;
    bool complete = VisitHndRecords(bytes, h, [&](const HndRecord& r) {
        if (!run.Running()) return false;
        if (r.kind != 8) {
            AddGeometry(d, r, true);
            return true;
        }
        std::string chars = CadTextOf(r.text);
        const double n = static_cast<double>(chars.size() / 2);
        const double half = r.width / 2;
        const double l = (half + r.spacing) * n;
        AddAlignedText(d, r.tx, r.ty, r.height, half, r.spacing, r.angle, l,
                       (r.textAttributes >> 7) & 3, (r.textAttributes >> 5) & 3, boxes, chars);
        return true;
    });
    d.picture = complete;
    if (!complete) d.primitives.clear();
    return d;
}

PreviewDrawing ParseCadBackup(std::string_view bytes, PreviewText& text,
                              const PreviewLabels& labels, const PreviewRun& run) {
    PreviewDrawing d;
    if (bytes.size() < kBackupRecords || bytes.substr(0, kBackupName.size()) != kBackupName)
        return d;
    const uint64_t count = LeU32(bytes, 442);
    // 64-bit: a count of 2^26 or more no longer wraps the check.
    if (kBackupRecords + 64 * count > bytes.size()) return d;
    AppendTitleFields(text, labels, Field(bytes, 284, 42), Field(bytes, 326, 42),
                      Field(bytes, 368, 42));
    d.primitives.push_back(
        ViewPrimitive(LeF64(bytes, 410), LeF64(bytes, 418), LeF64(bytes, 426), LeF64(bytes, 434)));
    for (uint64_t i = 0; i < count; ++i) {
        if (!run.Running()) {
            d.primitives.clear();
            return d;
        }
        HndRecord r = DecodeHndRecord(bytes, kBackupRecords + 64 * static_cast<size_t>(i), 0, 0);
        if (r.flags & (0x4000u | 0x8000u)) continue;
        if (r.kind == 1 || r.kind == 2 || r.kind == 4) {
            AddGeometry(d, r, false);
        } else if (r.kind == 8) {
            const double l = (r.width + r.spacing) * r.characterCount;
            AddAlignedText(d, r.tx, r.ty, r.height, r.width, r.spacing, r.angle, l,
                           (r.textAttributes >> 7) & 3, (r.textAttributes >> 5) & 3, true, {});
        }
    }
    d.picture = true;
    return d;
}

void DescribeCadHeader(std::string_view bytes, int kind, PreviewText& text,
                       const PreviewLabels& labels) {
    if (bytes.empty()) return;
    if (kind == 2)
        AppendTitleFields(text, labels, Field(bytes, 144, 42), Field(bytes, 186, 42),
                          Field(bytes, 228, 42));
    else
        AppendTitleFields(text, labels, Field(bytes, 576, 48), Field(bytes, 624, 48),
                          Field(bytes, 672, 48));
}

}  // namespace wepo
