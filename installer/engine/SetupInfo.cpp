// The setup file's values, components and default folder.
#include "installer/engine/SetupInfo.h"

#include "installer/engine/Macros.h"
#include "installer/engine/MessageIds.h"

namespace installer {

using namespace readsize;

std::string InstallSection(int n) {
    return "INSTALL" + std::to_string(n);
}

std::string KeyNumberText(unsigned n) {
    return std::to_string(n);
}

std::string AddBackslash(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

int CountComponents(const SetupFile& file) {
    int n = 1;
    while (!file.Get(InstallSection(n), "COMP", kNumber).empty()) ++n;
    return n - 1;
}

void ReadFolderNames(SetupState& s, const SetupFile& f) {
    s.ProgramFolderName = f.Get("APPINFO", "PROGRAM_FOLDER_NAME", kFolderName);
    s.StartMenuFolderName = f.Get("APPINFO", "STMENU_PROGRAM_FOLDER_NAME", kFolderName);
    if (s.StartMenuFolderName.empty()) s.StartMenuFolderName = s.ProgramFolderName;
    s.AppBasePath = f.Get("APPINFO", "APPBASE_PATH", kFolderName);
}

void ReadProductNames(SetupState& s, const SetupFile& f) {
    s.Arg6 = f.Get("PARMINIT", "ARG6", kShort);
    s.CompanyName = f.Get("APPINFO", "COMPANY_NAME", kShort);
    s.ProductName = f.Get("APPINFO", "PRODUCT_NAME", kShort);
    s.ProductVersion = f.Get("APPINFO", "PRODUCT_VERSION", kShort);
    s.ProductKey = f.Get("APPINFO", "PRODUCT_KEY", kShort);
    s.MainProgram = f.Get("APPINFO", "MAIN_PROGRAM", kShort);
    // Linux only: the menu sections ("Development;Engineering;") of the menu entries.
    s.MenuCategories = f.Get("APPINFO", "MENU_CATEGORIES", kShort);
}

int ReadSetupFile(SetupState& s, const KeyStore& keys, const SetupPlatform& platform,
                  InstallerUi& ui) {
    SetupFile f(s.SetupFilePath);
    ReadFolderNames(s, f);
    s.ComponentCount = CountComponents(f);
    if (s.ProgramFolderName.empty() || s.AppBasePath.empty() || s.ComponentCount == 0) {
        ui.Message(msg::kSetupFileBroken, {}, PromptButtons::Ok, PromptIcon::None);
        return 0;
    }
    ReadProductNames(s, f);
    s.InfoViewFile = f.Get("USEDIALOG", "SdInfoView", kPath);
    s.LicenseViewFile = f.Get("USEDIALOG", "SdLicenseView", kTitle);
    s.SelectFolder = f.GetInt("USEDIALOG", "SdSelectFolder", kNumber);
    s.TargetExistFile = f.Get("APPINFO", "TARGET_EXISTFILE", kShort);
    s.InstallModeSkip = f.GetInt("SETUPINFO", "INSTALL_MODE_SKIP", kNumber);
    std::string getreg = f.Get("APPINFO", "GETREG_APPBASE_PATH", kPath);
    s.UninstallName = f.Get("APPINFO", "UNINSTALL_NAME", kShort);
    s.SetupTitle = f.Get("APPINFO", "SETUP_TITLE", kTitle);
    InitTargetDir(s, getreg, keys, platform);
    return 1;
}

int ReadComponents(SetupState& s, const SetupFile& f) {
    s.ComponentTable.assign(static_cast<size_t>(std::max(s.ComponentCount, 0)), {});
    for (int n = 1; n <= s.ComponentCount; ++n) {
        ComponentRecord& r = s.ComponentTable[static_cast<size_t>(n - 1)];
        std::string comp = f.Get(InstallSection(n), "COMP", kNumber);
        if (!comp.empty()) {
            r.Number = n;
            r.Name = comp;
        }
        std::string sts = f.Get(InstallSection(n), "STS", kNumber);
        if (!sts.empty()) {
            int v = f.GetInt(InstallSection(n), "STS", kNumber);
            r.Standard = (v & 1) ? 1 : 0;
            r.Selected = (v & 2) ? 1 : 0;
        }
    }
    return 1;
}

int ReadComponents(SetupState& s, const std::string& path) {
    return ReadComponents(s, SetupFile(path));
}

namespace {

// The key-store value that GETREG_APPBASE_PATH names: "ROOT","subkey","name" as the profile
// reader gives it (outer quotes gone). Nothing without the two commas and the quotes.
std::optional<std::string> StoredFolder(std::string_view text, const KeyStore& keys) {
    size_t q = text.find('"');
    if (q == std::string_view::npos) return std::nullopt;
    std::string_view root = text.substr(0, q);
    size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(comma + 1);
    size_t o = rest.find('"');
    size_t c = o == std::string_view::npos ? o : rest.find('"', o + 1);
    if (c == std::string_view::npos) return std::nullopt;
    std::string_view subkey = rest.substr(o + 1, c - o - 1);
    comma = rest.find(',', c + 1);
    if (comma == std::string_view::npos) return std::nullopt;
    rest = rest.substr(comma + 1);
    o = rest.find('"');
    if (o == std::string_view::npos) return std::nullopt;
    std::string_view name = rest.substr(o + 1);
    if (!name.empty() && name.back() == '"') name.remove_suffix(1);
    if (!KeyStore::IsRootName(root)) return std::nullopt;
    return keys.GetString(root, subkey, name);
}

std::string JoinBelow(const std::filesystem::path& base, std::string_view rest) {
    std::string b = base.string();
    if (b.empty()) return {};
    std::string r = NormalSeparators(rest);
    while (!r.empty() && r.front() == '/') r.erase(0, 1);
    return AddBackslash(NormalSeparators(AddBackslash(b) + r));
}

}  // namespace

void InitTargetDir(SetupState& s, std::string_view getregText, const KeyStore& keys,
                   const SetupPlatform& platform) {
    s.TargetDir.clear();
    if (!getregText.empty()) {
        if (auto stored = StoredFolder(getregText, keys); stored && !stored->empty())
            s.TargetDir = AddBackslash(*stored);
    }
    if (!s.TargetDir.empty()) return;
    const std::string& base = s.AppBasePath;
    if (base.empty()) return;
    if (base.front() == '/') {
        s.TargetDir = AddBackslash(NormalSeparators(base));
    } else if (base.find('{') == std::string::npos) {
        // A leading '\' of a file written on Windows meant the system drive: here the base.
        if (base.front() == '\\') s.AppBasePath.erase(0, 1);
        s.TargetDir = JoinBelow(platform.RelativeBase, s.AppBasePath);
    } else if (base.find("{PROGRAM_FILES}") != std::string::npos) {
        s.TargetDir = JoinBelow(platform.ProgramsBase, base.substr(base.find('}') + 1));
    }
}

}  // namespace installer
