// The five-axis smoothing.
#include "text/core/FiveAxisSmoothing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>

#include "nc/machine/CNcReadInfo.h"
#include "nc/read/CNcRead.h"
#include "platform/Library.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"
#include "platform/UserPrompt.h"
#include "text/core/NcLineClass.h"
#include "text/core/NcNumberFormat.h"
#include "text/core/NcOpsHost.h"
#include "text/core/NcOpsText.h"

namespace {

constexpr const char* kSection = "06R_Smoothing";
constexpr const char* kLibraryName = "flAdjustToolPath.dll";
// The largest output area tried, in records (256 MB): a longer run fails rather than asking
// for memory without bound.
constexpr size_t kMaxOutputRecords = size_t(1) << 22;

double Angle(double modal) {
    return IsGiven(modal) ? modal : 0.0;
}

SmoothPoint Point(const CxyzData& p, const CxyzData& base, double c, double a, int kind, int f) {
    return {p.x - base.x, p.y - base.y, p.z - base.z, c, a, kind, f};
}

}  // namespace

const std::array<const char*, 12> kSmoothToleranceKeys = {
    "DevXYZ", "DevTorch", "DevFWDBent", "DevBWDbent", "DevSideBent", "aAccX",
    "aAccY",  "aAccZ",    "aAccC",      "aAccA",      "CArm",        "AArm"};

std::array<double, 12> SmoothParams::Tolerances() const {
    return {DevXYZ, DevTorch, DevFWDBent, DevBWDbent, DevSideBent, aAccX,
            aAccY,  aAccZ,    aAccC,      aAccA,      CArm,        AArm};
}

void SmoothParams::SetTolerances(const std::array<double, 12>& v) {
    DevXYZ = v[0];
    DevTorch = v[1];
    DevFWDBent = v[2];
    DevBWDbent = v[3];
    DevSideBent = v[4];
    aAccX = v[5];
    aAccY = v[6];
    aAccZ = v[7];
    aAccC = v[8];
    aAccA = v[9];
    CArm = v[10];
    AArm = v[11];
}

SmoothParams ReadSmoothParams(const std::filesystem::path& machineFile) {
    platform::ProfileFile f;
    f.Load(machineFile);
    SmoothParams p;
    p.StartRow = std::max(1, f.GetInt(kSection, "StartRow", 1));
    p.EndRow = std::max(1, f.GetInt(kSection, "EndRow", 1));
    p.Digit = std::clamp(f.GetInt(kSection, "Digit", 3), 1, 10);
    std::array<double, 12> v{};
    for (size_t i = 0; i < v.size(); ++i) {
        const double d = f.GetReal(kSection, kSmoothToleranceKeys[i], 0.0);
        v[i] = std::isfinite(d) ? d : 0.0;
    }
    p.SetTolerances(v);
    return p;
}

bool WriteSmoothParams(const std::filesystem::path& machineFile, const SmoothParams& p) {
    platform::ProfileFile f;
    std::error_code ec;
    if (!f.Load(machineFile) && std::filesystem::exists(machineFile, ec)) return false;
    f.SetInt(kSection, "StartRow", p.StartRow);
    f.SetInt(kSection, "EndRow", p.EndRow);
    f.SetInt(kSection, "Digit", p.Digit);
    const std::array<double, 12> v = p.Tolerances();
    for (size_t i = 0; i < v.size(); ++i) f.SetReal(kSection, kSmoothToleranceKeys[i], v[i]);
    return f.Save(machineFile);
}

void ClampRange(int& startRow, int& endRow, int lineCount) {
    const int n = lineCount > 0 ? lineCount : 1;
    startRow = std::clamp(startRow, 1, n);
    endRow = std::clamp(endRow, startRow, n);
}

void ValidateSmoothParams(SmoothParams& p) {
    std::array<double, 12> v = p.Tolerances();
    for (double& d : v) d = std::isfinite(d) ? std::clamp(d, 0.0, 99999.0) : 0.0;
    p.SetTolerances(v);
    p.Digit = std::clamp(int(p.Digit), 1, 10);
}

bool SplitBlockText(std::string_view text, std::string& head, std::string& tail) {
    const size_t open = text.find('(');
    // The codes count only before the comment: "(G41 OFF)" is no cutter compensation.
    const std::string_view words = text.substr(0, open);
    size_t start = words.find("G01");
    if (start == std::string_view::npos) start = words.find("G11");
    for (char c : {'X', 'Y', 'Z', 'C', 'A'}) {
        if (start != std::string_view::npos) break;
        start = words.find(c);
    }
    if (start == std::string_view::npos) return false;
    size_t tailAt = open;
    for (const char* code : {"G09", "G116", "G117", "G140", "G141", "G142"}) {
        const size_t at = words.find(code, start);
        if (at != std::string_view::npos && (tailAt == std::string_view::npos || at < tailAt))
            tailAt = at;
    }
    head.assign(text.substr(0, start));
    tail = tailAt == std::string_view::npos ? std::string() : std::string(text.substr(tailAt));
    for (const char* code : {"G40", "G41", "G42"})
        if (words.find(code) != std::string_view::npos && head.find(code) == std::string::npos)
            head += code;
    return true;
}

std::filesystem::path AdjustToolPathFile() {
    const char* folder = std::getenv("RERERAZOVU");
    if (!folder || !*folder) return {};
    return std::filesystem::path(folder) / platform::LibraryFileName(kLibraryName);
}

bool AdjustToolPathPresent(platform::UserPrompt* prompt) {
    const std::filesystem::path file = AdjustToolPathFile();
    std::error_code ec;
    if (!file.empty() && std::filesystem::is_regular_file(file, ec)) return true;
    // Say where it was looked for: without RERERAZOVU no folder is looked in at all.
    const std::string where = file.empty()
                                  ? OpsText(29411, {platform::LibraryFileName(kLibraryName)})
                                  : OpsText(29410, {file.string()});
    if (prompt)
        prompt->Message(OpsText(29541) + "\n\n" + where, platform::PromptIcon::Warning,
                        platform::PromptButtons::Ok);
    return false;
}

int CallAdjustToolPath(SmoothPoint* points, int count, double* tolerances, SmoothedPoint* output,
                       int* outputCount) {
    const std::filesystem::path file = AdjustToolPathFile();
    if (file.empty()) return -999;
    platform::Library library;
    if (!library.Open(file.parent_path(), kLibraryName)) return -999;
    auto call = library.Function<AdjustToolPathFunction>("flAdjustToolPath");
    if (!call) return -999;
    return call(points, count, tolerances, output, outputCount);
}

int BuildSmoothedBlocks(const std::vector<SmoothPoint>& points,
                        const std::vector<SmoothText>& texts, int firstMode, int lastMode,
                        const SmoothParams& params, AdjustToolPathFunction call,
                        std::vector<std::string>& out) {
    const size_t k = points.size();
    if (k < 3) return kSmoothTooShort;
    if (!call || k > size_t(std::numeric_limits<int>::max())) return kSmoothFailed;
    std::vector<SmoothPoint> input = points;  // the library may write into its input
    std::array<double, 12> tolerances = params.Tolerances();
    std::vector<SmoothedPoint> area;
    int written = 0;
    int result = -1;
    for (size_t attempt = 1; attempt <= 10 && result == -1; ++attempt) {
        const size_t wanted =
            attempt * 500 <= kMaxOutputRecords / k ? attempt * 500 * k : kMaxOutputRecords;
        try {
            area.assign(wanted, SmoothedPoint{});
        } catch (const std::bad_alloc&) {
            return kSmoothFailed;
        }
        written = int(wanted);
        result = call(input.data(), int(k), tolerances.data(), area.data(), &written);
    }
    if (result == -1) return kSmoothAreaTooSmall;
    if (result != 1) return kSmoothFailed;
    // Never trust the count beyond the area it was given.
    area.resize(size_t(std::clamp(written, 0, int(area.size()))));

    // The blocks: the output points of kind 1.
    std::vector<size_t> blocks;
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i].Kind == 1) blocks.push_back(i);
    // Each text goes with the nearest block that has none yet.
    std::vector<const SmoothText*> text(area.size(), nullptr);
    for (size_t i = 0; i < k && i < texts.size(); ++i) {
        if (texts[i].Empty()) continue;
        size_t best = area.size();
        double bestDistance = 0.0;
        for (size_t b : blocks) {
            if (text[b]) continue;
            const double d = std::hypot(area[b].X - points[i].X, area[b].Y - points[i].Y,
                                        area[b].Z - points[i].Z);
            if (best == area.size() || d < bestDistance) {
                best = b;
                bestDistance = d;
            }
        }
        // A text with nowhere to go would drop an N number, a compensation code or a comment.
        if (best == area.size()) return kSmoothTextLost;
        text[best] = &texts[i];
    }

    int feed = 0;
    std::vector<std::string> lines;
    lines.reserve(blocks.size());
    for (size_t n = 0; n < blocks.size(); ++n) {
        const SmoothedPoint& p = area[blocks[n]];
        std::string line = text[blocks[n]] ? text[blocks[n]]->Head : std::string();
        if (n == 0 && firstMode == 2)
            line += "G11.1";
        else if (n + 1 == blocks.size() && lastMode == 1)
            line += "G11";
        else
            line += "G01";
        const double values[5] = {p.X, p.Y, p.Z, p.C, p.A};
        for (int axis = 0; axis < 5; ++axis)
            AppendAxisWord(axis, params.Digit, line, values[axis], 0);
        if (p.F != feed) AppendAxisWord(5, params.Digit, line, 0.0, p.F);
        feed = p.F;
        if (text[blocks[n]]) line += text[blocks[n]]->Tail;
        lines.push_back(std::move(line));
    }
    out.insert(out.end(), std::make_move_iterator(lines.begin()),
               std::make_move_iterator(lines.end()));
    return kSmoothWritten;
}

int Smooth06R(NcOpsHost& host, const SmoothParams& params, std::vector<std::string>& out) {
    out.clear();
    if (host.TraceActive()) return 0;
    // One warning for the whole smoothing, not one per run.
    if (!AdjustToolPathPresent(&host.Prompt())) return 0;
    const std::vector<std::string>& lines = host.Lines();
    // The reader works on a copy of the settings: its zero G92 base never reaches the shared
    // ones, whatever happens.
    CNcReadInfo settings = host.Machine();
    settings.G92BaseInit = CxyzData(0.0, 0.0, 0.0);
    CNcRead reader(host.AppContext());
    reader.SetProgram(lines, &settings, host.Conditions(), 1);
    // A program of another form is read as converted lines, which no longer match the text.
    if (reader.Lines.size() != lines.size()) return 0;

    int start = params.StartRow, end = params.EndRow;
    ClampRange(start, end, int(lines.size()));
    const std::string& macroWord = settings.Opt[4];

    std::vector<SmoothPoint> points;
    std::vector<SmoothText> texts;
    std::vector<std::string> pending;
    int firstMode = 0, lastMode = 0;
    bool corner = false;
    double prevC = 0, prevA = 0, cornerC = 0, cornerA = 0;
    bool failed = false;
    auto endRun = [&] {
        const int r = BuildSmoothedBlocks(points, texts, firstMode, lastMode, params,
                                          &CallAdjustToolPath, out);
        if (r != kSmoothWritten) {
            if (r != kSmoothTooShort) failed = true;
            out.insert(out.end(), pending.begin(), pending.end());
        }
        points.clear();
        texts.clear();
        pending.clear();
    };

    for (int j = 0; j < int(lines.size()) && !failed; ++j) {
        const CNcReadState& st = reader.State;
        if (corner) {
            cornerC = Angle(st.ModalC);
            cornerA = Angle(st.ModalA);
        } else {
            prevC = Angle(st.ModalC);
            prevA = Angle(st.ModalA);
        }
        (void)reader.ReadBlock(nullptr, j, nullptr, nullptr, nullptr, nullptr, nullptr);
        // The reader joins a held corner to the next feed line also across lines outside the
        // range or outside a run: the flag follows it.
        const bool cornerBefore = corner;
        corner = st.HeldLineValid != 0;
        if (j < start - 1) continue;
        if (j > end - 1) break;
        const std::string& line = lines[size_t(j)];
        if (line.empty()) continue;

        const char first = line[0];
        bool special = ContainsWord(line, macroWord) || first == 'O' || first == 'W' ||
                       first == 'M' || first == '(' || reader.BlockGroups[0] == 8 ||
                       reader.ShapeGroups[kShapeG08] == 1 || reader.ShapeGroups[kShapeG08] == 4 ||
                       reader.ShapeGroups[kShapeG12] != -1;
        SmoothText text;
        if (!special && !SplitBlockText(line, text.Head, text.Tail)) special = true;
        const CxyzData& base = st.G92Base;
        const int feed = st.Feed;
        const int g11 = reader.ShapeGroups[kShapeG11];
        if (!special && reader.BlockGroups[0] == 1) {
            if (points.empty()) firstMode = 0;
            lastMode = 0;
            if (cornerBefore && reader.CornerArcMade) {
                const auto& arc = reader.CornerArc;
                // A corner pending when the run began has no point before it to move.
                if (!points.empty()) {
                    SmoothPoint& last = points.back();
                    last = Point(arc[0], base, prevC, prevA, last.Kind, last.F);
                }
                points.push_back(
                    Point(arc[1], base, (prevC + cornerC) / 2, (prevA + cornerA) / 2, 11, feed));
                texts.emplace_back();
                points.push_back(Point(arc[2], base, cornerC, cornerA, 11, feed));
                texts.emplace_back();
                prevC = cornerC;
                prevA = cornerA;
            }
            points.push_back(
                Point(st.TargetPos, base, Angle(st.ModalC), Angle(st.ModalA), 1, feed));
            texts.push_back(std::move(text));
            pending.push_back(line);
        } else if (!special && (g11 == 1 || g11 == 2)) {
            const int mode = g11 == 1 ? 2 : 1;
            if (points.empty()) firstMode = mode;
            lastMode = mode;
            points.push_back(
                Point(st.TargetPos, base, Angle(st.ModalC), Angle(st.ModalA), 11, feed));
            texts.push_back(std::move(text));
            pending.push_back(line);
        } else {
            endRun();
            out.push_back(line);
        }
    }
    if (!failed) endRun();
    if (failed) out.clear();
    return failed ? 0 : 1;
}
