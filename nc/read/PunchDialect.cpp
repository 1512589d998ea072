// The punch dialect normaliser: rewrites the slash statement language, the Nisshinbo codes,
// sequence numbers, pattern macros and the program stop into the native punch G-code.
#include <array>

#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "nc/read/convert/ConvertText.h"
#include "nc/read/convert/PunchDialectRun.h"

using namespace ncconvert;

namespace {

// Decimal style when the lines whose X number has a decimal point outnumber the others.
bool DecimalStyle(const std::vector<std::string>& lines) {
    int decimal = 0;
    int integer = 0;
    for (const std::string& line : lines) {
        const size_t x = FindText(line, "X");
        if (x == std::string::npos) continue;
        (IsDecimalText(Tail(line, x + 1)) ? decimal : integer)++;
    }
    return decimal > integer;
}

// Nisshinbo grid repetition: a G83 (G84) line repeats the block from the N line V to the N line
// W on a grid. The block gets the pattern markers U n and V n, and the line becomes the grid
// origin, the repetition G75 (G76) W n and a closing empty grid.
void RewriteGridRepeats(CNcRead& reader, const PunchDialectRun& run) {
    const auto& lines = reader.Lines;
    auto& map = reader.LineMap;
    int n = 1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = lines[i];
        const bool g83 = Contains(line, "G83");
        if (!g83 && !Contains(line, "G84")) continue;
        auto x = RealWord(line, 'X');
        auto y = RealWord(line, 'Y');
        auto ii = RealWord(line, 'I');
        auto jj = RealWord(line, 'J');
        auto h = CountWord(line, 'H');
        auto k = CountWord(line, 'K');
        auto v = CountWord(line, 'V');
        auto w = CountWord(line, 'W');
        if (!x || !y || !ii || !jj || !h || !k || !v || !w) continue;
        const int self = static_cast<int>(i);
        const int first = reader.FindAddressLine('N', *v, self, 1);
        const int last = reader.FindAddressLine('N', *w, self, 1);
        if (first == -1 || last == -1 || last < first || first < self) continue;
        if (first == self) {
            // The block would hold its own repetition: repeating it never ends.
            reader.ConvertFaults.push_back({NcConvertFaultKind::GridRepeatSelfReference, map[i]});
            continue;
        }
        InsertLine(reader, static_cast<size_t>(last) + 1, "V" + Int(n), map[last]);
        InsertLine(reader, static_cast<size_t>(first), "U" + Int(n), map[first]);
        reader.Lines.Mutable()[i] = "G98X" + run.Num(*x) + "Y" + run.Num(*y) + "I" + run.Num(*ii) +
                                    "J" + run.Num(*jj) + "P" + Int(*h - 1LL) + "K" + Int(*k - 1LL);
        InsertLine(reader, i + 1, std::string(g83 ? "G75" : "G76") + "W" + Int(n) + "Q1", map[i]);
        InsertLine(reader, i + 2, "G98X0Y0I0J0P0K0", map[i]);
        ++n;
    }
}

// "N10G01X5." becomes "G01X5."; a line of N and digits only, or with only its last character
// not a digit, stays. An N without a digit behind it is no sequence number: stripping it
// turned the statement "NBL/" into "BL/".
void StripSequenceNumbers(NcProgramLines& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() < 2 || line[0] != 'N' || line[1] < '0' || line[1] > '9') continue;
        for (size_t k = 1; k + 1 < line.size(); ++k) {
            if (line[k] < '0' || line[k] > '9') {
                std::string stripped(TrimLeft(Tail(line, k)));
                lines.Mutable()[i] = std::move(stripped);
                break;
            }
        }
    }
}

// Statements and codes: each line once; lines a rule inserts behind it are passed over. In a
// punch program an M03 line gets G70 in front (Murata: its first M30 becomes G70). A slash
// statement is read from the line as written and its result takes the place of the whole
// line; a statement or code that lacks a field or word leaves the line as written.
void RewriteStatements(CNcRead& reader, PunchDialectRun& run) {
    const auto& lines = reader.Lines;
    std::string asRead, text;
    // Outside punch programs and the Nisshinbo codes only slash statements change a line.
    const bool statementsOnly = run.NcType != kNcTypePunch && run.PunchNcType != 2;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (statementsOnly && !MaybeSlashStatement(lines[i])) continue;
        asRead = lines[i];
        text = asRead;
        if (run.NcType == kNcTypePunch) {
            if (Contains(text, "M03")) text.insert(0, "G70");
            if (run.PunchNcType == 1) {
                const size_t m30 = FindText(text, "M30");
                if (m30 != std::string::npos) text.replace(m30, 3, "G70");
            }
        }

        std::string inserted;
        bool hasInserted = false;
        LineRewrite s = ConvertSlashStatement(run, i, asRead);
        if (s.Outcome == RuleOutcome::Refused) continue;
        if (s.Outcome != RuleOutcome::NoMatch) {
            text = std::move(s.Text);
            inserted = std::move(s.Inserted);
            hasInserted = s.HasInserted;
        }
        if (s.Outcome != RuleOutcome::Done && run.PunchNcType == 2) {
            LineRewrite c = ConvertNisshinboCode(run, text);
            if (c.Outcome == RuleOutcome::Refused) {
                if (lines[i] != asRead) reader.Lines.Mutable()[i] = asRead;
                continue;
            }
            if (c.Outcome != RuleOutcome::NoMatch) {
                text = std::move(c.Text);
                inserted = std::move(c.Inserted);
                hasInserted = c.HasInserted;
            }
        }
        // Lines are copied only when one changes.
        if (text != lines[i]) reader.Lines.Mutable()[i] = std::move(text);
        if (hasInserted) {
            InsertLine(reader, i + 1, std::move(inserted), reader.LineMap[i]);
            ++i;
        }
    }
}

// Pattern macros and the program stop of punch programs: a line A m (1 to 10) stores its
// pattern code tail as macro m, a line B m is replaced by it.
void ApplyMacros(std::vector<std::string>& lines, const std::string& optProgStop) {
    // Punch programs only: their lines are changed here as a rule.
    static constexpr std::array<int, 11> kPatternCodes = {26, 28, 29, 36, 37, 66,
                                                          67, 68, 69, 78, 79};
    std::array<std::string, 11> macros;  // index 1 to 10
    for (std::string& line : lines) {
        // An empty stop text is found in every line and would turn every hit into a move.
        if (!optProgStop.empty() && Contains(line, optProgStop)) {
            line.insert(0, "G70");
            continue;
        }
        if (line.empty()) continue;
        const int m = ReadCount(Tail(line, 1));
        if (m < 1 || m > 10) continue;
        if (line[0] == 'A') {
            const size_t g = FindText(line, "G", 2);
            if (g == std::string::npos) continue;
            const int code = ReadCount(Tail(line, g + 1));
            for (int c : kPatternCodes) {
                if (c == code) {
                    macros[m] = line.substr(g);
                    break;
                }
            }
        } else if (line[0] == 'B' && !macros[m].empty()) {
            line = macros[m];
        }
    }
}

}  // namespace

void CNcRead::NormalizePunchDialect() {
    PunchDialectRun run{*this};
    run.NcType = State.NcType;
    const CNcReadInfo& settings = SettingsOf(*this);
    run.PunchNcType = settings.PunchNcType;
    run.InAbsInc = settings.In_AbsInc;
    run.ZeroTimes = settings.ZeroTimes > 0 ? settings.ZeroTimes : 1000;
    if (LineMap.size() != Lines.size()) LineMap.resize(Lines.size(), 0);

    run.Decimal = DecimalStyle(Lines);
    if (run.PunchNcType == 2) RewriteGridRepeats(*this, run);
    if (!App || App->ProcessMode == 0) StripSequenceNumbers(Lines);
    RewriteStatements(*this, run);
    if (run.NcType == kNcTypePunch) ApplyMacros(Lines.Mutable(), settings.OptProgStop);
}
