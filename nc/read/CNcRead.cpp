// CNcRead: construction, the program set-up and the wiring of the tokeniser to the settings.
#include "nc/read/CNcRead.h"

#include <algorithm>
#include <fstream>

#include "nc/NcAppContext.h"
#include "nc/machine/CNcReadInfo.h"
#include "nc/machine/CPunchTool.h"
#include "nc/machine/CToolData.h"
#include "nc/read/ProgramDetection.h"
#include "nc/read/TextConversion.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {

// A colour value (red in the low byte, then green, then blue) as R, G, B.
std::array<int, 3> SplitColour(uint32_t colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

}  // namespace

CNcRead::CNcRead(const NcAppContext* app) : App(app) {
    ResetBlock();
}

void CNcRead::ResetBlock() {
    Block.Reset();
    ShapeGroups.fill(-1);
    BlockGroups.fill(-1);
    BlockM = -1;
    BlockCir = -1;
    BlockDuplicate = 0;
    CornerArcMade = 0;
}

int CNcRead::SetProgram(const std::vector<std::string>& lines, CNcReadInfo* settings,
                        CToolData* conditions, int noTextConvert) {
    Lines = lines;
    return SetUp(settings, conditions, noTextConvert);
}

int CNcRead::SetProgramShared(const std::vector<std::string>& lines, CNcReadInfo* settings,
                              CToolData* conditions, int noTextConvert) {
    Lines.Share(lines);
    return SetUp(settings, conditions, noTextConvert);
}

int CNcRead::SetUp(CNcReadInfo* settings, CToolData* conditions, int noTextConvert) {
    Settings = settings;
    Conditions = conditions;
    const int laserPunch = settings ? settings->LaserPunch : 0;
    State.NcType = laserPunch;

    LineMap.resize(Lines.size());
    for (size_t i = 0; i < LineMap.size(); ++i) LineMap[i] = static_cast<int>(i);
    ConvertFaults.clear();

    if (noTextConvert == 0) {
        ApplyTextConversion();
        if (State.NcType == kNcTypeDetect) State.NcType = DetectNcType(Lines, NcDetectionPass::A);
        NormalizePunchDialect();
    }

    State.NcType = laserPunch;
    if (State.NcType == kNcTypeDetect) State.NcType = DetectNcType(Lines, NcDetectionPass::B);

    Form = NcProgramForm::Plain;
    if (State.NcType == kNcTypeDetect || State.NcType == kNcTypeLaser) {
        if (App && IsMainProgramName(App->NcFileName)) {
            Form = NcProgramForm::MainProgram;
            State.NcType = kNcTypeLaser;
        } else if (HasJobForm(Lines)) {
            Form = NcProgramForm::Job;
            State.NcType = kNcTypeLaser;
        }
    }

    if (State.NcType == kNcTypePointList) {
        ConvertPointList();
    } else if (State.NcType == kNcTypePlotter) {
        ConvertPlotter();
    } else if (State.NcType == kNcTypeProcessInfo) {
        ConvertType5();
    } else if (Form == NcProgramForm::Job) {
        ConvertJob();
    } else if (Form == NcProgramForm::MainProgram) {
        ConvertMainProgram();
    }

    Dies = App ? App->PunchTool : nullptr;
    WriteDebugDump();

    PercentCount = 0;
    LineIndex = 0;
    LineNo = 0;
    PrevLineNo = 0;
    PrevLineNo2 = 0;
    PartNo = 0;
    WorkTime = 0;
    ResetState();
    ResetBlock();
    Block.QMode = -1;  // a new run starts without a repetition mode

    LoadWorkTime();
    return 0;
}

// Text conversion pairs of the machine file, then the condition words of the condition table,
// line by line.
void CNcRead::ApplyTextConversion() {
    const bool conditionWords = Conditions && Conditions->DrawShavColor != 0;
    const std::array<std::string_view, 3> words =
        conditionWords
            ? std::array<std::string_view, 3>{Conditions->ShavString1, Conditions->ShavString2,
                                              Conditions->ShavString3}
            : std::array<std::string_view, 3>{};
    size_t pairs = 0;
    if (Settings) {
        pairs = std::min(
            {Settings->TextFrom.size(), Settings->TextTo.size(), Settings->TextEnable.size()});
    }
    if (pairs == 0 && !conditionWords) return;
    // Lines are copied only when a pair or a word changes one.
    std::string line;
    for (size_t i = 0; i < Lines.size(); ++i) {
        line = Lines[i];
        for (size_t k = 0; k < pairs; ++k) {
            if (Settings->TextEnable[k] != 0) {
                ReplaceInLine(line, Settings->TextFrom[k], Settings->TextTo[k]);
            }
        }
        if (conditionWords) ReplaceConditionWord(line, words);
        if (line != Lines[i]) Lines.Mutable()[i] = line;
    }
}

// The state of a new run. Everything starts from its constructed value (so nothing carries
// over from an earlier run on the same object), then takes what the settings and the
// condition table give.
void CNcRead::ResetState() {
    const int ncType = State.NcType;
    State = CNcReadState{};
    State.NcType = ncType;

    CxyzData start;  // -G92BaseInit
    if (Settings) {
        start =
            CxyzData(-Settings->G92BaseInit.x, -Settings->G92BaseInit.y, -Settings->G92BaseInit.z);
        State.Incremental = Settings->AbsInc;
        State.IncrementalSaved = Settings->AbsInc;
    }
    State.ArcMidPoint = start;
    State.CirclePoint1 = start;
    State.CirclePoint2 = start;
    State.CirclePoint3 = start;
    State.G92Base = start;
    State.TargetPos = start;
    State.CurrentPos = start;
    State.LastPos = start;
    State.LastElementEnd = start;

    if (Conditions) {
        State.ConditionRGB = SplitColour(Conditions->OtherColorRGB);
        if (Conditions->RowCount() > 0) {
            State.ConditionTool = static_cast<int>(Conditions->ToolNo[0]);
            State.ConditionDiameter = platform::ParseLeadingReal(Conditions->ToolDiameter[0]);
            State.ConditionHeight = platform::ParseLeadingReal(Conditions->ToolHigh[0]);
        }
    } else {
        State.ConditionRGB = SplitColour(CToolData::kDefaultColour);
    }
    // An empty condition table leaves no row in use: ConditionTool -1, diameter and height 0.
}

// With [System] Debug set, the prepared lines go to "BA.nc" in the configuration folder.
void CNcRead::WriteDebugDump() const {
    if (!App || App->IniPath.empty()) return;
    if (platform::GetProfileInt("System", "Debug", 0, App->IniPath) == 0) return;
    std::ofstream out(App->MakeConfigPath("BA.nc"), std::ios::binary | std::ios::trunc);
    if (!out) return;
    for (const std::string& line : Lines) {
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.write("\r\n", 2);
    }
}

int CNcRead::TokenizeBlock(std::string& text, NcOptionMarks& optionMarks,
                           NcShapeGroups& shapeGroups, GCodeGroups& blockGroups, int& cir,
                           int& mCode, NcBlockWords& words, int& duplicate) {
    NcTokenizerSettings settings;
    if (Settings) {
        for (int i = 0; i < kOptionCount; ++i) settings.Opt[i] = Settings->Opt[i];
        settings.CodeMainPro = Settings->CodeLetter[0];
        settings.CodeMainSub = Settings->CodeLetter[1];
        settings.CodeMainCall = Settings->CodeLetter[2];
        settings.CodeFor = Settings->CodeLetter[3];
        settings.CodeHNumber = Settings->CodeLetter[4];
        settings.ZeroTimes = Settings->ZeroTimes;
    }
    std::array<NcTapCodes, kMaxTapTools> taps;
    if (Dies) {
        const int count = std::clamp(Dies->TapCount, 0, kMaxTapTools);
        for (int i = 0; i < count; ++i) {
            taps[i] = {Dies->TapTools[i].StartCode, Dies->TapTools[i].EndCode};
        }
        settings.TapTools = std::span<const NcTapCodes>(taps.data(), static_cast<size_t>(count));
    }
    return ::TokenizeBlock(text, settings, State, optionMarks, shapeGroups, blockGroups, cir, mCode,
                           words, duplicate);
}
