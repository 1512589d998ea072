// EXF and DXF parsing into preview primitives; the script's DIALOG_PREVIEW line.
#include "wepo/core/preview/TextPreview.h"

#include <cmath>
#include <cstdint>

#include "kernel/io/DxfLineReader.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "wepo/core/preview/CadPreview.h"
#include "wepo/core/preview/PreviewGeometry.h"

namespace wepo {

std::vector<std::string_view> SplitPreviewLines(std::string_view text) {
    std::vector<std::string_view> lines;
    ForEachPreviewLine(text, [&](std::string_view line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

void AppendPreviewLine(PreviewText& text, std::string_view line) {
    if (text.Wanted() && line.size() + 3 < text.Room() + 1) {
        text.Text() += line;
        text.Text() += "\r\r\n";
    }
}

void AppendPreviewLines(PreviewText& text, std::string_view bytes) {
    // Even an empty line needs three bytes of room.
    ForEachPreviewLine(bytes, [&](std::string_view line) {
        AppendPreviewLine(text, line);
        return text.Wanted() && text.Room() > 2;
    });
}

namespace {

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

// Reads "%lf%*c%lf..." as sscanf would: each field after leading blanks, one character skipped
// between fields. kinds: 'f' real, 'd' integer, 'x' hexadecimal. False when a field does not read.
bool ScanExf(std::string_view s, const char* kinds, double* out) {
    size_t i = 0;
    for (int k = 0; kinds[k]; ++k) {
        if (k > 0) {
            if (i >= s.size()) return false;
            ++i;  // %*c
        }
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        std::string_view rest = s.substr(i);
        size_t used = 0;
        if (kinds[k] == 'f') {
            out[k] = platform::ParseLeadingReal(rest, &used);
        } else if (kinds[k] == 'd') {
            out[k] = static_cast<double>(platform::ParseLeadingInt(rest, &used));
        } else {
            size_t j = 0;
            if (rest.size() > 1 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) j = 2;
            uint64_t v = 0;
            size_t digits = 0;
            for (; j < rest.size(); ++j, ++digits) {
                char c = rest[j];
                int h = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
                if (h < 0) break;
                v = (v << 4 | static_cast<unsigned>(h)) & 0xFFFFFFFFu;
            }
            used = digits ? j : 0;
            out[k] = static_cast<double>(v);
        }
        if (used == 0 || !std::isfinite(out[k])) return false;
        i += used;
    }
    return true;
}

// EXF mark numbering (1 dot, 2 arrow) to the preview's (1 arrow, 2 dot); 3 draws nothing.
unsigned ExfMark(unsigned m) {
    return m == 1 ? PM_DOT : m == 2 ? PM_ARROW : PM_NONE;
}

}  // namespace

PreviewDrawing ParseExfDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewLabels& labels, const PreviewRun& run) {
    PreviewDrawing d;
    if (bytes.empty()) return d;
    bool extents = false;
    const bool boxes = mode & PRM_TEXT_BOXES;
    for (std::string_view line : SplitPreviewLines(bytes)) {
        if (line[0] == ';') continue;
        if (!run.Running()) return {};
        const std::string* label = StartsWith(line, "FIGRNAME ")   ? &labels.name
                                   : StartsWith(line, "FIGRNUMB ") ? &labels.number
                                   : StartsWith(line, "DESIGNER ") ? &labels.designer
                                                                   : nullptr;
        if (label) {
            if (text.Wanted() && text.Room() > 2)
                text.AppendCut(*label + "\r\r\n" + std::string(line.substr(9)) + "\r\r\n\r\r\n");
            continue;
        }
        double f[8];
        if (StartsWith(line, "AR ")) {
            if (!ScanExf(line.substr(3), "ffff", f)) continue;
            d.primitives.push_back(ViewPrimitive(f[0], f[1], f[2], f[3]));
            extents = true;
            continue;
        }
        if (!extents) continue;  // nothing is drawn before the first "AR " line
        PreviewPrimitive p;
        if (StartsWith(line, "GP ")) {
            if (!ScanExf(line.substr(3), "dffx", f)) continue;
            p.kind = PP_POINT;
            p.a[0] = f[1], p.a[1] = f[2];
        } else if (StartsWith(line, "GL ")) {
            if (!ScanExf(line.substr(3), "dffffx", f)) continue;
            const auto attr = static_cast<unsigned>(f[5]);
            p.kind = PP_LINE;
            p.pen = static_cast<int>(static_cast<long long>(f[0]) & 0xF);
            p.a[0] = f[1], p.a[1] = f[2], p.a[2] = f[3], p.a[3] = f[4];
            p.marks = ExfMark((attr >> 4) & 3) | ExfMark((attr >> 7) & 3) << 16;
        } else if (StartsWith(line, "GA ")) {
            if (!ScanExf(line.substr(3), "dfffffx", f)) continue;
            const auto attr = static_cast<unsigned>(f[6]);
            p.kind = PP_ARC;
            p.pen = static_cast<int>(static_cast<long long>(f[0]) & 0xF);
            for (int k = 0; k < 5; ++k) p.a[k] = f[k + 1];
            p.marks = ExfMark((attr >> 4) & 3) | ExfMark((attr >> 7) & 3) << 16;
        } else if (StartsWith(line, "GT ")) {
            std::string_view fields = line.substr(3);
            if (!ScanExf(fields, "fffffffx", f)) continue;
            std::string chars;
            size_t q = fields.find('\'');
            if (q != std::string_view::npos) {
                size_t end = fields.find('\'', q + 1);
                chars = std::string(fields.substr(
                    q + 1, end == std::string_view::npos ? std::string_view::npos : end - q - 1));
                chars = chars.substr(0, 255);
            }
            const size_t n = ToFullWidth(chars, 256);
            const auto attr = static_cast<unsigned>(f[7]);
            const double half = f[2] / 2;
            AddAlignedText(d, f[0], f[1], f[3], half, f[4], f[6],
                           (half + f[4]) * static_cast<double>(n), (attr >> 4) & 3, (attr >> 6) & 3,
                           boxes, std::move(chars));
            continue;
        } else {
            continue;
        }
        d.primitives.push_back(std::move(p));
    }
    d.picture = true;
    return d;
}

size_t DxfTextLength(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
            const bool digit = i + 2 < text.size() && text[i + 2] >= '0' && text[i + 2] <= '9';
            const size_t take = digit ? 5 : 3;
            if (i + take > text.size()) break;
            i += take;
        } else {
            ++i;
        }
        ++count;
    }
    return count;
}

namespace {

int LineTypePen(std::string_view name) {
    struct Type {
        const char* name;
        int pen;
    };
    static const Type kTypes[] = {{"CONTINUOUS", 1}, {"BORDER", 3}, {"CENTER", 3},
                                  {"DASHDOT", 3},    {"DASHED", 2}, {"DIVIDE", 4},
                                  {"DOT", 5},        {"HIDDEN", 6}, {"PHANTOM", 4}};
    for (const Type& t : kTypes)
        if (StartsWith(name, t.name)) return t.pen;
    return 0;
}

// The slot of a value group code (10, 20, 30, 40, 50, 11, 21, 31, 41, 51, 72, 73), or -1.
int SlotOf(int code) {
    static const int kCodes[] = {10, 20, 30, 40, 50, 11, 21, 31, 41, 51, 72, 73};
    for (int i = 0; i < 12; ++i)
        if (kCodes[i] == code) return i;
    return -1;
}
enum Slot {
    X = 0,
    Y = 1,
    Height = 3,
    Rotation = 4,
    X2 = 5,
    Y2 = 6,
    Width = 8,
    Oblique = 9,
    Just72 = 10,
    Just73 = 11
};

}  // namespace

PreviewDrawing ParseDxfDrawing(std::string_view bytes, int mode, PreviewText& text,
                               const PreviewRun& run) {
    PreviewDrawing d;
    if (bytes.empty()) return d;
    AppendPreviewLines(text, bytes);
    enum Item { None, ExtMin, ExtMax, Point, Line, Arc, Circle, Text } pending = None;
    double slot[12] = {};
    unsigned mask = 0;
    std::string value1;
    int pen = 0;
    bool extentsApplied = false, entities = false;
    double xmin = 0, ymin = 0, xmax = 420, ymax = 297;
    d.primitives.push_back(ViewPrimitive(xmin, ymin, xmax, ymax));
    const bool boxes = mode & PRM_TEXT_BOXES;
    auto has = [&](std::initializer_list<int> slots) {
        for (int s : slots)
            if (!(mask & (1u << s))) return false;
        return true;
    };
    auto complete = [&] {
        PreviewPrimitive p;
        switch (pending) {
            case ExtMin:
                if (has({X, Y}) && !extentsApplied) xmin = slot[X], ymin = slot[Y];
                break;
            case ExtMax:
                if (has({X, Y}) && !extentsApplied) {
                    xmax = slot[X], ymax = slot[Y];
                    d.primitives.push_back(ViewPrimitive(xmin, ymin, xmax, ymax));
                    p.kind = PP_CLEAR;
                    d.primitives.push_back(p);
                    extentsApplied = true;
                }
                break;
            case Point:
                if (has({X, Y}) && entities) {
                    p.kind = PP_POINT;
                    p.a[0] = slot[X], p.a[1] = slot[Y];
                    d.primitives.push_back(p);
                }
                break;
            case Line:
                if (has({X, Y, X2, Y2}) && entities) {
                    p.kind = PP_LINE;
                    p.pen = pen;
                    p.a[0] = slot[X], p.a[1] = slot[Y], p.a[2] = slot[X2], p.a[3] = slot[Y2];
                    d.primitives.push_back(p);
                }
                break;
            case Arc:
            case Circle:
                if ((pending == Arc ? has({X, Y, Height, Rotation, Oblique})
                                    : has({X, Y, Height})) &&
                    entities) {
                    p.kind = PP_ARC;
                    p.pen = pen;
                    p.a[0] = slot[X], p.a[1] = slot[Y], p.a[2] = std::fabs(slot[Height]);
                    p.a[3] = pending == Arc ? slot[Rotation] : 0;
                    p.a[4] = pending == Arc ? slot[Oblique] : 360;
                    d.primitives.push_back(p);
                }
                break;
            case Text:
                if (has({X, Y, Height}) && (mask & 0x8000u) && entities) {
                    const double rotation = (mask & (1u << Rotation)) ? slot[Rotation] : 0;
                    const double factor = (mask & (1u << Width)) ? slot[Width] : 1.0;
                    const auto h72 =
                        (mask & (1u << Just72)) ? static_cast<long long>(slot[Just72]) : 0;
                    const auto v73 =
                        (mask & (1u << Just73)) ? static_cast<long long>(slot[Just73]) : 0;
                    const double h = slot[Height], cw = h * factor;
                    const double l = cw * static_cast<double>(DxfTextLength(value1));
                    // DXF vertical justification 0 baseline and 1 bottom, 2 middle, 3 top.
                    unsigned horizontal = h72 >= 0 && h72 <= 2 ? static_cast<unsigned>(h72) : 0;
                    unsigned vertical = v73 == 2 ? 1 : v73 == 3 ? 2 : 0;
                    if (boxes) horizontal = vertical = 0;  // boxes take no justification
                    AddAlignedText(d, slot[X], slot[Y], h, cw, 0, rotation, l, horizontal, vertical,
                                   boxes, value1);
                }
                break;
            case None:
                break;
        }
        pending = None;
        mask = 0;
    };
    DxfLineReader reader(bytes);
    std::string_view code, value;
    while (reader.NextPair(code, value)) {
        if (!run.Running()) return {};
        size_t used = 0;
        const long long group = platform::ParseLeadingInt(code, &used);
        if (used == 0) continue;  // not a group code: the pair is passed over
        if (group == 0 || group == 9) {
            complete();
            if (group == 0) {
                if (value == "EOF") break;
                if (value == "ENDSEC") {
                    if (entities) break;
                    continue;
                }
                pending = value == "POINT"    ? Point
                          : value == "LINE"   ? Line
                          : value == "ARC"    ? Arc
                          : value == "CIRCLE" ? Circle
                          : value == "TEXT"   ? Text
                                              : None;
            } else {
                pending = value == "$EXTMIN" ? ExtMin : value == "$EXTMAX" ? ExtMax : None;
            }
        } else if (group == 2) {
            if (value == "ENTITIES") entities = true;
        } else if (group == 1) {
            value1 = std::string(value.substr(0, 127));
            mask |= 0x8000u;
        } else if (group == 6) {
            pen = LineTypePen(value);
        } else if (int s = SlotOf(static_cast<int>(group)); s >= 0) {
            double v = platform::ParseLeadingReal(value);
            if (!std::isfinite(v)) continue;  // a number that is no number is skipped
            slot[s] = v;
            mask |= 1u << s;
        }
    }
    complete();
    d.picture = true;
    return d;
}

std::string ScriptPreviewName(std::string_view bytes, PreviewText& text) {
    std::string name;
    bool found = false;
    for (std::string_view line : SplitPreviewLines(bytes)) {
        AppendPreviewLine(text, line);
        if (found || line.size() < 14 ||
            !platform::EqualsNoCase(line.substr(0, 14), "DIALOG_PREVIEW"))
            continue;
        if (line.size() == 14) continue;  // the keyword alone names nothing
        size_t i = 15;                    // one character skipped
        while (i < line.size() && line[i] == '"') ++i;
        size_t end = line.find('"', i);
        if (end == std::string_view::npos) continue;  // no closing quote: no name
        if (end - i > 259) continue;                  // too long for its buffer: no name
        name = std::string(line.substr(i, end - i));
        found = true;
    }
    return name;
}

}  // namespace wepo
