// The laser job-language converter: JOB statements become laser G-code.
#include <array>
#include <cmath>

#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"

using namespace ncconvert;

namespace {

enum Axis { kX, kY, kZ, kC, kA, kD, kW, kR };
using AxisWords = std::array<double, 8>;

// The line without leading blanks and the marks "(4)" and "(5)", cut at its first "(".
std::string Statement(std::string_view line) {
    std::string s = RemoveAll(RemoveAll(TrimLeft(line), "(4)"), "(5)");
    const size_t paren = FindText(s, "(");
    if (paren != std::string::npos) s.resize(paren);
    return s;
}

AxisWords WordsOf(std::string_view text) {
    AxisWords w{};
    CNcRead::ParseAxisWords(text, w);
    return w;
}

// The G08.1 line after a Square or Track statement: the position plus the statement's offsets.
std::string ShapeStart(const AxisWords& pos, const AxisWords& rec) {
    return "G08.1 X" + Real(pos[kX] + rec[kX], 3) + " Y" + Real(pos[kY] + rec[kY], 3) + " Z" +
           Real(pos[kZ] + rec[kZ], 3) + " C" + Real(pos[kC], 3) + " A" + Real(pos[kA], 3);
}

struct MoveWord {
    std::string_view Word;
    int Code;  // -1: G01 while the laser is on, else G00
    std::string_view Replacement;
};

// The first motion word the statement holds, in the order they are tested ("CMove" that is
// neither CMove2 nor CMove3 falls to "Move").
const MoveWord* FindMove(std::string_view statement) {
    static constexpr MoveWord kMoves[] = {
        {"SMove", -1, ""},        {"PMove", -1, ""},  {"CMove2", 11, "G11"},
        {"CMove3", 111, "G11.1"}, {"Move", 0, "G00"}, {"Approach", 0, "G00"},
        {"Pattern", 81, "G00"},
    };
    for (const MoveWord& m : kMoves) {
        if (Contains(statement, m.Word)) return &m;
    }
    return nullptr;
}

}  // namespace

// An origin shift on the last line has no line to measure from: it stays as written and is
// reported (reading the next line there read past the program).
void CNcRead::ConvertJob() {
    if (LineMap.size() != Lines.size()) LineMap.resize(Lines.size(), 0);
    bool laser = false;
    bool skip = false;
    int lastCode = -1;
    AxisWords pos{};  // X Y Z C A D W R of the motions so far

    for (size_t i = 0; i < Lines.size(); ++i) {
        if (skip) {  // the line an origin shift measured from
            skip = false;
            continue;
        }
        const std::string copy = Statement(Lines[i]);
        std::string out = copy;
        std::string inserted;

        if (Contains(copy, "JOB")) {
            out = "O1";
        } else if (Contains(copy, "OriginSft Parallel")) {
            if (i + 1 >= Lines.size()) {
                ConvertFaults.push_back(
                    {NcConvertFaultKind::OriginShiftWithoutNextLine, LineMap[i]});
                continue;
            }
            const AxisWords a = WordsOf(copy);
            const AxisWords b = WordsOf(Statement(Lines[i + 1]));
            out = "G92X" + Real(a[kX] - b[kX], 3) + " Y" + Real(a[kY] - b[kY], 3) + " Z" +
                  Real(a[kZ] - b[kZ], 3);
            skip = true;
            lastCode = 92;
        } else if (Contains(copy, "LaserStop")) {
            laser = false;
        } else if (Contains(copy, "Laser")) {
            laser = true;
        } else if (const MoveWord* move = FindMove(copy)) {
            const bool feed = move->Code == -1;
            out = ReplaceAll(copy, move->Word, feed ? (laser ? "G01" : "G00") : move->Replacement);
            lastCode = feed ? (laser ? 1 : 0) : move->Code;
            ParseAxisWords(out, pos);
        } else if (Contains(copy, "Circle")) {
            AxisWords rec = WordsOf(copy);
            if (std::fabs(rec[kX]) < 0.001 && std::fabs(rec[kY]) < 0.001 &&
                std::fabs(rec[kZ]) < 0.001) {
                rec[kY] = 0.01;
            }
            out = "G08 D" + Real(rec[kD], 1) + " X" + Real(rec[kX], 3) + " Y" + Real(rec[kY], 3) +
                  " Z" + Real(rec[kZ], 3);
            lastCode = 8;
        } else if (Contains(copy, "Square") && lastCode == 81) {
            const AxisWords rec = WordsOf(copy);
            out =
                "G08.4 P2 U" + Real(rec[kW], 1) + " V" + Real(rec[kD], 1) + " R" + Real(rec[kR], 1);
            inserted = ShapeStart(pos, rec);
        } else if (Contains(copy, "Track") && lastCode == 81) {
            const AxisWords rec = WordsOf(copy);
            out = "G08.4 P3 U" + Real(rec[kW], 1) + " V" + Real(rec[kD], 1);
            inserted = ShapeStart(pos, rec);
        } else if (Contains(copy, "End")) {
            out = "M30";
            lastCode = 30;
        }
        Lines.Mutable()[i] = std::move(out);
        if (!inserted.empty()) {
            InsertLine(*this, i + 1, std::move(inserted), LineMap[i]);
            ++i;
        }
    }
}
