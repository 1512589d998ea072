// CPunchTool: construction, file names, sorting, look-ups and messages.
#include "nc/machine/CPunchTool.h"

#include <algorithm>
#include <system_error>

#include "nc/NcAppContext.h"
#include "nc/machine/DieFileIo.h"
#include "nc/machine/DieFileNames.h"
#include "nc/machine/DieMessages.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace {
constexpr size_t kFileNameMax = 255;
constexpr std::string_view kPunchSection = "Punch";
constexpr std::string_view kPossessedKey = "PossessedToolFileName";
constexpr std::string_view kArrangedKey = "ArrangedToolFileName";

template <typename T>
int Order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}
}  // namespace

CPunchTool::CPunchTool(const NcAppContext* context) : Dies(kMaxDies), context_(context) {}

int CPunchTool::LoadFileNames(const std::filesystem::path& machineFile) {
    platform::ProfileFile ini;
    ini.Load(machineFile);
    PossessedToolFileName = ini.GetString(kPunchSection, kPossessedKey, "pch_tool.dat");
    ArrangedToolFileName = ini.GetString(kPunchSection, kArrangedKey, "sample.arr");
    diefile::CutText(PossessedToolFileName, kFileNameMax);
    diefile::CutText(ArrangedToolFileName, kFileNameMax);
    if (context_) {
        context_->ExpandLocalAppPath(PossessedToolFileName);
        context_->ExpandLocalAppPath(ArrangedToolFileName);
    }
    return 1;
}

int CPunchTool::SaveFileNames(const std::filesystem::path& machineFile) {
    std::string possessed = PossessedToolFileName;
    std::string arranged = ArrangedToolFileName;
    if (context_) {
        context_->CollapseLocalAppPath(possessed);
        context_->CollapseLocalAppPath(arranged);
    }
    platform::ProfileFile ini;
    ini.Load(machineFile);
    ini.Set(kPunchSection, kPossessedKey, possessed);
    ini.Set(kPunchSection, kArrangedKey, arranged);
    return ini.Save(machineFile) ? 1 : 0;
}

std::filesystem::path CPunchTool::PossessedPath() const {
    return ResolveName(PossessedToolFileName);
}

std::filesystem::path CPunchTool::ArrangementPath() const {
    return ResolveName(ArrangedToolFileName);
}

std::filesystem::path CPunchTool::CurrentMachineFile() const {
    return MachineFileName ? std::filesystem::path(MachineFileName()) : std::filesystem::path();
}

std::filesystem::path CPunchTool::ResolveName(std::string_view name) const {
    return diefile::ResolveName(name, context_ ? context_->ConfigFolder : std::filesystem::path(),
                                CurrentMachineFile());
}

std::string CPunchTool::StoredName(const std::filesystem::path& file,
                                   std::string_view previous) const {
    return diefile::StoredName(file, previous,
                               context_ ? context_->ConfigFolder : std::filesystem::path(),
                               CurrentMachineFile());
}

void CPunchTool::ReloadDieFiles() {
    std::error_code ec;
    const auto absent = [&ec](const std::string& name, const std::filesystem::path& path) {
        return !name.empty() && !std::filesystem::exists(path, ec);
    };
    if (const std::filesystem::path possessed = PossessedPath();
        absent(PossessedToolFileName, possessed))
        (void)ReadPossessedFile(possessed);
    else
        ReadWritePossessed(1);
    if (const std::filesystem::path arranged = ArrangementPath();
        absent(ArrangedToolFileName, arranged))
        (void)ReadArrangementFile(arranged);
    else
        ReadWriteArrangement(1);
}

int CPunchTool::SortDies(int k1, int k2, int k3, int k4, int k5, int k6, int k7) {
    const std::array<int, 7> keys{k1, k2, k3, k4, k5, k6, k7};
    DialogState.SortKeys = keys;
    int count = std::clamp<int>(Header.DieCount, 0, static_cast<int>(Dies.size()));
    std::stable_sort(
        Dies.begin(), Dies.begin() + count,
        [&keys](const DieRecord& a, const DieRecord& b) { return CompareDies(a, b, keys) < 0; });
    return 0;
}

int CPunchTool::CompareDies(const DieRecord& a, const DieRecord& b,
                            const std::array<int, 7>& keys) {
    for (int key : keys) {
        int c = 0;
        switch (key) {
            case 1:
                c = Order(a.Number, b.Number);
                break;
            case 2:
                c = Order(a.Range, b.Range);
                break;
            case 3:
                c = Order(a.Shape, b.Shape);
                break;
            case 4:
                c = Order(a.SizeX, b.SizeX);
                if (c == 0) c = Order(a.SizeY, b.SizeY);
                if (c == 0) c = Order(a.SizeR, b.SizeR);
                if (c == 0) c = Order(a.Angle, b.Angle);
                break;
            case 5:
                c = Order(a.Usage, b.Usage);
                break;
            case 6:
                c = Order(a.Air, b.Air);
                break;
            case 7:
                c = Order(b.Placed, a.Placed);
                break;  // placed dies first
            default:
                break;
        }
        if (c != 0) return c;
    }
    return 0;
}

int CPunchTool::FindDieIndex(int number) const {
    int count = std::clamp<int>(Header.DieCount, 0, static_cast<int>(Dies.size()));
    for (int i = 0; i < count; ++i)
        if (Dies[i].Number == number) return i;
    return -1;
}

const DieRecord* CPunchTool::FindDie(int number) const {
    int i = FindDieIndex(number);
    return i < 0 ? nullptr : &Dies[i];
}

int CPunchTool::GetDieOfStation(int stationNo) const {
    return GetStationDangerZone(stationNo, nullptr, nullptr);
}

int CPunchTool::GetStationDangerZone(int stationNo, double* width, double* height) const {
    int count = std::clamp(Arrangement.StationCount, 0, kMaxStations);
    for (int i = 0; i < count; ++i) {
        const StationRecord& s = Arrangement.Stations[i];
        if (s.StationNo != stationNo) continue;
        if (width) *width = s.DangerWidth;
        if (height) *height = s.DangerHeight;
        return s.Die.Number < 0 ? -1 : s.Die.Number;
    }
    return -1;
}

void CPunchTool::CollectTapTools() {
    TapCount = 0;
    TapTools.fill(CTapTool{});
    int count = std::clamp(Arrangement.StationCount, 0, kMaxStations);
    for (int i = 0; i < count && TapCount < kMaxTapTools; ++i) {
        const StationRecord& s = Arrangement.Stations[i];
        if (s.StationNo != 0 || s.StartCode.empty() || s.EndCode.empty()) continue;
        const DieRecord* die = FindDie(s.Die.Number);
        if (!die || die->Shape != kShapeTapping) continue;
        CTapTool& tool = TapTools[TapCount++];
        tool.DieNumber = die->Number;
        tool.StartCode = s.StartCode;
        tool.EndCode = s.EndCode;
    }
}

void CPunchTool::ShowFileError(int id, const std::filesystem::path& file, int lines) const {
    ShowStopText(diemsg::FileErrorText(id, file.string(), lines));
}

void CPunchTool::ShowStopText(std::string_view text) const {
    if (!context_ || !context_->Prompt) return;
    context_->Prompt->Message(text, platform::PromptIcon::Error, platform::PromptButtons::Ok);
}

bool CPunchTool::Ask(int id, std::string_view arg) const {
    // Without anyone to ask, nothing is written.
    if (!context_ || !context_->Prompt) return false;
    std::string text = diemsg::Fill(diemsg::Text(id), {arg});
    return context_->Prompt->Message(text, platform::PromptIcon::Warning,
                                     platform::PromptButtons::YesNo) == platform::PromptAnswer::Yes;
}
