// The G12-to-G08 conversion.
#include "text/core/ConvertG08.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "kernel/geom/CVectoMatrix.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Cp932.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/UserPrompt.h"
#include "text/core/NcNumberFormat.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcOpsText.h"

namespace {

constexpr const char* kSection = "Convert_G08";

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::string Real3(double v) {
    return platform::FormatReal(v, 3);
}

double Parse(const std::string& text) {
    const double v = platform::ParseLeadingReal(text);
    return std::isfinite(v) ? v : 0.0;
}

int ParseClamped(const std::string& text, int lo, int hi) {
    return int(std::clamp(platform::ParseLeadingInt(text), static_cast<long long>(lo),
                          static_cast<long long>(hi)));
}

// The modal distance mode a line leaves: G91 incremental, G90 absolute, else as before.
// Only the text before the comment counts.
int DistanceMode(const std::string& line, int mode) {
    const size_t end = platform::FindFirstSingle(line, '(');
    const std::string_view text = std::string_view(line).substr(0, end);
    for (size_t at = text.find("G9"); at != std::string_view::npos; at = text.find("G9", at + 1)) {
        if (at + 2 >= text.size()) break;
        const char c = text[at + 2];
        const bool more = at + 3 < text.size() && text[at + 3] >= '0' && text[at + 3] <= '9';
        if (more) continue;
        if (c == '0') mode = 0;
        if (c == '1') mode = 1;
    }
    return mode;
}

// The reader of the head-orientation test and the hole points: one set-up over the text as it
// was at the start, each hole read from its positioning line with the state of a fresh reader.
class HoleReader {
public:
    HoleReader(const std::vector<std::string>& lines, const CNcReadInfo& machine,
               CToolData* conditions, const NcAppContext* app)
        : settings_(machine), reader_(app) {
        // The reader works on a copy: its zero G92 base never reaches the shared settings.
        settings_.G92BaseInit = CxyzData(0.0, 0.0, 0.0);
        reader_.SetProgram(lines, &settings_, conditions, 1);
        fresh_ = reader_.State;
    }

    // Reads original lines from..to-1 (indices of the text at the start). False when the head
    // angles change on the way (A or C by 0.001 or more against the positioning block's).
    bool HeadKept(int from, int to) {
        reader_.State = fresh_;
        reader_.PercentCount = 0;
        double refA = kNcAbsent, refC = kNcAbsent;
        for (int line = from; line < to; ++line) {
            if (line < 0 || size_t(line) >= reader_.Lines.size()) return false;
            (void)reader_.ReadBlock(nullptr, line, nullptr, nullptr, nullptr, nullptr, nullptr);
            const NcBlockWords& w = reader_.Block;
            if (line == from) {
                refA = w.A;
                refC = w.C;
                continue;
            }
            if (IsGiven(w.A) && std::fabs(w.A - refA) >= 0.001) return false;
            if (IsGiven(w.C) && std::fabs(w.C - refC) >= 0.001) return false;
        }
        return true;
    }
    const CNcReadState& State() const { return reader_.State; }

private:
    CNcReadInfo settings_;
    CNcRead reader_;
    CNcReadState fresh_;
};

Vec3 V(const CxyzData& p) {
    return {p.x, p.y, p.z};
}

}  // namespace

// --- the parameters ----------------------------------------------------------------------------

ConvG08Texts ConvG08Texts::Load(const std::filesystem::path& ini, int lineCount) {
    platform::ProfileFile f;
    f.Load(ini);
    ConvG08Texts t;
    t.ConvertDia = f.GetString(kSection, "ConvertDia", "50.");
    t.ApproachLen = f.GetString(kSection, "ApproachLen", ".5");
    t.DecimalDigit = f.GetString(kSection, "DecimalDigit", "2");
    t.UpdateWCheck = f.GetInt(kSection, "UpdateWCheck", 0);
    t.WDia1 = f.GetString(kSection, "WDia1", "9.999");
    t.WNo1 = f.GetString(kSection, "WNo1", "1");
    t.WDia2 = f.GetString(kSection, "WDia2", "19.999.");
    t.WNo2 = f.GetString(kSection, "WNo2", "2");
    t.WNo3 = f.GetString(kSection, "WNo3", "3");
    t.SpecifyRow = f.GetInt(kSection, "SpecifyRow", 0);
    // The range is never remembered: every run starts with the whole program.
    t.StartRow = "1";
    t.EndRow = platform::FormatInt(std::max(lineCount, 1));
    return t;
}

bool ConvG08Texts::Save(const std::filesystem::path& ini) const {
    platform::ProfileFile f;
    std::error_code ec;
    if (!f.Load(ini) && std::filesystem::exists(ini, ec)) return false;
    f.Set(kSection, "ConvertDia", ConvertDia);
    f.Set(kSection, "ApproachLen", ApproachLen);
    f.Set(kSection, "DecimalDigit", DecimalDigit);
    f.SetInt(kSection, "UpdateWCheck", UpdateWCheck);
    f.Set(kSection, "WDia1", WDia1);
    f.Set(kSection, "WNo1", WNo1);
    f.Set(kSection, "WDia2", WDia2);
    f.Set(kSection, "WNo2", WNo2);
    f.Set(kSection, "WNo3", WNo3);
    f.SetInt(kSection, "SpecifyRow", SpecifyRow);
    return f.Save(ini);
}

void ConvG08Texts::Validate(int lineCount) {
    lineCount = std::max(lineCount, 1);
    double dia = Parse(ConvertDia);
    if (dia < 0.0 || std::fabs(dia) < 0.001) dia = 0.0;
    ConvertDia = Real3(std::min(dia, 9999.0));
    ApproachLen = Real3(std::clamp(Parse(ApproachLen), 0.0, 99.0));
    // A 16-bit field: 70000 reads as 4464 (and is then clamped).
    const auto digits = static_cast<int16_t>(static_cast<uint16_t>(
        static_cast<uint64_t>(platform::ParseLeadingInt(DecimalDigit)) & 0xFFFF));
    DecimalDigit = platform::FormatInt(std::clamp<int>(digits, 0, 9));
    const int start = ParseClamped(StartRow, 1, lineCount);
    const int end = std::max(ParseClamped(EndRow, 1, lineCount), start);
    StartRow = platform::FormatInt(start);
    EndRow = platform::FormatInt(end);
    const double d1 = std::clamp(Parse(WDia1), 0.0, 9999.0);
    double d2 = std::clamp(Parse(WDia2), 0.0, 9999.0);
    if (d1 > d2 || std::fabs(d2 - d1) < 0.001) d2 = d1 + 0.001;
    d2 = std::min(d2, 9999.0);
    Lower1 = Real3(0.0);
    WDia1 = Real3(d1);
    Lower2 = Real3(std::min(d1 + 0.001, 9999.0));
    WDia2 = Real3(d2);
    Lower3 = Real3(std::min(d2 + 0.001, 9999.0));
    for (std::string* w : {&WNo1, &WNo2, &WNo3})
        *w = platform::FormatInt(ParseClamped(*w, -10, 10));
}

ConvG08Params ConvG08Texts::Params() const {
    ConvG08Params p;
    p.ConvertDia = Parse(ConvertDia);
    p.ApproachLen = Parse(ApproachLen);
    p.DecimalDigit = short(ParseClamped(DecimalDigit, 0, 9));
    p.UpdateWCheck = UpdateWCheck;
    p.WDia1 = Parse(WDia1);
    p.WDia2 = Parse(WDia2);
    p.WNo1 = ParseClamped(WNo1, -10, 10);
    p.WNo2 = ParseClamped(WNo2, -10, 10);
    p.WNo3 = ParseClamped(WNo3, -10, 10);
    p.SpecifyRow = SpecifyRow;
    p.StartRow = int(platform::ParseLeadingInt(StartRow));
    p.EndRow = int(platform::ParseLeadingInt(EndRow));
    return p;
}

// --- one hole ----------------------------------------------------------------------------------

int FormatConvertedBlock(std::vector<std::string>& lines, const G08HoleMarkers& m,
                         const CxyzData& centre, double radius, const ConvG08Params& p) {
    const int d = p.DecimalDigit;
    const double dia = 2.0 * radius;

    // The positioning line: its X, Y and Z words go, the centre's come in their place.
    const std::string& pos = lines[size_t(m.P)];
    std::string head, tail;
    bool dropped = false;
    for (size_t i = 0; i < pos.size();) {
        const size_t len = platform::CharLength(pos, i);
        const char c = pos[i];
        if (len == 1 && c == '(') {
            (dropped ? tail : head) += pos.substr(i);
            break;
        }
        if (len == 1 && (c == 'X' || c == 'Y' || c == 'Z')) {
            const int end = ScanNumberEnd(pos, int(i) + 1);
            dropped = true;
            i = end >= int(pos.size()) ? pos.size() : size_t(std::max(end, int(i))) + 1;
            continue;
        }
        (dropped ? tail : head).append(pos, i, len);
        i += len;
    }
    lines[size_t(m.P)] = head + "X" + FormatNcNumber(centre.x, d) + "Y" +
                         FormatNcNumber(centre.y, d) + "Z" + FormatNcNumber(centre.z, d) + tail;

    // The W line takes the class of the diameter.
    if (p.UpdateWCheck == 1 && m.Wl >= 0) {
        const int cls = dia <= p.WDia1 + 1e-8 ? p.WNo1 : dia <= p.WDia2 + 1e-8 ? p.WNo2 : p.WNo3;
        std::string& w = lines[size_t(m.Wl)];
        size_t used = 0;
        const long long old = platform::ParseLeadingInt(std::string_view(w).substr(1), &used);
        if (used == 0 || old != cls) w = "W" + platform::FormatInt(cls) + w.substr(1 + used);
    }

    std::string block = "G08D" + FormatNcNumber(dia, d);
    if (p.ApproachLen >= 0.001) block += "K" + FormatNcNumber(p.ApproachLen, d);
    lines[size_t(m.G)] = std::move(block);

    // Removed from the bottom up, so that no removal moves a line still to be removed.
    std::vector<int> gone = {m.G1, m.G2};
    if (m.A1 >= 0) gone.push_back(m.A1);
    if (m.A2 >= 0) gone.push_back(m.A2);
    std::sort(gone.begin(), gone.end(), std::greater<int>());
    for (int line : gone) lines.erase(lines.begin() + line);
    return int(gone.size());
}

// --- the run -----------------------------------------------------------------------------------

G08Counts ConvertG08Lines(std::vector<std::string>& lines, const ConvG08Params& p,
                          const CNcReadInfo& machine, CToolData* conditions,
                          const NcAppContext* app) {
    G08Counts counts;
    HoleReader reader(lines, machine, conditions, app);
    G08HoleMarkers m;
    bool skip = false;
    int removed = 0;
    int mode = 0;          // the distance mode after the line
    int positionMode = 0;  // the distance mode of the positioning block
    for (int i = 0; i < int(lines.size()); ++i) {
        const std::string& line = lines[size_t(i)];
        mode = DistanceMode(line, mode);
        if (StartsWith(line, "W0")) {
            m.W0 = i;
            if (m.G1 < 0) m.Wl = -1;
        } else if (StartsWith(line, "W")) {
            m.Wl = i;
            m.G = m.G1 = m.G2 = m.A1 = m.A2 = -1;
        } else if (StartsWith(line, "G00") || StartsWith(line, "G01")) {
            if (m.Wl < 0) {
                m.P = i;
                positionMode = mode;
            } else if (StartsWith(line, "G01")) {
                (m.G1 < 0 ? m.A1 : m.A2) = i;
            }
        } else if (StartsWith(line, "G12.1")) {
            m.G1 = i;
        } else if (StartsWith(line, "G12.2")) {
            m.G2 = i;
            if (!skip) ++counts.Failed;
            m.W0 = -1;
        } else if (StartsWith(line, "G12")) {
            skip = false;
            const int original = i + removed;
            if (p.SpecifyRow == 1 && (original < p.StartRow - 1 || original > p.EndRow - 1)) {
                // The hole is not looked at; its markers would otherwise keep the next hole's
                // positioning line from being seen.
                skip = true;
                m = {};
                continue;
            }
            m.G = i;
        }

        if (m.G2 >= 0 && i - m.G2 > 5) {
            m = {};
            continue;
        }
        if (m.G < 0 || m.G1 < 0 || m.G2 < 0 || m.W0 < 0) continue;
        // A candidate needs a real positioning line and its W line within the distances.
        if (m.P < 0 || m.Wl < 0 || m.G - m.Wl > 5 || m.Wl - m.P > 3 || m.W0 - m.G2 > 5) {
            m = {};
            continue;
        }
        --counts.Failed;
        const G08HoleMarkers hole = m;
        m = {};
        // Absolute centre words would put an incremental positioning block elsewhere.
        if (positionMode == 1) {
            ++counts.Failed;
            continue;
        }
        if (!reader.HeadKept(hole.P + removed, hole.G2 + removed)) continue;
        const CNcReadState& st = reader.State();
        Vec3 centre{};
        if (CVectoMatrix::CircleCenter3P(V(st.CirclePoint1), V(st.CirclePoint2), V(st.CirclePoint3),
                                         centre) != 0) {
            // Three points that define no circle: the hole stays as it is.
            ++counts.Failed;
            continue;
        }
        Vec3 unit{};
        double r = 0.0;
        (void)CVectoMatrix::UnitVector(centre, V(st.CirclePoint1), unit, r);
        if (p.ConvertDia >= 0.001 && 2.0 * r > p.ConvertDia + 1e-8) continue;
        const int gone =
            FormatConvertedBlock(lines, hole, CxyzData(centre[0], centre[1], centre[2]), r, p);
        i -= gone;
        removed += gone;
        ++counts.Converted;
    }
    return counts;
}

G08Counts ConvertG08(NcOpsHost& host, const ConvG08Params& p) {
    if (host.TraceActive()) return {};
    std::vector<std::string> lines = host.Lines();
    const G08Counts counts =
        ConvertG08Lines(lines, p, host.Machine(), host.Conditions(), host.AppContext());
    platform::UserPrompt* prompt = &host.Prompt();
    if (counts.Failed > 0)
        ShowOpsMessage(prompt, 20075, platform::PromptIcon::Warning, platform::PromptButtons::Ok,
                       {platform::FormatInt(counts.Failed)});
    ShowOpsMessage(prompt, 20076, platform::PromptIcon::Warning, platform::PromptButtons::Ok,
                   {platform::FormatInt(counts.Converted)});
    if (counts.Converted > 0) {
        host.ReplaceLines(std::move(lines));
        host.LinesChanged();
    }
    return counts;
}
