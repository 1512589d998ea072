// The plotter-command converter: pen moves, arcs and circles become G-code lines.
#include <cmath>

#include "kernel/base/DegreeTrig.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"
#include "platform/Numbers.h"

using namespace ncconvert;

namespace {

// The numbers of the comma-separated fields of text, in order, up to max; reading stops at the
// first field that does not read as a number ("PU;" gives none).
std::vector<double> Numbers(std::string_view text, size_t max) {
    std::vector<double> out;
    for (std::string_view token : SplitTokens(text, ",")) {
        if (out.size() == max) break;
        size_t used = 0;
        const double v = platform::ParseLeadingReal(token, &used);
        if (used == 0) break;
        out.push_back(v);
    }
    return out;
}

std::string Move(std::string_view code, double x, double y) {
    return std::string(code) + "X" + Real(x, 3) + "Y" + Real(y, 3) + "Z0.";
}

}  // namespace

// Coordinates are in machine units: they are divided by ZeroTimes. The current point starts at
// the origin and is the last point a pen move went to or an arc ended at (in machine units).
void CNcRead::ConvertPlotter() {
    const int given = SettingsOf(*this).ZeroTimes;
    const int zeroTimes = given > 0 ? given : 1000;
    const double scale = 1.0 / zeroTimes;
    double curX = 0.0;
    double curY = 0.0;
    long long firstStart = -1;  // index of the first XX160 line

    struct PenMove {
        std::string_view command, code;
    };
    static constexpr PenMove kPenMoves[] = {
        {"PU", "G00"}, {"PD", "G01"}, {"PA", "G90"}, {"PR", "G91"}};

    for (size_t i = 0; i < Lines.size(); ++i) {
        const std::string copy(TrimLeft(Lines[i]));
        std::string& line = Lines.Mutable()[i];
        bool anyOf = false;
        for (std::string_view c : {"OA", "OC", "OF", "OH", "OI", "OP", "OR", "OS", "OZ"}) {
            anyOf = anyOf || Contains(copy, c);
        }
        if (anyOf) {
            line = "replace";
            continue;
        }
        const PenMove* pen = nullptr;
        for (const PenMove& p : kPenMoves) {
            if (Contains(copy, p.command)) {
                pen = &p;
                break;
            }
        }
        if (pen) {
            const auto n = Numbers(Tail(copy, 2), 2);
            if (n.size() < 2) {
                line = std::string(pen->code);
            } else {
                curX = n[0];
                curY = n[1];
                line = Move(pen->code, curX * scale, curY * scale);
            }
        } else if (Contains(copy, "XX160")) {
            const auto n = Numbers(Tail(copy, 6), 3);
            if (n.size() < 3) continue;
            curX = n[0];
            curY = n[1];
            line = Move("G00", curX * scale, curY * scale);
            if (firstStart == -1) firstStart = static_cast<long long>(i);
        } else if (Contains(copy, "AA")) {
            const auto n = Numbers(Tail(copy, 2), 3);
            if (n.size() < 3) continue;
            const double cx = n[0];
            const double cy = n[1];
            const double sweep = n[2];
            const double radius = std::hypot(curX - cx, curY - cy);
            const double start = Atan2Deg(curY - cy, curX - cx);
            const double ex = cx + radius * CosDeg(start + sweep);
            const double ey = cy + radius * SinDeg(start + sweep);
            line = std::string(sweep > 0.0 ? "G03" : "G02") + "X" + Real(ex * scale, 3) + "Y" +
                   Real(ey * scale, 3) + "I" + Real((cx - curX) * scale, 3) + "J" +
                   Real((cy - curY) * scale, 3);
            curX = ex;
            curY = ey;
        } else if (Contains(copy, "CI")) {
            const auto n = Numbers(Tail(copy, 2), 1);
            if (n.empty()) continue;
            const double r = n[0];
            const int map = LineMap[i];
            line = Move("G00", (curX + r) * scale, curY * scale);
            InsertLine(*this, i + 1,
                       "G03X" + Real((curX + r) * scale, 3) + "Y" + Real(curY * scale, 3) + "I" +
                           Real(-r * scale, 3) + "J" + Real(0.0, 3),
                       map);
            InsertLine(*this, i + 2, Move("G00", curX * scale, curY * scale), map);
            i += 2;
        }
    }
    if (firstStart > 0)
        Lines.Mutable()[static_cast<size_t>(firstStart) - 1] = "O0001(Trace start point)";
}
