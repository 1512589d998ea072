// Shape texts and row texts of the die and arrangement dialogs.
#include "nc/machine/DieDialogTexts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "kernel/util/MbcsText.h"
#include "nc/machine/DieFileIo.h"
#include "platform/Numbers.h"
#include "platform/TextCodec.h"

using diefile::PadLeft;
using diefile::PadRight;

namespace {

// The words of the rows, converted to CP932 once: the source spells them in UTF-8.
struct Words {
    std::array<std::string, 15> rowNames;  // by shape code; 0 unused
    // Shape text per shape code: a prefix, then the values named by args ('X' size X, 'Y' size
    // Y, 'R' R, 'A' angle, 'F' the shape file) each after its separator.
    struct Pattern {
        std::string prefix;
        std::string args;
        std::string separators;
    };
    std::array<Pattern, 15> patterns;
    std::string up, down, right, left, normal, endless;
};

std::string Cp932(std::string_view utf8) {
    return platform::Utf8ToCp932(utf8).bytes;
}

const Words& W() {
    static const Words words = [] {
        Words w;
        const char* names[15] = {"",     " 丸 ", " 角 ", "長角", "長丸", "ｾﾝﾀP", "ﾀﾞﾌD", "ｼﾝｸD",
                                 "ﾊﾞｰﾘ", "Ｒ角", "特型", "ﾀｯﾌﾟ", "成型", "刻印", "ｺｰﾅｰ"};
        struct P {
            const char *prefix, *args, *seps;
        };
        const P patterns[15] = {
            {"", "", ""},          {"φ", "X", ""},     {"□", "XA", "-"},     {"長角", "XYA", "*-"},
            {"長丸", "XYA", "*-"}, {"CP", "X", ""},    {"DD", "XY", "*"},    {"SD", "XY", "*"},
            {"BR", "X", ""},       {"R角", "XR", "-"}, {"特", "F", ""},      {"TP", "X", ""},
            {"成", "F", ""},       {"刻", "F", ""},    {"ｺｰﾅｰ", "XYR", "*-"}};
        for (size_t i = 0; i < 15; ++i) {
            w.rowNames[i] = Cp932(names[i]);
            w.patterns[i] = {Cp932(patterns[i].prefix), patterns[i].args, patterns[i].seps};
        }
        w.up = Cp932("上向き");
        w.down = Cp932("下向き");
        w.right = Cp932("右ネジ");
        w.left = Cp932("左ネジ");
        w.normal = Cp932("通常");
        w.endless = Cp932("ｴﾝﾄﾞﾚｽ");
        return w;
    }();
    return words;
}

// "%.2lf" with its trailing zeros and then a trailing point dropped: 10.50 -> 10.5, 10.00 -> 10.
std::string Short(double value) {
    std::string s = platform::FormatReal(value, 2);
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string Fixed2(double value) {
    return platform::FormatReal(value, 2);
}

}  // namespace

bool DieFlagSet(double value) {
    return std::fabs(value) >= 1e-6;
}

bool HasDirection(int shape) {
    return shape == kShapeCentrePunch || shape == kShapeBurring || shape == kShapeTapping ||
           shape == kShapeForming;
}

std::string_view DieShapeRowName(int shape) {
    if (shape < 1 || shape > 14) return {};
    return W().rowNames[size_t(shape)];
}

std::string_view RangeLetter(int range, std::string_view otherwise) {
    static constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E",
                                                    "F", "G", "H", "I", "J"};
    return range >= 1 && range <= 10 ? kLetters[range - 1] : otherwise;
}

int FormatShapeText(const DieRecord& die, std::string* out) {
    if (!out) return -1;
    out->clear();
    if (die.Shape < 1 || die.Shape > 14) return 0;
    const Words::Pattern& p = W().patterns[size_t(die.Shape)];
    *out = p.prefix;
    for (size_t i = 0; i < p.args.size(); ++i) {
        if (i > 0) out->push_back(p.separators[i - 1]);
        switch (p.args[i]) {
            case 'X':
                *out += Short(die.SizeX);
                break;
            case 'Y':
                *out += Short(die.SizeY);
                break;
            case 'R':
                *out += Short(die.SizeR);
                break;
            case 'A':
                *out += Short(die.Angle);
                break;
            default: {
                // The shape file up to its first '.', stepping over double-byte characters.
                std::string_view file = die.ShapeFile;
                size_t dot = StrChrMbcs(file, '.');
                size_t end = StrChrMbcs(file, '\0');
                *out += file.substr(0, std::min(dot, end));
                break;
            }
        }
    }
    return 0;
}

std::string ShapeText(const DieRecord& die) {
    std::string s;
    FormatShapeText(die, &s);
    return s;
}

std::string FormatDieRow(const DieRecord& die, DieRowStyle style) {
    const Words& w = W();
    const bool list = style == DieRowStyle::DieList;
    const std::string_view gap = list ? "  " : " ";

    std::string y = PadLeft(Fixed2(die.SizeY), 6);
    std::string r = PadLeft(Fixed2(die.SizeR), 6);
    if (HasDirection(die.Shape)) {
        const bool set = DieFlagSet(die.SizeY);
        y = PadLeft(die.Shape == kShapeTapping ? (set ? w.left : w.right) : (set ? w.down : w.up),
                    6);
    }
    if (die.Shape == kShapeBurring) r = PadLeft(DieFlagSet(die.SizeR) ? w.endless : w.normal, 6);

    std::string usage(6, '-');
    for (int bit = 0; bit < 6; ++bit)
        if (die.Usage & (1 << bit)) usage[size_t(bit)] = 'O';

    std::string row;
    row.reserve(96 + die.ShapeFile.size());
    if (list) row += ' ';
    row += PadLeft(platform::FormatInt(die.Number), 4);
    row += gap;
    row += RangeLetter(die.Range, list ? " " : "*");
    row += gap;
    row += PadLeft(DieShapeRowName(die.Shape), 4);
    row += gap;
    row += PadLeft(Fixed2(die.SizeX), 6);
    row += gap;
    row += y;
    row += gap;
    row += r;
    row += gap;
    row += PadLeft(Fixed2(die.Angle), 6);
    row += "  ";
    row += PadRight(die.Air ? "ON" : "OFF", 4);
    row += ' ';
    row += usage;
    row += ' ';
    row += die.ShapeFile;
    return row;
}

std::string FormatStationRow(const StationRecord& station, int slot,
                             const std::vector<DieRecord>& dies, int count) {
    std::string row = PadLeft(platform::FormatInt(slot), 3);
    row +=
        station.StationNo == 0 ? " ---" : " " + PadLeft(platform::FormatInt(station.StationNo), 3);
    const bool holds = station.Die.Number >= 1;
    row += holds ? " " + PadLeft(platform::FormatInt(station.Die.Number), 3) : std::string("  --");
    row += "  ";
    row += RangeLetter(station.Range, "*");
    row += ' ';
    row += station.AutoIndex ? "AI" : "--";
    row += ' ';
    row += station.AcFlag ? "O" : "-";
    row += ' ';
    if (holds) {
        const int n = std::min<int>(count, int(dies.size()));
        for (int i = 0; i < n; ++i) {
            if (dies[size_t(i)].Number != station.Die.Number) continue;
            row += ShapeText(dies[size_t(i)]);
            break;
        }
    }
    return row;
}
