// Choosing the configuration folder and moving older settings into it.
#include "app/core/CConfigFolder.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "app/core/AppMessages.h"
#include "platform/Numbers.h"
#include "platform/Profile.h"

namespace fs = std::filesystem;

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool IsSep(char c) {
    return c == '/' || c == '\\';
}

// Windows wildcard match, ignoring ASCII case; "*.*" matches every name.
bool MatchMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") return true;
    size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || Lower(mask[m]) == Lower(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

fs::path WithSep(const fs::path& p) {
    return p.empty() ? p : p / "";
}

// Moves a file, replacing the target; across file systems it copies and removes.
bool MoveReplacing(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (!ec) return true;
    ec.clear();
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec) || ec) return false;
    fs::remove(from, ec);
    return true;
}

// The 33 values older versions kept in the registry profile, in the order they are copied.
struct ProfileValue {
    const char* section;
    const char* key;
    int def;
    bool isString;
};
constexpr ProfileValue kProfileValues[] = {
    {"06RSmoothDlg", "PositionX", -1, false},
    {"06RSmoothDlg", "PositionY", -1, false},
    {"AxisRotateDlg", "PositionX", -1, false},
    {"AxisRotateDlg", "PositionY", -1, false},
    {"AxisRotateDlg", "RealTimeUpdate", 1, false},
    {"AxisRotateDlg", "MouseOperation", 1, false},
    {"MainView", "ViewType", 0, false},
    {"MainView", "TraceTime", 1, false},
    {"MainView", "CtrlSwitch", 0, false},
    {"MainView", "EdgeDisp", 0, false},
    {"MainView", "ACAxis", 0, false},
    {"MainView", "XYZAxis", 1, false},
    {"NcInfoView", "SizeX", 272, false},
    {"NcInfoView", "SizeY", 155, false},
    {"NcTextView", "SizeX", 272, false},
    {"NcTextView", "SizeY", 25, false},
    {"Tool Bars", "DispText", 0, false},
    {"System", "BeforeOpenFileName", 0, true},
    {"ManMoveDlg", "PositionX", -1, false},
    {"ManMoveDlg", "PositionY", -1, false},
    {"NcTextView", "ColumnWidth0", 25, false},
    {"NcTextView", "ColumnWidth1", 50, false},
    {"NcTextView", "ColumnWidth2", 350, false},
    {"SetMachine4", "LV_ColumnWidth0", 15, false},
    {"SetMachine4", "LV_ColumnWidth1", 170, false},
    {"SetMachine4", "LV_ColumnWidth2", 186, false},
    {"SetMachinSheet", "ActivePage", 0, false},
    {"SetSystemSheet", "ActivePage", 0, false},
    {"SetToolDlg", "ColumnWidth0", 100, false},
    {"SetToolDlg", "ColumnWidth1", 100, false},
    {"SetToolDlg", "ColumnWidth2", 100, false},
    {"SetToolDlg", "ColumnWidth3", 100, false},
    {"SetToolDlg", "ColumnWidth4", 50, false},
};
static_assert(std::size(kProfileValues) == 33);

constexpr const char* kMasks[6] = {"*.ini", "*.nmd", "*.ntd", "*.ctb", "*.arr", "*.dat"};

}  // namespace

ConfigEnvironment ConfigEnvironment::FromProcess(const fs::path& programFolder) {
    ConfigEnvironment env;
    env.ProgramFolder = programFolder;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) {
        env.LocalAppDataFolder = xdg;
    } else {
        const char* home = std::getenv("HOME");
        env.LocalAppDataFolder = fs::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    fs::path root = programFolder.parent_path();
    if (!programFolder.has_filename()) root = root.parent_path();
    if (!root.empty()) env.ProgramFilesFolders.push_back(root.string());
    return env;
}

CConfigFolder::CConfigFolder(ConfigEnvironment env) : env_(std::move(env)) {
    DetectEnvironment();
    if (!ChooseFolders() && env_.Prompt)
        env_.Prompt->Message(kConfigFolderErrorText, platform::PromptIcon::Error,
                             platform::PromptButtons::Ok);
    ListSettingFiles();
}

int CConfigFolder::DetectEnvironment() {
    // Linux has no redirected writes and no older version with settings in the program
    // folder: the per-user layout always, with the installation's files as starting settings.
    OldWindows = env_.OldWindows.value_or(false) ? 1 : 0;
    InProgramFiles = env_.InProgramFiles.value_or(true) ? 1 : 0;
    UacOn = env_.UacOn.value_or(true) ? 1 : 0;
    return 1;
}

int CConfigFolder::ChooseFolders() {
    const fs::path program = WithSep(env_.ProgramFolder);
    if (OldWindows || !InProgramFiles) {
        ConfigFolder = program;
        ToolFolder = program / "TOOL" / "";
        BakFolder = program;
        IniPath = ConfigFolder / "MV_System.ini";
        OldFolder.clear();
        OldToolFolder.clear();
        return 1;
    }
    std::error_code ec;
    fs::create_directories(env_.LocalAppDataFolder, ec);
    fs::path local = WithSep(env_.LocalAppDataFolder);
    ConfigFolder = local / "Morvalen" / "";
    ToolFolder = ConfigFolder / "TOOL" / "";
    BakFolder = ConfigFolder / "BAK" / "";
    IniPath = ConfigFolder / "MV_System.ini";
    if (UacOn)
        OldFolder = WithSep(local / "VirtualStore" / program.relative_path());
    else
        OldFolder = program;
    OldToolFolder = OldFolder / "TOOL" / "";

    int result = 1;
    for (const fs::path* f : {&ConfigFolder, &ToolFolder, &BakFolder}) {
        ec.clear();
        fs::create_directories(*f, ec);
        if (!fs::is_directory(*f, ec)) result = 0;
    }
    MovedFlag(0);
    return result;
}

void CConfigFolder::FindFiles(const fs::path& folder, const std::string& mask,
                              std::vector<fs::path>& list) {
    if (folder.empty()) return;
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path() < b.path(); });
    for (const auto& e : entries) {
        std::string name = e.path().filename().string();
        if (name == "." || name == ".." || !MatchMask(name, mask)) continue;
        std::error_code sec;
        auto st = e.symlink_status(sec);
        if (fs::is_directory(st))
            FindFiles(e.path(), mask, list);  // links are not followed: no loops
        else if (e.is_regular_file(sec))
            list.push_back(e.path());
    }
}

int CConfigFolder::ListSettingFiles() {
    for (auto& l : OldFileLists) l.clear();
    for (auto& l : ProgramFileLists) l.clear();
    if (!OldFolder.empty()) {
        for (size_t i = 0; i < 6; ++i) FindFiles(OldFolder, kMasks[i], OldFileLists[i]);
        FindFiles(OldToolFolder, "*.*", OldFileLists[6]);
    }
    if (UacOn && InProgramFiles) {
        fs::path program = WithSep(env_.ProgramFolder);
        for (size_t i = 0; i < 6; ++i) FindFiles(program, kMasks[i], ProgramFileLists[i]);
        FindFiles(program / "TOOL" / "", "*.*", ProgramFileLists[6]);
    }
    return 1;
}

int CConfigFolder::KindOfList(size_t list) const {
    static constexpr int kKinds[kListCount] = {0, 1, 3, 2, 0, 0, 4};
    return kKinds[list];
}

fs::path CConfigFolder::FolderOfKind(int kind) const {
    if (kind == 4) return ToolFolder;
    if (kind == 5) return BakFolder;
    return ConfigFolder;
}

int CConfigFolder::MakeTargetPath(int kind, const fs::path& source, fs::path& target) const {
    target = FolderOfKind(kind) / source.filename();
    return 1;
}

bool CConfigFolder::HasOldSettings() const {
    if (OldWindows || !InProgramFiles || VirtToAppMoved) return false;
    for (size_t l = 0; l < kListCount; ++l) {
        for (const auto& file : OldFileLists[l]) {
            fs::path target;
            MakeTargetPath(KindOfList(l), file, target);
            std::error_code ec;
            if (fs::exists(target, ec)) return true;
        }
    }
    return false;
}

void CConfigFolder::RewriteMovedFile(size_t list, const fs::path& file) const {
    if (list > 2) return;
    platform::ProfileFile ini;
    if (!ini.Load(file)) return;
    auto portable = [&](const char* section, const char* key) {
        std::string v = ini.GetString(section, key, "");
        if (v.empty()) return;
        ToPortablePath(v);
        ini.Set(section, key, v);
    };
    if (list == 0) {
        portable("NcRead", "FileName");
        portable("NcRead", "PunchTool_SpcialFolder");
    } else if (list == 1) {
        ini.Set("Version", "Version", "1");
        portable("Punch", "PossessedToolFileName");
        portable("Punch", "ArrangedToolFileName");
    } else {
        ini.Set("Version", "Version", "1");
    }
    ini.Save(file);
}

int CConfigFolder::MigrateOldSettings() {
    if (OldWindows || !InProgramFiles || VirtToAppMoved) return 1;
    std::error_code ec;
    if (UacOn && InProgramFiles) {
        for (size_t l = 0; l < kListCount; ++l) {
            for (const auto& file : ProgramFileLists[l]) {
                fs::path target;
                MakeTargetPath(KindOfList(l), file, target);
                ec.clear();
                fs::copy_file(file, target, fs::copy_options::skip_existing, ec);
            }
        }
    }
    for (size_t l = 0; l < kListCount; ++l) {
        for (const auto& file : OldFileLists[l]) {
            fs::path target;
            MakeTargetPath(KindOfList(l), file, target);
            ec.clear();
            if (fs::exists(target, ec)) MoveReplacing(target, BakFolder / target.filename());
            if (!MoveReplacing(file, target)) {
                ec.clear();
                fs::copy_file(file, target, fs::copy_options::skip_existing, ec);
            }
            ec.clear();
            if (fs::exists(target, ec)) RewriteMovedFile(l, target);
        }
    }
    return 0;
}

int CConfigFolder::DeleteOldSettings() {
    if (OldWindows || !InProgramFiles) return 1;
    for (const auto& list : OldFileLists) {
        for (const auto& file : list) {
            std::error_code ec;
            fs::remove(file, ec);
        }
    }
    return 0;
}

int CConfigFolder::MovedFlag(int write) {
    if (write) {
        platform::WriteProfileString("System", "VirtToAppMoved", std::string_view("1"), IniPath);
        VirtToAppMoved = 1;
    } else {
        std::string v = platform::GetProfileString("System", "VirtToAppMoved", "0", IniPath);
        VirtToAppMoved = platform::ParseLeadingInt(v) != 0 ? 1 : 0;
    }
    return VirtToAppMoved;
}

int CConfigFolder::CopyProfileValue(bool isString, const std::string& section,
                                    const std::string& key, int defaultNumber,
                                    const std::string& defaultText) {
    std::string value;
    if (isString) {
        std::optional<std::string> v;
        if (env_.Profile) v = env_.Profile->GetString(section, key);
        value = v.value_or(defaultText);
    } else {
        std::optional<int> v;
        if (env_.Profile) v = env_.Profile->GetInt(section, key);
        value = platform::FormatInt(v.value_or(defaultNumber));
    }
    platform::WriteProfileString(section, key, std::string_view(value), IniPath);
    return 1;
}

int CConfigFolder::MigrateProfile() {
    if (platform::GetProfileInt("Version", "Version", 0, IniPath) > 0) return 1;
    // One read and one atomic write for the 33 values and the version mark.
    platform::ProfileFile ini;
    ini.Load(IniPath);
    for (const auto& v : kProfileValues) {
        if (v.isString) {
            std::optional<std::string> s;
            if (env_.Profile) s = env_.Profile->GetString(v.section, v.key);
            ini.Set(v.section, v.key, s.value_or(""));
        } else {
            std::optional<int> n;
            if (env_.Profile) n = env_.Profile->GetInt(v.section, v.key);
            ini.Set(v.section, v.key, platform::FormatInt(n.value_or(v.def)));
        }
    }
    ini.Set("Version", "Version", "1");
    ini.Save(IniPath);
    return 1;
}

int CConfigFolder::ToPortablePath(std::string& path) const {
    size_t cut = path.size();
    while (cut > 0 && !IsSep(path[cut - 1])) --cut;
    std::string folder = path.substr(0, cut);
    const std::string name = path.substr(cut);
    for (std::string root : env_.ProgramFilesFolders) {
        while (!root.empty() && IsSep(root.back())) root.pop_back();
        if (root.empty()) continue;
        std::string out;
        bool replaced = false;
        size_t i = 0;
        while (i < folder.size()) {
            bool hit = i + root.size() <= folder.size() && (i == 0 || IsSep(folder[i - 1])) &&
                       (i + root.size() == folder.size() || IsSep(folder[i + root.size()]));
            for (size_t k = 0; hit && k < root.size(); ++k) {
                char a = folder[i + k], b = root[k];
                if (!(Lower(a) == Lower(b) || (IsSep(a) && IsSep(b)))) hit = false;
            }
            if (hit) {
                out += "<LOCAL_APP_NAME>";
                i += root.size();
                replaced = true;
            } else {
                out += folder[i++];
            }
        }
        if (replaced) {
            path = out + name;
            return 1;
        }
    }
    return 0;
}

platform::PromptAnswer SettleConfigFolder(CConfigFolder& folder, platform::UserPrompt* prompt) {
    platform::PromptAnswer answer = platform::PromptAnswer::Yes;
    bool asked = false;
    if (folder.HasOldSettings() && prompt) {
        answer = prompt->Message(AppMessage(kMsgAskTakeOldSettings), platform::PromptIcon::Question,
                                 platform::PromptButtons::YesNoCancel);
        asked = true;
    }
    if (answer == platform::PromptAnswer::Yes) {
        folder.MigrateOldSettings();
        if (asked) folder.MovedFlag(1);
    } else if (answer == platform::PromptAnswer::No) {
        folder.DeleteOldSettings();
    }
    folder.MigrateProfile();
    return answer;
}
