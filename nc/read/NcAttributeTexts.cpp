// Formatting and reading of the "LineNo=", "PrtNo=" and "ElmInfo=" attribute texts.
#include "nc/read/NcAttributeTexts.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/geom/CVectoMatrix.h"
#include "nc/read/CNcRead.h"

namespace {

constexpr std::string_view kElmInfo = "ElmInfo=";

size_t FormatInt(char* out, long long value) {
    auto r = std::to_chars(out, out + 24, value);
    return static_cast<size_t>(r.ptr - out);
}

// Integer fields are printed from their double; a value outside int reads as 0 (as the
// original's %d of a garbage value would be undefined).
long long AsInt(double v) {
    if (!std::isfinite(v) || std::fabs(v) > 2147483647.0) return 0;
    return static_cast<long long>(v);
}

}  // namespace

std::string_view ElmInfoLayout(int kind) {
    switch (kind) {
        case 1:
        case 3:
            return "ffffffff";
        case 2:
        case 4:
            return "fffffffffffdff";
        case 5:
            return "ddfffffff";
        case 6:
            return "ddffffffffffffd";
        case 7:
            return "ddfffffffffff";
        case 8:
            return "ddfffffffffffd";
        case 9:
            return "ddfffffffffdd";
        default:
            return {};
    }
}

int ElmInfoPointFields(int kind, std::array<int, 3>& first) {
    switch (kind) {
        case 1:
        case 3:
            first = {0, 3, 0};
            return 2;
        case 2:
        case 4:
            first = {0, 3, 6};
            return 3;
        case 6:
        case 7:
            first = {6, 9, 0};
            return 2;
        case 5:
        case 8:
        case 9:
            first = {6, 0, 0};
            return 1;
        default:
            return 0;
    }
}

size_t FormatFixed3(char* out, double value) {
    // Fast path: |value| * 1000 rounded to the nearest integer gives printf's digits unless the
    // product lies close to a half, where the exact binary value decides; those, and values
    // too large for the product to be exact enough, go to to_chars.
    const double scaled = std::fabs(value * 1000.0);
    if (scaled < 1e11) {
        uint64_t n = static_cast<uint64_t>(static_cast<int64_t>(scaled));
        const double frac = scaled - static_cast<double>(n);
        if (std::fabs(frac - 0.5) > 1e-3) {
            if (frac > 0.5) ++n;
            static constexpr char kPairs[] =
                "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                "8081828384858687888990919293949596979899";
            uint64_t whole = n / 1000;
            const unsigned frac3 = static_cast<unsigned>(n - whole * 1000);
            // Digits from the right: three decimals, the point, then the whole part.
            char digits[24];
            char* d = digits + sizeof digits;
            d -= 3;
            d[0] = static_cast<char>('0' + frac3 / 100);
            d[1] = kPairs[(frac3 % 100) * 2];
            d[2] = kPairs[(frac3 % 100) * 2 + 1];
            *--d = '.';
            while (whole >= 100) {
                const unsigned pair = static_cast<unsigned>(whole % 100);
                whole /= 100;
                d -= 2;
                d[0] = kPairs[pair * 2];
                d[1] = kPairs[pair * 2 + 1];
            }
            if (whole >= 10) {
                d -= 2;
                d[0] = kPairs[whole * 2];
                d[1] = kPairs[whole * 2 + 1];
            } else {
                *--d = static_cast<char>('0' + whole);
            }
            char* p = out;
            if (std::signbit(value)) *p++ = '-';
            // A handful of bytes: a plain loop beats a call to memcpy here.
            while (d < digits + sizeof digits) *p++ = *d++;
            return static_cast<size_t>(p - out);
        }
    }
    auto r = std::to_chars(out, out + 330, value, std::chars_format::fixed, 3);
    return static_cast<size_t>(r.ptr - out);
}

size_t FormatElmInfo(const NcElmInfo& info, char* out) {
    const std::string_view layout = ElmInfoLayout(info.kind);
    std::memcpy(out, kElmInfo.data(), kElmInfo.size());
    size_t n = kElmInfo.size();
    n += FormatInt(out + n, info.kind);
    for (size_t i = 0; i < layout.size(); ++i) {
        out[n++] = ' ';
        const double v = static_cast<int>(i) < info.count ? info.v[i] : 0.0;
        n += layout[i] == 'd' ? FormatInt(out + n, AsInt(v)) : FormatFixed3(out + n, v);
    }
    return n;
}

bool ParseElmInfo(std::string_view text, NcElmInfo& info) {
    info = NcElmInfo{};
    if (text.size() < 9 || text.substr(0, kElmInfo.size()) != kElmInfo) return false;
    const char k = text[8];
    if (k < '1' || k > '9') return false;
    info.kind = k - '0';
    const std::string_view layout = ElmInfoLayout(info.kind);
    const char* p = text.data() + 9;
    const char* end = text.data() + text.size();
    for (char type : layout) {
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        if (p >= end) break;
        const char* s = p;
        if (*s == '+') ++s;
        if (type == 'd') {
            long long value = 0;
            auto r = std::from_chars(s, end, value);
            if (r.ec != std::errc()) break;
            info.Add(static_cast<double>(value));
            p = r.ptr;
        } else {
            double value = 0.0;
            auto r = std::from_chars(s, end, value, std::chars_format::general);
            if (r.ec != std::errc()) break;
            info.Add(value);
            p = r.ptr;
        }
    }
    return info.count == static_cast<int>(layout.size());
}

NcElmInfo LineElmInfo(const CDtbLine& line) {
    if (std::fabs(line.start.z - line.end.z) >= 0.001) return LineElmInfo3(line);
    return LineElmInfo1(line);
}

NcElmInfo LineElmInfo1(const CDtbLine& line) {
    NcElmInfo info;
    info.kind = 1;
    info.Add(line.start);
    info.Add(line.end);
    info.Add(line.GetLineAngle());
    info.Add(line.GetElementLength3D());
    return info;
}

NcElmInfo LineElmInfo3(const CDtbLine& line) {
    NcElmInfo info;
    info.kind = 3;
    info.Add(line.start);
    info.Add(line.end);
    Vec3 unit{};
    double length = 0.0;
    CVectoMatrix::UnitVector({line.start.x, line.start.y, line.start.z},
                             {line.end.x, line.end.y, line.end.z}, unit, length);
    info.Add(length);
    info.Add(0.0);
    return info;
}

NcElmInfo ArcElmInfo(const CDtbArc& arc) {
    NcElmInfo info;
    info.kind = 2;
    CxyzData s, e;
    arc.GetStartPoint(s);
    arc.GetEndPoint(e);
    info.Add(s);
    info.Add(e);
    info.Add(arc.centre);
    info.Add(arc.startAngle);
    info.Add(arc.endAngle);
    info.Add(arc.direction);
    info.Add(arc.radius);
    info.Add(arc.GetElementLength());
    return info;
}

NcElmInfo DividedArcElmInfo(const CxyzData& start, const CxyzData& end, const CxyzData& centre,
                            double radius, double total) {
    NcElmInfo info;
    info.kind = 4;
    info.Add(start);
    info.Add(end);
    info.Add(centre);
    info.Add(radius);
    info.Add(total);
    info.Add(0.0);
    info.Add(0.0);
    info.Add(0.0);
    return info;
}

void AddElmInfoText(CDtbAttributes& texts, const NcElmInfo& info) {
    char buf[kNcTextCapacity];
    const size_t n = FormatElmInfo(info, buf);
    texts.Add(std::string_view(buf, n));
}

void AddLineNoText(CDtbAttributes& texts, int lineNo) {
    char buf[32];
    std::memcpy(buf, "LineNo=", 7);
    const size_t n = 7 + FormatInt(buf + 7, lineNo);
    texts.Add(std::string_view(buf, n));
}

// The three texts go into the element's block with one allocation of their size.
void AddElementTexts(CDtbElement& element, int lineNo, int partNo, const NcElmInfo* info) {
    char line[32], part[32];
    std::memcpy(line, "LineNo=", 7);
    const std::string_view lineText(line, 7 + FormatInt(line + 7, lineNo));
    std::memcpy(part, "PrtNo=", 6);
    const std::string_view partText(part, 6 + FormatInt(part + 6, partNo));
    if (!info) {
        element.attributes.Add({lineText, partText});
        return;
    }
    char buf[kNcTextCapacity];
    const std::string_view infoText(buf, FormatElmInfo(*info, buf));
    element.attributes.Add({lineText, partText, infoText});
}

int OffsetAllElmInfo(CDtbElement& element, const CxyzData& offset) {
    int done = 0;
    const size_t count = element.attributes.GetCount();
    for (size_t i = 0; i < count; ++i) {
        const std::string_view text = element.attributes.GetAt(i);
        if (!text.starts_with(kElmInfo)) continue;
        NcElmInfo info;
        if (!ParseElmInfo(text, info)) continue;
        std::array<int, 3> first{};
        const int points = ElmInfoPointFields(info.kind, first);
        for (int k = 0; k < points; ++k) {
            info.v[first[k]] += offset.x;
            info.v[first[k] + 1] += offset.y;
            info.v[first[k] + 2] += offset.z;
        }
        char buf[kNcTextCapacity];
        const size_t n = FormatElmInfo(info, buf);
        element.attributes.SetAt(i, std::string_view(buf, n));
        ++done;
    }
    return done;
}

int CNcRead::OffsetElementInfo(CDtbElement* element, const CxyzData* offset) {
    if (element == nullptr || offset == nullptr) return 0;
    const int index = element->attributes.FindPrefix(kElmInfo);
    if (index < 0) return 0;
    NcElmInfo info;
    if (!ParseElmInfo(element->attributes.GetAt(static_cast<size_t>(index)), info)) return 0;
    std::array<int, 3> first{};
    const int points = ElmInfoPointFields(info.kind, first);
    for (int k = 0; k < points; ++k) {
        info.v[first[k]] += offset->x;
        info.v[first[k] + 1] += offset->y;
        info.v[first[k] + 2] += offset->z;
    }
    element->attributes.RemoveAt(static_cast<size_t>(index));
    AddElmInfoText(element->attributes, info);
    return 1;
}
