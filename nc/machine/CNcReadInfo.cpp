// Machine file reading and writing: every key, its default and its write-back.
#include "nc/machine/CNcReadInfo.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <system_error>
#include <utility>

#include "nc/NcAppContext.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/MachineStrings.h"
#include "nc/machine/ProfileText.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;
using platform::FormatInt;
using platform::FormatReal;
using platform::ProfileFile;

namespace {

constexpr const char* kNcRead = "NcRead";
constexpr const char* kShiftCoord = "ShiftCoord";
constexpr const char* kInsertStr = "InsertStr";

// Key prefixes of the six pen classes, in the order of NcPenClass.
constexpr const char* kPenPrefix[PenClassCount] = {"FF", "Mark", "Cut", "In", "Out", "Punch"};
constexpr int kPenColour[PenClassCount][3] = {{255, 255, 255}, {255, 255, 255}, {0, 255, 255},
                                              {0, 255, 255},   {0, 255, 255},   {0, 255, 255}};
constexpr int kPenWide[PenClassCount] = {1, 2, 2, 2, 2, 2};
constexpr int kPenKind[PenClassCount] = {1, 0, 0, 0, 0, 0};
constexpr const char* kRgb[3] = {"R", "G", "B"};

constexpr const char* kCodeKey[5] = {"CodeMainPro", "CodeMainSub", "CodeMainCall", "CodeFor",
                                     "CodeHNumber"};
constexpr char kCodeDefault[5] = {'O', 'O', 'P', 'D', 'H'};
constexpr const char* kOptKey[5] = {"OptSubCall", "OptSubBack", "OptMarkOn", "OptCutOn",
                                    "OptSubCall2"};
constexpr const char* kOptDefault[5] = {"M98", "M99", "M09", "M100", "G65"};

constexpr const char* kShiftLetters = "XYZCAUB";
constexpr double kClampDefault[4] = {400.0, 800.0, 0.0, 0.0};
constexpr double kHolderXDefault[3] = {-200.0, 200.0, 0.0};

// Buffer limits of the original reads, as characters without the terminating zero.
constexpr size_t kCodeChars = 15;
constexpr size_t kPairChars = 255;
constexpr size_t kShiftChars = 255;
constexpr size_t kTitleChars = 32;
constexpr size_t kPhraseChars = 128;

std::string Suffix3(int i) {
    std::string s = FormatInt(i);
    while (s.size() < 3) s.insert(s.begin(), '0');
    return s;
}

std::string TextConvertSection(int n) {
    return "TextConvert" + Suffix3(n);
}

// The number of a "TextConvert<digits>" section name, or -1 for any other name.
long long TextConvertNumber(std::string_view name) {
    constexpr std::string_view prefix = "TextConvert";
    if (name.size() <= prefix.size()) return -1;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = name[i];
        if (a >= 'A' && a <= 'Z') a = char(a - 'A' + 'a');
        char b = prefix[i];
        if (b >= 'A' && b <= 'Z') b = char(b - 'A' + 'a');
        if (a != b) return -1;
    }
    auto n = platform::ParseInt(name.substr(prefix.size()));
    if (!n || *n < 0) return -1;
    for (char c : name.substr(prefix.size()))
        if (c < '0' || c > '9') return -1;
    return *n;
}

// No coordinate or size of a machine comes near 10 km: a value beyond it is garbage that would
// shrink the drawing to nothing (or overflow into infinity in the views).
constexpr double kMachineValueLimit = 1e7;
// Pens are a few pixels wide; beyond this a width is garbage.
constexpr int kMaxPenWidth = 100;

// Whether a value names a non-finite number ("nan", "inf", "-Infinity"), which atof would take.
bool NamesNonFinite(std::string_view text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    std::string word;
    for (; i < text.size() && word.size() < 3; ++i) word += lower(text[i]);
    return word == "nan" || word == "inf";
}

// Reals are read as text and taken as atof takes them (in C notation): a missing key gives
// the default text's value, a malformed one its leading number or 0. A value that is not a
// finite number, or is beyond kMachineValueLimit, gives the default and is listed in bad as
// "[section] key".
double ReadReal(const ProfileFile& p, std::vector<std::string>& bad, std::string_view section,
                std::string_view key, std::string_view defText) {
    const std::string text = p.GetString(section, key, defText);
    const double v = platform::ParseLeadingReal(text);
    if (!NamesNonFinite(text) && std::isfinite(v) && std::fabs(v) <= kMachineValueLimit) return v;
    bad.push_back("[" + std::string(section) + "] " + std::string(key));
    return platform::ParseLeadingReal(defText);
}

std::string ReadText(const ProfileFile& p, std::string_view section, std::string_view key,
                     std::string_view def, size_t maxChars) {
    return CutToBuffer(p.GetString(section, key, def), maxChars);
}

void HandOverDieFileNamesOnLoad(const NcAppContext* ctx, const fs::path& file) {
    if (ctx && ctx->PunchTool) ctx->PunchTool->LoadFileNames(file);
}

// 1 done (or no die data to ask), 0 when the die data could not write its keys.
int HandOverDieFileNamesOnSave(const NcAppContext* ctx, const fs::path& file) {
    return ctx && ctx->PunchTool ? ctx->PunchTool->SaveFileNames(file) : 1;
}

}  // namespace

CNcReadInfo::CNcReadInfo(const NcAppContext* ctx, fs::path workingCopy)
    : ctx_(ctx), workingCopy_(std::move(workingCopy)) {
    SetDefaults();
}

void CNcReadInfo::Attach(const NcAppContext* ctx, fs::path workingCopy) {
    ctx_ = ctx;
    workingCopy_ = std::move(workingCopy);
}

fs::path CNcReadInfo::MachineFilePath() const {
    return ctx_ ? ctx_->MakeConfigPath(FileName) : fs::path(FileName);
}

void CNcReadInfo::SetDefaults() {
    TextFrom.clear();
    TextTo.clear();
    TextEnable.clear();
    for (int c = 0; c < PenClassCount; ++c) {
        for (int k = 0; k < 3; ++k) Pen[c][k] = kPenColour[c][k];
        PenWide[c] = kPenWide[c];
        PenKind[c] = kPenKind[c];
    }
    for (int i = 0; i < 5; ++i) {
        Code[i] = {kCodeDefault[i], '\0'};
        CodeLetter[i] = kCodeDefault[i];
        Opt[i] = kOptDefault[i];
    }
    OptProgStop = "M00";
    AbsInc = 0;
    ArcAbsInc = 1;
    ZeroTimes = 1000;
    G92BaseInit.x = 0.0;
    G92BaseInit.y = 0.0;
    G92BaseInit.z = 50.0;
    PunchNcType = 0;
    HeadType = 1;
    LaserPunch = 0;
    FrameDisp = 0;
    FrameX = 1840.0;
    FrameY = 1270.0;
    FrameXmin = 0.0;
    FrameYmin = 0.0;
    for (int i = 0; i < 4; ++i) ClampPoint[i] = kClampDefault[i];
    ClampSizeX = 100.0;
    ClampSizeY = 20.0;
    HolderCount = 2;
    for (int i = 0; i < 3; ++i) {
        HolderR[i] = 42.0;
        HolderX[i] = kHolderXDefault[i];
        HolderY[i] = 0.0;
    }
    SheetFrame = {FrameX,        FrameY,        FrameXmin,     FrameYmin,
                  ClampPoint[0], ClampPoint[1], ClampPoint[2], ClampPoint[3]};
    SHL_OverMin = 0.05;
    In_AbsInc = 0;
    StartLineNo = -1;
    EndLineNo = -1;
    MacroProc = 0;
    G52Proc = 0;
    for (int i = 0; i < 7; ++i) {
        Permit[i] = 0;
        Offset[i] = 0.0;
        OffsetString[i] = std::string(1, kShiftLetters[i]);
        Axis[i] = std::string(1, kShiftLetters[i]);
    }
    NcFigure = 3;
    ZeroSuppress = 1;
    IgnorePercent = 0;
    for (int i = 0; i < 8; ++i) {
        Comment[i].clear();
        String[i].clear();
    }
}

int CNcReadInfo::LoadMachineFile(int useWorkingCopy) {
    if (useWorkingCopy) {
        if (workingCopy_.empty()) return 0;
        return LoadFrom(workingCopy_);
    }
    fs::path file = MachineFilePath();
    if (!workingCopy_.empty()) {
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) {
            fs::copy_file(file, workingCopy_, fs::copy_options::overwrite_existing, ec);
        } else {
            // The working copy must not keep the previous machine's keys while the settings in
            // memory are the defaults of a missing file: the settings dialog would show the
            // old machine and write it back under the new name.
            std::ofstream(workingCopy_, std::ios::binary | std::ios::trunc);
        }
    }
    return LoadFrom(file);
}

int CNcReadInfo::SaveMachineFile(int useWorkingCopy) {
    if (useWorkingCopy) {
        if (workingCopy_.empty()) return 0;
        return SaveTo(workingCopy_);
    }
    return SaveTo(MachineFilePath());
}

int CNcReadInfo::LoadFrom(const fs::path& file) {
    ProfileFile p;
    const bool exists = p.Load(file);
    if (ctx_) ReportUnreadableSettings(p, file, ctx_->Prompt);
    std::vector<std::string> bad;  // keys whose values are no usable numbers

    for (int c = 0; c < PenClassCount; ++c) {
        std::string pen = std::string(kPenPrefix[c]) + "Pen";
        for (int k = 0; k < 3; ++k) Pen[c][k] = p.GetInt(kNcRead, pen + kRgb[k], kPenColour[c][k]);
        PenKind[c] = p.GetInt(kNcRead, pen + "Kind", kPenKind[c]);
        PenWide[c] = p.GetInt(kNcRead, pen + "Wide", kPenWide[c]);
        // A pen wider than any screen (or negative) draws nothing useful: garbage as well.
        if (PenWide[c] < 0 || PenWide[c] > kMaxPenWidth) {
            bad.push_back(std::string("[") + kNcRead + "] " + pen + "Wide");
            PenWide[c] = kPenWide[c];
        }
    }
    AbsInc = p.GetInt(kNcRead, "AbsInc", 0);
    ArcAbsInc = p.GetInt(kNcRead, "ArcAbsInc", 1);
    ZeroTimes = p.GetInt(kNcRead, "ZeroTimes", 1000);
    // Every coordinate written without a point is divided by it.
    if (ZeroTimes <= 0) ZeroTimes = 1000;

    for (int i = 0; i < 5; ++i) {
        std::string code = ReadText(p, kNcRead, kCodeKey[i], std::string(1, kCodeDefault[i]), 1);
        Code[i] = {code.empty() ? '\0' : code[0], '\0'};
        Opt[i] = ReadText(p, kNcRead, kOptKey[i], kOptDefault[i], kCodeChars);
    }
    OptProgStop = ReadText(p, kNcRead, "OptProgStop", "M00", kCodeChars);
    for (int i = 0; i < 5; ++i) CodeLetter[i] = Code[i][0];

    G92BaseInit.x = ReadReal(p, bad, kNcRead, "G92BaseInitX", "0.00");
    G92BaseInit.y = ReadReal(p, bad, kNcRead, "G92BaseInitY", "0.00");
    G92BaseInit.z = ReadReal(p, bad, kNcRead, "G92BaseInitZ", "50.0");

    TextFrom.clear();
    TextTo.clear();
    TextEnable.clear();
    for (int n = 0;; ++n) {
        std::string section = TextConvertSection(n);
        std::string from = ReadText(p, section, "From", "", kPairChars);
        if (from.empty()) break;
        TextFrom.push_back(std::move(from));
        TextTo.push_back(ReadText(p, section, "To", "", kPairChars));
        TextEnable.push_back(static_cast<uint32_t>(p.GetInt(section, "Enable", 0)));
    }

    HeadType = p.GetInt(kNcRead, "HeadType", 1);
    LaserPunch = p.GetInt(kNcRead, "LaserPunch", 0);
    PunchNcType = p.GetInt(kNcRead, "PunchNcType", 0);

    // The die file names follow the machine file.
    HandOverDieFileNamesOnLoad(ctx_, file);

    FrameDisp = static_cast<int>(platform::ParseLeadingInt(p.GetString(kNcRead, "FrameDisp", "0")));
    FrameX = ReadReal(p, bad, kNcRead, "FrameX", "1840.00");
    FrameY = ReadReal(p, bad, kNcRead, "FrameY", "1270.00");
    FrameXmin = ReadReal(p, bad, kNcRead, "FrameXmin", "0.00");
    FrameYmin = ReadReal(p, bad, kNcRead, "FrameYmin", "0.00");
    ClampSizeX = ReadReal(p, bad, kNcRead, "ClampSizeX", "100.00");
    ClampSizeY = ReadReal(p, bad, kNcRead, "ClampSizeY", "20.00");
    for (int i = 0; i < 4; ++i)
        ClampPoint[i] = ReadReal(p, bad, kNcRead, "ClampPoint" + FormatInt(i + 1),
                                 FormatReal(kClampDefault[i], 2));
    HolderCount =
        static_cast<int>(platform::ParseLeadingInt(p.GetString(kNcRead, "HolderCount", "2")));
    for (int i = 0; i < 3; ++i) {
        std::string n = FormatInt(i + 1);
        HolderR[i] = ReadReal(p, bad, kNcRead, "HolderR" + n, "42.0");
        HolderX[i] = ReadReal(p, bad, kNcRead, "HolderX" + n, FormatReal(kHolderXDefault[i], 1));
        HolderY[i] = ReadReal(p, bad, kNcRead, "HolderY" + n, "0.0");
    }
    SHL_OverMin = ReadReal(p, bad, kNcRead, "SHL_OverMin", "0.05");
    In_AbsInc = p.GetInt(kNcRead, "In_AbsInc", 0);

    // Both keys are present in the file after a load. A missing file is not created here: a
    // machine named by a mistyped directive would otherwise appear as a file of two keys. A
    // file holding garbage numbers is left as it is: the user was told and corrects it.
    if (exists && bad.empty()) {
        std::string before = p.Text();
        p.Set(kNcRead, "SHL_OverMin", FormatReal(SHL_OverMin, 3));
        p.Set(kNcRead, "In_AbsInc", FormatInt(In_AbsInc));
        if (p.Text() != before) p.Save(file);
    }

    StartLineNo = p.GetInt(kShiftCoord, "StartLineNo", -1);
    EndLineNo = p.GetInt(kShiftCoord, "EndLineNo", -1);
    MacroProc = p.GetInt(kShiftCoord, "MacroProc", 0);
    G52Proc = p.GetInt(kShiftCoord, "G52Proc", 0);
    for (int i = 0; i < 7; ++i) {
        std::string n = Suffix3(i);
        std::string letter(1, kShiftLetters[i]);
        Permit[i] = p.GetInt(kShiftCoord, "Permit" + n, 0);
        Offset[i] = ReadReal(p, bad, kShiftCoord, "Offset" + n, "0.0");
        OffsetString[i] = ReadText(p, kShiftCoord, "OffsetString" + n, letter, kShiftChars);
        Axis[i] = ReadText(p, kShiftCoord, "Axis" + n, letter, kShiftChars);
    }

    SheetFrame = {FrameX,        FrameY,        FrameXmin,     FrameYmin,
                  ClampPoint[0], ClampPoint[1], ClampPoint[2], ClampPoint[3]};

    NcFigure = p.GetInt(kNcRead, "NcFigure", 3);
    ZeroSuppress = p.GetInt(kNcRead, "ZeroSuppress", 1);
    IgnorePercent = p.GetInt(kNcRead, "IgnorePercent", 0);

    for (int i = 0; i < 8; ++i) {
        std::string n = FormatInt(i + 1);
        Comment[i] = ReadText(p, kInsertStr, "Comment" + n, "", kTitleChars);
        String[i] = ReadText(p, kInsertStr, "String" + n, "", kPhraseChars);
    }
    if (!bad.empty() && ctx_) {
        std::string keys;
        for (const std::string& k : bad) keys += k + "\n";
        ShowMachineMessage(ctx_->Prompt, machine_strings::kSettingsBadNumbers,
                           platform::PromptIcon::Warning, {file.string(), keys});
    }
    return exists ? 1 : 0;
}

int CNcReadInfo::SaveTo(const fs::path& file) {
    ProfileFile p;
    p.Load(file);  // keeps the sections of other owners ([Punch], [ExtractSub], ...)
    auto setInt = [&](std::string_view section, std::string_view key, long v) {
        p.Set(section, key, FormatInt(v));
    };
    auto setReal = [&](std::string_view section, std::string_view key, double v) {
        p.Set(section, key, FormatReal(v, 3));
    };

    p.Set("Version", "Version", "1");
    for (int c = 0; c < PenClassCount; ++c) {
        std::string pen = std::string(kPenPrefix[c]) + "Pen";
        for (int k = 0; k < 3; ++k) setInt(kNcRead, pen + kRgb[k], Pen[c][k]);
    }
    for (int c = 0; c < PenClassCount; ++c)
        setInt(kNcRead, std::string(kPenPrefix[c]) + "PenKind", PenKind[c]);
    for (int c = 0; c < PenClassCount; ++c)
        setInt(kNcRead, std::string(kPenPrefix[c]) + "PenWide", PenWide[c]);
    setInt(kNcRead, "AbsInc", AbsInc);
    setInt(kNcRead, "ArcAbsInc", ArcAbsInc);
    setInt(kNcRead, "ZeroTimes", ZeroTimes);
    for (int i = 0; i < 5; ++i) p.Set(kNcRead, kCodeKey[i], std::string(Code[i].data()));
    for (int i = 0; i < 5; ++i) p.Set(kNcRead, kOptKey[i], Opt[i]);
    // Written too, so that a save-as to a new file keeps the program stop code.
    p.Set(kNcRead, "OptProgStop", OptProgStop);
    setReal(kNcRead, "G92BaseInitX", G92BaseInit.x);
    setReal(kNcRead, "G92BaseInitY", G92BaseInit.y);
    setReal(kNcRead, "G92BaseInitZ", G92BaseInit.z);

    // A pair without a From text would end the list on the next load and lose every pair
    // behind it, so such pairs are not written (they could never be read back anyway).
    const size_t count = std::min({TextFrom.size(), TextTo.size(), TextEnable.size()});
    size_t pairs = 0;
    for (size_t n = 0; n < count; ++n) {
        if (TextFrom[n].find_first_not_of(" \t") == std::string::npos) continue;
        std::string section = TextConvertSection(static_cast<int>(pairs++));
        p.Set(section, "From", TextFrom[n]);
        p.Set(section, "To", TextTo[n]);
        p.Set(section, "Enable", FormatInt(TextEnable[n]));
    }
    // Sections beyond the pairs would come back on the next load (also after a gap, once the
    // list grows into it), so deleted pairs are removed from the file.
    for (const std::string& name : p.SectionNames()) {
        long long n = TextConvertNumber(name);
        if (n >= 0 && static_cast<size_t>(n) >= pairs) p.DeleteSection(name);
    }

    setInt(kNcRead, "LaserPunch", LaserPunch);
    setInt(kNcRead, "PunchNcType", PunchNcType);
    setInt(kNcRead, "HeadType", HeadType);
    setInt(kNcRead, "FrameDisp", FrameDisp);
    setReal(kNcRead, "FrameX", FrameX);
    setReal(kNcRead, "FrameY", FrameY);
    setReal(kNcRead, "FrameXmin", FrameXmin);
    setReal(kNcRead, "FrameYmin", FrameYmin);
    setReal(kNcRead, "ClampSizeX", ClampSizeX);
    setReal(kNcRead, "ClampSizeY", ClampSizeY);
    for (int i = 0; i < 4; ++i) setReal(kNcRead, "ClampPoint" + FormatInt(i + 1), ClampPoint[i]);
    setInt(kNcRead, "HolderCount", HolderCount);
    for (int i = 0; i < 3; ++i) setReal(kNcRead, "HolderR" + FormatInt(i + 1), HolderR[i]);
    for (int i = 0; i < 3; ++i) setReal(kNcRead, "HolderX" + FormatInt(i + 1), HolderX[i]);
    for (int i = 0; i < 3; ++i) setReal(kNcRead, "HolderY" + FormatInt(i + 1), HolderY[i]);
    setReal(kNcRead, "SHL_OverMin", SHL_OverMin);
    setInt(kNcRead, "In_AbsInc", In_AbsInc);

    setInt(kShiftCoord, "StartLineNo", StartLineNo);
    setInt(kShiftCoord, "EndLineNo", EndLineNo);
    setInt(kShiftCoord, "MacroProc", MacroProc);
    setInt(kShiftCoord, "G52Proc", G52Proc);
    for (int i = 0; i < 7; ++i) {
        std::string n = Suffix3(i);
        setInt(kShiftCoord, "Permit" + n, Permit[i]);
        setReal(kShiftCoord, "Offset" + n, Offset[i]);
        p.Set(kShiftCoord, "OffsetString" + n, OffsetString[i]);
        p.Set(kShiftCoord, "Axis" + n, Axis[i]);
    }
    setInt(kNcRead, "NcFigure", NcFigure);
    setInt(kNcRead, "ZeroSuppress", ZeroSuppress);
    setInt(kNcRead, "IgnorePercent", IgnorePercent);
    for (int i = 0; i < 8; ++i) {
        std::string n = FormatInt(i + 1);
        p.Set(kInsertStr, "Comment" + n, Comment[i]);
        p.Set(kInsertStr, "String" + n, String[i]);
    }
    if (!p.Save(file)) return 0;
    // The die data writes its [Punch] keys into the finished file.
    return HandOverDieFileNamesOnSave(ctx_, file);
}
