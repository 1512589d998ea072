// File classes of the key store as shared-mime-info packages and hidden desktop entries.
#include "installer/engine/FileTypes.h"

#include <fstream>
#include <iterator>
#include <set>

#include "installer/engine/DesktopEntry.h"
#include "installer/engine/FileOps.h"
#include "installer/engine/InstallRecord.h"
#include "installer/engine/ProcessRunner.h"
#include "platform/Cp932.h"
#include "platform/Paths.h"

namespace installer {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRoot = "HKEY_CLASSES_ROOT";
constexpr std::string_view kOpenCommand = "\\Shell\\Open\\Command";
constexpr std::string_view kPrefix = "haldimon-";

std::string Id(const std::string& className) {
    std::string id;
    for (char c : className) {
        unsigned char u = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z')
            id += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '+' ||
                 c == '-' || c == '_')
            id += c;
        else if (u >= 0x20)
            id += '-';
    }
    return id;
}

std::string Xml(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

FileClass& ClassNamed(std::vector<FileClass>& classes, const std::string& name) {
    for (FileClass& c : classes)
        if (platform::EqualsNoCase(c.Name, name)) return c;
    classes.push_back({});
    classes.back().Name = name;
    return classes.back();
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes text unless the file already holds it; true when it wrote. The folders it makes for
// the file go into record, so that the uninstallation can remove them again.
bool WriteIfChanged(const fs::path& file, const std::string& text, InstallRecord* record) {
    std::error_code ec;
    if (fs::exists(file, ec) && ReadAll(file) == text) return false;
    std::vector<fs::path> missing;
    for (fs::path p = file.parent_path(); !p.empty() && !fs::exists(p, ec) && p != p.parent_path();
         p = p.parent_path())
        missing.push_back(p);
    for (auto it = missing.rbegin(); it != missing.rend(); ++it)
        if (fs::create_directory(*it, ec) && record) record->AddFolder(*it);
    return platform::WriteFileAtomic(file, text);
}

}  // namespace

std::vector<FileClass> ReadFileClasses(const KeyStore& keys) {
    std::vector<FileClass> classes;
    for (const std::string& sub : keys.Subkeys(kRoot)) {
        if (!sub.empty() && sub.front() == '.' && sub.find('\\') == std::string::npos) {
            auto cls = keys.GetString(kRoot, sub, "");
            if (cls && !cls->empty()) ClassNamed(classes, *cls).Extensions.push_back(sub);
            continue;
        }
        if (sub.size() > kOpenCommand.size() &&
            platform::EqualsNoCase(std::string_view(sub).substr(sub.size() - kOpenCommand.size()),
                                   kOpenCommand)) {
            std::string name = sub.substr(0, sub.size() - kOpenCommand.size());
            if (name.find('\\') != std::string::npos) continue;
            auto cmd = keys.GetString(kRoot, sub, "");
            if (cmd && !cmd->empty()) ClassNamed(classes, name).Command = *cmd;
        }
    }
    for (FileClass& c : classes)
        if (auto d = keys.GetString(kRoot, c.Name, "")) c.Description = *d;
    return classes;
}

std::string MimeTypeOf(const std::string& className) {
    return "application/x-" + Id(className);
}

fs::path MimePackageOf(const SetupPlatform& p, const std::string& className) {
    return p.MimeDir / "packages" / (std::string(kPrefix) + Id(className) + ".xml");
}

fs::path TypeEntryOf(const SetupPlatform& p, const std::string& className) {
    return p.ApplicationsDir / (std::string(kPrefix) + Id(className) + ".desktop");
}

std::string MimePackageText(const FileClass& c) {
    std::string t =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    t += "  <mime-type type=\"" + Xml(MimeTypeOf(c.Name)) + "\">\n";
    t += "    <comment>" + Xml(c.Description.empty() ? c.Name : c.Description) + "</comment>\n";
    for (const std::string& e : c.Extensions) t += "    <glob pattern=\"*" + Xml(e) + "\"/>\n";
    t += "  </mime-type>\n</mime-info>\n";
    return t;
}

namespace {

std::string TypeEntryText(const FileClass& c) {
    DesktopEntry e;
    e.Name = c.Description.empty() ? c.Name : c.Description;
    e.MimeType = MimeTypeOf(c.Name) + ";";
    e.NoDisplay = true;
    for (const std::string& w : SplitCommandLine(c.Command)) {
        if (w == "%1" && e.FileArgument < 0) e.FileArgument = static_cast<int>(e.Exec.size());
        e.Exec.push_back(w);
    }
    return e.Text();
}

// Removes "haldimon-*<ext>" files of folder that are not in keep; true when one went.
bool RemoveStale(const fs::path& folder, std::string_view ext, const std::set<fs::path>& keep) {
    bool removed = false;
    for (const FolderEntry& f : ListFolder(folder, std::string(kPrefix) + "*" + std::string(ext))) {
        fs::path p = folder / f.Name;
        if (f.IsFolder || keep.count(p)) continue;
        std::error_code ec;
        removed = fs::remove(p, ec) || removed;
    }
    return removed;
}

// Removes the desktop database's cache when it lists no type: readers take a missing cache
// as an empty one, and an empty cache would keep a menu folder that is otherwise empty.
void RemoveEmptyTypeCache(const fs::path& folder) {
    fs::path cache = folder / "mimeinfo.cache";
    std::ifstream in(cache);
    if (!in) return;
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line.front() != '[' && line.front() != '#') return;
    in.close();
    std::error_code ec;
    fs::remove(cache, ec);
}

}  // namespace

bool SyncFileTypes(const KeyStore& keys, const SetupPlatform& platform, InstallRecord* record) {
    if (platform.MimeDir.empty() || platform.ApplicationsDir.empty()) return false;
    bool changed = false;
    std::set<fs::path> keep;
    for (const FileClass& c : ReadFileClasses(keys)) {
        if (!c.Complete() || Id(c.Name).empty()) continue;
        fs::path pkg = MimePackageOf(platform, c.Name);
        fs::path entry = TypeEntryOf(platform, c.Name);
        keep.insert(pkg);
        keep.insert(entry);
        bool wrote = WriteIfChanged(pkg, MimePackageText(c), record);
        wrote = WriteIfChanged(entry, TypeEntryText(c), record) || wrote;
        if (wrote && record) {
            record->AddFile(pkg);
            record->AddFile(entry);
        }
        changed = changed || wrote;
    }
    changed = RemoveStale(platform.MimeDir / "packages", ".xml", keep) || changed;
    changed = RemoveStale(platform.ApplicationsDir, ".desktop", keep) || changed;
    if (changed) {
        std::error_code ec;
        if (fs::is_directory(platform.MimeDir / "packages", ec))
            RunTool({"update-mime-database", platform.MimeDir.string()});
        if (fs::is_directory(platform.ApplicationsDir, ec) &&
            RunTool({"update-desktop-database", platform.ApplicationsDir.string()}))
            RemoveEmptyTypeCache(platform.ApplicationsDir);
    }
    return changed;
}

}  // namespace installer
