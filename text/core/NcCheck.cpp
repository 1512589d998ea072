// The internal Check NC.
#include "text/core/NcCheck.h"

#include <cmath>

#include "kernel/geom/CCalculate.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Cp932.h"
#include "platform/FileRead.h"
#include "platform/Numbers.h"
#include "text/core/NcLineClass.h"
#include "text/core/NcOpsText.h"

namespace {

// String ids of codes 1 to 27.
constexpr unsigned kMessageIds[kNcCheckCodeCount] = {
    61543, 61544, 61545, 61546, 61547, 61548, 61549, 61550, 61551,
    61552, 61553, 61554, 61555, 61556, 61557, 61558, 61559, 61560,
    61561, 61562, 61563, 61567, 61568, 61569, 61570, 61571, 61685,
};

// What the rules read of the reader after one block: its whole modal state and the
// per-block values.
struct BlockValues {
    CNcReadState state;
    GCodeGroups groups{};
    NcShapeGroups special{-1, -1, -1};
    NcBlockWords words;
    int duplicate = 0;

    int Motion() const { return state.ModalGroups[0]; }
    bool HasW() const { return words.W != kNcAbsentInt; }
};

BlockValues Take(const CNcRead& r) {
    return {r.State, r.BlockGroups, r.ShapeGroups, r.Block, r.BlockDuplicate};
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The rule machine over one reading run. Lines are read in order; a look-ahead reads the
// next line and makes it the current one.
class Checker {
public:
    Checker(CNcRead& reader, const std::vector<std::string>& text,
            const std::optional<std::set<int>>& accepted, const std::string& macroWord)
        : r_(reader),
          text_(text),
          accepted_(accepted),
          macroWord_(macroWord),
          codes_(text.size(), 0) {}

    std::vector<int> Run() {
        if (text_.empty()) return std::move(codes_);
        size_t i = 0;
        Read(i);
        for (;;) {
            const Step step = Rules(i);
            if (step == Step::End) break;
            if (step == Step::Continue) continue;  // a look-ahead read the new current line
            if (++i >= text_.size()) break;
            Read(i);
        }
        return std::move(codes_);
    }

private:
    enum class Step { Done, Continue, End };

    // Keeps the values left by the line before, then reads line i.
    void Read(size_t i) {
        prev_ = Take(r_);
        if (i < r_.Lines.size())
            (void)r_.ReadBlock(nullptr, int(i), nullptr, nullptr, nullptr, nullptr, nullptr);
        else
            r_.ResetBlock();
    }
    // The look-ahead of a rule: the next line is read and becomes the current one; false at
    // the end of the program.
    bool ReadNext(size_t& i) {
        if (i + 1 >= text_.size()) return false;
        Read(++i);
        return true;
    }

    bool GCodesAccepted(const std::string& text) const {
        for (size_t p = 0; p < text.size(); p += platform::CharLength(text, p)) {
            if (text[p] != 'G') continue;
            size_t end = p + 1;
            while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) ++end;
            const int value = NcCheckGCodeValue(std::string_view(text).substr(p + 1, end - p - 1));
            if (!accepted_->count(value)) return false;
        }
        return true;
    }

    // Rules a to l on the current line i. A look-ahead moves i to the line it read; codes go
    // on the line the rules began with.
    Step Rules(size_t& i) {
        const size_t line = i;
        const std::string& text = text_[line];
        // a. Comments, program numbers and macro calls are not examined.
        if (text.empty() || text.find('(') != std::string::npos ||
            text.find(')') != std::string::npos || text[0] == 'O' || ContainsWord(text, macroWord_))
            return Step::Done;
        // b. G codes not accepted by "ALL.txt".
        if (accepted_ && !GCodesAccepted(text)) codes_[line] = 21;
        // c. Two codes of one group.
        if (r_.BlockDuplicate == 1) return Mark(line, 20);
        // d. A W1-W10 condition line after a block whose modal motion is not G01.
        if (text[0] == 'W') {
            const double w = platform::ParseLeadingReal(std::string_view(text).substr(1));
            if (w >= 1.0 && w <= 10.0 && prev_.Motion() != 1) return Mark(line, 1);
        }
        const NcShapeGroups special = r_.ShapeGroups;
        // e. G11.1 not after G11.
        if (special[kShapeG11] == 1 && prev_.special[kShapeG11] != 0 &&
            prev_.special[kShapeG11] != 2)
            return Mark(line, 2);
        // f. G11 needs a G11.1 next, and the arc's three points must not lie on one line.
        if (special[kShapeG11] == 0 || special[kShapeG11] == 2) {
            if (!ReadNext(i)) return End(line, 23);
            if (r_.ShapeGroups[kShapeG11] != 1)
                codes_[line] = 23;
            else if (CCalculate::Check3Points(r_.ArcPoints[0], r_.ArcPoints[1], r_.ArcPoints[2]) !=
                     0)
                codes_[line] = 27;
            return Step::Continue;
        }
        // g. The G12, G12.1, G12.2 sequence.
        switch (special[kShapeG12]) {
            case 2:
                return prev_.special[kShapeG12] != 1 ? Mark(line, 3) : Step::Done;
            case 1:
                if (prev_.special[kShapeG12] != 0) return Mark(line, 4);
                return FollowedBy(i, kShapeG12, 2, 25);
            case 0:
                return FollowedBy(i, kShapeG12, 1, 24);
            default:
                break;
        }
        // h. G08 after G01 or a W line, with a D word, followed by a positioning block.
        if (r_.BlockGroups[0] == 8) {
            if (!prev_.HasW() && prev_.groups[0] != 1) return Mark(line, 5);
            if (!IsGiven(r_.Block.D)) return Mark(line, 22);
            return PositioningFollows(i, 6);
        }
        // i. G8.4 after G01 with its P and the words P needs, followed by G8.1.
        if (special[kShapeG08] == 4) {
            if (prev_.groups[0] != 1) return Mark(line, 7);
            const int p = r_.Block.P;
            if (p < 1 || p > 9) return Mark(line, 8);
            const NcBlockWords& w = r_.Block;
            const bool u = IsGiven(w.U), v = IsGiven(w.V), rr = IsGiven(w.R), d = IsGiven(w.D),
                       e = IsGiven(w.E);
            int fault = 0;
            switch (p) {
                case 1:
                case 3:
                    fault = u && v ? 0 : 9;
                    break;
                case 2:
                    fault = u && v && rr ? 0 : 10;
                    break;
                case 4:
                    fault = u && d && rr ? 0 : 11;
                    break;
                case 5:
                    fault = d && rr ? 0 : 12;
                    break;
                case 6:
                    fault = v && rr ? 0 : 13;
                    break;
                case 7:
                    fault = v ? 0 : 14;
                    break;
                case 8:
                    fault = u && d && rr && e ? 0 : 15;
                    break;
                case 9:
                    fault = u && v && d && rr ? 0 : 16;
                    break;
            }
            if (fault) return Mark(line, fault);
            return FollowedBy(i, kShapeG08, 1, 26);
        }
        // j. G8.1 after G8.4, followed by a positioning block.
        if (special[kShapeG08] == 1) {
            if (prev_.special[kShapeG08] != 4) return Mark(line, 17);
            return PositioningFollows(i, 18);
        }
        // k. Cutter compensation needs G00 or G01 in its block or the next.
        const int comp = r_.BlockGroups[3];
        const int motion = r_.State.ModalGroups[0];
        if ((comp == 40 || comp == 41 || comp == 42) && motion != 0 && motion != 1) {
            if (!ReadNext(i)) return End(line, 19);
            const int next = r_.State.ModalGroups[0];
            if (next != 0 && next != 1) codes_[line] = 19;
            return Step::Continue;
        }
        return Step::Done;
    }

    Step Mark(size_t i, int code) {
        codes_[i] = code;
        return Step::Done;
    }
    Step End(size_t i, int code) {
        codes_[i] = code;
        return Step::End;
    }
    // The next block must give special code value in slot; else code on line i.
    Step FollowedBy(size_t& i, int slot, int value, int code) {
        const size_t line = i;
        if (!ReadNext(i)) return End(line, code);
        if (r_.ShapeGroups[slot] != value) codes_[line] = code;
        return Step::Continue;
    }
    // After G08 and G8.1: a G00/G01 block, or a W line and then a G00/G01 block (the W line
    // gets no rules of its own).
    Step PositioningFollows(size_t& i, int code) {
        const size_t line = i;
        auto positioning = [this] {
            const int m = r_.State.ModalGroups[0];
            return m == 0 || m == 1;
        };
        if (!ReadNext(i)) return End(line, code);
        if (positioning()) return Step::Continue;
        if (r_.Block.W == kNcAbsentInt) {
            codes_[line] = code;
            return Step::Continue;
        }
        if (!ReadNext(i)) return End(line, code);
        if (!positioning()) codes_[line] = code;
        return Step::Continue;
    }

    CNcRead& r_;
    const std::vector<std::string>& text_;
    const std::optional<std::set<int>>& accepted_;
    std::string macroWord_;
    std::vector<int> codes_;
    BlockValues prev_;
};

}  // namespace

unsigned NcCheckMessageId(int code) {
    return code >= 1 && code <= kNcCheckCodeCount ? kMessageIds[code - 1] : 0;
}

int NcCheckGCodeValue(std::string_view number) {
    const double v = platform::ParseLeadingReal(number);
    if (!std::isfinite(v) || std::fabs(v) > 1e8) return 0;
    return int(std::trunc(10.0 * v));
}

std::optional<std::set<int>> LoadAcceptedGCodes(const std::filesystem::path& folder) {
    platform::FileReadResult file =
        platform::ReadRegularFile(folder / "ALL.txt", platform::kSettingsFileLimit);
    if (!file.ok()) return std::nullopt;
    std::set<int> codes;
    size_t start = 0;
    const std::string& bytes = file.bytes;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        // A blank line would accept a bare "G".
        if (line.empty()) continue;
        codes.insert(NcCheckGCodeValue(line.substr(1)));
    }
    return codes;
}

std::string StripSequenceNumber(std::string_view line) {
    if (line.empty() || line[0] != 'N') return std::string(line);
    size_t stop = 1;
    while (stop < line.size() && IsDigit(line[stop])) ++stop;
    if (stop + 1 < line.size()) return std::string(line.substr(stop));
    return std::string(line);
}

std::vector<int> CheckNcLines(const std::vector<std::string>& lines, CNcReadInfo* settings,
                              CToolData* conditions, const NcAppContext* app,
                              const std::optional<std::set<int>>& accepted) {
    std::vector<std::string> text;
    text.reserve(lines.size());
    for (const std::string& l : lines) text.push_back(StripSequenceNumber(l));
    CNcRead reader(app);
    reader.SetProgram(text, settings, conditions, 1);
    const std::string macroWord = settings ? settings->Opt[4] : std::string();
    return Checker(reader, text, accepted, macroWord).Run();
}

std::string NcCheckReport(const std::vector<int>& codes) {
    std::string report;
    for (size_t i = 0; i < codes.size(); ++i) {
        if (codes[i] == 0) continue;
        const std::string line = std::to_string(i + 1);
        const std::string code = std::to_string(codes[i]);
        report += OpsTextCp932(NcCheckMessageId(codes[i]), {line, code});
        report += "\r\n";
    }
    if (report.empty()) report = OpsTextCp932(61564) + "\r\n";
    return report;
}
