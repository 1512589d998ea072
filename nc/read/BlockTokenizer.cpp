// The block tokeniser: the scan of one line, the G-code forms and the context rules of the
// letters that are read differently after certain codes.
#include "nc/read/BlockTokenizer.h"

#include <charconv>
#include <optional>
#include <system_error>

#include "nc/read/CNcReadState.h"
#include "platform/Cp932.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// The characters that SkipNumber passes over and that may make up a number: * + , - . / 0-9.
bool InNumberRun(char c) {
    return c >= '*' && c <= '9';
}
bool StartsWith(std::string_view text, size_t pos, std::string_view prefix) {
    return text.substr(pos).starts_with(prefix);
}
bool OneOf(int value, std::initializer_list<int> set) {
    for (int v : set) {
        if (v == value) return true;
    }
    return false;
}

// An integer as "%d" reads it at pos: white space, an optional sign, digits. Nothing when
// there are no digits or the number does not fit an int.
std::optional<int> ReadInt(std::string_view text, size_t pos) {
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    size_t start = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    size_t digits = pos;
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    if (pos == digits) return std::nullopt;
    if (text[start] == '+') ++start;
    int value = 0;
    auto r = std::from_chars(text.data() + start, text.data() + pos, value);
    if (r.ec != std::errc()) return std::nullopt;
    return value;
}

struct RealWord {
    double value = 0.0;
    bool point = false;  // a '.' occurs within the number's characters
    size_t end = 0;      // index behind the number's characters
};

// A real number at pos: white space (and, for the G08 D word, 'E' taken as a blank) is
// skipped; the number is the run of characters from '*' to '9' that follows, read in C
// notation. A letter always ends it, so neither an exponent nor "inf" or a hex form is read.
std::optional<RealWord> ReadReal(std::string_view text, size_t pos, bool eIsBlank = false) {
    while (pos < text.size() && (IsSpace(text[pos]) || (eIsBlank && text[pos] == 'E'))) ++pos;
    size_t end = pos;
    while (end < text.size() && InNumberRun(text[end])) ++end;
    std::string_view run = text.substr(pos, end - pos);
    RealWord word;
    word.end = end;
    word.point = run.find('.') != std::string_view::npos;
    bool negative = false;
    size_t i = 0;
    if (i < run.size() && (run[i] == '+' || run[i] == '-')) {
        negative = run[i] == '-';
        ++i;
    }
    if (i >= run.size() || !(IsDigit(run[i]) || run[i] == '.')) return std::nullopt;
    double value = 0.0;
    auto r =
        std::from_chars(run.data() + i, run.data() + run.size(), value, std::chars_format::fixed);
    if (r.ec != std::errc()) return std::nullopt;
    word.value = negative ? -value : value;
    return word;
}

// The tokeniser of one line: the scan state and the rules, kept together so that each rule
// reads the context that the words so far have set.
class Tokenizer {
public:
    Tokenizer(std::string_view line, const NcTokenizerSettings& settings,
              NcOptionMarks& optionMarks, NcShapeGroups& shapeGroups, GCodeGroups& blockGroups,
              int& cir, int& mCode, NcBlockWords& words, int& duplicate)
        : line_(line),
          s_(settings),
          marks_(optionMarks),
          shapes_(shapeGroups),
          groups_(blockGroups),
          cir_(cir),
          m_(mCode),
          w_(words),
          dup_(duplicate),
          linePoint_(line.find('.') != std::string_view::npos) {}

    bool Run() {
        bool comment = false;
        for (size_t pos = 0; pos < line_.size(); ++pos) {
            // A double-byte character (CP932) is never a word, a delimiter or a comment
            // mark, even when its second byte looks like one ("X", "]").
            if (platform::CharLength(line_, pos) == 2) {
                ++pos;
                continue;
            }
            const char c = line_[pos];
            if (c == '(' || c == '<' || c == '[') {
                comment = true;
                continue;
            }
            if (c == ')' || c == '>' || c == ']') {
                comment = false;
                continue;
            }
            if (comment) continue;
            if (c == '#' || c == '=') {
                SkipWord(pos);
            } else if (c == 'G') {
                GWord(pos);
            } else {
                Word(pos);
            }
        }
        if (groups_[14] == 66 && !IsGiven(w_.Q)) w_.Q = w_.PLength;
        return recognised_;
    }

private:
    // Scanning goes on with the first character behind the number of the word at pos.
    void SkipWord(size_t& pos) {
        SkipNumber(line_, pos);
        --pos;
    }
    double Scaled(double value, bool point) const {
        return point || s_.ZeroTimes < 1 ? value : value / s_.ZeroTimes;
    }
    void Duplicate() { dup_ = 1; }

    void GWord(size_t& pos) {
        // Only G08., G8., G11 and G12 are forms of their own: every other G word (nearly all of
        // them) goes straight to its number.
        const char a = pos + 1 < line_.size() ? line_[pos + 1] : '\0';
        const char b = pos + 2 < line_.size() ? line_[pos + 2] : '\0';
        if (!((a == '0' && b == '8') || (a == '8' && b == '.') ||
              (a == '1' && (b == '1' || b == '2')))) {
            NumberedG(pos);
            SkipWord(pos);
            return;
        }
        const char next3 = pos + 3 < line_.size() ? line_[pos + 3] : '\0';
        if (StartsWith(line_, pos, "G08.1") || StartsWith(line_, pos, "G8.1")) {
            Form(kShapeG08, 1, false);
        } else if (StartsWith(line_, pos, "G08.4") || StartsWith(line_, pos, "G8.4")) {
            Form(kShapeG08, 4, true);
        } else if (StartsWith(line_, pos, "G11.1")) {
            Form(kShapeG11, 1, true);
        } else if (StartsWith(line_, pos, "G11.2")) {
            Form(kShapeG11, 2, true);
        } else if (StartsWith(line_, pos, "G11") && !IsDigit(next3)) {
            Form(kShapeG11, 2, true);
        } else if (StartsWith(line_, pos, "G11") && !StartsWith(line_, pos, "G111") &&
                   !StartsWith(line_, pos, "G112")) {
            return;  // G110, G113 ...: the letter is passed over, its digits read as plain text
        } else if (StartsWith(line_, pos, "G12.1")) {
            Form(kShapeG12, 1, true);
        } else if (StartsWith(line_, pos, "G12.2")) {
            Form(kShapeG12, 2, true);
        } else if (!StartsWith(line_, pos, "G12") || StartsWith(line_, pos, "G128")) {
            NumberedG(pos);
        } else if (!IsDigit(next3)) {
            Form(kShapeG12, 0, true);
        } else {
            return;  // G120 ... G127 other than G128: passed over like G110
        }
        SkipWord(pos);
    }

    // A G08 form, G11 mode or G12 mode given by its text.
    void Form(int index, int value, bool counts) {
        if (shapes_[index] != -1 || groups_[0] != -1) Duplicate();
        shapes_[index] = value;
        if (counts) recognised_ = true;
    }

    void NumberedG(size_t pos) {
        const std::optional<int> code = ReadInt(line_, pos + 1);
        lastG_ = code.value_or(-1);
        if (!code) return;
        if (*code >= 0 && *code <= kGCodeTableMax) {
            const int group = GCodeGroup(*code);
            if (group >= 0) {
                if (groups_[group] != -1 || m_ == 100 || m_ == 110) Duplicate();
                groups_[group] = *code;
                groupedG_ = true;
            }
            recognised_ = true;
        } else if (*code == 202) {
            if (groups_[kGCode202Group] != -1) Duplicate();
            groups_[kGCode202Group] = 202;
            groupedG_ = true;
            recognised_ = true;
        }
    }

    // Reads an int word into target; true when readable.
    bool IntWord(size_t pos, int& target) {
        const std::optional<int> v = ReadInt(line_, pos + 1);
        if (!v) return false;
        target = *v;
        recognised_ = true;
        return true;
    }

    // A length under the whole-line decimal rule: as read when the line holds a '.' anywhere.
    std::optional<double> Length(size_t pos, bool eIsBlank = false) const {
        const std::optional<RealWord> v = ReadReal(line_, pos + 1, eIsBlank);
        if (!v) return std::nullopt;
        return Scaled(v->value, linePoint_);
    }

    double* CoordinateTarget(char c) {
        switch (c) {
            case 'X':
                return &w_.X;
            case 'Y':
                return &w_.Y;
            case 'Z':
                return &w_.Z;
            case 'I':
                return &w_.I;
            case 'J':
                return &w_.J;
            case 'R':
                return &w_.R;
            case 'D':
                return &w_.D;
            case 'A':
                return &w_.A;
            case 'C':
                return &w_.C;
            case 'U':
                return &w_.U;
            case 'V':
                return &w_.V;
            case 'Q':
                return &w_.Q;
            case 'E':
                return &w_.E;
            case 'B':
                return &w_.B;
            case 'H':
                return &w_.H;
            default:
                return nullptr;
        }
    }

    bool IsLetter(char c, char code) const { return code != '\0' && c == code; }

    void Word(size_t& pos) {
        const char c = line_[pos];
        const int group14 = groups_[14];
        const int motion = groups_[0];
        const bool shapeCycle = motion == 111 || motion == 112;
        const int form = shapes_[kShapeG08];

        if (c == 'D' && (lastG_ == 8 || form == 4)) {
            if (auto v = Length(pos, true)) {
                if (IsGiven(w_.D)) Duplicate();
                w_.D = *v;
            }
        } else if (c == 'P' && form == 4) {
            const int before = w_.P;
            if (IntWord(pos, w_.P) && before != -1) Duplicate();
        } else if (c == 'P' && (group14 == 36 || group14 == 37 || groups_[15] == 98)) {
            IntWord(pos, w_.PCount);
        } else if (c == 'P' && OneOf(group14, {29, 66, 68, 69, 78, 79})) {
            if (auto v = Length(pos)) w_.PLength = *v;
        } else if (c == 'Q' && (group14 == 75 || group14 == 76)) {
            IntWord(pos, w_.QMode);
        } else if (c == 'M') {
            const std::optional<int> v = ReadInt(line_, pos + 1);
            if (v) {
                if ((*v == 100 || *v == 110) && groupedG_) Duplicate();
                m_ = *v;
                recognised_ = true;
            }
        } else if (c == 'F') {
            IntWord(pos, w_.F);
        } else if (c == 'N' || (IsLetter(c, s_.CodeHNumber) && !(c == 'H' && shapeCycle))) {
            // Inside the shape cycles 111/112 an H is their gap word, read below.
            IntWord(pos, w_.N);
        } else if (IsLetter(c, s_.CodeMainPro) || IsLetter(c, s_.CodeMainSub)) {
            IntWord(pos, w_.ProgramNo);
        } else if (IsLetter(c, s_.CodeMainCall) && marks_[kOptSubCall] == 1 &&
                   pos + 1 < line_.size()) {
            IntWord(pos, w_.ProgramNo);
        } else if (IsLetter(c, s_.CodeFor)) {
            IntWord(pos, w_.ForValue);
        } else if (c == 'P') {
            IntWord(pos, w_.P);
        } else if (c == 'W') {
            IntWord(pos, w_.W);
        } else if (c == 'T') {
            IntWord(pos, w_.T);
        } else if (c == 'L') {
            if (!IntWord(pos, w_.L)) w_.L = 1;
        } else if (c == 'K' && !OneOf(group14, {66, 68, 78}) && !shapeCycle) {
            IntWord(pos, w_.KCount);
        } else if (c == 'K') {
            if (auto v = Length(pos)) {
                w_.K = *v;
                recognised_ = true;
            }
        } else if (StartsWith(line_, pos, "CIR/")) {
            Circle(pos);
            return;
        } else if (c == 'e') {
            if (!IntWord(pos, w_.ConditionNo)) w_.ConditionNo = kNcNoCondition;
        } else if (double* target = CoordinateTarget(c)) {
            if (auto v = ReadReal(line_, pos + 1)) {
                if (IsGiven(*target)) Duplicate();
                *target = Scaled(v->value, v->point);
                recognised_ = true;
            }
        }
        SkipWord(pos);
    }

    // "CIR/ i j angle": three numbers as they stand. Scanning resumes behind the last number
    // read, so that its letters and numbers are not taken as words again.
    void Circle(size_t& pos) {
        if (cir_ == 1) Duplicate();
        cir_ = 1;
        size_t at = pos + 4;
        double* targets[3] = {&w_.I, &w_.J, &w_.R};
        int read = 0;
        for (double* target : targets) {
            const std::optional<RealWord> v = ReadReal(line_, at);
            if (!v) break;
            *target = v->value;
            at = v->end;
            ++read;
        }
        if (read == 3) recognised_ = true;
        pos = at - 1;
    }

    std::string_view line_;
    const NcTokenizerSettings& s_;
    NcOptionMarks& marks_;
    NcShapeGroups& shapes_;
    GCodeGroups& groups_;
    int& cir_;
    int& m_;
    NcBlockWords& w_;
    int& dup_;
    const bool linePoint_;  // the line holds a '.' somewhere (whole-line decimal rule)
    bool recognised_ = false;
    bool groupedG_ = false;  // a G code with a group came before in the block
    int lastG_ = 0;          // number of the last numbered G code, -1 when unreadable
};

// Tapping marker lines of a punch program: a line equal to a tapping tool's start code
// starts that tool, one equal to an end code ends it; either way the line is emptied.
void TapMarkerLine(std::string& text, const NcTokenizerSettings& settings, CNcReadState& state,
                   NcBlockWords& words) {
    for (size_t i = 0; i < settings.TapTools.size(); ++i) {
        if (text == settings.TapTools[i].StartCode) {
            words.T = 0;
            state.ConditionTool = 0;
            state.ToolNo = 0;
            state.TapIndex = static_cast<int>(i);
            text.clear();
            return;
        }
    }
    for (const NcTapCodes& tool : settings.TapTools) {
        if (text == tool.EndCode) {
            words.T = -1;
            state.ConditionTool = -1;
            state.ToolNo = -1;
            state.TapIndex = -1;
            text.clear();
            return;
        }
    }
}

}  // namespace

int SkipNumber(std::string_view text, size_t& position) {
    if (position < text.size()) ++position;
    while (position < text.size() && InNumberRun(text[position])) ++position;
    return 0;
}

int TokenizeBlock(std::string& text, const NcTokenizerSettings& settings, CNcReadState& state,
                  NcOptionMarks& optionMarks, NcShapeGroups& shapeGroups, GCodeGroups& blockGroups,
                  int& cir, int& mCode, NcBlockWords& words, int& duplicate) {
    for (int i = 0; i < kOptionCount; ++i) {
        // An empty option string would match every line (every line a sub-program return,
        // a pierce or a call): it matches none. The search steps over double-byte characters:
        // a comment whose trail byte is 'M' followed by "98" is no call.
        const std::string_view opt = settings.Opt[i];
        if (!opt.empty() && platform::FindText(text, opt) != std::string::npos) optionMarks[i] = 1;
    }
    if (state.NcType == 2 && !text.empty()) TapMarkerLine(text, settings, state, words);

    Tokenizer tokenizer(text, settings, optionMarks, shapeGroups, blockGroups, cir, mCode, words,
                        duplicate);
    return tokenizer.Run() ? 1 : 0;
}
