// Follows the freedesktop.org rules from an extension to the program of its default application.
#include "wepo/core/OpenCommand.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"

namespace wepo {

namespace fs = std::filesystem;

namespace {

fs::path HomeFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value && *value == '/') return value;
    const char* home = std::getenv("HOME");
    return home ? fs::path(home) / fallback : fs::path();
}

std::vector<fs::path> FolderList(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string_view list = value && *value ? value : fallback;
    std::vector<fs::path> out;
    while (!list.empty()) {
        size_t colon = list.find(':');
        std::string_view one = list.substr(0, colon);
        if (!one.empty() && one.front() == '/') out.emplace_back(one);
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
    return out;
}

std::vector<fs::path> DataFolders() {
    std::vector<fs::path> out{HomeFolder("XDG_DATA_HOME", ".local/share")};
    for (auto& f : FolderList("XDG_DATA_DIRS", "/usr/local/share:/usr/share")) out.push_back(f);
    return out;
}

std::vector<std::string> Lines(const fs::path& file) {
    std::vector<std::string> out;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(std::move(line));
    }
    return out;
}

// A glob of the form "*.ext" matched against the extension (with its dot).
bool GlobMatches(std::string_view glob, std::string_view extension, bool caseSensitive) {
    if (glob.size() < 2 || glob[0] != '*') return false;
    glob.remove_prefix(1);
    if (glob.find_first_of("*?[") != std::string_view::npos) return false;
    return caseSensitive ? glob == extension : platform::EqualsNoCase(glob, extension);
}

std::string MimeTypeOf(std::string_view extension) {
    std::string best;
    int bestWeight = -1;
    size_t bestLength = 0;
    for (const fs::path& folder : DataFolders()) {
        for (const std::string& line : Lines(folder / "mime" / "globs2")) {
            if (line.empty() || line[0] == '#') continue;
            // weight:type:glob[:flags]
            size_t a = line.find(':'), b = a == std::string::npos ? a : line.find(':', a + 1);
            if (b == std::string::npos) continue;
            size_t c = line.find(':', b + 1);
            std::string_view glob =
                std::string_view(line).substr(b + 1, c == std::string::npos ? c : c - b - 1);
            bool cs = c != std::string::npos && line.find("cs", c) != std::string::npos;
            int weight = std::atoi(line.substr(0, a).c_str());
            if (GlobMatches(glob, extension, cs) &&
                (weight > bestWeight || (weight == bestWeight && glob.size() > bestLength))) {
                best = line.substr(a + 1, b - a - 1);
                bestWeight = weight;
                bestLength = glob.size();
            }
        }
        if (!best.empty()) return best;  // the user's own folder first
        for (const std::string& line : Lines(folder / "mime" / "globs")) {
            size_t a = line.find(':');
            if (line.empty() || line[0] == '#' || a == std::string::npos) continue;
            if (GlobMatches(std::string_view(line).substr(a + 1), extension, false))
                return line.substr(0, a);
        }
    }
    return best;
}

// The desktop ids listed for type in the section of a mimeapps.list file.
std::vector<std::string> ListedApplications(const fs::path& file, std::string_view section,
                                            std::string_view type) {
    std::vector<std::string> out;
    bool inSection = false;
    for (const std::string& line : Lines(file)) {
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + std::string(section) + "]";
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos || std::string_view(line).substr(0, eq) != type)
            continue;
        std::string_view ids = std::string_view(line).substr(eq + 1);
        while (!ids.empty()) {
            size_t semi = ids.find(';');
            if (semi != 0) out.emplace_back(ids.substr(0, semi));
            ids = semi == std::string_view::npos ? std::string_view() : ids.substr(semi + 1);
        }
    }
    return out;
}

fs::path DesktopEntry(const std::string& id) {
    for (const fs::path& folder : DataFolders()) {
        fs::path file = folder / "applications" / id;
        std::error_code ec;
        if (fs::is_regular_file(file, ec)) return file;
    }
    return {};
}

// The first word of an Exec value: a double-quoted program keeps its blanks.
std::string FirstWord(std::string_view exec) {
    size_t i = exec.find_first_not_of(' ');
    if (i == std::string_view::npos) return {};
    std::string word;
    if (exec[i] == '"') {
        for (++i; i < exec.size() && exec[i] != '"'; ++i) {
            if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
            word += exec[i];
        }
        return word;
    }
    size_t end = exec.find(' ', i);
    return std::string(exec.substr(i, end == std::string_view::npos ? end : end - i));
}

std::string ExecOf(const fs::path& entry) {
    bool inEntry = false;
    for (const std::string& line : Lines(entry)) {
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (inEntry && line.rfind("Exec=", 0) == 0)
            return FirstWord(std::string_view(line).substr(5));
    }
    return {};
}

}  // namespace

int GetOpenCommand(const char* extension, std::string* out) {
    if (!extension || !out) return 0;
    std::string type = MimeTypeOf(extension);
    if (type.empty()) return 0;
    std::vector<fs::path> lists{HomeFolder("XDG_CONFIG_HOME", ".config") / "mimeapps.list"};
    for (auto& f : FolderList("XDG_CONFIG_DIRS", "/etc/xdg")) lists.push_back(f / "mimeapps.list");
    for (auto& f : DataFolders()) lists.push_back(f / "applications" / "mimeapps.list");
    for (std::string_view section : {"Default Applications", "Added Associations"}) {
        for (const fs::path& list : lists) {
            for (const std::string& id : ListedApplications(list, section, type)) {
                fs::path entry = DesktopEntry(id);
                if (entry.empty()) continue;
                std::string program = ExecOf(entry);
                if (program.empty()) continue;
                *out = program;
                return 1;
            }
        }
    }
    return 0;
}

}  // namespace wepo
