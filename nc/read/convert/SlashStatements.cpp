// The slash statement punch language ("MOV/", "GRD/", "OFS/", ...) rewritten into G-code.
#include <array>
#include <cmath>
#include <functional>
#include <optional>

#include "kernel/base/DegreeTrig.h"
#include "nc/read/CNcRead.h"
#include "nc/read/convert/PunchDialectRun.h"

namespace ncconvert {

namespace {

constexpr std::string_view kBlanks = " \t";

// The blank-separated fields that follow a four-character keyword ("LAA/ 10. 20. 30.").
std::vector<std::string_view> Fields(std::string_view line) {
    return SplitTokens(Tail(line, 4), kBlanks);
}

// The first character of a direction field ('\0' for an empty one).
char Dir(std::string_view field) {
    return field.empty() ? '\0' : field[0];
}

// A field as written, with its sign turned when negate is set. A field that already carries a
// sign has it turned rather than gaining a second one ("-20." becomes "20.", never "--20.").
std::string Signed(std::string_view field, bool negate) {
    if (!negate) return std::string(field);
    if (!field.empty() && field[0] == '-') return std::string(field.substr(1));
    if (!field.empty() && field[0] == '+') return "-" + std::string(field.substr(1));
    return "-" + std::string(field);
}

// "T%d" and "C%d" of the first T and C at or after the sixth character, each when present.
std::string ToolWords(std::string_view line) {
    std::string out;
    if (auto t = CountWord(line, 'T', 5)) out += "T" + Int(*t);
    if (auto c = CountWord(line, 'C', 5)) out += "C" + Int(*c);
    return out;
}

// code + "I" a + "J" b + ... for the letters given, each followed by its field text.
std::string Words(std::string_view code, std::string_view letters,
                  std::initializer_list<std::string> values) {
    std::string out(code);
    size_t k = 0;
    for (const std::string& v : values) {
        out += letters[k++];
        out += v;
    }
    return out;
}

LineRewrite Result(RuleOutcome outcome, std::string text) {
    LineRewrite r;
    r.Outcome = outcome;
    r.Text = std::move(text);
    return r;
}

LineRewrite Refused() {
    return Result(RuleOutcome::Refused, {});
}

// A grid definition of an "MGR" line: six fields, or three with an empty second direction.
struct GridDef {
    std::string Dir1, Pitch1, Count1, Dir2, Pitch2, Count2;
};

// Reads the grid from the first blank at or after the sixth character of line.
std::optional<GridDef> ReadGrid(std::string_view line) {
    const size_t blank = line.size() > 5 ? line.find_first_of(kBlanks, 5) : std::string_view::npos;
    if (blank == std::string_view::npos) return std::nullopt;
    const auto t = SplitTokens(line.substr(blank), kBlanks);
    if (t.size() >= 6) {
        return GridDef{std::string(t[0]), std::string(t[1]), std::string(t[2]),
                       std::string(t[3]), std::string(t[4]), std::string(t[5])};
    }
    if (t.size() >= 3) {
        return GridDef{std::string(t[0]), std::string(t[1]), std::string(t[2]), "", "0.0", "0"};
    }
    return std::nullopt;
}

using Rule = std::function<LineRewrite(PunchDialectRun&, size_t, const std::string&)>;

// Fields a b c of LAA/ and BHC/: code I a J b K c, then the tool words.
LineRewrite ThreeFieldIJK(std::string_view code, const std::string& line) {
    const auto f = Fields(line);
    if (f.size() < 3) return Refused();
    return Result(RuleOutcome::Converted,
                  Words(code, "IJK", {std::string(f[0]), std::string(f[1]), std::string(f[2])}) +
                      ToolWords(line));
}

LineRewrite Move(PunchDialectRun& run, size_t, const std::string& line) {
    const std::string_view rest = Tail(line, 4);
    if (auto x = RealWord(rest, 'X')) run.LastX = *x;
    if (auto y = RealWord(rest, 'Y')) run.LastY = *y;
    return Result(RuleOutcome::Converted, "G72" + std::string(rest));
}

LineRewrite Grid(PunchDialectRun&, size_t, const std::string& line) {
    const auto f = Fields(line);
    if (f.size() < 6) return Refused();
    const char d1 = Dir(f[0]);
    const char d2 = Dir(f[3]);
    std::string body;
    if (d1 == 'R' || d1 == 'L') {
        body = Words("G36", "IJPK",
                     {Signed(f[1], d1 == 'L'), Signed(f[4], d2 == 'D'), std::string(f[2]),
                      std::string(f[5])});
    } else if (d1 == 'U' || d1 == 'D') {
        body = Words("G37", "IJPK",
                     {Signed(f[4], d2 == 'L'), Signed(f[1], d1 == 'D'), std::string(f[5]),
                      std::string(f[2])});
    } else {
        return Refused();
    }
    return Result(RuleOutcome::Converted, body + ToolWords(line));
}

LineRewrite ChainAtAngle(PunchDialectRun&, size_t, const std::string& line) {  // CAA/
    const auto f = Fields(line);
    if (f.size() < 5) return Refused();
    return Result(RuleOutcome::Converted,
                  Words("G69", "IJPQ",
                        {std::string(f[1]), std::string(f[3]), Signed(f[2], Dir(f[0]) == 'R'),
                         std::string(f[4])}) +
                      ToolWords(line));
}

LineRewrite Rectangle(PunchDialectRun&, size_t, const std::string& line) {  // REC/
    const auto f = Fields(line);
    if (f.size() < 5) return Refused();  // the fourth field is skipped but must be there
    const char d = Dir(f[0]);
    std::string angle;
    switch (d) {
        case 'R':
            angle = "0.";
            break;
        case 'U':
            angle = "90.";
            break;
        case 'L':
            angle = "180.";
            break;
        case 'D':
            angle = "-90.";
            break;
        default:
            return Refused();
    }
    const bool negate = d == 'L' || d == 'U';
    return Result(RuleOutcome::Converted,
                  Words("G66", "IJPQ",
                        {std::string(f[1]), angle, Signed(f[2], negate), Signed(f[4], negate)}) +
                      ToolWords(line));
}

LineRewrite Unchanged(PunchDialectRun&, size_t, const std::string& line) {  // OBL/, OPN/
    return Result(RuleOutcome::Converted, line);
}

LineRewrite StraightAtAngle(PunchDialectRun&, size_t, const std::string& line) {  // SAA/
    const auto f = Fields(line);
    if (f.size() < 5) return Refused();
    const bool negate = Dir(f[0]) == 'R';
    return Result(RuleOutcome::Converted, Words("G66", "IJPQ",
                                                {std::string(f[1]), std::string(f[2]),
                                                 Signed(f[3], negate), Signed(f[4], negate)}) +
                                              ToolWords(line));
}

LineRewrite PointToPoint(PunchDialectRun& run, size_t, const std::string& line) {  // PTP/
    const auto f = Fields(line);
    if (f.size() < 5) return Refused();
    const double dx = ReadReal(f[1]) - run.LastX;
    const double dy = ReadReal(f[2]) - run.LastY;
    const bool negate = Dir(f[0]) == 'R';
    return Result(RuleOutcome::Converted,
                  Words("G66", "IJPQ",
                        {run.Num(std::hypot(dx, dy)), run.Num(Atan2Deg(dy, dx)),
                         Signed(f[3], negate), Signed(f[4], negate)}) +
                      ToolWords(line));
}

LineRewrite Radial(PunchDialectRun&, size_t, const std::string& line) {  // RAD/
    const auto f = Fields(line);
    if (f.size() < 6) return Refused();
    return Result(RuleOutcome::Converted,
                  Words("G68", "IJKPQ",
                        {std::string(f[1]), std::string(f[3]), std::string(f[4]),
                         Signed(f[2], Dir(f[0]) == 'I'), std::string(f[5])}) +
                      ToolWords(line));
}

LineRewrite Hole(PunchDialectRun&, size_t, const std::string& line) {  // HOL/
    const auto f = Fields(line);
    if (f.size() < 3) return Refused();
    return Result(RuleOutcome::Converted, Words("G68", "IJKPQ",
                                                {Real(ReadReal(f[0]) / 2.0, 3), "90.", "360.",
                                                 std::string(f[1]), std::string(f[2])}) +
                                              ToolWords(line));
}

LineRewrite Arc(PunchDialectRun&, size_t, const std::string& line) {  // ARC/
    const auto f = Fields(line);
    if (f.size() < 4) return Refused();
    return Result(RuleOutcome::Converted, Words("G29", "IJPK",
                                                {std::string(f[0]), std::string(f[1]),
                                                 std::string(f[2]), std::string(f[3])}) +
                                              ToolWords(line));
}

LineRewrite GridName(PunchDialectRun&, size_t, const std::string& line) {  // MGR
    const auto name = SplitTokens(Tail(line, 4), kBlanks);
    if (name.empty()) return Refused();
    const auto grid = ReadGrid(line);
    if (!grid) return Refused();
    const char d2 = Dir(grid->Dir2);
    std::string_view code;
    int q = 0;
    switch (Dir(grid->Dir1)) {
        case 'R':
            code = "G75";
            q = d2 == 'U' ? 1 : 3;
            break;
        case 'L':
            code = "G75";
            q = d2 == 'U' ? 2 : 4;
            break;
        case 'U':
            code = "G76";
            q = d2 == 'R' ? 1 : 2;
            break;
        case 'D':
            code = "G76";
            q = d2 == 'R' ? 3 : 4;
            break;
        default:
            return Refused();
    }
    return Result(RuleOutcome::Converted,
                  std::string(code) + "W" + std::string(name[0]) + "Q" + Int(q));
}

LineRewrite GridOrigin(PunchDialectRun& run, size_t index, const std::string& line) {  // OFS/
    const std::string_view rest = Tail(line, 4);
    std::string result = "G98" + std::string(rest);
    auto x = RealWord(rest, 'X');
    auto y = RealWord(rest, 'Y');
    if (!x || !y) return Refused();
    if (std::fabs(*x) < 0.001 && std::fabs(*y) < 0.001) {
        return Result(RuleOutcome::Done, result + "I0J0P0K0");
    }
    // The grid is the first readable MGR/ line before the next OFS/ line.
    std::optional<GridDef> grid;
    const auto& lines = run.Reader.Lines;
    for (size_t j = index + 1; j < lines.size() && !grid; ++j) {
        if (lines[j].starts_with("OFS/")) break;
        if (lines[j].starts_with("MGR/")) grid = ReadGrid(lines[j]);
    }
    if (!grid) return Result(RuleOutcome::Done, result + "I0J0P0K0");
    GridDef g = *grid;
    if (Dir(g.Dir1) == 'U' || Dir(g.Dir1) == 'D') {  // the first pair becomes the X direction
        std::swap(g.Pitch1, g.Pitch2);
        std::swap(g.Count1, g.Count2);
        std::swap(g.Dir1, g.Dir2);
    }
    const char d1 = Dir(g.Dir1);
    const char d2 = Dir(g.Dir2);
    if (d1 != 'R' && d1 != 'L') return Result(RuleOutcome::Done, result);
    bool moved = false;
    double ox = *x;
    double oy = *y;
    if (d1 == 'L' || d2 == 'L') {
        ox -= ReadCount(g.Count1) * ReadReal(g.Pitch1);
        moved = true;
    }
    if (d1 == 'D' || d2 == 'D') {
        oy -= ReadCount(g.Count2) * ReadReal(g.Pitch2);
        moved = true;
    }
    if (moved) result = "G98X" + run.Num(ox) + "Y" + run.Num(oy);
    result += Words("", "IJPK", {g.Pitch1, g.Pitch2, g.Count1, g.Count2});
    return Result(RuleOutcome::Converted, std::move(result));
}

// PDR/, PDL/, LAR/, LAL/: the head goes down; the bare coordinate lines that follow, up to the
// next G or M line or PED/ LED/ statement, become feed moves.
LineRewrite PunchDown(PunchDialectRun& run, size_t index, const std::string& line) {
    auto& lines = run.Reader.Lines.Mutable();
    for (size_t j = index + 1; j < lines.size(); ++j) {
        std::string& next = lines[j];
        if (next.starts_with("CIR/") || next.starts_with("LCI/")) continue;
        if (next.starts_with("PED/") || next.starts_with("LED/")) break;
        const char first = next.empty() ? '\0' : next[0];
        if (first == 'G' || first == 'M') break;
        if (first == 'X' || first == 'Y' || first == 'F') next.insert(0, "G01");
    }
    return Result(RuleOutcome::Done, "G70" + std::string(Tail(line, 4)));
}

LineRewrite WithFollower(std::string text, std::string follower) {
    LineRewrite r = Result(RuleOutcome::Done, std::move(text));
    r.Inserted = std::move(follower);
    r.HasInserted = true;
    return r;
}

struct Statement {
    std::string_view Keyword;  // compared on its length, case-sensitive
    Rule Apply;
};

const std::array<Statement, 28>& Statements() {
    static const std::array<Statement, 28> table = {{
        {"MOV/", Move},
        {"FRM/",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return Result(RuleOutcome::Converted, "G92" + std::string(Tail(l, 4)));
         }},
        {"LAA/",
         [](PunchDialectRun&, size_t, const std::string& l) { return ThreeFieldIJK("G28", l); }},
        {"GRD/", Grid},
        {"CAA/", ChainAtAngle},
        {"REC/", Rectangle},
        {"OBL/", Unchanged},
        {"SAA/", StraightAtAngle},
        {"PTP/", PointToPoint},
        {"RAD/", Radial},
        {"HOL/", Hole},
        {"OPN/", Unchanged},
        {"ARC/", Arc},
        {"BHC/",
         [](PunchDialectRun&, size_t, const std::string& l) { return ThreeFieldIJK("G26", l); }},
        {"REP/",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return Result(RuleOutcome::Converted, "G25" + std::string(Tail(l, 5)));
         }},
        {"PAT",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return Result(RuleOutcome::Converted, "U" + std::string(Tail(l, 3)));
         }},
        {"END",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return Result(RuleOutcome::Converted, "V" + std::string(Tail(l, 3)));
         }},
        {"MGR", GridName},
        {"OFS/", GridOrigin},
        {"NBL/", [](PunchDialectRun&, size_t,
                    const std::string&) { return Result(RuleOutcome::Converted, ""); }},
        {"MAT/", [](PunchDialectRun&, size_t,
                    const std::string&) { return Result(RuleOutcome::Converted, ""); }},
        {"DWL/", [](PunchDialectRun&, size_t,
                    const std::string&) { return Result(RuleOutcome::Converted, ""); }},
        {"PDR/", PunchDown},
        {"PDL/", PunchDown},
        {"LAR/", PunchDown},
        {"LAL/", PunchDown},
        {"PED/",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return WithFollower("G70" + std::string(Tail(l, 4)), "G00");
         }},
        {"LED/",
         [](PunchDialectRun&, size_t, const std::string& l) {
             return WithFollower("G00" + std::string(Tail(l, 4)), "G70");
         }},
    }};
    return table;
}

}  // namespace

bool MaybeSlashStatement(std::string_view line) {
    if (line.empty()) return false;
    for (const Statement& s : Statements())
        if (s.Keyword[0] == line[0]) return true;
    return false;
}

LineRewrite ConvertSlashStatement(PunchDialectRun& run, size_t index, const std::string& asRead) {
    // Every line of every program comes here: the first letter rules out most keywords.
    if (asRead.empty()) return {};
    for (const Statement& s : Statements()) {
        if (s.Keyword[0] == asRead[0] && asRead.starts_with(s.Keyword))
            return s.Apply(run, index, asRead);
    }
    return {};
}

}  // namespace ncconvert
