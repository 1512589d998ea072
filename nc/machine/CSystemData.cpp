// System settings: [System] keys, the current machine file name and the working copy.
#include "nc/machine/CSystemData.h"

#include <string_view>
#include <system_error>

#include "nc/NcAppContext.h"
#include "nc/machine/MachineStrings.h"
#include "nc/machine/ProfileText.h"
#include "platform/Numbers.h"
#include "platform/OwnedTempFiles.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;
using platform::FormatInt;
using platform::ProfileFile;

namespace {

constexpr size_t kNameChars = 255;

constexpr std::string_view kWorkingCopyPrefix = "Morv";

// A new empty file of its own in the temporary folder. Each instance gets its own: a shared
// fixed name would let two running programs overwrite each other's machine edits. The file is
// named after the running process, so that the copies of programs that were killed (and never
// ran their destructor) are removed at the next start, and only those.
fs::path MakeWorkingCopy() {
    platform::RemoveStaleOwnedTempFiles(kWorkingCopyPrefix);
    return platform::CreateOwnedOrPlainTempFile(kWorkingCopyPrefix);
}

}  // namespace

CSystemData::CSystemData(const NcAppContext* ctx)
    : NcReadInfo(ctx), ToolData(ctx), WorkingCopyPath(MakeWorkingCopy()), ctx_(ctx) {
    NcReadInfo.Attach(ctx, WorkingCopyPath);
}

CSystemData::~CSystemData() {
    if (!WorkingCopyPath.empty()) {
        std::error_code ec;
        fs::remove(WorkingCopyPath, ec);
    }
}

int CSystemData::LoadSystemKeys() {
    ProfileFile p;
    fs::path ini = ctx_ ? ctx_->IniPath : fs::path();
    if (!ini.empty()) p.Load(ini);
    if (ctx_) ReportUnreadableSettings(p, ini, ctx_->Prompt);

    for (int i = 0; i < 2; ++i) {
        std::string n = "00" + FormatInt(i);
        AppName[i] = CutToBuffer(p.GetString("System", "AppName" + n, ""), kNameChars);
        AppParameter[i] = CutToBuffer(p.GetString("System", "AppParameter" + n, ""), kNameChars);
    }
    ForbidDuplicateApp = p.GetInt("System", "ForbidDuplicateApp", 0);
    DeleteBlankForSave = p.GetInt("System", "DeleteBlankForSave", 0);
    ForbidPunchApp = p.GetInt("System", "ForbidPunchApp", 0);
    ForbidSheetRead = p.GetInt("System", "ForbidSheetRead", 0);
    CreateBackupFile = p.GetInt("System", "CreateBackupFile", ForbidSheetRead ? 0 : 1);
    AppMachineType = static_cast<int16_t>(p.GetInt("System", "AppMachineType", 0));

    // These keys are always present after a load.
    if (!ini.empty()) {
        std::string before = p.Text();
        p.Set("System", "ForbidPunchApp", FormatInt(ForbidPunchApp));
        p.Set("System", "ForbidSheetRead", FormatInt(ForbidSheetRead));
        p.Set("System", "AppMachineType", FormatInt(AppMachineType));
        if (p.Text() != before) p.Save(ini);
    }

    return 1;
}

std::string CSystemData::ConfiguredMachineName() const {
    ProfileFile p;
    if (ctx_ && !ctx_->IniPath.empty()) p.Load(ctx_->IniPath);
    std::string name = CutToBuffer(
        p.GetString("NcRead", "FileName", MachineString(machine_strings::kDefaultMachineFile)),
        kNameChars);
    if (ctx_) ctx_->ExpandLocalAppPath(name);
    return name;
}

fs::path CSystemData::ConfiguredMachinePath() const {
    const std::string name = ConfiguredMachineName();
    return (ctx_ ? ctx_->MakeConfigPath(name) : fs::path(name)).lexically_normal();
}

int CSystemData::LoadConfiguredMachine() {
    NcReadInfo.FileName = ConfiguredMachineName();
    NcReadInfo.LoadMachineFile(0);
    ToolData.Load();
    return 1;
}

int CSystemData::Load() {
    LoadSystemKeys();
    return LoadConfiguredMachine();
}

int CSystemData::Save() {
    if (!ctx_ || ctx_->IniPath.empty()) return 0;
    ProfileFile p;
    p.Load(ctx_->IniPath);
    p.Set("Version", "Version", "1");
    for (int i = 0; i < 2; ++i) {
        std::string n = "00" + FormatInt(i);
        p.Set("System", "AppName" + n, AppName[i]);
        p.Set("System", "AppParameter" + n, AppParameter[i]);
    }
    p.Set("System", "ForbidDuplicateApp", FormatInt(ForbidDuplicateApp));
    p.Set("System", "DeleteBlankForSave", FormatInt(DeleteBlankForSave));
    p.Set("System", "CreateBackupFile", FormatInt(CreateBackupFile));
    p.Set("System", "ForbidPunchApp", FormatInt(ForbidPunchApp));
    p.Set("System", "ForbidSheetRead", FormatInt(ForbidSheetRead));
    p.Set("System", "AppMachineType", FormatInt(AppMachineType));
    std::string name = NcReadInfo.FileName;
    ctx_->CollapseLocalAppPath(name);
    p.Set("NcRead", "FileName", name);
    bool ok = p.Save(ctx_->IniPath);
    if (!NcReadInfo.SaveMachineFile(0)) ok = false;
    return ok ? 1 : 0;
}
