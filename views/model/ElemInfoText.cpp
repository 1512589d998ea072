// The element tip's text: values read from "ElmInfo=", near-zero clearing, column widths and
// the display formats of the string table filled without ever using program text as a format.
#include "views/model/ElemInfoText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <variant>

#include "kernel/base/DegreeTrig.h"
#include "kernel/db/CDtbElement.h"
#include "nc/read/NcAttributeTexts.h"
#include "platform/Numbers.h"
#include "platform/StringTable.h"
#include "platform/TextCodec.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;

using Arg = std::variant<long long, double, std::string>;

// One kind: its display format, colour class, the fields that start its points (-1 none) in
// the order SPos, EPos, CPos, and the point it gives back.
struct KindInfo {
    unsigned format;
    int tipClass;
    std::array<int, 3> points;  // SPos, EPos, CPos
    int position;               // the field starting the point given back
};

const KindInfo& Kind(int kind) {
    static const KindInfo kinds[9] = {
        {61634, 0, {0, 3, -1}, 3}, {61635, 0, {0, 3, 6}, 3},   {61636, 1, {0, 3, -1}, 3},
        {61637, 1, {0, 3, 6}, 3},  {61645, 2, {-1, -1, 6}, 6}, {61646, 3, {6, 9, -1}, 9},
        {61647, 4, {6, 9, -1}, 9}, {61648, 5, {-1, -1, 6}, 6}, {61649, 6, {6, -1, -1}, 6},
    };
    return kinds[kind - 1];
}

// The value of the last text of element starting with prefix, or nothing.
bool LastText(const CDtbElement& e, std::string_view prefix, std::string_view* out) {
    bool found = false;
    for (std::string_view text : e.attributes)
        if (text.substr(0, prefix.size()) == prefix) {
            *out = text;
            found = true;
        }
    return found;
}

void Pad(std::string& out, std::string_view s, int width) {
    if (static_cast<int>(s.size()) < width) out.append(static_cast<size_t>(width) - s.size(), ' ');
    out.append(s);
}

// Fills a display format of the string table. %d (with '-' and a width) takes an integer,
// %s a text put in as it stands, %.<n>lf a real; "%%%d.<n>lf" is a coordinate column: the next
// coordinate, right-aligned in the width of its axis (x, y, z in turn); %% is a percent sign.
std::string Fill(std::string_view format, const std::vector<Arg>& args,
                 const std::vector<double>& coords, const std::array<int, 3>& widths) {
    std::string out;
    size_t arg = 0, coord = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            // "%%%d.0Nlf": a coordinate column; else a percent sign.
            const std::string_view rest = format.substr(i + 2);
            if (rest.substr(0, 4) == "%d.0" && rest.size() >= 7 && rest.substr(5, 2) == "lf") {
                const int decimals = rest[4] - '0';
                const double v = coord < coords.size() ? coords[coord] : 0.0;
                Pad(out, platform::FormatReal(v, decimals), widths[coord % 3]);
                ++coord;
                i += 2 + 6;
            } else {
                out += '%';
                ++i;
            }
            continue;
        }
        // A conversion: flags, width, precision, length, type.
        size_t j = i + 1;
        bool left = false;
        if (j < format.size() && format[j] == '-') left = true, ++j;
        int width = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9')
            width = width * 10 + (format[j++] - '0');
        int precision = 6;
        if (j < format.size() && format[j] == '.') {
            precision = 0;
            ++j;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9')
                precision = precision * 10 + (format[j++] - '0');
        }
        while (j < format.size() && format[j] == 'l') ++j;
        if (j >= format.size()) break;
        std::string piece;
        const Arg a = arg < args.size() ? args[arg] : Arg(0LL);
        ++arg;
        switch (format[j]) {
            case 'd':
                piece = platform::FormatInt(std::holds_alternative<long long>(a)
                                                ? std::get<long long>(a)
                                                : static_cast<long long>(std::get<double>(a)));
                break;
            case 'f':
                piece = platform::FormatReal(std::holds_alternative<double>(a)
                                                 ? std::get<double>(a)
                                                 : static_cast<double>(std::get<long long>(a)),
                                             precision);
                break;
            case 's':
                piece = std::holds_alternative<std::string>(a) ? std::get<std::string>(a) : "";
                break;
            default:
                break;
        }
        if (left) {
            out += piece;
            if (static_cast<int>(piece.size()) < width)
                out.append(static_cast<size_t>(width) - piece.size(), ' ');
        } else {
            Pad(out, piece, width);
        }
        i = j;
    }
    return out;
}

std::string AngleRange(double from, double to, int decimals) {
    return platform::FormatReal(from, decimals) + " -> " + platform::FormatReal(to, decimals);
}

}  // namespace

int BuildElemInfoText(const CDtbElement& element, const ElemInfoSource& source, std::string* text,
                      CxyzData* position) {
    if (text) text->clear();
    std::string_view lineText, infoText;
    if (!LastText(element, "LineNo=", &lineText) || !LastText(element, "ElmInfo=", &infoText))
        return -1;
    if (infoText.size() >= 256) return -1;
    NcElmInfo info;
    // A short or malformed text gives no tip rather than values never read.
    if (!ParseElmInfo(infoText, info) || info.kind < 1 || info.kind > 9) return -1;
    const int kind = info.kind;
    const KindInfo& k = Kind(kind);
    auto& v = info.v;
    if (position) *position = CxyzData(v[k.position], v[k.position + 1], v[k.position + 2]);

    const long long lineNo = platform::ParseLeadingInt(lineText.substr(7));
    long long shownLine = lineNo + 1;
    if (source.AppMachineType == 1)
        shownLine = source.LineNumberOfRow ? source.LineNumberOfRow(static_cast<int>(lineNo)) : 0;
    std::string nc;
    if (source.Lines && lineNo >= 0 && static_cast<size_t>(lineNo) < source.Lines->size())
        nc = platform::Cp932ToUtf8((*source.Lines)[static_cast<size_t>(lineNo)]);

    // Near-zero values show as 0: the point coordinates (and for punching XYRA).
    const bool punch = kind >= 5;
    const double tiny = punch ? 0.01 : 0.001;
    auto clear = [&](int from, int count) {
        for (int i = from; i < from + count; ++i)
            if (std::fabs(v[size_t(i)]) < tiny) v[size_t(i)] = 0.0;
    };
    for (int p : k.points)
        if (p >= 0) clear(p, 3);
    if (punch) clear(2, 4);

    // Column widths per axis over the point lines; a punch kind counts the points it lacks as 0.
    const int decimals = punch ? 2 : 3;
    std::array<int, 3> widths{};
    std::vector<double> coords;
    for (int p : k.points) {
        if (p < 0 && !punch) continue;
        for (int axis = 0; axis < 3; ++axis) {
            const double value = p >= 0 ? v[size_t(p + axis)] : 0.0;
            widths[size_t(axis)] =
                std::max(widths[size_t(axis)],
                         static_cast<int>(platform::FormatReal(value, decimals).size()));
        }
    }
    for (int p : k.points)
        if (p >= 0)
            for (int axis = 0; axis < 3; ++axis) coords.push_back(v[size_t(p + axis)]);

    auto I = [&](int field) { return Arg(static_cast<long long>(v[size_t(field)])); };
    auto D = [&](int field) { return Arg(v[size_t(field)]); };
    std::vector<Arg> args{Arg(shownLine), Arg(nc)};
    auto add = [&](std::initializer_list<Arg> more) { args.insert(args.end(), more); };
    if (punch) add({I(1), D(2), D(3), D(4), D(5)});
    switch (kind) {
        case 1:
            add({D(6), D(7)});
            break;
        case 2: {
            double s = v[9], e = v[10];
            NormalizeArcSweep(0, &s, &e, v[12]);
            const bool forward = static_cast<long long>(v[11]) == 0;
            add({D(12), Arg(2 * v[12]), Arg(forward ? AngleRange(s, e, 3) : AngleRange(e, s, 3)),
                 D(13)});
            break;
        }
        case 3:
            add({D(6)});
            break;
        case 4:
            add({D(9), Arg(2 * v[9]), D(10)});
            break;
        case 6:
        case 7: {
            const double len = std::hypot(v[9] - v[6], v[10] - v[7]);
            if (kind == 6)
                add({D(12), D(13), I(14), Arg(len)});
            else
                add({D(12), Arg(len)});
            break;
        }
        case 8: {
            double s = v[10], e = v[11];
            if (s < -360 || e < -360) s += 360, e += 360;
            if (s > 360 || e > 360) s -= 360, e -= 360;
            add({D(9), Arg(AngleRange(s, e, 2)), D(12), I(13), Arg((e - s) / 360 * kTwoPi * v[9])});
            break;
        }
        case 9:
            add({D(6), D(7), D(8), D(9), D(10), I(11), I(12)});
            break;
        default:
            break;
    }
    if (text) *text = Fill(platform::LoadString(k.format), args, coords, widths);
    return k.tipClass;
}
