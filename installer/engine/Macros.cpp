// Macro values and their expansion.
#include "installer/engine/Macros.h"

namespace installer {

namespace {

size_t IndexOf(std::string_view name) {
    for (size_t i = 0; i < kMacroNames.size(); ++i)
        if (kMacroNames[i] == name) return i;
    return kMacroNames.size();
}

std::string WithSlash(std::string s) {
    if (!s.empty() && s.back() != '/') s += '/';
    return s;
}

}  // namespace

const std::string& MacroValues::Get(std::string_view name) const {
    static const std::string empty;
    size_t i = IndexOf(name);
    return i < Values.size() ? Values[i] : empty;
}

void MacroValues::Set(std::string_view name, std::string value) {
    size_t i = IndexOf(name);
    if (i < Values.size()) Values[i] = std::move(value);
}

MacroValues InitMacroValues(const SetupState& s, const SetupPlatform& p) {
    MacroValues m;
    std::string src = s.InstallerPath;
    size_t slash = src.rfind('/');
    m.Set("SRCDIR", slash == std::string::npos ? std::string() : src.substr(0, slash + 1));
    m.Set("SRCDISK", p.DiskRoot);
    m.Set("SUPPORTDIR", WithSlash(p.TempDir.string()));
    m.Set("TARGETDIR", s.TargetDir);
    m.Set("TARGETDISK", p.DiskRoot);
    m.Set("WINDIR", p.WinDir);
    m.Set("WINDISK", p.DiskRoot);
    m.Set("WINSYSDIR", p.WinSysDir);
    m.Set("WINSYSDISK", p.DiskRoot);
    m.Set("ARG6", s.Arg6);
    m.Set("PROGRAM_FOLDER_NAME", s.ProgramFolderName);
    m.Set("COMPANY_NAME", s.CompanyName);
    m.Set("PRODUCT_NAME", s.ProductName);
    m.Set("PRODUCT_VERSION", s.ProductVersion);
    m.Set("TYPE_SELECT", s.CustomInstall ? "1" : "0");
    return m;
}

std::string NormalSeparators(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (char c : path) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out += c;
    }
    return out;
}

bool ExpandMacros(const MacroValues& values, std::string& text) {
    std::string_view token(text);
    token = token.substr(0, token.find(','));
    size_t plus = token.find('+');
    std::string_view head = token.substr(0, plus);
    std::string result;
    for (size_t i = 0; i < kMacroNames.size(); ++i) {
        if (head.find(kMacroNames[i]) != std::string_view::npos) {
            result = values.Values[i];
            break;
        }
    }
    if (plus != std::string_view::npos) {
        size_t open = token.find('"', plus + 1);
        if (open == std::string_view::npos) return false;
        size_t close = token.find('"', open + 1);
        if (close == std::string_view::npos) return false;
        result += token.substr(open + 1, close - open - 1);
    }
    text = NormalSeparators(result);
    return true;
}

void ExpandBraceMacros(const MacroValues& values, std::string& text) {
    for (size_t i = 0; i < kMacroNames.size(); ++i) {
        const std::string pattern = "{" + std::string(kMacroNames[i]) + "}";
        const std::string& value = values.Values[i];
        size_t pos = 0;
        while ((pos = text.find(pattern, pos)) != std::string::npos) {
            text.replace(pos, pattern.size(), value);
            pos += value.size();  // never rescan what was inserted for this name
        }
    }
}

}  // namespace installer
