// Path functions of the application: settings names made absolute, relative or portable.
#include "app/core/AppPaths.h"

#include <filesystem>
#include <system_error>

#include "platform/Cp932.h"
#include "platform/Paths.h"

namespace {
std::string WithSlash(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/') out += '/';
    return out;
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

bool IsAbsoluteSettingsPath(std::string_view name) {
    if (!name.empty() && name.front() == '/') return true;
    if (name.size() >= 3 && IsLetter(name[0]) && name[1] == ':' &&
        (name[2] == '\\' || name[2] == '/'))
        return true;
    return name.substr(0, 2) == "\\\\";
}

size_t FindLastCharMbcs(std::string_view text, char ch) {
    size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    if (ch == '\0') return text.size();
    return platform::FindLastSingle(text, ch);
}

bool AppPaths::InitProgramFolder() {
    std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) return false;
    SetProgramFolder(folder.string());
    return true;
}

void AppPaths::SetProgramFolder(std::string_view folder) {
    ProgramFolder = WithSlash(folder);
}

void AppPaths::SetConfigFolder(std::string_view folder) {
    ConfigFolder = WithSlash(folder);
    IniPath = ConfigFolder + std::string(kSystemIniName);
}

void AppPaths::SetLocalAppFolder(std::string_view folder) {
    std::string f(folder);
    while (f.size() > 1 && f.back() == '/') f.pop_back();
    localAppFolder_ = f;
}

std::string AppPaths::LocalAppFolder() const {
    if (localAppFolder_) return *localAppFolder_;
    std::filesystem::path folder = platform::LocalDataFolder();
    if (folder.empty()) return {};
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    std::string f = folder.string();
    while (f.size() > 1 && f.back() == '/') f.pop_back();
    return f;
}

int AppPaths::GetConfigFolder(std::string& out) const {
    out = ConfigFolder;
    return 1;
}

int AppPaths::GetProgramFolder(std::string& out) const {
    out = ProgramFolder;
    return 1;
}

std::string AppPaths::MakeConfigPath(std::string_view name) const {
    return IsAbsoluteSettingsPath(name) ? std::string(name) : ConfigFolder + std::string(name);
}

std::string AppPaths::MakeProgramPath(std::string_view name) const {
    return IsAbsoluteSettingsPath(name) ? std::string(name) : ProgramFolder + std::string(name);
}

int AppPaths::SplitPath(std::string_view path, std::string& folder, std::string& name) {
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        name.assign(path);
        return 0;
    }
    folder.assign(path.substr(0, slash + 1));
    name.assign(path.substr(slash + 1));
    return 1;
}

int AppPaths::ConvertConfigRelativePath(int toAbsolute, std::string& path) const {
    if (path.empty()) return 0;
    if (toAbsolute) {
        if (IsAbsoluteSettingsPath(path)) return 0;
        size_t skip = path.find_first_not_of('\\');
        path = ConfigFolder + (skip == std::string::npos ? std::string() : path.substr(skip));
        return 0;
    }
    std::string folder, name;
    if (!SplitPath(path, folder, name) || ConfigFolder.empty()) return 0;
    // Only a leading configuration folder makes the path relative to it; the same names deeper
    // in the path belong to another folder.
    if (!platform::StartsWithNoCase(folder, ConfigFolder)) return 0;
    path = folder.substr(ConfigFolder.size()) + name;
    return 1;
}

int AppPaths::ConvertLocalAppPath(int expand, std::string& path) const {
    std::string folder, name;
    if (!SplitPath(path, folder, name)) return 0;
    std::string local = LocalAppFolder();
    if (expand) {
        std::string out;
        bool replaced = false;
        for (size_t i = 0; i < folder.size();) {
            if (platform::StartsWithNoCase(std::string_view(folder).substr(i),
                                           kLocalAppPlaceholder)) {
                out += local;
                i += kLocalAppPlaceholder.size();
                replaced = true;
            } else {
                out += folder[i++];
            }
        }
        if (!replaced) return 0;
        path = out + name;
        return 1;
    }
    if (local.empty() || local == "/") return 0;
    if (!platform::StartsWithNoCase(folder, local) || folder.size() <= local.size() ||
        folder[local.size()] != '/')
        return 0;
    path = std::string(kLocalAppPlaceholder) + folder.substr(local.size()) + name;
    return 1;
}
